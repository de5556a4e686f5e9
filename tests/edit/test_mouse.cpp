// Mouse editing on the field, driven by real mouse events on the paint box:
// hover search, picking and dragging, area selection and moves, the double
// click, undo and the hover label's timer.
#include <QCheckBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include "app/baseform.h"
#include "app/controls.h"
#include "edit/editcore.h"
#include "shapes/generators.h"
#include "ui_baseform.h"

namespace {

// Pixel of the paint box that shows field position (fx, fy).
QPoint Px(int fx, int fy) {
    return QPoint(2 * fx, 2 * fy);
}

// A move without buttons, as the pointer gives it; true when the paint box got it.
bool Hover(TBaseForm& form, QPoint pixel) {
    QSignalSpy spy(form.ui->PaintBoxDraw, &PaintBox::moved);
    QTest::mouseMove(form.ui->PaintBoxDraw, pixel);
    return spy.count() == 1 && spy.at(0).at(0).toPoint() == pixel;
}

void Press(TBaseForm& form, Qt::MouseButton button, QPoint pixel) {
    QTest::mousePress(form.ui->PaintBoxDraw, button, {}, pixel);
}
// With a button held the paint box has the mouse: positions may lie anywhere.
void Drag(TBaseForm& form, QPoint pixel) {
    QTest::mouseMove(form.ui->PaintBoxDraw, pixel);
}
void Release(TBaseForm& form, Qt::MouseButton button, QPoint pixel) {
    QTest::mouseRelease(form.ui->PaintBoxDraw, button, {}, pixel);
}

// All points parked in the top left corner, away from the positions used, and
// the change-detection copy in step so that the next move draws nothing.
void Park(TBaseForm& form) {
    form.FigureX.fill(2);
    form.FigureY.fill(2);
    lp::TakeLastCopy(form.data);
}

void SetPoint(TBaseForm& form, int i, int x, int y) {
    form.FigureX[i] = uint8_t(x);
    form.FigureY[i] = uint8_t(y);
}

Qt::CursorShape FieldCursor(TBaseForm& form) {
    return form.ui->PaintBoxDraw->cursor().shape();
}

}  // namespace

class TestMouse : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void hoverSearchDirectionReachAndHalf();
    void dragClampsAndUndoRestores();
    void dragFromEmptyFieldCatchesPoint();
    void onlyChangesRedraw();
    void dragInHalfModeDerivesSecondHalf();
    void areaRectangleNormalisedOnLeftPress();
    void selectionStopsAtBorderAndMovesBack();
    void everyPressEnablesUndo();
    void doubleClickSwitchesModeForSecondPress();
    void pointLabelFallsBackOnce();

  private:
    std::unique_ptr<TBaseForm> form_;
};

void TestMouse::init() {
    form_ = std::make_unique<TBaseForm>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    Park(*form_);
}

void TestMouse::cleanup() {
    // A failed check may leave a button held, which would turn later hover
    // moves into drags.
    QTestPrivate::qtestMouseButtons = Qt::NoButton;
    form_.reset();
}

