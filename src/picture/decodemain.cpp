// laserpic-decode: the program the editor starts to decode one picture. It
// sets its limits first, opens the picture, loads what decoding its format
// needs, enters its sandbox (decodesandbox.h) and only then reads the
// picture, decodes it with Qt's readers or the SVG library and writes the answer on its output
// (see decodechild.h).
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/ptrace.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QImageReader>
#include <QLoggingCategory>
#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <mutex>
#include <new>
#include <vector>

#include "files/descriptor.h"
#include "files/regularfile.h"
#include "language/translations.h"
#include "picture/decodechild.h"
#include "picture/decodehere.h"
#include "picture/decodelimit.h"
#include "picture/decodeprepare.h"
#include "picture/decodesandbox.h"
#include "picture/pictureformat.h"

namespace {

QByteArray tooLarge;  // the answer when memory runs out, made while there is some
std::atomic<bool> memoryRanOut{false};

void Write(const char* data, size_t size) {
    if (lp::WriteAll(STDOUT_FILENO, data, qint64(size)) < qint64(size)) _exit(1);
}

void Fail(const QString& reason, lp::PictureRefusal refusal = lp::PictureRefusal::Other) {
    const QByteArray line = lp::DecodeFailureLine(reason, refusal);
    Write(line.constData(), size_t(line.size()));
}

[[noreturn]] void OutOfMemory() {
    Write(tooLarge.constData(), size_t(tooLarge.size()));
    _exit(0);
}

// The decoders report running out of memory only as a warning.
void NoteMessage(QtMsgType, const QMessageLogContext&, const QString& text) {
    if (text.contains(QLatin1String("memory"), Qt::CaseInsensitive)) memoryRanOut = true;
}

void Limit(int resource, rlim_t soft, rlim_t hard) {
    const rlimit limit{soft, hard};
    setrlimit(resource, &limit);
}

// Nothing of the editor's but the three standard streams; no more memory,
// processor time and files than a decode needs; ended with the editor.
void Confine() {
    close_range(3, ~0U, 0);
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0);
    const rlim_t addressSpace = lp::DecodeAddressSpace(OutOfMemory);
    Limit(RLIMIT_AS, addressSpace, addressSpace);
    Limit(RLIMIT_CPU, lp::kDecodeCpuSeconds, lp::kDecodeCpuSeconds + 1);
    Limit(RLIMIT_CORE, 0, 0);
    Limit(RLIMIT_FSIZE, 0, 0);  // writes no file
    signal(SIGXFSZ, SIG_IGN);   // a write tried fails instead
}

// The format the picture's first bytes tell, for what to load before the sandbox.
QByteArray FormatOf(lp::RegularFile& file) {
    char start[64];
    const qint64 n = file.read(0, start, sizeof start);
    return lp::PictureFormatOf(QByteArray(start, n > 0 ? int(n) : 0));
}

QString NoSandbox() {
    return QCoreApplication::translate(
        "DecodeChild",
        "Программа разбора картинок не может закрыться в песочнице: система не "
        "даёт ей фильтр системных вызовов");
}

// The user's language for the answer, on an application object made for it
// when the decoding needs none; `reason` is made once it is installed.
void FailTranslated(int& argc, char** argv, const std::function<QString()>& reason) {
    QCoreApplication application(argc, argv);
    lp::InstallTranslations(application);
    Fail(reason());
}

// Enters the sandbox; false, the reason written, when the system refuses it.
bool Sandboxed() {
    if (lp::EnterSandbox()) return true;
    Fail(NoSandbox());
    return false;
}

