#include "widgets/picturepreview.h"

#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

#include "picture/picturefile.h"

namespace lp {

PicturePreview::PicturePreview(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PicturePreview"));
    box_ = new QLabel(this);
    box_->setObjectName(QStringLiteral("PreviewBox"));
    box_->setAlignment(Qt::AlignCenter);
    box_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    box_->setFixedSize(kBoxSide + 2 * box_->frameWidth(), kBoxSide + 2 * box_->frameWidth());
    size_ = new QLabel(this);
    size_->setObjectName(QStringLiteral("PreviewSize"));
    size_->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(box_);
    layout->addWidget(size_);
    layout->addStretch();

    staleTimer_.setSingleShot(true);
    staleTimer_.setInterval(150);
    connect(&staleTimer_, &QTimer::timeout, this, &PicturePreview::clear);
}

// The child decoding a picture is killed as the reading goes.
PicturePreview::~PicturePreview() = default;

// The picture being read for a path no longer chosen is dropped, its child killed.
void PicturePreview::setPath(const QString& path) {
    if (path == path_) return;
    path_ = path;
    if (path.isEmpty()) {
        reading_.drop();
        staleTimer_.stop();
        clear();
        return;
    }
    staleTimer_.start();  // the previous picture stays a moment, so moving on does not flicker
    // Without a thread to be had there is no preview.
    reading_.request(
        [path](std::stop_token stop) {
            return lp::LoadPicturePreview(path, QSize(kBoxSide, kBoxSide), stop);
        },
        [this](const lp::PictureResult& result) { deliver(result.image, result.size); });
}

QString PicturePreview::sizeText() const {
    return size_->text();
}

void PicturePreview::deliver(const QImage& image, const QSize& size) {
    staleTimer_.stop();
    if (image.isNull()) {
        clear();
        return;
    }
    image_ = image;
    box_->setPixmap(QPixmap::fromImage(image));
    size_->setText(QStringLiteral("%1 × %2").arg(size.width()).arg(size.height()));
    emit updated();
}

void PicturePreview::clear() {
    image_ = QImage();
    box_->clear();
    size_->clear();
    emit updated();
}

}  // namespace lp
