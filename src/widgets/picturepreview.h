// The preview pane of the open-picture dialog: the picture file under
// selection reduced to fit a box, and its size in pixels below it; for a
// file that is no picture to be had, why not, in the box.
#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>

#include "picture/picturefile.h"
#include "work/newest.h"

class QLabel;

namespace lp {

class PicturePreview : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kBoxSide = 160;

    explicit PicturePreview(QWidget* parent = nullptr);
    ~PicturePreview() override;

    // Previews `path`: read and decoded through the worker helper, shown when done
    // unless another path has been set meanwhile. A file that cannot be shown
    // leaves the reason in the box; a folder or an empty path clears it.
    void setPath(const QString& path);

    QString path() const { return path_; }
    // What the box shows: null when empty.
    QImage image() const { return image_; }
    QString sizeText() const;
    // Why the file shows no picture: empty while one shows or none is chosen.
    QString reason() const;
    // True while the picture of path() is still being read.
    bool busy() const { return reading_.busy(); }

  signals:
    // The box has changed: a picture shown, or emptied.
    void updated();

  private:
    void deliver(const PictureResult& result);
    void clear();

    lp::NewestWins reading_{this};  // one picture at a time, the newest path next
    QString path_;
    QImage image_;
    QTimer staleTimer_;  // empties a box that would show the previous file for long
    QLabel* box_;
    QLabel* size_;
};

}  // namespace lp
