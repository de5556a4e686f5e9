// Tracing real-looking pictures with the defaults, against shapes known
// exactly: discs photographed on a noisy, unevenly lit ground, light ink on
// dark and white on transparent, a grid with dots, more parts than 256
// points hold, and lines of text against the font's own outlines.
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <QtTest>
#include <cmath>

#include "support/discs.h"
#include "trace/parts/imageparts.h"
#include "trace/route/crowding.h"
#include "trace/route/routeparts.h"
#include "trace/session/session.h"

namespace {

const QRectF kArea(0, 0, 256, 192);  // a 1024 x 768 picture at 4 px a unit

lp::TraceResult InPlace(const QImage& image, lp::TraceOptions options = {}) {
    return lp::TraceImage(image, options, lp::TracePlacement::InPlace(kArea));
}

}  // namespace

class TestParts : public QObject {
    Q_OBJECT
  private slots:
    void ink_data();
    void ink();
    void photograph_data();
    void photograph();
    void gridWithDots();
    void edgesOnce();
    void choices();
    void moreThanPointsHold();
    void textLines();
};

void TestParts::ink_data() {
    QTest::addColumn<QImage>("picture");
    QTest::addColumn<int>("ink");
    const QList<Disc> two{{{70, 90}, 40}, {{180, 100}, 50}};
    QTest::newRow("dark on light") << Discs(Blank(Qt::white), two, Qt::black) << int(lp::Ink::Dark);
    QTest::newRow("light on dark") << Discs(Blank(QColor(30, 20, 60)), two, Qt::yellow)
                                   << int(lp::Ink::Light);
    QTest::newRow("white on transparent")
        << Discs(Blank(Qt::transparent, QImage::Format_ARGB32), two, Qt::white) << int(lp::Ink::Light);
    QTest::newRow("pale on transparent")
        << Discs(Blank(Qt::transparent, QImage::Format_ARGB32), two, QColor(250, 250, 235))
        << int(lp::Ink::Light);
    QTest::newRow("black on transparent")
        << Discs(Blank(Qt::transparent, QImage::Format_ARGB32), two, Qt::black) << int(lp::Ink::Dark);
    // Lightness 48 both: no grey level tells them apart.
    QTest::newRow("red on grey-green") << Discs(Blank(QColor(104, 119, 99)), two, QColor(220, 40, 40)) << -1;
}

// The side that does not hold the border is ink; a one-tone picture on a
// transparent ground is its opaque part.
void TestParts::ink() {
    QFETCH(QImage, picture);
    QFETCH(int, ink);
    const lp::TraceParts found = lp::FindImageParts(picture, {}, lp::TracePlacement::InPlace(kArea));
    if (ink >= 0) QCOMPARE(int(found.inkUsed), ink);
    const lp::TraceResult r = lp::RouteParts(found);
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(r.contours, 2);
    QVERIFY(CircleOff({{70, 90}, 40}, r) <= 1.0 && CircleOff({{180, 100}, 50}, r) <= 1.0);
    // The other side is the ground, refused with a way out; light ink chosen
    // on a transparent ground is read over black.
    if (picture.hasAlphaChannel() && ink == int(lp::Ink::Light)) {
        lp::TraceOptions light;
        light.mask.ink = lp::Ink::Light;
        QVERIFY(InPlace(picture, light).ok);
    }
    if (ink < 0 || picture.hasAlphaChannel()) return;
    lp::TraceOptions other;
    other.mask.ink = ink == int(lp::Ink::Dark) ? lp::Ink::Light : lp::Ink::Dark;
    const lp::TraceResult wrong = InPlace(picture, other);
    QVERIFY2(!wrong.ok && wrong.error.contains(u"Попробуйте обводить"), qPrintable(wrong.error));
}

