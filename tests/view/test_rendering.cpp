// What the editing field and the preview show, read back from the retained images.
#include <QCheckBox>
#include <QtTest>

#include "app/baseform.h"
#include "support/basewindow.h"
#include "view/renderer.h"

namespace {

const QColor kYellow(255, 255, 0), kBlue(0, 0, 255), kRed(255, 0, 0), kGreen(0, 255, 0),
    kWhite(255, 255, 255), kGrey(128, 128, 128), kCream(255, 251, 240), kBlack(0, 0, 0);

QColor At(const QImage& image, int x, int y) {
    return QColor::fromRgba(image.pixel(x, y));
}
bool Clear(const QImage& image, int x, int y) {
    return qAlpha(image.pixel(x, y)) == 0;
}

// An L three units a step: points 0..63 to the right along y = 20, 64..127
// down along x = 199, the second half parked at (150, 160), from where the
// closing segment runs diagonally back to point 0 at (10, 20).
void LoadL(TBaseForm& form) {
    for (int i = 0; i < 256; ++i) {
        form.editor().setPoint(i, i < 64 ? 10 + 3 * i : (i < 128 ? 199 : 150),
                               i < 64 ? 20 : (i < 128 ? 20 + 3 * (i - 63) : 160));
    }
}

}  // namespace

class RenderingTest : public QObject {
    Q_OBJECT
  private slots:
    void startUpFigure();
    void markersAndCurrentPoint();
    void grid();
    void areaMode();
    void secondHalfMode();
    void undoRedraws();
    void previewColours();
    void jitter();
};

void RenderingTest::startUpFigure() {
    TBaseForm form;
    const QImage& field = win::field(form)->image();
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 512; ++x) {
            const bool square = x >= 250 && x <= 257 && y >= 250 && y <= 257;
            const bool frame = x <= 2 || y <= 2 || x >= 509 || y >= 509;
            if (square)
                QCOMPARE(At(field, x, y), kYellow);
            else if (!frame)
                QVERIFY2(Clear(field, x, y), qPrintable(QString("%1,%2").arg(x).arg(y)));
        }
    QCOMPARE(At(field, 1, 100), kWhite);
    QCOMPARE(At(field, 100, 510), kWhite);
    QVERIFY(Clear(form.fieldUnder, 100, 16));  // grid off
    const QImage& preview = win::preview(form)->image();
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) QVERIFY(Clear(preview, x, y));
    // Hot points by size: a small scribble around the centre.
    win::hotPointCheck(form)->setChecked(true);
    form.FullReturn(1);
    int marked = 0;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            if (!Clear(preview, x, y)) {
                ++marked;
                QCOMPARE(At(preview, x, y), kGreen);
                QVERIFY(qAbs(x - 127) <= 6 && qAbs(y - 127) <= 6);
            }
    QVERIFY(marked > 0);
}

void RenderingTest::markersAndCurrentPoint() {
    TBaseForm form;
    for (int i = 0; i < 256; ++i) {  // a row of points 1 unit apart at y = 100, then back to x = 10
        form.editor().setPoint(i, i < 200 ? 20 + i : 219, i < 200 ? 100 : 100 + (i - 199));
    }
    form.FullReturn(1);
    const QImage& field = win::field(form)->image();
    // Nothing picked: markers red, point 0 green under the first line, the last point yellow.
    QCOMPARE(At(field, 2 * 20 - 3, 2 * 100 - 3), kGreen);
    QCOMPARE(At(field, 2 * 120 + 1, 2 * 100 - 2), kRed);
    QCOMPARE(At(field, 2 * 219, 2 * 155 + 3), kYellow);
    QCOMPARE(At(field, 2 * 219 + 5, 2 * 155), QColor(Qt::transparent));
    form.editor().state().CurrentPoint = 100;
    form.FullReturn(1);
    QCOMPARE(At(field, 2 * 120 - 2, 2 * 100 - 2), kBlue);
    QCOMPARE(At(field, 2 * 121 - 2, 2 * 100 - 2), kRed);
    form.editor().state().CurrentPoint = 255;  // the last point's square covers its marker
    form.FullReturn(1);
    QCOMPARE(At(field, 2 * 219 + 1, 2 * 155 + 1), kYellow);
}

void RenderingTest::grid() {
    TBaseForm form;
    win::webButton(form)->click();
    QVERIFY(win::webButton(form)->Down());
    const QImage& under = form.fieldUnder;
    for (int k = 1; k <= 31; ++k) {
        QCOMPARE(At(under, 100, 16 * k), kGrey);
        QCOMPARE(At(under, 16 * k, 100), kGrey);
    }
    QCOMPARE(At(under, 100, 255), kGrey);
    QCOMPARE(At(under, 255, 100), kGrey);
    QVERIFY(Clear(under, 100, 0));
    QVERIFY(Clear(under, 0, 100));
    QVERIFY(Clear(under, 100, 8));
    QVERIFY(Clear(under, 100, 511));
    // The grid lies beneath the figure layer; switched off it is gone.
    QVERIFY(Clear(win::field(form)->image(), 100, 16));
    win::webButton(form)->click();
    QVERIFY(Clear(under, 100, 16));
    // Drawn without clearing, the grid is added beneath, where a background
    // picture still hides it.
    win::webButton(form)->SetDown(true);
    form.FullReturn(0);
    QCOMPARE(At(under, 100, 16), kGrey);
    QVERIFY(Clear(win::field(form)->image(), 100, 16));
}

