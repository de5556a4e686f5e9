#include "widgets/picturepreview.h"

#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>
#include <mutex>
#include <stop_token>

#include "picture/picturefile.h"

// Shared by the preview and its worker thread; whichever ends last frees it.
struct PreviewWork {
    std::mutex mutex;
    PicturePreview* receiver = nullptr;  // null once the preview is gone
    quint64 generation = 0;              // counts the paths set
    QString pending;                     // the newest path, not yet taken by the worker
    bool hasPending = false;
    bool running = false;     // a worker thread is at work
    std::stop_source chosen;  // stops the decode of a path no longer chosen
};

// Reads the newest path set, then the next newest, until none waits: one
// picture at a time however fast the selection moves, and nothing of the
// preview touched but the shared work under its lock.
void PicturePreview::RunWorker(const std::shared_ptr<PreviewWork>& work, std::stop_token stop) {
    // Closing the preview or quitting stops the decode under way as well.
    const std::stop_callback quitting(stop, [&work] {
        std::lock_guard lock(work->mutex);
        work->chosen.request_stop();
    });
    for (;;) {
        QString path;
        quint64 generation;
        std::stop_token chosen;
        {
            std::lock_guard lock(work->mutex);
            if (!work->hasPending || stop.stop_requested()) {
                work->running = false;
                return;
            }
            path = std::move(work->pending);
            work->hasPending = false;
            generation = work->generation;
            chosen = work->chosen.get_token();
        }
        lp::PictureResult result =
            lp::LoadPicturePreview(path, QSize(PicturePreview::kBoxSide, PicturePreview::kBoxSide), chosen);
        std::lock_guard lock(work->mutex);
        if (!work->receiver || generation != work->generation) continue;  // moved on or closed
        // Queued to the preview's thread; dropped with the preview if it goes first.
        PicturePreview* receiver = work->receiver;
        QMetaObject::invokeMethod(
            receiver,
            [=, result = std::move(result)] { receiver->deliver(generation, result.image, result.size); },
            Qt::QueuedConnection);
    }
}

PicturePreview::PicturePreview(QWidget* parent) : QWidget(parent), work_(std::make_shared<PreviewWork>()) {
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
    work_->receiver = this;
}

PicturePreview::~PicturePreview() {
    {
        std::lock_guard lock(work_->mutex);
        work_->receiver = nullptr;
        work_->hasPending = false;
    }
    job_.cancel();  // the child decoding a picture is killed
}

void PicturePreview::setPath(const QString& path) {
    if (path == path_) return;
    path_ = path;
    busy_ = !path.isEmpty();
    bool startWorker = false;
    {
        std::lock_guard lock(work_->mutex);
        ++work_->generation;
        work_->chosen.request_stop();  // the picture being read is no longer wanted
        work_->chosen = std::stop_source();
        work_->pending = path;
        work_->hasPending = busy_;
        startWorker = busy_ && !work_->running;
        work_->running = work_->running || startWorker;
    }
    if (!busy_) {
        staleTimer_.stop();
        clear();
        return;
    }
    staleTimer_.start();  // the previous picture stays a moment, so moving on does not flicker
    if (!startWorker) return;
    job_ = lp::StartWork([work = work_](std::stop_token stop) { RunWorker(work, stop); });
    if (!job_.started()) {  // no thread to be had: no preview
        std::lock_guard lock(work_->mutex);
        work_->running = work_->hasPending = false;
        busy_ = false;
    }
}

QString PicturePreview::sizeText() const {
    return size_->text();
}

void PicturePreview::deliver(quint64 generation, const QImage& image, const QSize& size) {
    {
        std::lock_guard lock(work_->mutex);
        if (generation != work_->generation) return;
    }
    staleTimer_.stop();
    busy_ = false;
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
