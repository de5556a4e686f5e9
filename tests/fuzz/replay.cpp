// A fuzz target's driver in the ordinary build: runs it once over each file
// named, or each file in the folders named (its seeds, the inputs that once
// failed), and fails when one takes longer than a bounded input may.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

int main(int argc, char** argv) {
    if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
    constexpr qint64 kMostMs = 5000;  // on a loaded machine, sanitizers on
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
            QElapsedTimer clock;
            clock.start();
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
            const qint64 ms = clock.elapsed();
            std::printf("%-40s %6lld ms\n", qPrintable(file.fileName()), static_cast<long long>(ms));
            slow += ms > kMostMs;
        }
    }
    return slow ? 1 : 0;
}