// Discs lit, as the ground is, more from one side, with grain: each disc's
// circle found, no frame drawn, nothing else; dark or light, grey or in
// colour. Grain with nothing on it is refused.
void TestParts::photograph_data() {
    QTest::addColumn<QColor>("ground");
    QTest::addColumn<QColor>("disc");
    QTest::addColumn<int>("ink");
    QTest::newRow("dark discs") << QColor(190, 190, 190) << QColor(67, 67, 67) << int(lp::Ink::Dark);
    QTest::newRow("light discs") << QColor(90, 90, 90) << QColor(200, 200, 200) << int(lp::Ink::Light);
    QTest::newRow("red on grey-green") << QColor(104, 119, 99) << QColor(220, 40, 40) << -1;
    QTest::newRow("grain alone") << QColor(104, 119, 99) << QColor(104, 119, 99) << -1;
}

void TestParts::photograph() {
    QFETCH(QColor, ground);
    QFETCH(QColor, disc);
    QFETCH(int, ink);
    QImage picture = Blank(Qt::white);
    QRandomGenerator random(7);
    QList<Disc> discs;
    for (int i = 0; i < 12; ++i)
        discs << Disc{{30.0 + (i % 4) * 60 + random.bounded(10), 35.0 + (i / 4) * 55 + random.bounded(8)},
                      14.0 + i};
    for (int y = 0; y < picture.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            const QPointF p(x / 4.0 + 0.125, y / 4.0 + 0.125);
            bool inside = false;
            for (const Disc& d : discs) inside = inside || QLineF(p, d.c).length() < d.r;
            const QColor c = inside ? disc : ground;
            const double light = 0.6 + 0.6 * x / 1024;
            const int grain = int(random.bounded(40)) - 20;
            auto channel = [&](int v) { return std::clamp(int(v * light) + grain, 0, 255); };
            line[x] = qRgb(channel(c.red()), channel(c.green()), channel(c.blue()));
        }
    }
    const lp::TraceParts found = lp::FindImageParts(picture, {}, lp::TracePlacement::InPlace(kArea));
    if (disc == ground) {
        QVERIFY2(found.failure == lp::TraceFailure::NoObject && found.error.startsWith(u"На снимке нет"),
                 qPrintable(found.error));
        return;
    }
    QVERIFY(ink < 0 || (found.photo && int(found.inkUsed) == ink));
    const lp::TraceResult r = lp::RouteParts(found);
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(r.contours, discs.size());
    for (const Disc& d : discs)
        QVERIFY2(CircleOff(d, r) <= 1.5, qPrintable(QString::number(CircleOff(d, r))));
    for (int i = 0; i < 256; ++i) QVERIFY(r.X[i] > 3 && r.X[i] < 253 && r.Y[i] > 3 && r.Y[i] < 189);
    QVERIFY(MeanStep(r) <= 11);
}

// A grid of thin lines with a dot in each cell: the grid along its centre
// lines, the dots by their outlines, all in one route.
void TestParts::gridWithDots() {
    QImage picture = Blank(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 10, Qt::SolidLine, Qt::FlatCap));
    for (int k = 0; k < 4; ++k) {
        painter.drawLine(QPointF(192 + k * 160, 144), QPointF(192 + k * 160, 624));
        painter.drawLine(QPointF(192, 144 + k * 160), QPointF(672, 144 + k * 160));
    }
    painter.end();
    QList<Disc> dots;
    for (int k = 0; k < 9; ++k) dots << Disc{{68.0 + (k % 3) * 40, 56.0 + (k / 3) * 40}, 7};
    picture = Discs(picture, dots, Qt::black);
    double autoLength = 0;
    for (const lp::TraceOptions::Mode mode :
         {lp::TraceOptions::Mode::Auto, lp::TraceOptions::Mode::Outline}) {
        lp::TraceOptions options;
        options.mode = mode;
        const lp::TraceParts found = lp::FindImageParts(picture, options, lp::TracePlacement::InPlace(kArea));
        int strokes = 0;
        for (const lp::TracePart& part : found.parts) strokes += part.kind == lp::TracePart::Kind::Strokes;
        const lp::TraceResult r = lp::RouteParts(found);
        QVERIFY2(r.ok, qPrintable(r.error));
        if (mode == lp::TraceOptions::Mode::Outline) {  // both sides of every line: longer, or parts left out
            QVERIFY(strokes == 0 && (r.routeLength > 1.5 * autoLength || r.partsDrawn < r.partsFound));
            continue;
        }
        autoLength = r.routeLength;
        QCOMPARE(strokes, 1);
        QCOMPARE(r.contours, 10);
        QCOMPARE(r.partsDrawn, r.partsFound);
        for (const Disc& d : dots) QVERIFY(CircleOff(d, r) <= 1.0);
        for (int k = 0; k <= 120; ++k)  // every centre line, within a unit
            for (int line = 0; line < 4; ++line) {
                QVERIFY(ToContour(QPointF(48 + line * 40, 36 + k), r) <= 1.0);
                QVERIFY(ToContour(QPointF(48 + k, 36 + line * 40), r) <= 1.0);
            }
        QVERIFY(MeanStep(r) <= 11);
    }
}

