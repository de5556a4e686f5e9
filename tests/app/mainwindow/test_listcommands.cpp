// The point list commands on the real window: buttons, bars, undo and what the
// field shows afterwards.
#include <QScrollBar>
#include <QtTest>

#include "app/baseform.h"
#include "edit/editcore.h"
#include "ui_baseform.h"
#include "view/renderer.h"
#include "widgets/speedbutton.h"

class TestListCommands : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup() { form_.reset(); }
    void insertAndDeleteTakeUndo();
    void insertWithNothingPicked();
    void startPointMovesWithoutUndo();
    void normalisationUsesInterpolatorLength();
    void barsShowTheirPositions();

  private:
    // Points on a 16 x 16 grid, 12 units apart, row by row.
    void ramp() {
        for (int i = 0; i < lp::kPointCount; ++i) {
            f->FigureX[i] = uint8_t(40 + (i % 16) * 12);
            f->FigureY[i] = uint8_t(40 + (i / 16) * 12);
        }
        f->FullReturn(1);
    }
    // A pixel of the field near the point (fx, fy), off the lines through it.
    QColor fieldNear(int fx, int fy, int dx, int dy) const {
        return f->ui->PaintBoxDraw->image().pixelColor(2 * fx + dx, 2 * fy + dy);
    }
    void pressRotate(Qt::MouseButton button) {
        QTest::mousePress(f->ui->SpeedButtonRotatePoints, button, {}, QPoint(5, 5));
        QTest::mouseRelease(f->ui->SpeedButtonRotatePoints, button, {}, QPoint(5, 5));
    }

    std::unique_ptr<TBaseForm> form_;
    TBaseForm* f = nullptr;
};

void TestListCommands::init() {
    form_ = std::make_unique<TBaseForm>();
    f = form_.get();
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f));
}

void TestListCommands::insertAndDeleteTakeUndo() {
    f->ui->ScrollBarMode->setValue(12);
    ramp();
    f->FigureX[10] = 250;
    f->FigureY[10] = 3;
    const lp::Coords x0 = f->FigureX, y0 = f->FigureY;
    f->state.CurrentPoint = 10;

    // Offset +7 wraps; the copy stays where the point was.
    f->FromUndo();
    f->FigureX = x0;
    f->FigureY = y0;
    f->ui->SpeedButtonInsertPoint->click();
    QVERIFY(f->UndoEnabled());
    QCOMPARE(QPoint(f->FigureX[10], f->FigureY[10]), QPoint(1, 10));
    QCOMPARE(QPoint(f->FigureX[11], f->FigureY[11]), QPoint(250, 3));
    QCOMPARE(f->FigureX[255], x0[254]);
    QCOMPARE(fieldNear(1, 10, -2, 1), lp::colors::kCurrentPoint);  // drawn, still the current point
    QCOMPARE(f->state.CurrentPoint, 10);
    f->SpeedButtonUndoClick();
    QCOMPARE(f->FigureX, x0);
    QCOMPARE(f->FigureY, y0);

    // Delete, then undo.
    f->ui->SpeedButtonDeletePoint->click();
    QCOMPARE(f->FigureX[10], x0[11]);
    QCOMPARE(f->FigureX[254], x0[255]);
    QCOMPARE(f->FigureX[255], x0[255]);
    f->SpeedButtonUndoClick();
    QCOMPARE(f->FigureX, x0);

    // From 253 on: nothing changes but the undo button.
    f->state.CurrentPoint = 253;
    f->ui->SpeedButtonDeletePoint->click();
    QVERIFY(f->UndoEnabled());
    QCOMPARE(f->FigureX, x0);
    QCOMPARE(f->FigureY, y0);
}

