// laserpic-decode: the program the editor starts to decode one picture. It
// sets its limits first, works in an empty folder of its own, decodes with
// Qt's readers and writes the answer on its output (see decodechild.h).
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QLoggingCategory>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>
#include <thread>
#include <vector>

#include "files/descriptor.h"
#include "files/regularfile.h"
#include "picture/decodechild.h"
#include "picture/decodelimit.h"
#include "picture/pictureformat.h"

namespace {

QByteArray tooLarge;  // the answer when memory runs out, made while there is some
std::atomic<bool> memoryRanOut{false};

void Write(const char* data, size_t size) {
    if (lp::WriteAll(STDOUT_FILENO, data, qint64(size)) < qint64(size)) _exit(1);
}

void Fail(const QString& reason) {
    const QByteArray line = QByteArray(lp::kDecodeFailure) + ' ' + reason.toUtf8().replace('\n', ' ') + '\n';
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

// An empty folder of its own, removed at once: names relative to the
// working folder then find nothing, and nothing can be made there.
bool EnterEmptyFolder() {
    QByteArray folder = qgetenv("TMPDIR");
    if (!folder.startsWith('/')) folder = "/tmp";
    folder += "/laserpic-decode-XXXXXX";
    if (!mkdtemp(folder.data()) || chdir(folder.constData()) != 0) return false;
    rmdir(folder.constData());
    return true;
}

// SVG is drawn, and its text needs the fonts of a windowing system: the
// offscreen one, made only for SVG files.
bool NeedsFonts(const QString& path) {
    lp::RegularFile file;
    char start[64];
    if (!file.open(path)) return false;
    const qint64 n = file.read(0, start, sizeof start);
    const QByteArray format = lp::PictureFormatOf(QByteArray(start, n > 0 ? int(n) : 0));
    return format == "svg" || format == "svgz";
}

// Test modes: a decoder that spins, one that sleeps, and one that allocates without end.
[[noreturn]] void Misbehave(const QByteArray& how) {
    static std::atomic<unsigned> spins{0};
    if (how == "--spin")
        for (;;) spins.fetch_add(1, std::memory_order_relaxed);
    if (how == "--sleep")
        for (;;) std::this_thread::sleep_for(std::chrono::hours(1));
    std::vector<char*> blocks;
    for (;;) blocks.push_back(static_cast<char*>(memset(new char[16 << 20], 1, 16 << 20)));
}

}  // namespace

int main(int argc, char* argv[]) {
    Confine();
    tooLarge = QByteArray(lp::kDecodeFailure) + ' ' + lp::DecodeTooLarge().toUtf8() + '\n';
    std::set_new_handler(OutOfMemory);
    QImageReader::setAllocationLimit(lp::kPictureAllocationLimitMb);
    qInstallMessageHandler(NoteMessage);
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio*=true"));
    if (!EnterEmptyFolder()) {
        Fail(QStringLiteral("Не удалось приготовить пустую папку для разбора картинки"));
        return 0;
    }
    const QByteArrayList args(argv + 1, argv + argc);
    if (args.size() == 1 && (args[0] == "--spin" || args[0] == "--sleep" || args[0] == "--allocate"))
        Misbehave(args[0]);
    QSize box;
    if (args.size() == 5 && args[0] == "--fit" && args[3] == "--")
        box = QSize(args[1].toInt(), args[2].toInt()).expandedTo(QSize(1, 1));
    else if (args.size() != 2 || args[0] != "--")
        return 2;
    const QString path = QFile::decodeName(args.last());

    std::unique_ptr<QGuiApplication> application;
    if (NeedsFonts(path)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    }
    lp::PictureResult result;
    try {
        result = lp::LoadPictureHere(path, box);
    } catch (const std::bad_alloc&) {
        OutOfMemory();
    }
    if (!result) {
        if (memoryRanOut) OutOfMemory();
        Fail(result.error);
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