// Each edge between colours once: a yellow square's 2-unit orange border
// along its middle, a thin line inside a filled disc kept.
void TestParts::edgesOnce() {
    QImage picture = Blank(QColor(40, 80, 200));
    QPainter painter(&picture);
    painter.fillRect(QRectF(160, 120, 480, 480), QColor(255, 140, 0));
    painter.fillRect(QRectF(168, 128, 464, 464), Qt::yellow);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::yellow);
    painter.drawEllipse(QPointF(840, 360), 140, 140);
    painter.setPen(QPen(Qt::black, 4));
    painter.drawLine(QPointF(740, 360), QPointF(940, 360));
    painter.end();
    const lp::TraceResult r = InPlace(picture);
    QVERIFY2(r.ok, qPrintable(r.error));
    const QRectF middle(41, 31, 118, 118);
    for (int k = 0; k < 472; ++k) {  // the border's middle, every half unit
        const double t = k / 4.0;
        const QPointF p = t < 118   ? middle.topLeft() + QPointF(t, 0)
                          : t < 236 ? middle.topRight() + QPointF(0, t - 118)
                          : t < 354 ? middle.bottomRight() - QPointF(t - 236, 0)
                                    : middle.bottomLeft() - QPointF(0, t - 354);
        QVERIFY2(ToContour(p, r) <= 1.5, qPrintable(QString::number(ToContour(p, r))));
    }
    for (int x = 190; x <= 230; ++x) QVERIFY(ToContour(QPointF(x, 90), r) <= 1.0);  // the line
    QVERIFY(CircleOff({{210, 90}, 35}, r) <= 1.5);
    // Once: off the square's middle by half a unit (where a second line
    // would lie a unit away) at most at its four corners.
    int off = 0;
    for (int i = 0; i < 256; ++i) {
        const QPointF p(r.X[i], r.Y[i]);
        const double square = std::min(std::min(std::abs(p.x() - 41), std::abs(p.x() - 159)),
                                       std::min(std::abs(p.y() - 31), std::abs(p.y() - 149)));
        off += p.x() < 170 && std::abs(p.y() - 90) > 8 && square > 0.5;
    }
    QVERIFY2(off <= 4, qPrintable(QString::number(off)));
    QVERIFY(lp::CrowdedShare(r.X, r.Y) <= 0.1 && !r.illegible);
}