void TestMouse::hoverSearchDirectionReachAndHalf() {
    TBaseForm& form = *form_;
    QLabel* label = form.ui->LabelPoint;
    SetPoint(form, 5, 100, 100);
    SetPoint(form, 9, 100, 100);
    lp::TakeLastCopy(form.data);

    // Direction up: the highest index wins.
    QVERIFY(!form.ui->SpeedButtonDirect->Down());
    QVERIFY(Hover(form, Px(102, 97)));
    QCOMPARE(form.state.HoverPoint, 9);
    QCOMPARE(label->text(), QStringLiteral("Точка 10"));
    QCOMPARE(form.ui->LabelPosX->text(), QStringLiteral("X = 102"));
    QCOMPARE(form.ui->LabelPosY->text(), QStringLiteral("Y = 158"));

    // A right press flips the direction: the lowest index wins.
    Press(form, Qt::RightButton, Px(102, 97));
    Release(form, Qt::RightButton, Px(102, 97));
    QVERIFY(form.ui->SpeedButtonDirect->Down());
    QVERIFY(Hover(form, Px(103, 97)));
    QCOMPARE(form.state.HoverPoint, 5);
    QCOMPARE(label->text(), QStringLiteral(" Point 6"));

    // Reach 3 on each axis; out of reach the last hit stays on the label.
    QVERIFY(Hover(form, Px(104, 100)));
    QCOMPARE(form.state.HoverPoint, lp::NoHoverPoint);
    QCOMPARE(label->text(), QStringLiteral(" Point 6"));
    QVERIFY(Hover(form, Px(100, 96)));
    QCOMPARE(form.state.HoverPoint, lp::NoHoverPoint);
    QVERIFY(Hover(form, Px(103, 103)));
    QCOMPARE(form.state.HoverPoint, 5);

    // The position labels fit their texts, also texts shown before and after a
    // change of font.
    QLabel* posX = form.ui->LabelPosX;
    QVERIFY(Hover(form, Px(1, 150)));
    const QSize narrow = posX->size();
    QVERIFY(Hover(form, Px(102, 150)));
    QCOMPARE(posX->size(), posX->sizeHint());
    QVERIFY(posX->width() > narrow.width());
    QFont large = posX->font();
    if (large.pointSize() > 0)
        large.setPointSize(large.pointSize() * 3);
    else
        large.setPixelSize(large.pixelSize() * 3);
    posX->setFont(large);
    QVERIFY(Hover(form, Px(1, 151)));
    QCOMPARE(posX->size(), posX->sizeHint());
    QVERIFY(posX->width() > narrow.width());

    // In the "128" mode only points 0..127 can be found.
    SetPoint(form, 200, 60, 60);
    lp::TakeLastCopy(form.data);
    QVERIFY(Hover(form, Px(61, 60)));
    QCOMPARE(form.state.HoverPoint, 200);
    form.ui->SpeedButton128->SetDown(true);
    label->setText(QStringLiteral("-"));
    QVERIFY(Hover(form, Px(60, 61)));
    QCOMPARE(form.state.HoverPoint, lp::NoHoverPoint);
    QCOMPARE(label->text(), QStringLiteral("-"));
}

void TestMouse::dragClampsAndUndoRestores() {
    TBaseForm& form = *form_;
    SetPoint(form, 3, 50, 60);
    SetPoint(form, 4, 150, 60);
    lp::TakeLastCopy(form.data);
    const lp::Coords beforeX = form.FigureX, beforeY = form.FigureY;

    Press(form, Qt::LeftButton, Px(51, 61));
    QCOMPARE(form.state.DragMode, 1);
    QCOMPARE(form.state.CurrentPoint, 3);
    QCOMPARE(form.ui->LabelInsdel->text(), QStringLiteral("4"));
    QCOMPARE(FieldCursor(form), Qt::DragMoveCursor);

    // Across another point: the caught one stays caught.
    Drag(form, Px(150, 61));
    QCOMPARE(form.FigureX[3], 150);
    QCOMPARE(form.FigureX[4], 150);
    QCOMPARE(form.state.HoverPoint, 3);

    // Far outside while captured: clamped to the field.
    Drag(form, QPoint(1023, -5));
    QCOMPARE(form.FigureX[3], 255);
    QCOMPARE(form.FigureY[3], 0);
    QCOMPARE(form.ui->LabelPosX->text(), QStringLiteral("X = 255"));
    QCOMPARE(form.ui->LabelPosY->text(), QStringLiteral("Y = 255"));
    Drag(form, QPoint(-1, 513));
    QCOMPARE(form.FigureX[3], 0);
    QCOMPARE(form.FigureY[3], 255);

    Release(form, Qt::LeftButton, QPoint(-1, 513));
    QCOMPARE(form.state.DragMode, 0);
    QCOMPARE(form.state.HoverPoint, lp::NoHoverPoint);
    QCOMPARE(form.ui->LabelPoint->text(), QStringLiteral(" "));
    QCOMPARE(FieldCursor(form), Qt::ArrowCursor);

    // Moves after the release leave the point where it was dropped.
    QVERIFY(Hover(form, Px(20, 20)));
    QCOMPARE(form.FigureX[3], 0);

    // The undo copy was taken at the press.
    QVERIFY(form.UndoEnabled());
    form.SpeedButtonUndoClick();
    QCOMPARE(form.FigureX, beforeX);
    QCOMPARE(form.FigureY, beforeY);
}

