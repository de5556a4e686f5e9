// Line mode against drawings known exactly: strokes drawn with a round pen
// along analytic centre lines at 1024 px, traced and compared in field units.
#include <QPainter>
#include <QtTest>
#include <cmath>

#include "trace/parts/imageparts.h"
#include "trace/route/routeparts.h"
#include "trace/session/session.h"

namespace {

using Lines = QList<QPolygonF>;  // the centre lines of one drawing
using Drawings = QList<Lines>;   // separate drawings, joined by bridges

QPolygonF Circle(QPointF c, double r) {
    QPolygonF p;
    for (int i = 0; i <= 720; ++i) p << c + r * QPointF(std::cos(i * M_PI / 360), std::sin(i * M_PI / 360));
    return p;
}

QPolygonF Wave() {
    QPolygonF p;
    for (int i = 0; i <= 800; ++i) p << QPointF(112 + i, 512 + 180 * std::sin(i * 3 * M_PI / 800));
    return p;
}

double Length(const QPolygonF& p) {
    double sum = 0;
    for (qsizetype i = 1; i < p.size(); ++i) sum += QLineF(p[i - 1], p[i]).length();
    return sum;
}

bool Closed(const QPolygonF& p) {
    return p.size() > 2 && p.isClosed();
}

// The drawings mapped as the tracer fits them: their box's longer side 200 units, centred on 127.
Drawings ToField(Drawings d) {
    QRectF box;
    for (const Lines& lines : d)
        for (const QPolygonF& p : lines) box |= p.boundingRect();
    const double scale = 200 / std::max(box.width(), box.height());
    for (Lines& lines : d)
        for (QPolygonF& p : lines)
            for (QPointF& q : p) q = (q - box.center()) * scale + QPointF(127, 127);
    return d;
}

double ToSegment(QPointF p, QPointF a, QPointF b) {
    const QPointF d = b - a;
    const double l2 = QPointF::dotProduct(d, d);
    const double t = l2 > 0 ? std::clamp(QPointF::dotProduct(p - a, d) / l2, 0.0, 1.0) : 0;
    return QLineF(p, a + d * t).length();
}

double ToLines(QPointF p, const QList<QPolygonF>& lines) {
    double best = INFINITY;
    for (const QPolygonF& l : lines)
        for (qsizetype i = 1; i < l.size(); ++i) best = std::min(best, ToSegment(p, l[i - 1], l[i]));
    return best;
}

// Points along the lines at most `step` apart.
QPolygonF Samples(const QList<QPolygonF>& lines, double step) {
    QPolygonF out;
    for (const QPolygonF& l : lines)
        for (qsizetype i = 1; i < l.size(); ++i) {
            const int n = std::max(1, int(std::ceil(QLineF(l[i - 1], l[i]).length() / step)));
            for (int k = 0; k <= n; ++k) out << l[i - 1] + (l[i] - l[i - 1]) * (double(k) / n);
        }
    return out;
}

QImage Draw(const Drawings& drawings, double pen, bool filled = false) {
    QImage image(1024, 1024, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, pen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (filled) painter.setBrush(Qt::black);
    for (const Lines& lines : drawings)
        for (const QPolygonF& p : lines)
            if (p.size() == 1)
                painter.drawPoint(p[0]);
            else if (filled)
                painter.drawPolygon(p);
            else
                painter.drawPolyline(p);
    return image;
}

lp::TraceResult TraceLines(const QImage& image, const lp::TracePlacement& placement) {
    lp::TraceOptions options;
    options.mode = lp::TraceOptions::Mode::Lines;
    return lp::TraceImage(image, options, placement);
}

QPolygonF Route(const lp::TraceResult& r) {
    QPolygonF p;
    for (int i = 0; i <= lp::kPointCount; ++i) p << QPointF(r.X[i % 256], r.Y[i % 256]);
    return p;
}

}  // namespace

class TestLines : public QObject {
    Q_OBJECT
  private slots:
    void accuracy_data();
    void accuracy();
    void filledShape();
    void oneDot();
};

void TestLines::accuracy_data() {
    QTest::addColumn<Drawings>("drawings");
    QTest::addColumn<double>("width");  // of the strokes, in units
    QPolygonF zigzag;
    for (int i = 0; i <= 8; ++i) zigzag << QPointF(112 + i * 100, i % 2 ? 260 : 760);
    const Lines tree{QPolygonF({{512, 930}, {512, 500}, {512, 94}}), QPolygonF({{512, 500}, {300, 200}}),
                     QPolygonF({{512, 500}, {724, 200}}), QPolygonF({{512, 680}, {760, 560}}),
                     QPolygonF({{400, 342}, {250, 390}})};
    QPolygonF star;  // a pentagram: its crossings split into pairs of odd junctions
    for (int i = 0; i <= 5; ++i)
        star << QPointF(512, 512) + 420 * QPointF(std::sin(i * 0.8 * M_PI), -std::cos(i * 0.8 * M_PI));
    QTest::newRow("circle") << Drawings{{Circle({512, 512}, 400)}} << 3.0;
    QTest::newRow("wave") << Drawings{{Wave()}} << 3.0;
    QTest::newRow("zigzag") << Drawings{{zigzag}} << 3.0;
    QTest::newRow("tree") << Drawings{tree} << 3.0;
    QTest::newRow("two lines") << Drawings{{QPolygonF({{112, 200}, {912, 330}})},
                                           {QPolygonF({{150, 720}, {880, 860}})}}
                               << 3.0;
    QTest::newRow("pentagram") << Drawings{{star}} << 3.0;
    QTest::newRow("thick zigzag") << Drawings{{zigzag}} << 8.0;
}

// Strokes 3 or 8 units wide: every point of the centre lines within a unit of
// the route, nothing farther than 1.5 units from them but the bridges (no
// stub into a thick stroke's corner), and the route within 1.1 times what
// covering the strokes needs (open strokes twice, odd junctions paired by the
// shortest strokes).
void TestLines::accuracy() {
    QFETCH(Drawings, drawings);
    QFETCH(double, width);
    const Drawings field = ToField(drawings);
    QRectF box;
    for (const Lines& lines : drawings)
        for (const QPolygonF& p : lines) box |= p.boundingRect();
    const lp::TraceResult r = TraceLines(Draw(drawings, width * std::max(box.width(), box.height()) / 200),
                                         lp::TracePlacement::Fit(200));
    QVERIFY2(r.ok, qPrintable(r.error));
    const QPolygonF route = Route(r);

    Lines all, bridges;
    double cover = 0;
    for (const Lines& lines : field) {
        all += lines;
        for (const QPolygonF& p : lines) cover += Closed(p) ? Length(p) : 2 * Length(p);
    }
    for (qsizetype i = 1; i < field.size(); ++i) {  // drawings in a chain: the nearest points of neighbours
        const QPolygonF a = Samples(field[i - 1], 0.25), b = Samples(field[i], 0.25);
        QLineF best(a[0], b[0]);
        for (const QPointF& p : a)
            for (const QPointF& q : b)
                if (QLineF(p, q).length() < best.length()) best = QLineF(p, q);
        bridges << QPolygonF({best.p1(), best.p2()});
        cover += 2 * best.length();
    }
    double missed = 0, stray = 0;
    for (const QPointF& p : Samples(all, 0.25)) missed = std::max(missed, ToLines(p, {route}));
    for (const QPointF& p : Samples({route}, 0.25))
        if (ToLines(p, bridges) > 1.5) stray = std::max(stray, ToLines(p, all));
    qInfo("%-10s farthest line point %.2f, farthest drawn point %.2f, route %.1f / cover %.1f = %.3f",
          QTest::currentDataTag(), missed, stray, Length(route), cover, Length(route) / cover);
    QVERIFY(missed <= 1.0);
    QVERIFY(stray <= 1.5);
    QVERIFY(Length(route) <= 1.1 * cover);
}

// A filled ellipse gives its centre line: most of the part of the long axis
// between the centres of curvature at its ends, and nothing off it.
void TestLines::filledShape() {
    QPolygonF ellipse;
    for (int i = 0; i < 720; ++i)
        ellipse << QPointF(512 + 400 * std::cos(i * M_PI / 360), 512 + 150 * std::sin(i * M_PI / 360));
    const lp::TraceResult r =
        TraceLines(Draw({{ellipse}}, 1, true), lp::TracePlacement::InPlace(QRectF(0, 0, 256, 256)));
    QVERIFY2(r.ok, qPrintable(r.error));
    const double end = (400 - 150.0 * 150 / 400) / 4;  // units, a quarter of a pixel each
    const QPolygonF axis({{128 - end, 128}, {128 + end, 128}}), route = Route(r);
    for (const QPointF& p : route)
        QVERIFY2(ToLines(p, {axis}) <= 3, qPrintable(QString("%1 %2").arg(p.x()).arg(p.y())));
    double left = 256, right = 0;
    for (const QPointF& p : route) left = std::min(left, p.x()), right = std::max(right, p.x());
    QVERIFY(left < 128 - 0.7 * end && right > 128 + 0.7 * end);
}

// A single dot: a small loop on it.
void TestLines::oneDot() {
    const lp::TraceResult r = TraceLines(Draw({{QPolygonF({{400, 600}})}}, 12),
                                         lp::TracePlacement::InPlace(QRectF(0, 0, 256, 256)));
    QVERIFY2(r.ok, qPrintable(r.error));
    for (const QPointF& p : Route(r)) QVERIFY(QLineF(p, QPointF(100, 150)).length() <= 1.5);
}

QTEST_MAIN(TestLines)
#include "test_lines.moc"
