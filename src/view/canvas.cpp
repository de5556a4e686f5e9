#include "view/canvas.h"

#include <algorithm>
#include <cstdlib>

namespace lp {

namespace {

// Visits the pixels of a line from (x0, y0), its end pixel excluded.
template <typename Plot>
inline void Walk(int x, int y, int dx, int dy, int sx, int sy, int steps, Plot plot) {
    if (dx >= dy) {
        int err = dx / 2;
        for (int i = 0; i < steps; ++i, x += sx) {
            plot(x, y);
            err -= dy;
            if (err < 0) {
                y += sy;
                err += dx;
            }
        }
    } else {
        int err = dy / 2;
        for (int i = 0; i < steps; ++i, y += sy) {
            plot(x, y);
            err -= dx;
            if (err < 0) {
                x += sx;
                err += dy;
            }
        }
    }
}

}  // namespace

Canvas::Canvas(QImage& image)
    : bits_(reinterpret_cast<QRgb*>(image.bits())),
      stride_(static_cast<int>(image.bytesPerLine() / sizeof(QRgb))),
      width_(image.width()),
      height_(image.height()) {
    Q_ASSERT(image.depth() == 32);
}

void Canvas::setPen(QRgb colour, int width) {
    pen_ = colour;
    penWidth_ = width;
    dotted_ = false;
}

void Canvas::setDottedPen(QRgb colour, QRgb gap) {
    pen_ = colour;
    gap_ = gap;
    penWidth_ = 1;
    dotted_ = true;
    dotPhase_ = 0;
}

void Canvas::moveTo(int x, int y) {
    x_ = x;
    y_ = y;
}

void Canvas::lineTo(int x, int y) {
    line(x_, y_, x, y);
    if (penWidth_ > 1) {
        // The second pixel of a wide pen lies beside the line, across its main direction.
        const bool flat = std::abs(x - x_) >= std::abs(y - y_);
        line(x_ + (flat ? 0 : 1), y_ + (flat ? 1 : 0), x + (flat ? 0 : 1), y + (flat ? 1 : 0));
    }
    x_ = x;
    y_ = y;
}

void Canvas::line(int x0, int y0, int x1, int y1) {
    const int dx = std::abs(x1 - x0);
    const int dy = std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    const int steps = std::max(dx, dy);  // the end pixel is not drawn
    if (!dotted_ && dy == 0 && y0 >= 0 && y0 < height_) {
        // Horizontal runs are filled directly.
        const int from = std::max(0, sx > 0 ? x0 : x0 - steps + 1);
        const int to = std::min(width_, (sx > 0 ? x0 + steps : x0 + 1));
        if (from < to) std::fill(bits_ + y0 * stride_ + from, bits_ + y0 * stride_ + to, pen_);
        return;
    }
    if (dotted_) {
        Walk(x0, y0, dx, dy, sx, sy, steps, [&](int x, int y) {
            plot(x, y, dotPhase_ == 0 ? pen_ : gap_);
            dotPhase_ = (dotPhase_ + 1) % 3;
        });
        return;
    }
    const bool inside = x0 >= 0 && y0 >= 0 && x0 < width_ && y0 < height_ && x1 >= 0 && y1 >= 0 &&
                        x1 < width_ && y1 < height_;
    if (inside) {
        QRgb* const bits = bits_;
        const int stride = stride_;
        const QRgb pen = pen_;
        Walk(x0, y0, dx, dy, sx, sy, steps, [=](int x, int y) { bits[y * stride + x] = pen; });
    } else {
        Walk(x0, y0, dx, dy, sx, sy, steps, [this](int x, int y) { plot(x, y, pen_); });
    }
}

void Canvas::fillRect(int left, int top, int right, int bottom, QRgb colour) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, width_);
    bottom = std::min(bottom, height_);
    for (int y = top; y < bottom; ++y)
        std::fill(bits_ + y * stride_ + left, bits_ + y * stride_ + right, colour);
}

}  // namespace lp
