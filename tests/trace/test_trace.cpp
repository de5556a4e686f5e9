// Tracing accuracy against outlines known exactly: shapes drawn at 1024 px
// from analytic outlines, and text against the font's own outline.
#include <QPainter>
#include <QPainterPath>
#include <QtTest>
#include <cmath>

#include "trace/parts/imageparts.h"
#include "trace/route/routeparts.h"
#include "trace/session/session.h"

namespace {

using Outline = QList<QPolygonF>;

QPolygonF Ellipse(QPointF c, double rx, double ry) {
    QPolygonF p;
    for (int i = 0; i < 4000; ++i)
        p << c + QPointF(rx * std::cos(i * M_PI / 2000), ry * std::sin(i * M_PI / 2000));
    return p;
}

QPolygonF Star(QPointF c, double outer, double inner) {
    QPolygonF p;
    for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 5, r = i % 2 ? inner : outer;
        p << c + QPointF(r * std::cos(a), r * std::sin(a));
    }
    return p;
}

// A square on its corner with a half circle on each upper side.
QPolygonF Heart() {
    const double d = 330, r = d / std::sqrt(2.0);
    const QPointF c(512, 546);
    QPolygonF p{c + QPointF(0, d)};
    for (int i = 0; i <= 2000; ++i)
        p << c + QPointF(-d / 2, -d / 2) +
                 r * QPointF(std::cos(M_PI * (0.75 + i / 2000.0)), std::sin(M_PI * (0.75 + i / 2000.0)));
    for (int i = 1; i <= 2000; ++i)
        p << c + QPointF(d / 2, -d / 2) +
                 r * QPointF(std::cos(M_PI * (1.25 + i / 2000.0)), std::sin(M_PI * (1.25 + i / 2000.0)));
    return p;
}

QFont TestFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(700);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// A text's outline at a fine flattening, the box of its pixels at 100..924.
Outline Letters(const QString& text) {
    QPainterPath path;
    path.addText(0, 0, TestFont(), text);
    const QRectF box = path.boundingRect();
    const double scale = 824 / std::max(box.width(), box.height());
    const QTransform t = QTransform::fromTranslate(-box.center().x(), -box.center().y()) *
                         QTransform::fromScale(scale * 20, scale * 20);
    Outline outline;
    for (const QPolygonF& p : path.toSubpathPolygons(t))
        outline << p * (QTransform::fromScale(0.05, 0.05) * QTransform::fromTranslate(512, 512));
    return outline;
}

