// A small raster canvas over a 32-bit image: a pen (width 1 or 2, solid or
// dotted), a current position, line-to without its end pixel and rectangle
// fills without their right and bottom edges. Everything is clipped to the
// image. Solid one- and two-pixel lines are all the editor draws, so this is
// much faster than a general painter.
#pragma once

#include <QImage>
#include <QRgb>

namespace lp {

class Canvas {
  public:
    explicit Canvas(QImage& image);

    void setPen(QRgb colour, int width = 1);
    // Dotted pen: one pixel of colour, then two of the gap colour.
    void setDottedPen(QRgb colour, QRgb gap);
    void moveTo(int x, int y);
    void lineTo(int x, int y);
    void fillRect(int left, int top, int right, int bottom, QRgb colour);

  private:
    void line(int x0, int y0, int x1, int y1);
    void plot(int x, int y, QRgb colour) {
        if (static_cast<unsigned>(x) < static_cast<unsigned>(width_) &&
            static_cast<unsigned>(y) < static_cast<unsigned>(height_))
            bits_[y * stride_ + x] = colour;
    }

    QRgb* bits_;
    int stride_;
    int width_;
    int height_;
    int x_ = 0;
    int y_ = 0;
    QRgb pen_ = 0xFF000000;
    QRgb gap_ = 0xFF000000;
    int penWidth_ = 1;
    bool dotted_ = false;
    int dotPhase_ = 0;
};

}  // namespace lp
