#include "figure/kvtfile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <algorithm>
#include <array>

#include "files/regularfile.h"
#include "files/replacefile.h"

namespace lp {

FileResult ReadPictureFile(const QString& path, PictureBytes& buffer) {
    RegularFile file;
    if (const FileResult opened = file.open(path); !opened) return opened;
    std::array<char, kFileImageSize> image;
    const qint64 got = file.read(0, image.data(), image.size());
    if (got < 0) return {false, file.readError()};
    if (got < kFileImageSize) return {false, QCoreApplication::translate("Files", "Файл короче 2048 байт")};
    std::copy(image.begin(), image.end(), buffer.begin());
    return Succeeded();
}

FileResult WritePictureFile(const QString& path, const PictureBytes& buffer) {
    return ReplaceFile(path, QByteArrayView(reinterpret_cast<const char*>(buffer.data()), kFileImageSize));
}

void FigureToImage(const Coords& X, const Coords& Y, PictureBytes& buffer) {
    std::copy(X.begin(), X.end(), buffer.begin());
    std::copy(Y.begin(), Y.end(), buffer.begin() + kYBlockOffset);
}

void ImageToFigure(const PictureBytes& buffer, Coords& X, Coords& Y) {
    std::copy_n(buffer.begin(), kPointCount, X.begin());
    std::copy_n(buffer.begin() + kYBlockOffset, kPointCount, Y.begin());
}

QString PictureNameFor(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isFile()) return QStringLiteral(" NoName ");
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

}  // namespace lp