QImage Draw(const Outline& shape, const Outline& specks) {
    QImage image(1024, 1024, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    for (const QPolygonF& p : shape + specks) path.addPolygon(p);
    painter.fillPath(path, Qt::black);
    return image;
}

// The outline in field units, its box fitted to 200 units around 127, as
// points at most 0.25 units apart.
QList<QPolygonF> FieldSamples(const Outline& shape) {
    QRectF box;
    for (const QPolygonF& p : shape) box |= p.boundingRect();
    const double scale = 200 / std::max(box.width(), box.height());
    QList<QPolygonF> samples;
    for (const QPolygonF& p : shape) {
        samples.append(QPolygonF());
        for (qsizetype i = 0; i < p.size(); ++i) {
            const QPointF a = (p[i] - box.center()) * scale,
                          b = (p[(i + 1) % p.size()] - box.center()) * scale;
            const int n = int(std::ceil(QLineF(a, b).length() / 0.25));
            for (int k = 0; k < n; ++k) samples.back() << a + (b - a) * (double(k) / n) + QPointF(127, 127);
        }
    }
    return samples;
}

double ToContour(QPointF p, const lp::TraceResult& r) {
    double best = INFINITY;
    for (int i = 0; i < lp::kPointCount; ++i) {
        const QPointF a(r.X[i], r.Y[i]), b(r.X[(i + 1) % 256], r.Y[(i + 1) % 256]), d = b - a;
        const double l2 = QPointF::dotProduct(d, d);
        const double t = l2 > 0 ? std::clamp(QPointF::dotProduct(p - a, d) / l2, 0.0, 1.0) : 0;
        best = std::min(best, QLineF(p, a + d * t).length());
    }
    return best;
}

// Prim's tree over the contours, each edge the nearest distance between two.
double SpanningTree(const QList<QPolygonF>& contours) {
    const qsizetype n = contours.size();
    std::vector<double> gap(size_t(n * n), 0);
    for (qsizetype i = 0; i < n; ++i)
        for (qsizetype j = i + 1; j < n; ++j) {
            double d = INFINITY;
            for (const QPointF& a : contours[i])
                for (const QPointF& b : contours[j]) d = std::min(d, QLineF(a, b).length());
            gap[size_t(i * n + j)] = gap[size_t(j * n + i)] = d;
        }
    std::vector<double> reach(size_t(n), INFINITY);
    std::vector<bool> in(size_t(n), false);
    double total = 0;
    reach[0] = 0;
    for (qsizetype step = 0; step < n; ++step) {
        qsizetype next = -1;
        for (qsizetype i = 0; i < n; ++i)
            if (!in[size_t(i)] && (next < 0 || reach[size_t(i)] < reach[size_t(next)])) next = i;
        in[size_t(next)] = true;
        total += reach[size_t(next)];
        for (qsizetype i = 0; i < n; ++i)
            reach[size_t(i)] = std::min(reach[size_t(i)], gap[size_t(next * n + i)]);
    }
    return total;
}

}  // namespace

class TestTrace : public QObject {
    Q_OBJECT
  private slots:
    void accuracy_data();
    void accuracy();
    void inPlace();
    void choices_data();
    void choices();
    void stepsWhenDetailIsLost();
};

void TestTrace::accuracy_data() {
    QTest::addColumn<Outline>("shape");
    QTest::addColumn<Outline>("specks");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("contours");
    const QPointF c(512, 512);
    Outline specks;
    for (int i = 0; i < 60; ++i)
        specks << Ellipse(QPointF(60 + (i % 10) * 100, 40 + (i / 10) * 190), 2.5, 2.5);
    const QPolygonF square({{200, 200}, {824, 200}, {824, 824}, {200, 824}});
    QTest::newRow("circle") << Outline{Ellipse(c, 400, 400)} << Outline() << QString() << 1;
    QTest::newRow("square") << Outline{square} << Outline() << QString() << 1;
    QTest::newRow("star") << Outline{Star(c, 450, 180)} << Outline() << QString() << 1;
    QTest::newRow("heart") << Outline{Heart()} << Outline() << QString() << 1;
    QTest::newRow("ring") << Outline{Ellipse(c, 420, 420), Ellipse(c, 250, 250)} << Outline() << QString()
                          << 2;
    QTest::newRow("two blobs") << Outline{Ellipse({260, 400}, 180, 120), Ellipse({750, 650}, 150, 200)}
                               << Outline() << QString() << 2;
    QTest::newRow("two triangles") << Outline{QPolygonF({{100, 800}, {450, 150}, {480, 820}}),
                                              QPolygonF({{560, 200}, {930, 260}, {700, 900}})}
                                   << Outline() << QString() << 2;
    QTest::newRow("star among specks") << Outline{Star(c, 380, 150)} << specks << QString() << 1;
    QTest::newRow("A") << Letters("A") << Outline() << QString() << 2;
    QTest::newRow("R") << Letters("R") << Outline() << QString() << 2;
    QTest::newRow("S") << Letters("S") << Outline() << QString() << 1;
    QTest::newRow("text LASER") << Letters("LASER") << Outline() << QStringLiteral("LASER") << 7;
}

