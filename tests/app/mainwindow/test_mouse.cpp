// Mouse editing on the field, driven by real mouse events on the paint box:
// hover search, picking and dragging, redraws, area selection and moves, undo,
// the double click and the hover label's timer.
#include <QLabel>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <array>
#include <tuple>

#include "app/baseform.h"
#include "edit/editcore.h"
#include "shapes/generators.h"
#include "support/basewindow.h"
#include "widgets/paintbox.h"

class TestMouse : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void hoverSearchDirectionReachAndLabels();
    void dragClampsAndUndoRestores();
    void dragFromEmptyFieldCatchesPoint();
    void redrawOnlyOnChangeWithSecondHalf();
    void areaSelectionNormalisesAndStopsAtBorder();
    void everyPressEnablesUndo();
    void doubleClickSwitchesModeForSecondPress();
    void pointLabelFallsBackOnce();

  private:
    // Pixel of the paint box that shows field position (fx, fy).
    static QPoint Px(int fx, int fy) { return QPoint(2 * fx, 2 * fy); }
    // The area rectangle as stored: corner 1, then corner 2.
    static QRect Corners(int x1, int y1, int x2, int y2) { return QRect(QPoint(x1, y1), QPoint(x2, y2)); }
    QPoint at(int i) const { return QPoint(f->editor().FigureX()[i], f->editor().FigureY()[i]); }
    lp::PaintBox* box() const { return win::field(*f); }
    Qt::CursorShape cursor() const { return box()->cursor().shape(); }
    QRect area() const {
        return Corners(f->editor().state().AreaX1, f->editor().state().AreaY1, f->editor().state().AreaX2,
                       f->editor().state().AreaY2);
    }

    // Points as {index, x, y}; the change-detection copy follows them.
    void put(std::initializer_list<std::array<int, 3>> points) {
        for (auto [i, x, y] : points) {
            f->editor().setPoint(i, uint8_t(x), uint8_t(y));
        }
        f->editor().takeLastCopy();
    }
    // A move without buttons; true when the paint box got it.
    bool hover(int fx, int fy) {
        QSignalSpy spy(box(), &lp::PaintBox::moved);
        QTest::mouseMove(box(), Px(fx, fy));
        return spy.count() == 1 && spy.at(0).at(0).toPoint() == Px(fx, fy);
    }
    void press(Qt::MouseButton b, int fx, int fy) { QTest::mousePress(box(), b, {}, Px(fx, fy)); }
    // With a button held the paint box has the mouse.
    void drag(int fx, int fy) { QTest::mouseMove(box(), Px(fx, fy)); }
    void release(Qt::MouseButton b, int fx, int fy) { QTest::mouseRelease(box(), b, {}, Px(fx, fy)); }
    void click(Qt::MouseButton b, int fx, int fy) {
        press(b, fx, fy);
        release(b, fx, fy);
    }

    std::unique_ptr<TBaseForm> form_;
    TBaseForm* f = nullptr;
};

void TestMouse::init() {
    form_ = std::make_unique<TBaseForm>();
    f = form_.get();
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f));
    // All points parked in the top left corner, away from the positions used.
    lp::Coords corner;
    corner.fill(2);
    f->editor().setFigure(corner, corner);
    f->editor().takeLastCopy();
}

void TestMouse::cleanup() {
    // A failed check may leave a button held, turning later hover moves into drags.
    QTestPrivate::qtestMouseButtons = Qt::NoButton;
    form_.reset();
}

void TestMouse::hoverSearchDirectionReachAndLabels() {
    QLabel* label = win::pointLabel(*f);
    put({{5, 100, 100}, {9, 100, 100}, {200, 60, 60}});

    // Direction button up: the highest index wins.
    QVERIFY(hover(102, 97));
    QCOMPARE(f->editor().state().HoverPoint, 9);
    QCOMPARE(label->text(), QStringLiteral("Точка 10"));
    QVERIFY(hover(61, 60));
    QCOMPARE(f->editor().state().HoverPoint, 200);

    // A right press flips it: the lowest index wins. Reach is 3 on either axis;
    // out of reach the last hit stays on the label.
    click(Qt::RightButton, 102, 97);
    const std::array<int, 3> cases[] = {
        {103, 97, 5}, {104, 100, lp::kNoHoverPoint}, {100, 96, lp::kNoHoverPoint}};
    for (auto [fx, fy, found] : cases) {
        QVERIFY(hover(fx, fy));
        QCOMPARE(f->editor().state().HoverPoint, found);
        QCOMPARE(label->text(), QStringLiteral(" Point 6"));
    }

    // In the "128" mode only points 0..127 can be found.
    f->editor().setHalf128(true);
    QVERIFY(hover(60, 61));
    QCOMPARE(f->editor().state().HoverPoint, lp::kNoHoverPoint);

    // Labels fit their texts, also texts shown before a change of font.
    QLabel* posX = win::posXLabel(*f);
    QVERIFY(hover(1, 150));
    QVERIFY(hover(102, 150));
    QCOMPARE(posX->size(), posX->sizeHint());
    QFont large = posX->font();
    large.setPixelSize(QFontInfo(large).pixelSize() * 3);
    posX->setFont(large);
    QVERIFY(hover(1, 151));
    QCOMPARE(posX->size(), posX->sizeHint());
}

