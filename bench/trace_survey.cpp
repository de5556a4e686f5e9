// Traces real pictures with the defaults, as the command line does, and
// measures each against the picture's own edges and ink (a plain split at
// mid-grey on the side the tracer chose): the share of the edges within 1.5
// units of the contour and of the contour off them, the share of the ink
// within reach of the contour and of the contour off it, the mean step, the
// route's length and its worst deviation from the contour, the share of the route drawn crowded (parallel
// to another stretch within 3 units, bridges and strokes walked there and back aside; green on the PNG), the
// share of the ink drawn, and the time; then what the user is told. Writes the contour over the picture as
// PNG into OUTDIR.
//   trace_survey OUTDIR PICTURE...
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <cmath>
#include <cstdio>
#include <string>
#include <unordered_map>

#include "picture/picturefile.h"
#include "trace/parts/imageparts.h"
#include "trace/route/crowding.h"
#include "trace/route/routeparts.h"
#include "trace/session/session.h"

namespace {

// Why parts were left out, as the survey lists it.
const char* const kLeftOut[] = {"", "illegible", "crowded", "by choice", "for points"};

// Points bucketed in square cells of side `r`, to ask whether any lies within r.
class Near {
  public:
    Near(const std::vector<QPointF>& points, double r) : r_(r) {
        for (const QPointF& p : points)
            cells_[key(int(std::floor(p.x() / r)), int(std::floor(p.y() / r)))].push_back(p);
    }
    bool any(QPointF p) const {
        const int cx = int(std::floor(p.x() / r_)), cy = int(std::floor(p.y() / r_));
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const auto found = cells_.find(key(cx + dx, cy + dy));
                if (found == cells_.end()) continue;
                for (const QPointF& q : found->second)
                    if (std::hypot(p.x() - q.x(), p.y() - q.y()) <= r_) return true;
            }
        return false;
    }
    double share(const std::vector<QPointF>& points) const {
        size_t hit = 0;
        for (const QPointF& p : points) hit += any(p);
        return points.empty() ? 0 : double(hit) / double(points.size());
    }

  private:
    static int64_t key(int x, int y) { return (int64_t(x) << 32) ^ uint32_t(y); }
    double r_;
    std::unordered_map<int64_t, std::vector<QPointF>> cells_;
};

std::vector<QPointF> ContourSamples(const lp::TraceResult& r) {
    std::vector<QPointF> out;
    for (int i = 0; i < lp::kPointCount; ++i) {
        const QPointF a(r.X[i], r.Y[i]), b(r.X[(i + 1) % 256], r.Y[(i + 1) % 256]);
        const int n = std::max(1, int(std::ceil(std::hypot(b.x() - a.x(), b.y() - a.y()) / 0.25)));
        for (int k = 0; k < n; ++k) out.push_back(a + (b - a) * (double(k) / n));
    }
    return out;
}