// Every point of the true outline within a unit of the contour drawn; the
// bridges near the shortest possible; distinct, evenly spaced points.
void TestTrace::accuracy() {
    QFETCH(Outline, shape);
    QFETCH(Outline, specks);
    QFETCH(QString, text);
    QFETCH(int, contours);
    const lp::TraceResult r = text.isEmpty()
                                  ? lp::TraceImage(Draw(shape, specks), {}, lp::TracePlacement::Fit(200))
                                  : lp::TraceText(text, TestFont().family(), false, 200);
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(r.contours, contours);
    const QList<QPolygonF> truth = FieldSamples(shape);
    double worst = 0;
    for (const QPolygonF& contour : truth)
        for (const QPointF& p : contour) worst = std::max(worst, ToContour(p, r));
    const double tree = SpanningTree(truth);
    double longest = 0, sum = 0;
    for (int i = 0; i < 256; ++i) {
        const double step = std::hypot(r.X[i] - r.X[(i + 1) % 256], r.Y[i] - r.Y[(i + 1) % 256]);
        QVERIFY2(step > 0, qPrintable(QString::number(i)));
        longest = std::max(longest, step);
        sum += step;
    }
    qInfo("%-18s worst %.2f (reported %.2f), bridges %.1f / tree %.1f, steps %.2f / mean %.2f",
          QTest::currentDataTag(), worst, r.worstDeviation, r.bridgeLength, tree, longest, sum / 256);
    QVERIFY(worst <= 1.0);
    QVERIFY(r.bridgeLength <= 1.15 * tree + 1e-9);
    QVERIFY(longest <= 2.5 * sum / 256);
}

