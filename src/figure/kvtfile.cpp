#include "figure/kvtfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <array>

namespace lp {

FileResult ReadPictureFile(const QString& path, PictureBytes& buffer) {
    if (QFileInfo(path).isDir()) return {false, QStringLiteral("Это папка, а не файл")};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {false, QStringLiteral("Не удалось открыть файл: ") + file.errorString()};
    }
    std::array<char, FileImageSize> image;
    qint64 got = 0;
    while (got < FileImageSize) {
        const qint64 n = file.read(image.data() + got, FileImageSize - got);
        if (n < 0) return {false, QStringLiteral("Ошибка чтения файла: ") + file.errorString()};
        if (n == 0) break;
        got += n;
    }
    if (got < FileImageSize) return {false, QStringLiteral("Файл короче 2048 байт")};
    std::copy(image.begin(), image.end(), buffer.begin());
    return {true, {}};
}

FileResult WritePictureFile(const QString& path, const PictureBytes& buffer) {
    // Unbuffered, so that a short write shows up here and not in a flush inside
    // commit(), which would still put the truncated file in place.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return {false, QStringLiteral("Не удалось создать файл: ") + file.errorString()};
    }
    const char* data = reinterpret_cast<const char*>(buffer.data());
    qint64 written = 0;
    while (written < FileImageSize) {
        const qint64 n = file.write(data + written, FileImageSize - written);
        if (n <= 0) break;
        written += n;
    }
    if (written < FileImageSize) {
        const QString reason = file.errorString();
        file.cancelWriting();  // the temporary file goes, the target stays as it was
        return {false, QStringLiteral("Ошибка записи файла: ") + reason};
    }
    if (!file.commit()) return {false, QStringLiteral("Ошибка записи файла: ") + file.errorString()};
    return {true, {}};
}

void FigureToImage(const Coords& X, const Coords& Y, PictureBytes& buffer) {
    std::copy(X.begin(), X.end(), buffer.begin());
    std::copy(Y.begin(), Y.end(), buffer.begin() + YBlockOffset);
}

void ImageToFigure(const PictureBytes& buffer, Coords& X, Coords& Y) {
    std::copy_n(buffer.begin(), PointCount, X.begin());
    std::copy_n(buffer.begin() + YBlockOffset, PointCount, Y.begin());
}

QString PictureNameFor(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isFile()) return QStringLiteral(" NoName ");
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

}  // namespace lp