// What the defaults and the options keep: a drawing on a white disc with a
// transparent surround, a ring's two edges with --outline and its middle by
// default, a disc too small for 6 points left out, specks of --detail 20.
void TestParts::choices() {
    QImage drawing = Discs(Blank(Qt::transparent, QImage::Format_ARGB32), {{{128, 96}, 60}}, Qt::white);
    drawing = Discs(drawing, {{{128, 96}, 20}}, Qt::black);
    const lp::TraceResult onDisc = InPlace(drawing);
    QVERIFY(CircleOff({{128, 96}, 60}, onDisc) <= 1.0 && CircleOff({{128, 96}, 20}, onDisc) <= 1.0);

    const QImage ring =
        Discs(Discs(Blank(Qt::white), {{{128, 96}, 50}}, Qt::black), {{{128, 96}, 48}}, Qt::white);
    lp::TraceOptions outline;
    outline.mode = lp::TraceOptions::Mode::Outline;
    const lp::TraceResult both = InPlace(ring, outline), middle = InPlace(ring);
    QVERIFY(CircleOff({{128, 96}, 50}, both) <= 1.0 && CircleOff({{128, 96}, 48}, both) <= 1.0);
    QVERIFY(CircleOff({{128, 96}, 49}, middle) <= 1.0 && middle.contours == 1);
    QImage whiteRing = Blank(Qt::transparent, QImage::Format_ARGB32);
    QPainterPath ringPath;  // odd-even: the inner disc left clear
    ringPath.addEllipse(QPointF(512, 384), 240, 240);
    ringPath.addEllipse(QPointF(512, 384), 180, 180);
    QPainter ringPainter(&whiteRing);
    ringPainter.setRenderHint(QPainter::Antialiasing);
    ringPainter.fillPath(ringPath, Qt::white);
    ringPainter.end();
    const lp::TraceResult light = InPlace(whiteRing);
    QVERIFY(CircleOff({{128, 96}, 60}, light) <= 1.0 && CircleOff({{128, 96}, 45}, light) <= 1.0);
    // As much white inside as black around it: a drawing for a white page, its black ring traced.
    const QImage filled =
        Discs(Discs(Blank(Qt::transparent, QImage::Format_ARGB32), {{{128, 96}, 56}}, Qt::black),
              {{{128, 96}, 40}}, Qt::white);
    QVERIFY(CircleOff({{128, 96}, 56}, InPlace(filled)) <= 1.0);

    const QImage tiny = Discs(Blank(Qt::white), {{{100, 96}, 80}, {{240, 20}, 1.5}}, Qt::black);
    const lp::TraceResult few = InPlace(tiny);
    QVERIFY(few.ok && few.states.size() == 2 && few.states[1] == lp::PartState::TooFewPoints);

    const QImage specks =
        Discs(Blank(Qt::white), {{{60, 96}, 40}, {{180, 60}, 5}, {{180, 140}, 5}}, Qt::black);
    lp::TraceOptions coarse;
    coarse.speckUnits = 20;
    QCOMPARE(lp::FindImageParts(specks, {}, lp::TracePlacement::InPlace(kArea)).parts.size(), size_t(3));
    QCOMPARE(lp::FindImageParts(specks, coarse, lp::TracePlacement::InPlace(kArea)).parts.size(), size_t(1));
}

