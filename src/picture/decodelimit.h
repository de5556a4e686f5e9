// The address space the decoding child allows itself (its other limits are
// plain): kDecodeMemoryMb, or in a build with AddressSanitizer, whose shadow
// memory is reserved before the child starts, that much more than it holds.
#pragma once

#include <sys/resource.h>

namespace lp {

// `outOfMemory` answers for the child when memory runs out and ends it; under
// AddressSanitizer, whose allocator ends the program instead of calling the
// new-handler, it is called then too.
rlim_t DecodeAddressSpace(void (*outOfMemory)());

}  // namespace lp
