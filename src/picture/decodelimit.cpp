#include "picture/decodelimit.h"

#include <unistd.h>

#include <cstdio>

#include "picture/decodechild.h"

#ifdef LASERPIC_SANITIZED
#include <sanitizer/common_interface_defs.h>
extern "C" size_t __sanitizer_get_heap_size();  // of the sanitizers' allocator, not in GCC's headers
#endif

namespace lp {

namespace {

constexpr rlim_t kLimit = rlim_t(kDecodeMemoryMb) << 20;

#ifdef LASERPIC_SANITIZED
void (*answerOutOfMemory)() = nullptr;

// The sanitizer is ending the program: for want of memory when the heap has
// taken most of what the limit allows, otherwise for a fault it reports.
void Dying() {
    if (answerOutOfMemory && __sanitizer_get_heap_size() >= kLimit / 2) answerOutOfMemory();
}

// Pages of address space in use: the first field of /proc/self/statm.
rlim_t InUse() {
    unsigned long pages = 0;
    FILE* statm = std::fopen("/proc/self/statm", "r");
    if (!statm) return RLIM_INFINITY;
    const bool read = std::fscanf(statm, "%lu", &pages) == 1;
    std::fclose(statm);
    return read ? rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE)) : RLIM_INFINITY;
}
#endif

}  // namespace

rlim_t DecodeAddressSpace([[maybe_unused]] void (*outOfMemory)()) {
#ifdef LASERPIC_SANITIZED
    answerOutOfMemory = outOfMemory;
    __sanitizer_set_death_callback(Dying);
    const rlim_t used = InUse();
    return used == RLIM_INFINITY ? used : used + kLimit;
#else
    return kLimit;
#endif
}

}  // namespace lp
