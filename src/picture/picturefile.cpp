// Reading background pictures: each decoded in a child process under limits
// (decodechild.h), which decodes as decodehere.h does.
#include "picture/picturefile.h"

#include <QImageReader>
#include <algorithm>

#include "picture/decodechild.h"

namespace lp {

namespace {

void SetAllocationLimit() {
    QImageReader::setAllocationLimit(kPictureAllocationLimitMb);
}

}  // namespace

// The reader's limit is global: set once as the application starts, before
// any decode (the decoding child, mostly without an application, sets it itself).
Q_COREAPP_STARTUP_FUNCTION(SetAllocationLimit)

QSize KeptPictureSize(const QSize& declared) {
    return QSize(std::min(declared.width(), kPictureKeptSide), std::min(declared.height(), kPictureKeptSide));
}

PictureResult LoadPicture(const QString& path, std::stop_token stop) {
    return DecodeChild().load(path, QSize(), stop);
}

PictureResult LoadPicturePreview(const QString& path, const QSize& box, std::stop_token stop) {
    return DecodeChild().load(path, box.expandedTo(QSize(1, 1)), stop);
}

}  // namespace lp