// A picture stretched onto part of the field: the contour falls on the
// rectangle drawn in it, where the stretch puts it.
void TestTrace::inPlace() {
    QImage picture(600, 300, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    QPainter(&picture).fillRect(150, 75, 300, 150, Qt::black);
    const lp::TraceResult r =
        lp::TraceImage(picture, {}, lp::TracePlacement::InPlace(QRectF(10, 20, 240, 200)));
    QVERIFY2(r.ok, qPrintable(r.error));
    const QRectF truth(70, 70, 120, 100);  // 10 + 150 * 0.4, 20 + 75 * 2 / 3, ...
    const QList<QPolygonF> sides = FieldSamples({QPolygonF(truth)});
    const QTransform back = QTransform::fromTranslate(-127, -127) * QTransform::fromScale(0.6, 0.6) *
                            QTransform::fromTranslate(truth.center().x(), truth.center().y());
    for (const QPointF& p : sides[0]) QVERIFY(ToContour(back.map(p), r) <= 1.0);
    for (int i = 0; i < lp::kPointCount; ++i) {
        const QPointF p(r.X[i], r.Y[i]);
        QVERIFY(std::min({std::abs(p.x() - 70), std::abs(p.x() - 190), std::abs(p.y() - 70),
                          std::abs(p.y() - 170)}) <= 1.0);
    }
}

void TestTrace::choices_data() {
    QTest::addColumn<int>("threshold");  // set by hand on two greys; -1: specks in a frame
    QTest::addColumn<bool>("lines");
    QTest::addColumn<bool>("fit");
    QTest::addColumn<QList<QPointF>>("centres");  // of the parts, in place (field units)
    const QPointF light(60, 60), dark(150, 150), frame(100, 100), speck(122.4, 122.4);
    QTest::newRow("threshold 100: the dark grey") << 100 << false << false << QList{dark};
    QTest::newRow("threshold 100, lines") << 100 << true << false << QList{dark};
    QTest::newRow("threshold 170: both greys") << 170 << false << false << QList{light, dark};
    QTest::newRow("threshold 170, lines") << 170 << true << false << QList{light, dark};
    QTest::newRow("specks, outline, fitted") << -1 << false << true << QList{frame, frame, speck};
    QTest::newRow("specks, outline, in place") << -1 << false << false << QList{frame, frame, speck};
    QTest::newRow("specks, lines, fitted") << -1 << true << true << QList{frame, speck};
    QTest::newRow("specks, lines, in place") << -1 << true << false << QList{frame, speck};
}

// The threshold set by hand decides which greys are ink (three flat tones:
// a drawing, read as it is); inside a frame (outline and hole, or one
// stroke), a speck at 80 % of the smallest detail is dropped and one at 120 %
// kept (in place 200 units on 1000 px, the detail 4 units = 20 px; fitted, the
// frame's 920 px fill 200 units: 87 % and 130 %), whatever the mode.
void TestTrace::choices() {
    QFETCH(int, threshold);
    QFETCH(bool, lines);
    QFETCH(bool, fit);
    QFETCH(QList<QPointF>, centres);
    QImage picture(1000, 1000, QImage::Format_RGB32);
    picture.fill(Qt::lightGray);
    QPainter painter(&picture);
    if (threshold < 0) painter.fillRect(40, 40, 920, 920, Qt::black);
    lp::TraceOptions options;
    options.mode = lines ? lp::TraceOptions::Mode::Lines : lp::TraceOptions::Mode::Outline;
    options.mask = {false, threshold, lp::Ink::Dark};
    if (threshold >= 0) {
        painter.fillRect(100, 100, 400, 400, QColor(140, 140, 140));
        painter.fillRect(600, 600, 300, 300, QColor(60, 60, 60));
    } else {
        painter.fillRect(80, 80, 840, 840, Qt::white);
        painter.fillRect(300, 300, 16, 16, Qt::black);
        painter.fillRect(600, 600, 24, 24, Qt::black);
        options.speckUnits = 4;
        options.mask.autoThreshold = true;
    }
    painter.end();
    const lp::TraceParts found = lp::FindImageParts(
        picture, options, fit ? lp::TracePlacement::Fit(200) : lp::TracePlacement::InPlace({0, 0, 200, 200}));
    QCOMPARE(int(found.parts.size()), int(centres.size()));
    for (const QPointF& centre : centres)
        QVERIFY(fit || std::any_of(found.parts.begin(), found.parts.end(), [&](const lp::TracePart& part) {
                    return QLineF(part.bounds.center(), centre).length() <= 1.5;
                }));
}

// With more detail than 256 points hold (dots in a square frame, all drawn),
// the frame's straight sides still get no step over twice the mean (2.5
// times the mean chord, which cuts the dots' curves).
void TestTrace::stepsWhenDetailIsLost() {
    Outline dots{QPolygonF(QRectF(20, 20, 984, 984)), QPolygonF(QRectF(40, 40, 944, 944))};
    for (int i = 0; i < 64; ++i) dots << Ellipse(QPointF(110 + (i % 8) * 115, 110 + (i / 8) * 115), 14, 14);
    const lp::TraceParts found = lp::FindImageParts(Draw(dots, {}), {}, lp::TracePlacement::Fit(200));
    lp::PartChoice all;  // every dot, as when the user brings back the parts left out
    for (int id = 0; id < int(found.parts.size()); ++id) all.drawn.insert(id);
    const lp::TraceResult r = lp::RouteParts(found, all);
    QVERIFY(found.parts.size() >= 65);  // the frame, its hole perhaps, 64 dots
    QVERIFY(r.ok && r.detailLost && r.partsDrawn == int(found.parts.size()));
    double longest = 0, sum = 0;
    for (int i = 0; i < 256; ++i) {
        const double step = std::hypot(r.X[i] - r.X[(i + 1) % 256], r.Y[i] - r.Y[(i + 1) % 256]);
        longest = std::max(longest, step), sum += step;
    }
    QVERIFY2(longest <= 2.5 * sum / 256, qPrintable(QString("%1 / %2").arg(longest).arg(sum / 256)));
}

QTEST_MAIN(TestTrace)
#include "test_trace.moc"
