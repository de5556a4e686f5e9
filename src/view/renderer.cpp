#include "view/renderer.h"

#include "view/canvas.h"

namespace lp {

namespace {

void DrawGridOn(Canvas& canvas, int w, int h) {
    canvas.setPen(colors::kGrid.rgba());
    const int c = (h - 2) / 2;
    const int cc = (w - 2) / 2;
    canvas.moveTo(0, c);
    canvas.lineTo(w - 2, c);
    canvas.moveTo(cc, 0);
    canvas.lineTo(cc, h - 2);
    for (int k = 1; k <= 32; ++k) {
        canvas.moveTo(0, 16 * k);
        canvas.lineTo(w - 2, 16 * k);
    }
    for (int k = 1; k <= 33; ++k) {
        canvas.moveTo(16 * k, 0);
        canvas.lineTo(16 * k, h - 2);
    }
}

void DrawField(Canvas& canvas, const FigureData& data, const RenderOptions& options, int w) {
    const EditorState& s = data.State;
    const int last = options.half128 ? 127 : 255;

    // Frame: two nested squares of a two-pixel pen.
    canvas.setPen(colors::kFrame.rgba(), 2);
    for (int d = 0; d <= 1; ++d) {
        const int e = w - 2 + d;
        canvas.moveTo(d, d);
        canvas.lineTo(d, e);
        canvas.lineTo(e, e);
        canvas.lineTo(e, d);
        canvas.lineTo(d, d);
    }

    // Contour: each marker after the line that reaches its point, under the line that leaves it.
    canvas.setPen((s.AreaMode ? colors::kLineArea : colors::kLineNormal).rgba());
    int x = 2 * data.FigureX[0];
    int y = 2 * data.FigureY[0];
    canvas.moveTo(x, y);
    canvas.fillRect(x - 4, y - 4, x + 4, y + 4, colors::kFirstPoint.rgba());
    const QRgb current = colors::kCurrentPoint.rgba();
    const QRgb other = (s.AreaMode ? colors::kPointArea : colors::kPointNormal).rgba();
    for (int i = 1; i <= last; ++i) {
        x = 2 * data.FigureX[i];
        y = 2 * data.FigureY[i];
        canvas.lineTo(x, y);
        canvas.fillRect(x - 2, y - 2, x + 2, y + 2, i == s.CurrentPoint ? current : other);
    }
    canvas.fillRect(x - 4, y - 4, x + 4, y + 4, colors::kLastPoint.rgba());
    if (!options.half128) canvas.lineTo(2 * data.FigureX[0], 2 * data.FigureY[0]);

    if (s.AreaMode) {
        canvas.setDottedPen(colors::kAreaDots.rgba(), colors::kAreaGaps.rgba());
        canvas.moveTo(2 * s.AreaX1, 2 * s.AreaY1);
        canvas.lineTo(2 * s.AreaX2, 2 * s.AreaY1);
        canvas.lineTo(2 * s.AreaX2, 2 * s.AreaY2);
        canvas.lineTo(2 * s.AreaX1, 2 * s.AreaY2);
        canvas.lineTo(2 * s.AreaX1, 2 * s.AreaY1);
    }
}

void DrawPreview(Canvas& canvas, const FigureData& data, const RenderOptions& options, JitterRng& rng) {
    PreviewPath path;
    PreviewVertices(data, options.hotPoint, rng, path);
    const QRgb green = colors::kPreview.rgba();
    canvas.setPen(options.hotColour ? colors::kPreviewHot.rgba() : green, 2);
    canvas.moveTo(path[0].x(), path[0].y());
    for (int i = 1; i < kPointCount; ++i) canvas.lineTo(path[i].x(), path[i].y());
    canvas.setPen(green, 2);  // the closing segment is always green
    canvas.lineTo(path[0].x(), path[0].y());
}

}  // namespace

void PreviewVertices(const FigureData& data, bool hotPoint, JitterRng& rng, PreviewPath& path) {
    path[0] = QPoint(data.FigureX[0], data.FigureY[0]);
    for (int i = 1; i < kPointCount; ++i) {
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

void RenderFigure(const FigureData& data, const RenderOptions& options, JitterRng& rng,
                  const RenderTargets& targets, bool clear) {
    QImage& field = *targets.field;
    if (clear) {
        targets.fieldUnder->fill(Qt::transparent);
        field.fill(Qt::transparent);
        targets.preview->fill(Qt::transparent);
    }
    // The grid always goes beneath, where a background picture hides it.
    if (options.grid) {
        Canvas under(*targets.fieldUnder);
        DrawGridOn(under, field.width(), field.height());
    }
    Canvas fieldCanvas(field);
    DrawField(fieldCanvas, data, options, field.width());
    Canvas previewCanvas(*targets.preview);
    DrawPreview(previewCanvas, data, options, rng);
}

QRectF FieldUnitsOf(const QRectF& pixels) {
    return QRectF((pixels.x() - 0.5) / 2, (pixels.y() - 0.5) / 2, pixels.width() / 2, pixels.height() / 2);
}

}  // namespace lp
