#include "widgets/imagebox.h"

#include <QPainter>

namespace lp {

ImageBox::ImageBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

const QImage& ImageBox::picture() const {
    if (picture_.isNull() && !defaultPath_.isEmpty()) picture_.load(defaultPath_);
    return picture_;
}

void ImageBox::setPicture(const QImage& picture) {
    picture_ = picture;
    defaultPath_.clear();
    stretched_ = QImage();
    update();
}

void ImageBox::paintEvent(QPaintEvent*) {
    const QImage& source = picture();
    if (source.isNull()) return;
    const qreal ratio = devicePixelRatioF();
    const QSize target = (QSizeF(size()) * ratio).toSize();
    if (stretched_.size() != target || stretchedFrom_ != source.cacheKey()) {
        stretched_ = source.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                         .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        stretched_.setDevicePixelRatio(ratio);
        stretchedFrom_ = source.cacheKey();
    }
    QPainter(this).drawImage(QPoint(0, 0), stretched_);
}

}  // namespace lp