void TestMouse::dragFromEmptyFieldCatchesPoint() {
    TBaseForm& form = *form_;
    SetPoint(form, 7, 30, 30);
    SetPoint(form, 20, 100, 100);
    lp::TakeLastCopy(form.data);

    // Nothing picked yet: the number shown is that of "no point" plus one.
    form.ui->SpeedButtonCucle->SetDown(true);
    form.state.MakeMode = lp::MakeCircle;
    Press(form, Qt::LeftButton, Px(60, 60));
    QCOMPARE(form.ui->LabelInsdel->text(), QStringLiteral("501"));
    QCOMPARE(form.state.CurrentPoint, lp::NoCurrentPoint);
    QVERIFY(form.ui->SpeedButtonOffMade->Down());
    QVERIFY(!form.ui->SpeedButtonCucle->Down());
    QCOMPARE(form.state.MakeMode, lp::MakeNone);
    Release(form, Qt::LeftButton, Px(60, 60));

    Press(form, Qt::LeftButton, Px(30, 31));
    Release(form, Qt::LeftButton, Px(30, 31));
    QCOMPARE(form.state.CurrentPoint, 7);

    // From empty field: the first point within reach is caught and carried.
    Press(form, Qt::LeftButton, Px(60, 60));
    QCOMPARE(form.ui->LabelInsdel->text(), QStringLiteral("8"));
    Drag(form, Px(90, 90));
    QCOMPARE(form.state.HoverPoint, lp::NoHoverPoint);
    Drag(form, Px(98, 97));
    QCOMPARE(form.state.HoverPoint, 20);
    QCOMPARE(form.FigureX[20], 98);
    QCOMPARE(form.FigureY[20], 97);
    Drag(form, Px(140, 10));
    QCOMPARE(form.FigureX[20], 140);
    QCOMPARE(form.FigureY[20], 10);
    Release(form, Qt::LeftButton, Px(140, 10));
    QCOMPARE(form.state.CurrentPoint, 7);

    // A press away from where the last hover found a point picks nothing, so
    // no point jumps to the cursor on the next move.
    QVERIFY(Hover(form, Px(30, 30)));
    QCOMPARE(form.state.HoverPoint, 7);
    Press(form, Qt::LeftButton, Px(200, 150));
    QCOMPARE(form.state.HoverPoint, lp::NoHoverPoint);
    Drag(form, Px(201, 150));
    QCOMPARE(form.FigureX[7], 30);
    QCOMPARE(form.FigureY[7], 30);
    Release(form, Qt::LeftButton, Px(201, 150));
}