// One large disc among 60 small ones: the small are left out, the least
// first, and said so; the user's choice only routes again.
void TestParts::moreThanPointsHold() {
    QList<Disc> small;
    for (int k = 0; k < 60; ++k)
        small << Disc{{12 + (k % 15) * 16.5, 120.0 + (k / 15) * 18}, 2.0 + (k % 15) * 0.3};
    const Disc large{{128, 55}, 45};
    const QImage picture = Discs(Blank(Qt::white), small + QList<Disc>{large}, Qt::black);
    const lp::TraceParts found = lp::FindImageParts(picture, {}, lp::TracePlacement::InPlace(kArea));
    QCOMPARE(found.parts.size(), size_t(61));
    const lp::TraceResult r = lp::RouteParts(found);
    QVERIFY(r.ok && r.partsForPoints && r.partsDrawn < 61 && r.partsDrawn > 10);
    QVERIFY(MeanStep(r) <= 11 && CircleOff(large, r) <= 1.0 && !r.illegible);
    // Drawn are the largest: every small disc drawn is larger than any left out.
    double leastDrawn = INFINITY, largestLeft = 0;
    for (const Disc& d : small) {
        const bool drawn = CircleOff(d, r) <= 1.5;
        (drawn ? leastDrawn : largestLeft) = drawn ? std::min(leastDrawn, d.r) : std::max(largestLeft, d.r);
    }
    QVERIFY(largestLeft <= leastDrawn);
    // The share of the discs' area drawn.
    double all = 0, drawn = 0;
    for (const Disc& d : small + QList<Disc>{large})
        all += d.r * d.r, drawn += CircleOff(d, r) <= 1.5 ? d.r * d.r : 0;
    QVERIFY(lp::LeftOutOf(r) == lp::LeftOut::ForPoints && r.shownDrawn == r.partsDrawn && r.shownFound == 61);
    QCOMPARE(std::lround(100 * r.inkDrawn), std::lround(100 * drawn / all));
    // A comb whose outline alone needs steps longer than 11: said so, with what helps.
    QImage comb = Blank(Qt::white);
    QPainter painter(&comb);
    painter.fillRect(40, 40, 944, 40, Qt::black);
    for (int k = 0; k < 40; ++k) painter.fillRect(40 + k * 24, 40, 12, 680, Qt::black);
    painter.end();
    lp::TraceOptions outline;
    outline.mode = lp::TraceOptions::Mode::Outline;
    const lp::TraceResult dim = InPlace(comb, outline);
    QVERIFY(dim.ok && dim.illegible && lp::LeftOutOf(dim) == lp::LeftOut::Illegible);
    // A page of small print: crowded lines, said so with what helps.
    QImage page = Blank(Qt::white);
    painter.begin(&page);
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 14));
    for (int line = 0; line < 24; ++line)
        painter.drawText(20, 30 + line * 30,
                         QStringLiteral("Lorem ipsum dolor sit amet, consectetur adipiscing elit"));
    painter.end();
    const lp::TraceResult print = InPlace(page);
    QVERIFY(print.ok && print.illegible && lp::LeftOutOf(print) == lp::LeftOut::Crowded);

    lp::PartChoice choice;
    choice.largest = 3;
    choice.leftOut = {0};  // the large disc
    const lp::TraceResult chosen = lp::RouteParts(found, choice);
    QVERIFY(chosen.ok && chosen.partsDrawn == 3 && chosen.states[0] == lp::PartState::LeftOutByUser);
    QVERIFY(ToContour(large.c + QPointF(large.r, 0), chosen) > 5);
    for (int id = 1; id <= 3; ++id) QVERIFY(chosen.states[size_t(id)] == lp::PartState::Drawn);
    int largestSmall = 0;  // four of radius 6.2, three of them drawn
    for (int k = 14; k < 60; k += 15) largestSmall += CircleOff(small[k], chosen) <= 1.0;
    QCOMPARE(largestSmall, 3);
}

// Lines of text, each centred, on the font's own outlines; letters too small
// to read are warned of.
void TestParts::textLines() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(512);
    font.setHintingPreference(QFont::PreferNoHinting);
    QPainterPath truth;
    const QStringList lines{"LA", "SER"};
    for (int k = 0; k < 2; ++k) {
        QPainterPath line;
        line.addText(0, k * QFontMetricsF(font).lineSpacing(), font, lines[k]);
        truth.addPath(line.translated(-line.boundingRect().center().x(), 0));
    }
    const QRectF box = truth.boundingRect();
    const double scale = 200 / std::max(box.width(), box.height());
    const QTransform map = QTransform::fromTranslate(-box.center().x(), -box.center().y()) *
                           QTransform::fromScale(scale, scale) * QTransform::fromTranslate(127, 127);
    const lp::TraceResult r = lp::TraceText(lines.join(u'\n'), font.family(), false, 200);
    QVERIFY2(r.ok && r.notes.isEmpty(), qPrintable(r.error + r.notes.join(u' ')));
    QCOMPARE(r.contours, 7);
    for (const QPolygonF& polygon : truth.toSubpathPolygons(map))
        for (const QPointF& p : polygon) QVERIFY(ToContour(p, r) <= 1.0);
    const lp::TraceResult tiny =
        lp::TraceText(QStringLiteral("LASER PICTURE EDITOR AND MORE"), font.family(), false, 200);
    QVERIFY2(tiny.ok && tiny.partsDrawn == tiny.partsFound && tiny.notes.join(u' ').contains(u"Буквы"),
             qPrintable(tiny.notes.join(u' ')));
}

QTEST_MAIN(TestParts)
#include "test_parts.moc"
