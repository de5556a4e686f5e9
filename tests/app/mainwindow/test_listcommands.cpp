// The point list commands on the real window: buttons, bars, undo and what the
// field shows afterwards.
#include <QScrollBar>
#include <QtTest>

#include "app/baseform.h"
#include "edit/editcore.h"
#include "support/basewindow.h"
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
            f->editor().setPoint(i, uint8_t(40 + (i % 16) * 12), uint8_t(40 + (i / 16) * 12));
        }
        f->FullReturn(1);
    }
    // A pixel of the field near the point (fx, fy), off the lines through it.
    QColor fieldNear(int fx, int fy, int dx, int dy) const {
        return win::field(*f)->image().pixelColor(2 * fx + dx, 2 * fy + dy);
    }
    void pressRotate(Qt::MouseButton button) {
        QTest::mousePress(win::rotatePointsButton(*f), button, {}, QPoint(5, 5));
        QTest::mouseRelease(win::rotatePointsButton(*f), button, {}, QPoint(5, 5));
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
    win::modeBar(*f)->setValue(12);
    ramp();
    f->editor().setPoint(10, 250, 3);
    const lp::Coords x0 = f->editor().FigureX(), y0 = f->editor().FigureY();
    f->editor().state().CurrentPoint = 10;

    // Offset +7 wraps; the copy stays where the point was.
    f->FromUndo();
    f->editor().setFigure(x0, y0);
    win::insertPointButton(*f)->click();
    QVERIFY(f->UndoEnabled());
    QCOMPARE(QPoint(f->editor().FigureX()[10], f->editor().FigureY()[10]), QPoint(1, 10));
    QCOMPARE(QPoint(f->editor().FigureX()[11], f->editor().FigureY()[11]), QPoint(250, 3));
    QCOMPARE(f->editor().FigureX()[255], x0[254]);
    QCOMPARE(fieldNear(1, 10, -2, 1), lp::colors::kCurrentPoint);  // drawn, still the current point
    QCOMPARE(f->editor().state().CurrentPoint, 10);
    f->SpeedButtonUndoClick();
    QCOMPARE(f->editor().FigureX(), x0);
    QCOMPARE(f->editor().FigureY(), y0);

    // Delete, then undo.
    win::deletePointButton(*f)->click();
    QCOMPARE(f->editor().FigureX()[10], x0[11]);
    QCOMPARE(f->editor().FigureX()[254], x0[255]);
    QCOMPARE(f->editor().FigureX()[255], x0[255]);
    f->SpeedButtonUndoClick();
    QCOMPARE(f->editor().FigureX(), x0);

    // From 253 on: nothing changes but the undo button.
    f->editor().state().CurrentPoint = 253;
    win::deletePointButton(*f)->click();
    QVERIFY(f->UndoEnabled());
    QCOMPARE(f->editor().FigureX(), x0);
    QCOMPARE(f->editor().FigureY(), y0);
}

void TestListCommands::insertWithNothingPicked() {
    win::hotPointCheck(*f)->setChecked(true);  // each redraw advances the jitter: all points repeat
    QCOMPARE(f->editor().state().CurrentPoint, lp::kNoCurrentPoint);
    const lp::FigureData before = f->editor().data();
    for (lp::SpeedButton* button : {win::insertPointButton(*f), win::deletePointButton(*f)}) {
        f->FromUndo();
        const uint32_t seen = f->jitter.state();
        button->click();
        QVERIFY(f->UndoEnabled());
        QVERIFY(f->jitter.state() != seen);
        QCOMPARE(f->editor().FigureX(), before.FigureX);
        QCOMPARE(f->editor().FigureY(), before.FigureY);
    }
}

void TestListCommands::startPointMovesWithoutUndo() {
    ramp();
    const lp::Coords x0 = f->editor().FigureX(), y0 = f->editor().FigureY();
    f->FromUndo();
    f->editor().setFigure(x0, y0);

    // Left: the old point 1 starts the contour and carries the start marker.
    pressRotate(Qt::LeftButton);
    QCOMPARE(f->editor().FigureX()[0], x0[1]);
    QCOMPARE(f->editor().FigureX()[255], x0[0]);
    QCOMPARE(fieldNear(x0[1], y0[1], -4, -4), lp::colors::kFirstPoint);
    QVERIFY(!f->UndoEnabled());

    // Right, then middle: back by one each.
    pressRotate(Qt::RightButton);
    QCOMPARE(f->editor().FigureX(), x0);
    QCOMPARE(f->editor().FigureY(), y0);
    pressRotate(Qt::MiddleButton);
    QCOMPARE(f->editor().FigureX()[0], x0[255]);
    QCOMPARE(f->editor().FigureY()[1], y0[0]);
    QVERIFY(!f->UndoEnabled());

    // A double click is two presses: two points.
    QWidget* button = win::rotatePointsButton(*f);
    QTest::mouseDClick(f->windowHandle(), Qt::LeftButton, {}, button->mapTo(f, QPoint(5, 5)));
    QCOMPARE(f->editor().FigureX()[0], x0[1]);
    QVERIFY(!f->UndoEnabled());
}

void TestListCommands::normalisationUsesInterpolatorLength() {
    lp::Coords x, y;
    x.fill(10);
    x[0] = 0;
    y.fill(100);
    y[100] = 130;
    f->editor().setFigure(x, y);
    const lp::Coords x0 = f->editor().FigureX(), y0 = f->editor().FigureY();
    QCOMPARE(win::interBar(*f)->value(), 3);
    win::normalPointsButton(*f)->click();
    const uint8_t head[] = {7, 4, 6, 9, 10};
    for (int i = 0; i < 5; ++i) QCOMPARE(f->editor().FigureX()[i], head[i]);
    QCOMPARE(f->editor().FigureY()[100], uint8_t(103));
    QCOMPARE(f->editor().FigureY()[101], uint8_t(100));

    f->SpeedButtonUndoClick();
    QCOMPARE(f->editor().FigureX(), x0);
    QCOMPARE(f->editor().FigureY(), y0);
    win::interBar(*f)->setValue(12);
    win::normalPointsButton(*f)->click();
    QCOMPARE(f->editor().FigureX()[0], 0);
    QCOMPARE(f->editor().FigureY()[100], uint8_t(112));

    // The hidden recount button takes the undo copy and changes nothing.
    f->FromUndo();
    const lp::Coords y1 = f->editor().FigureY();
    win::normalizButton(*f)->click();
    QVERIFY(f->UndoEnabled());
    QCOMPARE(f->editor().FigureY(), y1);
}

void TestListCommands::barsShowTheirPositions() {
    win::pixelBar(*f)->setValue(127);
    QCOMPARE(win::pixelLabel(*f)->text(), QStringLiteral("127"));
    win::interBar(*f)->setValue(1);
    QCOMPARE(win::interLabel(*f)->text(), QStringLiteral("1"));
    QCOMPARE(win::interLabel(*f)->size(), win::interLabel(*f)->sizeHint());
}

QTEST_MAIN(TestListCommands)
#include "test_listcommands.moc"
