#include "widgets/picturepreview.h"

#include <QFileInfo>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace lp {

PicturePreview::PicturePreview(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PicturePreview"));
    box_ = new QLabel(this);
    box_->setObjectName(QStringLiteral("PreviewBox"));
    box_->setAlignment(Qt::AlignCenter);
    box_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    box_->setWordWrap(true);  // a reason, in place of a picture
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
    if (path.isEmpty() || QFileInfo(path).isDir()) {
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
        [this](const lp::PictureResult& result) { deliver(result); });
}

QString PicturePreview::sizeText() const {
    return size_->text();
}

QString PicturePreview::reason() const {
    return box_->text();
}

void PicturePreview::deliver(const PictureResult& result) {
    staleTimer_.stop();
    image_ = result.image;
    if (result) {
        box_->setPixmap(QPixmap::fromImage(image_));
        size_->setText(QStringLiteral("%1 × %2").arg(result.size.width()).arg(result.size.height()));
    } else {
        box_->setText(result.refusal == PictureRefusal::NotPicture ? tr("Не картинка")
                      : result.refusal == PictureRefusal::Cut      ? tr("Файл обрезан")
                                                                   : result.error);
        size_->clear();
    }
    emit updated();
}

void PicturePreview::clear() {
    image_ = QImage();
    box_->clear();
    size_->clear();
    emit updated();
}

}  // namespace lp