void TestMouse::dragClampsAndUndoRestores() {
    put({{3, 50, 60}, {4, 150, 60}});
    const lp::Coords beforeX = f->editor().FigureX(), beforeY = f->editor().FigureY();

    press(Qt::LeftButton, 51, 61);
    QCOMPARE(f->editor().state().CurrentPoint, 3);
    QCOMPARE(cursor(), Qt::DragMoveCursor);
    drag(150, 61);  // across another point: the caught one stays caught
    QCOMPARE(f->editor().FigureX()[3], 150);

    // Far outside while captured: clamped to the field.
    QTest::mouseMove(box(), QPoint(1023, -5));
    QCOMPARE(at(3), QPoint(255, 0));
    QCOMPARE(win::posXLabel(*f)->text(), QStringLiteral("X = 255"));
    QCOMPARE(win::posYLabel(*f)->text(), QStringLiteral("Y = 255"));

    release(Qt::LeftButton, 255, 0);
    QCOMPARE(f->editor().state().DragMode, 0);
    QCOMPARE(win::pointLabel(*f)->text(), QStringLiteral(" "));
    QCOMPARE(cursor(), Qt::ArrowCursor);

    // The undo copy was taken at the press.
    f->SpeedButtonUndoClick();
    QCOMPARE(f->editor().FigureX(), beforeX);
    QCOMPARE(f->editor().FigureY(), beforeY);
}

void TestMouse::dragFromEmptyFieldCatchesPoint() {
    put({{7, 30, 30}, {20, 100, 100}});

    // Nothing picked yet: "no point" plus one. A left press ends template making.
    win::cucleButton(*f)->SetDown(true);
    f->editor().state().MakeMode = lp::MakeCircle;
    click(Qt::LeftButton, 60, 60);
    QCOMPARE(win::insdelLabel(*f)->text(), QStringLiteral("501"));
    QVERIFY(win::offMadeButton(*f)->Down());
    QCOMPARE(f->editor().state().MakeMode, lp::MakeNone);

    // From empty field the first point within reach is caught and carried; the
    // current point stays.
    click(Qt::LeftButton, 30, 31);
    press(Qt::LeftButton, 60, 60);
    QCOMPARE(win::insdelLabel(*f)->text(), QStringLiteral("8"));
    drag(98, 97);
    drag(140, 10);
    QCOMPARE(at(20), QPoint(140, 10));
    release(Qt::LeftButton, 140, 10);
    QCOMPARE(f->editor().state().CurrentPoint, 7);

    // A press away from where the last hover found a point picks nothing.
    QVERIFY(hover(30, 30));
    QCOMPARE(f->editor().state().HoverPoint, 7);
    press(Qt::LeftButton, 200, 150);
    drag(201, 150);
    QCOMPARE(at(7), QPoint(30, 30));
    release(Qt::LeftButton, 201, 150);
}

void TestMouse::redrawOnlyOnChangeWithSecondHalf() {
    // Each redraw advances the preview's jitter while repeated points are shown hot.
    win::hotPointCheck(*f)->setChecked(true);
    put({{3, 50, 60}});
    const uint32_t start = f->jitter.state();
    QVERIFY(hover(50, 61));  // finds a point, changes nothing
    QVERIFY(hover(150, 150));
    QCOMPARE(f->jitter.state(), start);
    f->editor().setPoint(3, 55, f->editor().FigureY()[3]);  // changed elsewhere: drawn at the next move
    QVERIFY(hover(150, 151));
    QVERIFY(f->jitter.state() != start);

    // In the "128" mode the second half follows a drag before the copy is taken.
    f->editor().setHalf128(true);
    press(Qt::LeftButton, 55, 60);
    drag(70, 90);
    release(Qt::LeftButton, 70, 90);
    QCOMPARE(at(3), QPoint(70, 90));
    lp::Coords x = f->editor().FigureX(), y = f->editor().FigureY();
    lp::MadeHalf(x, y, true, win::mirrGorButton(*f)->Down(), win::mirrVertButton(*f)->Down());
    QCOMPARE(f->editor().FigureX(), x);
    QCOMPARE(f->editor().FigureY(), y);
    QCOMPARE(f->editor().data().LastX, f->editor().FigureX());
    QCOMPARE(f->editor().data().LastY, f->editor().FigureY());
}