void TestMouse::onlyChangesRedraw() {
    // Each redraw advances the preview's jitter while repeated points are
    // shown hot, which tells whether a move redrew.
    TBaseForm& form = *form_;
    form.ui->CheckBoxHotPoint->setChecked(true);
    SetPoint(form, 1, 100, 100);
    lp::TakeLastCopy(form.data);
    uint32_t seen = form.jitter.state();

    QVERIFY(Hover(form, Px(150, 150)));
    QVERIFY(Hover(form, Px(100, 101)));  // finds a point, changes nothing
    QCOMPARE(form.jitter.state(), seen);

    // A figure changed elsewhere is drawn at the next move.
    form.FigureX[1] = 110;
    QVERIFY(Hover(form, Px(150, 151)));
    QVERIFY(form.jitter.state() != seen);
    QCOMPARE(form.data.LastX, form.FigureX);

    // A drag step that moves the point redraws; one within the same unit does not.
    Press(form, Qt::LeftButton, Px(110, 100));
    Drag(form, Px(120, 100));
    seen = form.jitter.state();
    Drag(form, Px(120, 100) + QPoint(1, 1));
    QCOMPARE(form.jitter.state(), seen);
    Drag(form, Px(121, 100));
    QVERIFY(form.jitter.state() != seen);
    Release(form, Qt::LeftButton, Px(121, 100));

    // Stretching the area rectangle redraws on every move.
    form.state.AreaMode = true;
    Press(form, Qt::RightButton, Px(10, 10));
    seen = form.jitter.state();
    Drag(form, Px(10, 10));
    QVERIFY(form.jitter.state() != seen);
    Release(form, Qt::RightButton, Px(10, 10));
}

void TestMouse::dragInHalfModeDerivesSecondHalf() {
    TBaseForm& form = *form_;
    form.ui->SpeedButton128->SetDown(true);
    SetPoint(form, 3, 50, 60);
    lp::TakeLastCopy(form.data);

    Press(form, Qt::LeftButton, Px(50, 60));
    Drag(form, Px(70, 90));
    Release(form, Qt::LeftButton, Px(70, 90));
    QCOMPARE(form.FigureX[3], 70);
    QCOMPARE(form.FigureY[3], 90);
    // The second half follows the first before the copy is taken and drawn.
    lp::Coords x = form.FigureX, y = form.FigureY;
    lp::MadeHalf(x, y, true, form.ui->SpeedButtonMirrGor->Down(), form.ui->SpeedButtonmirrVert->Down());
    QCOMPARE(form.FigureX, x);
    QCOMPARE(form.FigureY, y);
    QVERIFY(form.FigureX[252] != 2 || form.FigureY[252] != 2);
    QCOMPARE(form.data.LastX, form.FigureX);
    QCOMPARE(form.data.LastY, form.FigureY);
}

void TestMouse::areaRectangleNormalisedOnLeftPress() {
    TBaseForm& form = *form_;
    form.state.AreaMode = true;
    const QList<QPoint> inside = {{100, 50}, {200, 200}, {100, 200}, {200, 50}, {150, 120}};
    const QList<QPoint> outside = {{99, 50}, {201, 100}, {150, 49}, {150, 201}};
    int i = 10;
    for (QPoint p : inside) SetPoint(form, i++, p.x(), p.y());
    for (QPoint p : outside) SetPoint(form, i++, p.x(), p.y());
    lp::TakeLastCopy(form.data);

    Press(form, Qt::RightButton, Px(200, 200));
    QCOMPARE(form.state.DragMode, 2);
    QCOMPARE(FieldCursor(form), Qt::ArrowCursor);
    Drag(form, Px(100, 50));
    Release(form, Qt::RightButton, Px(100, 50));
    // Stored as stretched until the next left press.
    QCOMPARE(form.state.AreaX1, 200);
    QCOMPARE(form.state.AreaY1, 200);
    QCOMPARE(form.state.AreaX2, 100);
    QCOMPARE(form.state.AreaY2, 50);

    Press(form, Qt::LeftButton, Px(20, 30));
    QCOMPARE(form.state.DragMode, 1);
    QCOMPARE(FieldCursor(form), Qt::SizeAllCursor);
    QCOMPARE(form.state.AreaX1, 100);
    QCOMPARE(form.state.AreaY1, 50);
    QCOMPARE(form.state.AreaX2, 200);
    QCOMPARE(form.state.AreaY2, 200);
    QCOMPARE(form.state.DragStartX, 20);
    QCOMPARE(form.state.DragStartY, 30);
    for (int k = 0; k < lp::PointCount; ++k) QCOMPARE(form.data.SelectMask[k], uint8_t(k >= 10 && k < 15));
    Release(form, Qt::LeftButton, Px(20, 30));
    QCOMPARE(form.state.DragMode, 0);
    QCOMPARE(FieldCursor(form), Qt::SizeAllCursor);  // unchanged by a release in area mode
}

