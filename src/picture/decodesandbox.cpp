#include "picture/decodesandbox.h"

#include <fcntl.h>
#include <sched.h>
#include <seccomp.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <initializer_list>

namespace lp {

namespace {

const uint32_t kRefuse = SCMP_ACT_ERRNO(EPERM);
// For calls whose arguments the filter cannot see: the C library then falls
// back to the older call the filter judges.
const uint32_t kAbsent = SCMP_ACT_ERRNO(ENOSYS);

// The `arg`th argument, masked with `mask`, is `value`.
scmp_arg_cmp Masked(unsigned arg, scmp_datum_t mask, scmp_datum_t value) {
    return {arg, SCMP_CMP_MASKED_EQ, mask, value};
}

scmp_arg_cmp Equal(unsigned arg, scmp_datum_t value) {
    return {arg, SCMP_CMP_EQ, value, 0};
}

class Filter {
  public:
    explicit Filter(uint32_t otherwise) : context_(seccomp_init(otherwise)) {}
    ~Filter() { seccomp_release(context_); }
    Filter(const Filter&) = delete;
    Filter& operator=(const Filter&) = delete;

    // `action` for the calls named when all `conditions` hold; calls this
    // machine does not have are skipped.
    void on(uint32_t action, std::initializer_list<const char*> calls,
            std::initializer_list<scmp_arg_cmp> conditions = {}) {
        for (const char* call : calls) {
            const int number = seccomp_syscall_resolve_name(call);
            if (number == __NR_SCMP_ERROR) continue;
            if (!context_ || seccomp_rule_add_array(context_, action, number, unsigned(conditions.size()),
                                                    conditions.begin()) != 0)
                failed_ = true;
        }
    }
    // In force for every thread of the program from now on; filters only
    // ever add to each other.
    bool load() {
        return context_ && !failed_ && seccomp_attr_set(context_, SCMP_FLTATR_CTL_TSYNC, 1) == 0 &&
               seccomp_load(context_) == 0;
    }

  private:
    scmp_filter_ctx context_;
    bool failed_ = false;
};

bool WriteProcFile(const char* name, const char* text) {
    const int fd = ::open(name, O_WRONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const ssize_t size = ssize_t(strlen(text));
    const bool written = ::write(fd, text, size_t(size)) == size;
    ::close(fd);
    return written;
}

}  // namespace

bool EnterOwnNamespaces() {
    const unsigned user = geteuid(), group = getegid();
    if (unshare(CLONE_NEWUSER | CLONE_NEWNET) != 0) return false;
    // The same user and group inside, so files keep their owners as the
    // program sees them; a process of the user may still watch it (the
    // change of namespace had made it undumpable).
    char map[64];
    WriteProcFile("/proc/self/setgroups", "deny");
    snprintf(map, sizeof map, "%u %u 1", user, user);
    WriteProcFile("/proc/self/uid_map", map);
    snprintf(map, sizeof map, "%u %u 1", group, group);
    WriteProcFile("/proc/self/gid_map", map);
    prctl(PR_SET_DUMPABLE, 1);
    return true;
}

bool ForbidChanges() {
    Filter filter(SCMP_ACT_ALLOW);
    filter.on(
        kRefuse,
        {"creat",         "mkdir",     "mkdirat",     "mknod",        "mknodat",      "rmdir",
         "unlink",        "unlinkat",  "rename",      "renameat",     "renameat2",    "link",
         "linkat",        "symlink",   "symlinkat",   "truncate",     "ftruncate",    "fallocate",
         "chmod",         "fchmod",    "fchmodat",    "chown",        "fchown",       "lchown",
         "fchownat",      "utime",     "utimes",      "futimesat",    "utimensat",    "setxattr",
         "lsetxattr",     "fsetxattr", "removexattr", "lremovexattr", "fremovexattr", "open_by_handle_at",
         "io_uring_setup"});
    // Files opened for writing, made or emptied.
    for (const scmp_datum_t flag : {O_WRONLY, O_RDWR, O_CREAT, O_TRUNC}) {
        filter.on(kRefuse, {"open"}, {Masked(1, flag, flag)});
        filter.on(kRefuse, {"openat"}, {Masked(2, flag, flag)});
    }
    filter.on(kAbsent, {"openat2"});
    return filter.load();
}

bool EnterSandbox() {
    Filter filter(kRefuse);
    filter.on(
        SCMP_ACT_ALLOW,
        {// the open picture, the answer's pipe
         "read", "readv", "pread64", "preadv", "preadv2", "write", "writev", "lseek", "fstat", "close",
         // memory, and how much the machine has (the TIFF decoder asks)
         "brk", "munmap", "mremap", "madvise", "sysinfo",
         // threads waiting for each other (each new one makes itself a counter to be woken by), clocks
         "futex", "eventfd2", "set_robust_list", "rseq", "sched_yield", "sched_getaffinity", "getrandom",
         "clock_gettime", "clock_getres", "clock_nanosleep", "nanosleep", "gettimeofday", "getpid", "gettid",
         // signals and the end
         "rt_sigaction", "rt_sigprocmask", "rt_sigreturn", "sigaltstack", "restart_syscall", "exit",
         "exit_group"});
    // Memory, but no new code in it.
    filter.on(SCMP_ACT_ALLOW, {"mmap", "mprotect"}, {Masked(2, PROT_EXEC, 0)});
    // Threads of this process (the image scaler's), no other processes.
    filter.on(SCMP_ACT_ALLOW, {"clone"}, {Masked(0, CLONE_THREAD, CLONE_THREAD)});
    filter.on(kAbsent, {"clone3"});
    // Signals to itself alone (an abort), names of its threads.
    filter.on(SCMP_ACT_ALLOW, {"kill", "tgkill"}, {Equal(0, scmp_datum_t(getpid()))});
    filter.on(SCMP_ACT_ALLOW, {"prctl"}, {Equal(0, PR_SET_NAME)});
    // Whether a font opened before may be read: asked again as each size of it is drawn.
    filter.on(SCMP_ACT_ALLOW, {"access"}, {Equal(1, R_OK)});
    filter.on(SCMP_ACT_ALLOW, {"faccessat", "faccessat2"}, {Equal(2, R_OK)});
#ifdef LASERPIC_SANITIZED
    // The sanitizers' own checks: whether memory may be read (through a
    // pipe), the program's name for their reports.
    filter.on(SCMP_ACT_ALLOW, {"pipe", "pipe2", "readlink", "readlinkat"});
#endif
    return filter.load();
}

}  // namespace lp