void TestMouse::areaSelectionNormalisesAndStopsAtBorder() {
    f->editor().state().AreaMode = true;
    win::hotPointCheck(*f)->setChecked(true);
    // 10..14 inside the rectangle (100, 50)-(200, 200), bounds included; 15..18 just outside.
    put({{10, 100, 50}, {11, 200, 200}, {12, 100, 200}, {13, 200, 50}, {14, 150, 120}});
    put({{15, 99, 50}, {16, 201, 100}, {17, 150, 49}, {18, 150, 201}});

    // Stretched with the right button, redrawn on every move, stored as stretched.
    press(Qt::RightButton, 200, 200);
    QCOMPARE(cursor(), Qt::ArrowCursor);
    const uint32_t seen = f->jitter.state();
    drag(100, 50);
    QVERIFY(f->jitter.state() != seen);
    release(Qt::RightButton, 100, 50);
    QCOMPARE(area(), Corners(200, 200, 100, 50));

    // The next left press normalises it and selects the points inside.
    press(Qt::LeftButton, 20, 30);
    QCOMPARE(cursor(), Qt::SizeAllCursor);
    QCOMPARE(area(), Corners(100, 50, 200, 200));
    for (int k = 0; k < lp::kPointCount; ++k)
        QCOMPARE(f->editor().data().SelectMask[k], uint8_t(k >= 10 && k < 15));

    // 80 to the right with room for 55, 2 down: stopped at the border.
    drag(100, 32);
    QCOMPARE(area(), Corners(155, 52, 255, 202));
    QCOMPARE(at(11), QPoint(255, 202));
    QCOMPARE(f->editor().FigureX()[15], 99);
    QCOMPARE(f->editor().data().LastX, f->editor().FigureX());  // drawn

    // Back 5 to the left: moves at once.
    drag(95, 32);
    QCOMPARE(area(), Corners(150, 52, 250, 202));
    QCOMPARE(at(11), QPoint(250, 202));
    release(Qt::LeftButton, 95, 32);
    QCOMPARE(cursor(), Qt::SizeAllCursor);  // a release in area mode keeps it
}

void TestMouse::everyPressEnablesUndo() {
    for (bool area : {false, true}) {
        for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
            f->editor().state().AreaMode = area;
            f->FromUndo();
            QVERIFY(!f->UndoEnabled());
            const bool direct = win::directButton(*f)->Down();
            press(button, 150, 150);
            QVERIFY2(f->UndoEnabled(),
                     qPrintable(QStringLiteral("area %1 button %2").arg(area).arg(int(button))));
            if (button == Qt::MiddleButton) {  // and nothing else
                QCOMPARE(win::directButton(*f)->Down(), direct);
                QCOMPARE(f->editor().state().DragMode, 0);
            }
            release(button, 150, 150);
        }
    }
}

void TestMouse::doubleClickSwitchesModeForSecondPress() {
    QStringList seen;
    connect(box(), &lp::PaintBox::pressed, f, [&] { seen << QStringLiteral("press"); });
    connect(box(), &lp::PaintBox::released, f, [&] { seen << QStringLiteral("release"); });
    connect(box(), &lp::PaintBox::doubleClicked, f, [&] { seen << QStringLiteral("dblclick"); });
    auto doubleClick = [&](int fx, int fy) {
        seen.clear();
        QTest::mouseDClick(f->windowHandle(), Qt::LeftButton, {}, box()->mapTo(f, Px(fx, fy)));
        return seen == QStringList{"press", "release", "dblclick", "press", "release"};
    };
    put({{5, 100, 100}, {6, 90, 80}});
    std::tie(f->editor().state().AreaX1, f->editor().state().AreaY1, f->editor().state().AreaX2,
             f->editor().state().AreaY2) = std::tuple(120, 120, 80, 95);

    // Normal to area: the first press picks, the second selects in the
    // normalised rectangle.
    QVERIFY(doubleClick(100, 101));
    QVERIFY(f->editor().state().AreaMode);
    QCOMPARE(f->editor().state().CurrentPoint, 5);
    QCOMPARE(area(), Corners(80, 95, 120, 120));
    QCOMPARE(f->editor().data().SelectMask[5], 1);

    // Area to normal: the second press picks a point.
    QVERIFY(doubleClick(91, 80));
    QVERIFY(!f->editor().state().AreaMode);
    QCOMPARE(f->editor().state().CurrentPoint, 6);
}

void TestMouse::pointLabelFallsBackOnce() {
    QTimer* timer = f->TimerPointOff;
    QLabel* label = win::pointLabel(*f);
    QCOMPARE(timer->interval(), 2000);
    put({{1, 50, 50}, {2, 150, 50}});

    // A hit starts the timer; later hits keep its period running.
    timer->stop();
    QVERIFY(hover(50, 51));
    QVERIFY(timer->isActive());
    QTest::qWait(300);
    const int left = timer->remainingTime();  // a coarse timer may round by 5 %
    QVERIFY2(left < 1900, qPrintable(QString::number(left)));
    QVERIFY(hover(150, 51));
    QVERIFY(timer->remainingTime() <= left);

    // Hits in the other direction do not start it.
    timer->stop();
    win::directButton(*f)->SetDown(true);
    QVERIFY(hover(50, 52));
    QCOMPARE(label->text(), QStringLiteral(" Point 2"));
    QVERIFY(!timer->isActive());
    win::directButton(*f)->SetDown(false);

    // Shortened here: the label falls back once and the timer stops.
    timer->setInterval(100);
    QVERIFY(hover(150, 52));
    QTRY_COMPARE_WITH_TIMEOUT(label->text(), QStringLiteral("Точка ?"), 1000);
    QVERIFY(!timer->isActive());
}

QTEST_MAIN(TestMouse)
#include "test_mouse.moc"