void TestMouse::selectionStopsAtBorderAndMovesBack() {
    TBaseForm& form = *form_;
    form.state.AreaMode = true;
    form.state.AreaX1 = 10;
    form.state.AreaY1 = 40;
    form.state.AreaX2 = 30;
    form.state.AreaY2 = 60;
    SetPoint(form, 1, 10, 40);
    SetPoint(form, 2, 20, 50);
    SetPoint(form, 3, 31, 50);  // outside
    lp::TakeLastCopy(form.data);

    Press(form, Qt::LeftButton, Px(100, 100));
    Drag(form, Px(70, 100));  // 30 to the left, room for 10
    QCOMPARE(form.state.AreaX1, 0);
    QCOMPARE(form.state.AreaX2, 20);
    QCOMPARE(form.FigureX[1], 0);
    QCOMPARE(form.FigureX[2], 10);
    QCOMPARE(form.FigureX[3], 31);
    QCOMPARE(form.data.LastX, form.FigureX);  // drawn

    Drag(form, Px(75, 102));  // back 5 to the right, 2 down: moves at once
    QCOMPARE(form.state.AreaX1, 5);
    QCOMPARE(form.state.AreaX2, 25);
    QCOMPARE(form.FigureX[1], 5);
    QCOMPARE(form.FigureX[2], 15);
    QCOMPARE(form.FigureY[1], 42);
    QCOMPARE(form.FigureY[2], 52);
    QCOMPARE(form.FigureY[3], 50);
    QCOMPARE(FieldCursor(form), Qt::SizeAllCursor);
    Release(form, Qt::LeftButton, Px(75, 102));
}

void TestMouse::everyPressEnablesUndo() {
    TBaseForm& form = *form_;
    const QPoint empty = Px(150, 150);
    for (bool area : {false, true}) {
        for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
            form.state.AreaMode = area;
            form.FromUndo();
            QVERIFY(!form.UndoEnabled());
            const bool direct = form.ui->SpeedButtonDirect->Down();
            const int dragMode = form.state.DragMode;
            Press(form, button, empty);
            QVERIFY2(form.UndoEnabled(),
                     qPrintable(QStringLiteral("area %1 button %2").arg(area).arg(int(button))));
            if (button == Qt::MiddleButton) {
                QCOMPARE(form.ui->SpeedButtonDirect->Down(), direct);
                QCOMPARE(form.state.DragMode, dragMode);
            }
            Release(form, button, empty);
        }
    }
}

