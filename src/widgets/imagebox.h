// Shows a picture stretched to its own bounds, the aspect ratio not kept. The
// stretched picture is kept until the picture or the bounds change, so that
// the many redraws of the field above it only copy it.
#pragma once

#include <QImage>
#include <QWidget>

namespace lp {

class ImageBox : public QWidget {
    Q_OBJECT
  public:
    explicit ImageBox(QWidget* parent = nullptr);
    const QImage& picture() const;
    void setPicture(const QImage& picture);
    // A picture file read only when first needed.
    void setDefaultPicture(const QString& path) { defaultPath_ = path; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    mutable QImage picture_;
    QString defaultPath_;
    QImage stretched_;
    qint64 stretchedFrom_ = 0;  // cache key of the picture stretched
};

}  // namespace lp
