// A fuzz target's driver in the ordinary build: runs it once over each file
// named, or each file in the folders named (its seeds, the inputs that once
// failed), and fails when one takes longer than a bounded input may. The
// time is the processor's, which the machine's other work does not stretch.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <ctime>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

double CpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
#ifdef __SANITIZE_ADDRESS__
    constexpr double kMostMs = 5000;  // the sanitizers slow the work
#else
    constexpr double kMostMs = 1000;
#endif
    int slow = 0;
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] == '-') continue;  // libFuzzer's options
        const QFileInfo named(QString::fromLocal8Bit(argv[i]));
        QFileInfoList files{named};
        if (named.isDir()) files = QDir(named.filePath()).entryInfoList(QDir::Files, QDir::Name);
        for (const QFileInfo& file : files) {
            QFile in(file.filePath());
            if (!in.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(file.filePath()));
                return 1;
            }
            const QByteArray bytes = in.readAll();
            const double start = CpuMs();
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
            const double ms = CpuMs() - start;
            std::printf("%-40s %8.1f ms\n", qPrintable(file.fileName()), ms);
            slow += ms > kMostMs;
        }
    }
    return slow ? 1 : 0;
}
