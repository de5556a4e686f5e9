#include "view/renderer.h"

#include <QPainter>

namespace lp {

namespace {

QPen SolidPen(const QColor& color, int width) {
    QPen pen(color, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    return pen;
}

void DrawGridOn(QPainter& painter, int w, int h) {
    painter.setPen(SolidPen(colors::Grid, 1));
    const int c = (h - 2) / 2;
    const int cc = (w - 2) / 2;
    painter.drawLine(0, c, w - 2, c);
    painter.drawLine(cc, 0, cc, h - 2);
    for (int k = 1; k <= 32; ++k) painter.drawLine(0, 16 * k, w - 2, 16 * k);
    for (int k = 1; k <= 33; ++k) painter.drawLine(16 * k, 0, 16 * k, h - 2);
}

void DrawField(QPainter& painter, const FigureData& data, const RenderOptions& options, int w) {
    const EditorState& s = data.State;
    const int last = options.half128 ? 127 : 255;

    // Frame: two nested squares of a two-pixel pen.
    painter.setPen(SolidPen(colors::Frame, 2));
    for (int d = 0; d <= 1; ++d) {
        const int e = w - 2 + d;
        const QPoint frame[] = {{d, d}, {d, e}, {e, e}, {e, d}, {d, d}};
        painter.drawPolyline(frame, 5);
    }

    // Contour: each marker after the line that reaches its point, under the line that leaves it.
    painter.setPen(SolidPen(s.AreaMode ? colors::LineArea : colors::LineNormal, 1));
    QPoint at(2 * data.FigureX[0], 2 * data.FigureY[0]);
    painter.fillRect(at.x() - 4, at.y() - 4, 8, 8, colors::FirstPoint);
    for (int i = 1; i <= last; ++i) {
        const QPoint to(2 * data.FigureX[i], 2 * data.FigureY[i]);
        if (to != at) painter.drawLine(at, to);
        at = to;
        const QColor& marker = (i == s.CurrentPoint || s.AreaMode) ? colors::PointArea : colors::PointNormal;
        painter.fillRect(at.x() - 2, at.y() - 2, 4, 4, marker);
    }
    painter.fillRect(at.x() - 4, at.y() - 4, 8, 8, colors::LastPoint);
    if (!options.half128) {
        const QPoint first(2 * data.FigureX[0], 2 * data.FigureY[0]);
        if (first != at) painter.drawLine(at, first);
    }

    if (s.AreaMode) {
        QPen dots(colors::AreaDots, 1, Qt::DotLine, Qt::FlatCap, Qt::MiterJoin);
        painter.setPen(dots);
        painter.setBackgroundMode(Qt::OpaqueMode);
        painter.setBackground(colors::AreaGaps);
        const QPoint area[] = {{2 * s.AreaX1, 2 * s.AreaY1},
                               {2 * s.AreaX2, 2 * s.AreaY1},
                               {2 * s.AreaX2, 2 * s.AreaY2},
                               {2 * s.AreaX1, 2 * s.AreaY2},
                               {2 * s.AreaX1, 2 * s.AreaY1}};
        painter.drawPolyline(area, 5);
        painter.setBackgroundMode(Qt::TransparentMode);
    }
}

void DrawPreview(QPainter& painter, const FigureData& data, const RenderOptions& options, JitterRng& rng) {
    PreviewPath path;
    PreviewVertices(data, options.hotPoint, rng, path);
    const QPen green = SolidPen(colors::Preview, 2);
    painter.setPen(options.hotColour ? SolidPen(colors::PreviewHot, 2) : green);
    for (int i = 1; i < PointCount; ++i)
        if (path[i] != path[i - 1]) painter.drawLine(path[i - 1], path[i]);
    painter.setPen(green);  // the closing segment is always green
    if (path[0] != path[PointCount - 1]) painter.drawLine(path[PointCount - 1], path[0]);
}

}  // namespace

void PreviewVertices(const FigureData& data, bool hotPoint, JitterRng& rng, PreviewPath& path) {
    path[0] = QPoint(data.FigureX[0], data.FigureY[0]);
    for (int i = 1; i < PointCount; ++i) {
        int x = data.FigureX[i];
        int y = data.FigureY[i];
        if (hotPoint && data.FigureX[i] == data.FigureX[i - 1] && data.FigureY[i] == data.FigureY[i - 1]) {
            x += rng.next() - 4;
            if (x <= 0) x = 1;
            y += rng.next() - 4;
            if (y <= 0) y = 1;
        }
        path[i] = QPoint(x, y);
    }
}

void DrawGrid(QImage& image) {
    QPainter painter(&image);
    DrawGridOn(painter, image.width(), image.height());
}

void RenderFigure(const FigureData& data, const RenderOptions& options, JitterRng& rng,
                  const RenderTargets& targets, bool clear) {
    QImage& field = *targets.field;
    if (clear) {
        targets.fieldUnder->fill(Qt::transparent);
        field.fill(Qt::transparent);
        targets.preview->fill(Qt::transparent);
        if (options.grid) DrawGrid(*targets.fieldUnder);
    }
    {
        QPainter painter(&field);
        if (!clear && options.grid) DrawGridOn(painter, field.width(), field.height());
        DrawField(painter, data, options, field.width());
    }
    QPainter preview(targets.preview);
    DrawPreview(preview, data, options, rng);
}

}  // namespace lp