#ifdef LASERPIC_DECODE_TEST_MODES
// Each way out of the sandbox tried, for the test mode "--escape": the
// call's error, or "allowed".
QByteArray Escapes() {
    auto outcome = [](bool done, int error) { return QByteArray(done ? "allowed" : strerrorname_np(error)); };
    const int file = ::open("/etc/passwd", O_RDONLY);
    QByteArray report = "open:" + outcome(file >= 0, errno);
    const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    report += " socket:" + outcome(socket >= 0, errno);
    pid_t pid;
    char program[] = "/bin/true";
    char* argv[] = {program, nullptr};
    const int spawned = posix_spawn(&pid, program, nullptr, nullptr, argv, environ);
    report += " spawn:" + outcome(spawned == 0, spawned);
    const pid_t forked = fork();
    if (forked == 0)  // a process that would outlive the decode
        for (;;) sleep(1);
    report += " fork:" + outcome(forked > 0, errno);
    report += " kill:" + outcome(::kill(getppid(), 0) == 0, errno);
    const void* code = mmap(nullptr, 4096, PROT_READ | PROT_EXEC, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    report += " mmap-exec:" + outcome(code != MAP_FAILED, errno);
    report += " memfd:" + outcome(memfd_create("code", 0) >= 0, errno);
    errno = 0;  // a word read may be -1 too; one the filter lets through is ESRCH, not being traced
    const long peeked = ptrace(PTRACE_PEEKDATA, getppid(), nullptr, nullptr);
    report += " ptrace:" + outcome(peeked != -1 || errno == 0, errno);
    execve(program, argv, environ);  // returns only when refused
    return report + " exec:" + outcome(false, errno);
}

// Test modes, in the sandbox: a decoder that spins, one that sleeps, one
// that allocates without end, and one that tries to get out.
[[noreturn]] void Misbehave(const QByteArray& how) {
    static std::atomic<unsigned> spins{0};
    if (how == "--escape") {
        Fail(QString::fromLatin1(Escapes()));
        _exit(0);
    }
    if (how == "--spin")
        for (;;) spins.fetch_add(1, std::memory_order_relaxed);
    if (how == "--sleep") {  // waits on a futex, which the sandbox allows, without using the processor
        std::mutex mutex;
        std::condition_variable never;
        std::unique_lock lock(mutex);
        never.wait(lock, [] { return false; });
    }
    std::vector<char*> blocks;
    for (;;) blocks.push_back(static_cast<char*>(memset(new char[16 << 20], 1, 16 << 20)));
}

#endif

}  // namespace

#ifdef __SANITIZE_ADDRESS__
// Built with AddressSanitizer: its leak check at the end needs a tracing
// process the sandbox refuses, and the program's leaks end with it anyway.
// An error it finds still ends the program (the editor calls the picture
// damaged), its report unsymbolised on the standard error. An allocation its
// allocator cannot make fails as without it: new calls the new-handler.
extern "C" const char* __asan_default_options() {
    return "detect_leaks=0:allocator_may_return_null=1";
}
#endif

int main(int argc, char* argv[]) {
    const pid_t editor = getppid();
    lp::EnterOwnNamespaces();
    Confine();
    if (getppid() != editor) return 1;  // the editor ended before it could take this one along
    tooLarge = lp::DecodeFailureLine(lp::DecodeTooLarge());
    std::set_new_handler(OutOfMemory);
    QImageReader::setAllocationLimit(lp::kPictureAllocationLimitMb);
    qInstallMessageHandler(NoteMessage);
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio*=true"));
    if (!lp::ForbidChanges()) {
        FailTranslated(argc, argv, NoSandbox);
        return 0;
    }
    const QByteArrayList args(argv + 1, argv + argc);
#ifdef LASERPIC_DECODE_TEST_MODES
    if (args.size() == 1 &&
        (args[0] == "--spin" || args[0] == "--sleep" || args[0] == "--allocate" || args[0] == "--escape")) {
        if (!Sandboxed()) return 0;
        Misbehave(args[0]);
    }
#endif
    QSize box;
    if (args.size() == 5 && args[0] == "--fit" && args[3] == "--")
        box = QSize(args[1].toInt(), args[2].toInt()).expandedTo(QSize(1, 1));
    else if (args.size() != 2 || args[0] != "--")
        return 2;

    lp::RegularFile file;
    const QString path = QFile::decodeName(args.last());
    if (const lp::FileResult opened = file.open(path); !opened) {
        FailTranslated(argc, argv, [&] {
            const lp::FileResult again = file.open(path);
            return again ? opened.error : again.error;
        });
        return 0;
    }
    lp::PrepareDecoding(FormatOf(file));
    // The answers in the user's language: the translation is read before the sandbox closes.
    QCoreApplication application(argc, argv);
    lp::InstallTranslations(application);
    tooLarge = lp::DecodeFailureLine(lp::DecodeTooLarge());
    if (!Sandboxed()) return 0;
    lp::PictureResult result;
    try {
        result = lp::LoadPictureHere(file, box);
    } catch (const std::bad_alloc&) {
        OutOfMemory();
    }
    if (!result) {
        if (memoryRanOut) OutOfMemory();
        Fail(result.error, result.refusal);
        return 0;
    }
    const QImage image = result.image.format() == QImage::Format_RGB32
                             ? result.image
                             : result.image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QByteArray header = QByteArray(lp::kDecodeHeader) + ' ' + QByteArray::number(image.width()) + ' ' +
                              QByteArray::number(image.height()) + ' ' +
                              QByteArray::number(result.size.width()) + ' ' +
                              QByteArray::number(result.size.height()) +
                              (image.format() == QImage::Format_RGB32 ? " rgb32\n" : " argb32pm\n");
    Write(header.constData(), size_t(header.size()));
    for (int y = 0; y < image.height(); ++y)
        Write(reinterpret_cast<const char*>(image.constScanLine(y)), size_t(image.width()) * 4);
    return 0;
}
