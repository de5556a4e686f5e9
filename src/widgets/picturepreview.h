// The preview pane of the open-picture dialog: the picture file under
// selection reduced to fit a box, and its size in pixels below it.
#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <stop_token>

#include "work/worker.h"

class QLabel;
struct PreviewWork;

class PicturePreview : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kBoxSide = 160;

    explicit PicturePreview(QWidget* parent = nullptr);
    ~PicturePreview() override;

    // Previews `path`: read and decoded through the worker helper, shown when done
    // unless another path has been set meanwhile. Folders, pipes, devices and
    // files that are not pictures leave the box empty; an empty path clears it.
    void setPath(const QString& path);

    QString path() const { return path_; }
    // What the box shows: null when empty.
    QImage image() const { return image_; }
    QString sizeText() const;
    // True while the picture of path() is still being read.
    bool busy() const { return busy_; }

  signals:
    // The box has changed: a picture shown, or emptied.
    void updated();

  private:
    static void RunWorker(const std::shared_ptr<PreviewWork>& work, std::stop_token stop);
    void deliver(quint64 generation, const QImage& image, const QSize& size);
    void clear();

    std::shared_ptr<PreviewWork> work_;
    lp::Job job_;
    QString path_;
    QImage image_;
    bool busy_ = false;
    QTimer staleTimer_;  // empties a box that would show the previous file for long
    QLabel* box_;
    QLabel* size_;
};