void TestMouse::doubleClickSwitchesModeForSecondPress() {
    TBaseForm& form = *form_;
    QStringList seen;
    PaintBox* box = form.ui->PaintBoxDraw;
    connect(box, &PaintBox::pressed, &form, [&] { seen << QStringLiteral("press"); });
    connect(box, &PaintBox::released, &form, [&] { seen << QStringLiteral("release"); });
    connect(box, &PaintBox::doubleClicked, &form, [&] { seen << QStringLiteral("dblclick"); });
    auto doubleClick = [&](QPoint pixel) {
        seen.clear();
        const QPoint inWindow = box->mapTo(box->window(), pixel);
        QTest::mouseDClick(form.windowHandle(), Qt::LeftButton, {}, inWindow);
        return seen == QStringList{"press", "release", "dblclick", "press", "release"};
    };

    // Normal to area: the second press moves the selection of the current,
    // reversed, rectangle.
    SetPoint(form, 5, 100, 100);
    SetPoint(form, 6, 90, 80);
    lp::TakeLastCopy(form.data);
    form.state.AreaX1 = 120;
    form.state.AreaY1 = 120;
    form.state.AreaX2 = 80;
    form.state.AreaY2 = 95;
    QVERIFY(doubleClick(Px(100, 101)));
    QVERIFY(form.state.AreaMode);
    QCOMPARE(form.state.CurrentPoint, 5);  // picked by the first press
    QCOMPARE(form.state.AreaX1, 80);
    QCOMPARE(form.state.AreaY1, 95);
    QCOMPARE(form.state.AreaX2, 120);
    QCOMPARE(form.state.AreaY2, 120);
    QCOMPARE(form.data.SelectMask[5], 1);
    QCOMPARE(form.data.SelectMask[6], 0);
    QCOMPARE(form.state.DragStartX, 100);
    QCOMPARE(form.state.DragStartY, 101);
    QCOMPARE(form.state.DragMode, 0);
    QCOMPARE(FieldCursor(form), Qt::SizeAllCursor);
    QCOMPARE(form.FigureX[5], 100);
    QCOMPARE(form.FigureY[5], 100);

    // Area to normal: the second press picks a point.
    QVERIFY(doubleClick(Px(91, 80)));
    QVERIFY(!form.state.AreaMode);
    QCOMPARE(form.state.CurrentPoint, 6);
    QCOMPARE(form.ui->LabelInsdel->text(), QStringLiteral("7"));
    QCOMPARE(form.state.DragMode, 0);
    QCOMPARE(FieldCursor(form), Qt::ArrowCursor);
    QCOMPARE(form.FigureX[6], 90);  // a press alone moves nothing
}

void TestMouse::pointLabelFallsBackOnce() {
    TBaseForm& form = *form_;
    QTimer* timer = form.TimerPointOff;
    QLabel* label = form.ui->LabelPoint;
    QCOMPARE(timer->interval(), 2000);
    SetPoint(form, 1, 50, 50);
    SetPoint(form, 2, 150, 50);
    lp::TakeLastCopy(form.data);

    // A hit starts the timer; later hits keep its period running.
    timer->stop();
    QVERIFY(Hover(form, Px(50, 51)));
    QCOMPARE(label->text(), QStringLiteral("Точка 2"));
    QVERIFY(timer->isActive());
    QTest::qWait(300);
    const int left = timer->remainingTime();  // a coarse timer may round by 5 %
    QVERIFY2(left < 1900, qPrintable(QString::number(left)));
    QVERIFY(Hover(form, Px(150, 51)));
    QCOMPARE(label->text(), QStringLiteral("Точка 3"));
    QVERIFY(timer->remainingTime() <= left);

    // Hits in the other direction do not start it.
    timer->stop();
    form.ui->SpeedButtonDirect->SetDown(true);
    QVERIFY(Hover(form, Px(50, 52)));
    QCOMPARE(label->text(), QStringLiteral(" Point 2"));
    QVERIFY(!timer->isActive());
    form.ui->SpeedButtonDirect->SetDown(false);

    // Shortened here: the label falls back once and the timer stops.
    timer->setInterval(100);
    QVERIFY(Hover(form, Px(150, 52)));
    QVERIFY(timer->isActive());
    QVERIFY(Hover(form, Px(150, 53)));
    QTRY_COMPARE_WITH_TIMEOUT(label->text(), QStringLiteral("Точка ?"), 1000);
    QVERIFY(!timer->isActive());
    label->setText(QStringLiteral("-"));
    QTest::qWait(250);
    QCOMPARE(label->text(), QStringLiteral("-"));
    QVERIFY(Hover(form, Px(149, 51)));
    QVERIFY(timer->isActive());
}

QTEST_MAIN(TestMouse)
#include "test_mouse.moc"