void TestListCommands::insertWithNothingPicked() {
    f->ui->CheckBoxHotPoint->setChecked(true);  // each redraw advances the jitter: all points repeat
    QCOMPARE(f->state.CurrentPoint, lp::kNoCurrentPoint);
    const lp::FigureData before = f->data;
    for (lp::SpeedButton* button : {f->ui->SpeedButtonInsertPoint, f->ui->SpeedButtonDeletePoint}) {
        f->FromUndo();
        const uint32_t seen = f->jitter.state();
        button->click();
        QVERIFY(f->UndoEnabled());
        QVERIFY(f->jitter.state() != seen);
        QCOMPARE(f->FigureX, before.FigureX);
        QCOMPARE(f->FigureY, before.FigureY);
    }
}

void TestListCommands::startPointMovesWithoutUndo() {
    ramp();
    const lp::Coords x0 = f->FigureX, y0 = f->FigureY;
    f->FromUndo();
    f->FigureX = x0;
    f->FigureY = y0;

    // Left: the old point 1 starts the contour and carries the start marker.
    pressRotate(Qt::LeftButton);
    QCOMPARE(f->FigureX[0], x0[1]);
    QCOMPARE(f->FigureX[255], x0[0]);
    QCOMPARE(fieldNear(x0[1], y0[1], -4, -4), lp::colors::kFirstPoint);
    QVERIFY(!f->UndoEnabled());

    // Right, then middle: back by one each.
    pressRotate(Qt::RightButton);
    QCOMPARE(f->FigureX, x0);
    QCOMPARE(f->FigureY, y0);
    pressRotate(Qt::MiddleButton);
    QCOMPARE(f->FigureX[0], x0[255]);
    QCOMPARE(f->FigureY[1], y0[0]);
    QVERIFY(!f->UndoEnabled());

    // A double click is two presses: two points.
    QWidget* button = f->ui->SpeedButtonRotatePoints;
    QTest::mouseDClick(f->windowHandle(), Qt::LeftButton, {}, button->mapTo(f, QPoint(5, 5)));
    QCOMPARE(f->FigureX[0], x0[1]);
    QVERIFY(!f->UndoEnabled());
}

void TestListCommands::normalisationUsesInterpolatorLength() {
    f->FigureX.fill(10);
    f->FigureX[0] = 0;
    f->FigureY.fill(100);
    f->FigureY[100] = 130;
    const lp::Coords x0 = f->FigureX, y0 = f->FigureY;
    QCOMPARE(f->ui->ScrollBarInter->value(), 3);
    f->ui->SpeedButtonNormalPoints->click();
    const uint8_t head[] = {7, 4, 6, 9, 10};
    for (int i = 0; i < 5; ++i) QCOMPARE(f->FigureX[i], head[i]);
    QCOMPARE(f->FigureY[100], uint8_t(103));
    QCOMPARE(f->FigureY[101], uint8_t(100));

    f->SpeedButtonUndoClick();
    QCOMPARE(f->FigureX, x0);
    QCOMPARE(f->FigureY, y0);
    f->ui->ScrollBarInter->setValue(12);
    f->ui->SpeedButtonNormalPoints->click();
    QCOMPARE(f->FigureX[0], 0);
    QCOMPARE(f->FigureY[100], uint8_t(112));

    // The hidden recount button takes the undo copy and changes nothing.
    f->FromUndo();
    const lp::Coords y1 = f->FigureY;
    f->ui->SpeedButtonNormaliz->click();
    QVERIFY(f->UndoEnabled());
    QCOMPARE(f->FigureY, y1);
}

void TestListCommands::barsShowTheirPositions() {
    f->ui->ScrollBarPixel->setValue(127);
    QCOMPARE(f->ui->LabelPixel->text(), QStringLiteral("127"));
    f->ui->ScrollBarInter->setValue(1);
    QCOMPARE(f->ui->LabelInter->text(), QStringLiteral("1"));
    QCOMPARE(f->ui->LabelInter->size(), f->ui->LabelInter->sizeHint());
}

QTEST_MAIN(TestListCommands)
#include "test_listcommands.moc"
