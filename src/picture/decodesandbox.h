// The decoding program's confinement by the system: a network of its own,
// and system-call filters that leave it, once it reads the picture, nothing
// to do but decode it and send the pixels back. Used by laserpic-decode only.
#pragma once

namespace lp {

// A user and a network namespace of its own, so the program has no network
// even in principle. Must come first, while the program has one thread.
// False where the system does not let an unprivileged process make them;
// the filters below hold alone then.
bool EnterOwnNamespaces();

// The first filter, from the start: no file or folder is made, written,
// renamed or removed, so no ending of the program leaves anything behind.
// Reading files (plugins, fonts) is still allowed.
bool ForbidChanges();

// The sandbox, once the picture's file is open and everything decoding needs
// is loaded: reading and writing the descriptors open, memory without new
// code, threads of this process, futexes, clocks, signals to itself and
// ending, asking whether a file may be read; everything else fails (opening
// any file, sockets, new processes, programs, tracing or signalling other
// processes). False when the system refuses the filter.
bool EnterSandbox();

}  // namespace lp