const char* InkName(lp::Ink ink) {
    return ink == lp::Ink::Light ? "light" : ink == lp::Ink::Opaque ? "opaque" : "dark";
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    lp::TraceOptions options;
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "--outline" || mode == "--lines") {
        options.mode = mode == "--lines" ? lp::TraceOptions::Mode::Lines : lp::TraceOptions::Mode::Outline;
        --argc, ++argv;
    }
    if (argc < 3) return 2;
    const QString out = QString::fromLocal8Bit(argv[1]);
    std::printf("%-34s %-6s %-5s %7s %5s %6s %7s %5s %6s %6s %6s %6s %6s\n", "picture", "ink", "photo",
                "parts", "lines", "step", "route", "worst", "edges", "offE", "reach", "offI", "ms");
    std::printf("%-34s %6s %6s\n", "", "twice", "inkD");
    for (int a = 2; a < argc; ++a) {
        const QString path = QString::fromLocal8Bit(argv[a]);
        const lp::PictureResult read = lp::LoadPicturePreview(path, QSize(1024, 1024));
        const QString name = QFileInfo(path).completeBaseName().left(34);
        if (!read) {
            std::printf("%-34s refused: %s\n", qPrintable(name), qPrintable(read.error));
            continue;
        }
        const QImage& picture = read.image;
        double best = INFINITY;
        lp::TraceResult fitted;
        for (int k = 0; k < 3; ++k) {
            QElapsedTimer timer;
            timer.start();
            fitted = lp::TraceImage(picture, options, lp::TracePlacement::Fit(200));
            best = std::min(best, timer.nsecsElapsed() / 1e6);
        }
        if (!fitted.ok) {
            std::printf("%-34s failed: %s\n", qPrintable(name), qPrintable(fitted.error));
            continue;
        }
        // In place over a 200-unit box, so that the picture's pixels map onto the field.
        const QSizeF size = QSizeF(picture.size()).scaled(200, 200, Qt::KeepAspectRatio);
        const QRectF area(127 - size.width() / 2, 127 - size.height() / 2, size.width(), size.height());
        const lp::TraceParts found = lp::FindImageParts(picture, options, lp::TracePlacement::InPlace(area));
        const lp::TraceResult r = lp::RouteParts(found);
        int strokes = 0;
        for (size_t i = 0; i < found.parts.size(); ++i)
            strokes +=
                found.parts[i].kind == lp::TracePart::Kind::Strokes && r.states[i] == lp::PartState::Drawn;

        // The truth: a plain split at mid-grey on the side chosen.
        QImage over(picture.size(), QImage::Format_RGB32);
        over.fill(found.inkUsed == lp::Ink::Light ? Qt::black : Qt::white);
        QPainter(&over).drawImage(0, 0, picture);
        auto ink = [&](int x, int y) {
            if (x < 0 || y < 0 || x >= picture.width() || y >= picture.height()) return false;
            if (found.inkUsed == lp::Ink::Opaque) return qAlpha(picture.pixel(x, y)) >= 128;
            const int g = qGray(over.pixel(x, y));
            return found.inkUsed == lp::Ink::Light ? g >= 128 : g < 128;
        };
        const double ux = area.width() / picture.width(), uy = area.height() / picture.height();
        std::vector<QPointF> edges, inks;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                if (!ink(x, y)) continue;
                const QPointF p(area.left() + (x + 0.5) * ux, area.top() + (y + 0.5) * uy);
                inks.push_back(p);
                if (!ink(x - 1, y) || !ink(x + 1, y) || !ink(x, y - 1) || !ink(x, y + 1)) edges.push_back(p);
            }
        const std::vector<QPointF> route = ContourSamples(r);
        const double width = edges.empty() ? 0 : 2.0 * double(inks.size()) / double(edges.size()) * ux;
        const double reach = 1.5 + width / 2;
        const double edgeShare = Near(route, 1.5 + ux / 2).share(edges);
        const double offEdges = 1 - Near(edges, 1.5 + ux / 2).share(route);
        const double inkShare = Near(route, reach).share(inks);
        const double offInk = 1 - Near(inks, 1.5).share(route);
        std::printf("%-34s %-6s %-5s %3d/%-3d %5d %6.2f %7.1f %5.2f %5.1f%% %5.1f%% %5.1f%% %5.1f%% %6.1f\n",
                    qPrintable(name), InkName(found.inkUsed), found.photo ? "yes" : "no", fitted.partsDrawn,
                    fitted.partsFound, strokes, fitted.meanStep, fitted.routeLength, fitted.worstDeviation,
                    100 * edgeShare, 100 * offEdges, 100 * inkShare, 100 * offInk, best);
        std::printf("%-34s %5.1f%% %5.1f%%  %s\n", "", 100 * fitted.crowded, 100 * fitted.inkDrawn,
                    kLeftOut[int(lp::LeftOutOf(fitted))]);

        QImage overlay(1024, 1024, QImage::Format_RGB32);
        overlay.fill(Qt::white);
        QPainter painter(&overlay);
        painter.setOpacity(0.45);
        painter.drawImage(QRectF(area.topLeft() * 4, area.size() * 4), picture);
        painter.setOpacity(1);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::red, 2));
        QPolygonF contour;
        for (int i = 0; i < lp::kPointCount; ++i) contour << QPointF(r.X[i], r.Y[i]) * 4 + QPointF(2, 2);
        painter.drawPolygon(contour);
        painter.setPen(QPen(Qt::blue, 5, Qt::SolidLine, Qt::RoundCap));
        painter.drawPoints(contour);
        std::vector<QPointF> crowded;
        lp::CrowdedShare(r.X, r.Y, lp::kTraceTuning.crowdedReach, 0.8, &crowded);
        painter.setPen(QPen(QColor(0, 170, 0), 3, Qt::SolidLine, Qt::RoundCap));
        for (const QPointF& p : crowded) painter.drawPoint(p * 4 + QPointF(2, 2));
        painter.end();
        overlay.save(out + QLatin1Char('/') + name + QStringLiteral(".png"));
    }
    return 0;
}