void RenderingTest::areaMode() {
    TBaseForm form;
    LoadL(form);
    form.editor().state().AreaMode = true;
    form.editor().state().AreaX1 = 150;  // corners as stored: corner 1 right of and below corner 2
    form.editor().state().AreaY1 = 200;
    form.editor().state().AreaX2 = 50;
    form.editor().state().AreaY2 = 120;
    form.FullReturn(1);
    const QImage& field = win::field(form)->image();
    QCOMPARE(At(field, 52, 40), kYellow);         // line between points 5 and 6
    QCOMPARE(At(field, 48, 38), kBlue);           // marker of point 5
    QCOMPARE(At(field, 20 - 3, 40 - 3), kGreen);  // point 0
    int cream = 0, black = 0;
    for (int x = 101; x < 300; ++x) {
        const QColor c = At(field, x, 400);
        QVERIFY2(c == kCream || c == kBlack, qPrintable(QString::number(x)));
        (c == kCream ? cream : black)++;
    }
    QVERIFY(cream > 50 && black > 50);
    // The dotted pen: one cream pixel, then two black ones, all along the side.
    QCOMPARE(At(field, 300, 400), kCream);
    QList<int> runs{1};
    for (int x = 299; x > 100; --x) {
        if (At(field, x, 400) == At(field, x + 1, 400))
            ++runs.last();
        else
            runs.append(1);
    }
    for (int i = 1; i + 1 < runs.size(); ++i)
        QVERIFY2(runs[i] == (i % 2 ? 2 : 1), qPrintable(QString("run %1 of %2 pixels").arg(i).arg(runs[i])));
    for (int y = 241; y < 400; ++y) {
        const QColor c = At(field, 100, y);
        QVERIFY(c == kCream || c == kBlack);
    }
    QVERIFY(Clear(field, 200, 300));
}

void RenderingTest::secondHalfMode() {
    TBaseForm form;
    LoadL(form);
    form.FullReturn(1);
    const QImage& field = win::field(form)->image();
    QCOMPARE(At(field, 300, 323), kYellow);  // point 255 is last
    QCOMPARE(At(field, 160, 180), kBlue);    // closing segment
    form.editor().setHalf128(true);
    form.FullReturn(1);
    QCOMPARE(At(field, 401, 421), kYellow);  // point 127 is last: its square
    QVERIFY(Clear(field, 160, 180));         // no closing segment
    for (int t = 10; t <= 90; ++t)           // neither from point 127 back to point 0
        QVERIFY2(Clear(field, 20 + (398 - 20) * t / 100, 40 + (424 - 40) * t / 100),
                 qPrintable(QString::number(t)));
    QVERIFY(Clear(field, 300, 323));  // nor the second half
    // The preview still shows all points and its closing segment.
    QCOMPARE(At(win::preview(form)->image(), 50, 60), kGreen);
}

void RenderingTest::undoRedraws() {
    TBaseForm form;
    LoadL(form);
    form.FullReturn(1);
    const QImage field = win::field(form)->image().copy(), preview = win::preview(form)->image().copy();
    form.ToUndo();
    lp::Coords x;
    x.fill(60);
    form.editor().setFigure(x, form.editor().FigureY());
    form.FullReturn(1);
    QVERIFY(win::field(form)->image() != field);
    win::undoButton(form)->click();  // shown at once, without another redraw
    QCOMPARE(win::field(form)->image(), field);
    QCOMPARE(win::preview(form)->image(), preview);
}

void RenderingTest::previewColours() {
    TBaseForm form;
    LoadL(form);
    win::hotColCheck(form)->setChecked(true);
    form.FullReturn(1);
    const QImage& preview = win::preview(form)->image();
    QCOMPARE(At(preview, 40, 20), kYellow);
    QCOMPARE(At(preview, 199, 50), kYellow);
    QCOMPARE(At(preview, 50, 60), kGreen);  // closing segment
    win::hotColCheck(form)->setChecked(false);
    form.FullReturn(1);
    QCOMPARE(At(preview, 40, 20), kGreen);
}

void RenderingTest::jitter() {
    // state := state * 134775813 + 1, the top three bits of each new state.
    lp::JitterRng rng;
    const int expected[] = {0, 0, 6, 1, 2, 5, 2, 1, 2, 3, 0, 3};
    for (int value : expected) QCOMPARE(rng.next(), value);

    lp::FigureData data;  // every point at (0, 0): each repeats its predecessor
    lp::JitterRng fresh;
    lp::PreviewPath path;
    lp::PreviewVertices(data, true, fresh, path);
    QCOMPARE(path[0], QPoint(0, 0));
    QCOMPARE(path[1], QPoint(1, 1));  // 0 - 4 and 0 - 4, lifted to 1
    QCOMPARE(path[2], QPoint(2, 1));  // 6 - 4, 1 - 4
    for (const QPoint& p : path) QVERIFY(p.x() >= 0 && p.y() >= 0);
    for (int i = 1; i < 256; ++i) QVERIFY(path[i].x() >= 1 && path[i].y() >= 1);
    data.FigureX.fill(255);
    data.FigureY.fill(255);
    int highest = 0;
    lp::PreviewVertices(data, true, fresh, path);
    for (const QPoint& p : path) highest = std::max({highest, p.x(), p.y()});
    QVERIFY(highest > 255 && highest <= 258);
    // Without the box nothing is jittered and the generator does not move.
    const uint32_t before = fresh.state();
    lp::PreviewVertices(data, false, fresh, path);
    QCOMPARE(fresh.state(), before);
}

QTEST_MAIN(RenderingTest)
#include "test_rendering.moc"
