// The editor's keys, typed on the real window: shortcuts, moving the current
// point and the selection, stepping through the points, and keys that must not
// reach the editor.
#include <QMessageBox>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

#include "app/baseform.h"
#include "app/mainwindow/keyboard.h"
#include "edit/editcore.h"
#include "link/progform.h"
#include "support/basewindow.h"
#include "support/files.h"
#include "support/scripteddialogs.h"
#include "view/renderer.h"

class TestKeyboard : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void shortcutsRunTheirCommandsOnce();
    void arrowsMovePointClampedAndUndoAsOne();
    void otherCommandsEndTheSeries();
    void pageKeysStepAndWrap();
    void areaArrowsStopAtBorder();
    void arrowsWithoutCurrentPoint();
    void noKeysBehindDialogsOrOtherWindows();

  private:
    // Typed on the window: the key goes to whatever control has the focus.
    void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(f->windowHandle(), k, mods);
    }
    // A key held down: its press, then the auto-repeats the system sends.
    void hold(Qt::Key k, Qt::KeyboardModifiers mods, int repeats) {
        for (int i = 0; i <= repeats; ++i) {
            QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : f;
            if (i > 0) {
                QKeyEvent release(QEvent::KeyRelease, k, mods, QString(), true);
                QApplication::sendEvent(target, &release);
            }
            QKeyEvent press(QEvent::KeyPress, k, mods, QString(), i > 0);
            QApplication::sendEvent(target, &press);
        }
        QKeyEvent release(QEvent::KeyRelease, k, mods);
        QApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget() : f, &release);
    }
    QPoint at(int i) const { return QPoint(f->editor().FigureX()[i], f->editor().FigureY()[i]); }
    void put(int i, int x, int y) { f->editor().setPoint(i, uint8_t(x), uint8_t(y)); }
    // Points on a 16 x 16 grid, 12 units apart, row by row; the undo button up.
    void grid() {
        for (int i = 0; i < lp::kPointCount; ++i) put(i, 40 + (i % 16) * 12, 40 + (i / 16) * 12);
        f->editor().toUndo();  // the undo copy takes the grid, and undo turns off
        f->editor().fromUndo();
        f->FullReturn(1);
    }
    // A click on the field picks the point under it.
    void pick(int i) {
        const QPoint px(2 * f->editor().FigureX()[i], 2 * f->editor().FigureY()[i]);
        QTest::mouseClick(win::field(*f), Qt::LeftButton, {}, px);
        QCOMPARE(f->editor().state().CurrentPoint, i);
    }
    QColor fieldNear(QPoint p, int dx, int dy) const {
        return win::field(*f)->image().pixelColor(2 * p.x() + dx, 2 * p.y() + dy);
    }

    std::unique_ptr<TBaseForm> form_;
    TBaseForm* f = nullptr;
};

void TestKeyboard::init() {
    form_ = std::make_unique<TBaseForm>();
    f = form_.get();
    f->show();
    f->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f));
    grid();
}

void TestKeyboard::cleanup() {
    QTestPrivate::qtestMouseButtons = Qt::NoButton;
    form_.reset();
}

void TestKeyboard::shortcutsRunTheirCommandsOnce() {
    ScriptedDialogs answers;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("keys.kvt"));
    // Keys reach the editor from a focused control inside a panel as well.
    win::toolsPanel(*f)->show();
    win::interBar(*f)->setFocusPolicy(Qt::StrongFocus);
    win::interBar(*f)->setFocus();
    QTRY_VERIFY(win::interBar(*f)->hasFocus());

    hold(Qt::Key_O, Qt::ControlModifier, 3);  // cancelled; held, it opens one dialog only
    QCOMPARE(answers.fileDialogs.size(), 1);
    QCOMPARE(answers.fileDialogs[0].title, QStringLiteral("Открыть"));
    QVERIFY(f->UndoEnabled());  // the open command's undo copy

    answers.fileAnswers.enqueue(path);
    hold(Qt::Key_S, Qt::ControlModifier, 3);
    QCOMPARE(answers.fileDialogs.size(), 2);
    QCOMPARE(answers.fileDialogs[1].title, QStringLiteral("Сохранить как"));
    QCOMPARE(ReadBytes(path).size(), lp::kFileImageSize);
    QVERIFY(!f->UndoEnabled());

    // Undo does nothing while its button is disabled.
    put(0, 1, 1);
    key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(at(0), QPoint(1, 1));

    // Insert and Delete on the current point, once each.
    win::directButton(*f)->SetDown(false);
    pick(10);
    const lp::Coords x0 = f->editor().FigureX();
    key(Qt::Key_Insert);
    QCOMPARE(f->editor().FigureX()[11], x0[10]);
    QCOMPARE(f->editor().FigureX()[12], x0[11]);
    key(Qt::Key_Delete);
    QCOMPARE(f->editor().FigureX()[11], x0[11]);
    QCOMPARE(f->editor().FigureX()[12], x0[12]);
    QVERIFY(f->UndoEnabled());
    key(Qt::Key_Z, Qt::ControlModifier);  // the undo copy of the delete
    QCOMPARE(f->editor().FigureX()[12], x0[11]);
    QVERIFY(!f->UndoEnabled());

    // The ready-picture window, its button hidden.
    TProgForm prog;
    f->setAuxiliaryForms(nullptr, nullptr, &prog);
    int shown = 0;
    QTimer closer;
    connect(&closer, &QTimer::timeout, &prog, [&] {
        if (!prog.isVisible()) return;
        ++shown;
        prog.reject();
    });
    closer.start(10);
    hold(Qt::Key_R, Qt::ControlModifier, 3);
    QTest::qWait(50);
    QCOMPARE(shown, 1);
    QVERIFY(!win::ustProgramButton(*f)->isVisible());
    QCOMPARE(win::interBar(*f)->value(), 3);  // no key went to the bar
}

void TestKeyboard::arrowsMovePointClampedAndUndoAsOne() {
    put(5, 1, 254);
    f->FullReturn(1);
    pick(5);
    f->FromUndo();  // the press's undo copy is no longer there
    put(0, 9, 9);
    const lp::Coords x1 = f->editor().FigureX(), y1 = f->editor().FigureY();

    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        QPoint expect;
    } steps[] = {
        {Qt::Key_Left, Qt::NoModifier, {0, 254}},       {Qt::Key_Left, Qt::NoModifier, {0, 254}},
        {Qt::Key_Down, Qt::ShiftModifier, {0, 255}},    {Qt::Key_Right, Qt::ShiftModifier, {10, 255}},
        {Qt::Key_Up, Qt::NoModifier, {10, 254}},        {Qt::Key_Up, Qt::ShiftModifier, {10, 244}},
        {Qt::Key_Right, Qt::KeypadModifier, {11, 244}},
    };
    for (const auto& s : steps) {
        key(s.key, s.mods);
        QCOMPARE(at(5), s.expect);
    }
    QCOMPARE(win::posXLabel(*f)->text(), QStringLiteral("X = 11"));
    QCOMPARE(win::posYLabel(*f)->text(), QStringLiteral("Y = 11"));
    QCOMPARE(win::insdelLabel(*f)->text(), QStringLiteral("6"));
    QCOMPARE(fieldNear(at(5), -2, 1), lp::colors::kCurrentPoint);  // drawn there
    QCOMPARE(f->editor().data().LastX, f->editor().FigureX());

    // One undo takes back the whole series, from the first move on.
    key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(f->editor().FigureX(), x1);
    QCOMPARE(f->editor().FigureY(), y1);
    QVERIFY(!f->UndoEnabled());

    // Held, an arrow goes on moving, and the whole run is undone at once.
    hold(Qt::Key_Right, Qt::NoModifier, 4);
    QCOMPARE(at(5), QPoint(6, 254));
    key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(at(5), QPoint(1, 254));
    QVERIFY(!f->UndoEnabled());

    // A move at the border changes nothing, not even the undo button.
    put(5, 0, 255);
    key(Qt::Key_Left);
    key(Qt::Key_Down, Qt::ShiftModifier);
    QVERIFY(!f->UndoEnabled());
    QCOMPARE(at(5), QPoint(0, 255));

    // In the "128" mode the second half follows, as with a drag.
    f->editor().setHalf128(true);
    key(Qt::Key_Right);
    lp::Coords x = f->editor().FigureX(), y = f->editor().FigureY();
    lp::MadeHalf(x, y, true, win::mirrGorButton(*f)->Down(), win::mirrVertButton(*f)->Down());
    QCOMPARE(f->editor().FigureX(), x);
    QCOMPARE(f->editor().FigureY(), y);
    QCOMPARE(at(5), QPoint(1, 255));
}

void TestKeyboard::otherCommandsEndTheSeries() {
    const std::pair<const char*, std::function<void()>> others[] = {
        {"start point moved", [&] { QTest::mouseClick(win::rotatePointsButton(*f), Qt::LeftButton); }},
        {"grid switched", [&] { QTest::mouseClick(win::webButton(*f), Qt::LeftButton); }},
        {"other point and back",
         [&] {
             key(Qt::Key_PageDown);
             key(Qt::Key_PageUp);
         }},
        {"figure changed without input", [&] { f->SpeedButtonRotatePointsMouseDown(Qt::RightButton, 0, 0); }},
        {"undo copy taken without input", [&] { f->ToUndo(); }},
        {"undo", [&] { key(Qt::Key_Z, Qt::ControlModifier); }},
        {"tab", [&] { key(Qt::Key_Tab); }},
    };
    for (const auto& [name, other] : others) {
        grid();
        f->editor().state().CurrentPoint = 20;
        key(Qt::Key_Right);
        key(Qt::Key_Down);
        QVERIFY(f->editor().moveRun().active);
        other();
        const lp::Coords x = f->editor().FigureX(), y = f->editor().FigureY();
        key(Qt::Key_Right);
        QVERIFY2(f->editor().moveRun().active, name);
        key(Qt::Key_Z, Qt::ControlModifier);
        QVERIFY2(f->editor().FigureX() == x && f->editor().FigureY() == y, name);
    }
}

void TestKeyboard::pageKeysStepAndWrap() {
    QCOMPARE(f->editor().state().CurrentPoint, lp::kNoCurrentPoint);
    f->editor().state().MakeMode = lp::MakeCircle;
    const struct {
        Qt::Key key;
        int current;
    } steps[] = {{Qt::Key_PageDown, 0}, {Qt::Key_PageUp, 255}, {Qt::Key_PageDown, 0},
                 {Qt::Key_PageUp, 255}, {Qt::Key_PageUp, 254}, {Qt::Key_PageDown, 255},
                 {Qt::Key_PageDown, 0}, {Qt::Key_PageDown, 1}};
    for (const auto& s : steps) {
        key(s.key);
        QCOMPARE(f->editor().state().CurrentPoint, s.current);
    }
    QCOMPARE(f->editor().state().MakeMode, lp::MakeNone);  // a pick ends template making
    QVERIFY(win::offMadeButton(*f)->Down());
    key(Qt::Key_PageUp);
    key(Qt::Key_PageUp);
    key(Qt::Key_PageUp);
    QCOMPARE(f->editor().state().CurrentPoint, 254);
    QCOMPARE(win::insdelLabel(*f)->text(), QStringLiteral("255"));
    QCOMPARE(win::posXLabel(*f)->text(),
             QStringLiteral("X = ") + QString::number(f->editor().FigureX()[254]));
    QCOMPARE(fieldNear(at(254), -2, 1), lp::colors::kCurrentPoint);
    QCOMPARE(fieldNear(at(1), -2, 1), lp::colors::kPointNormal);
    QVERIFY(!f->UndoEnabled());  // picking changes nothing

    // In the "128" mode only the first half is shown and can be picked.
    f->editor().setHalf128(true);
    key(Qt::Key_PageDown);
    QCOMPARE(f->editor().state().CurrentPoint, 0);
    key(Qt::Key_PageUp);
    QCOMPARE(f->editor().state().CurrentPoint, 127);
    key(Qt::Key_PageDown);
    QCOMPARE(f->editor().state().CurrentPoint, 0);
}

void TestKeyboard::areaArrowsStopAtBorder() {
    // Points 0..2 inside the rectangle as stretched, point 3 outside it.
    put(0, 250, 100);
    put(1, 240, 110);
    put(2, 253, 120);
    put(3, 230, 100);
    f->editor().state().AreaMode = true;
    std::tie(f->editor().state().AreaX1, f->editor().state().AreaY1, f->editor().state().AreaX2,
             f->editor().state().AreaY2) = std::tuple(253, 120, 235, 90);
    f->FullReturn(1);
    const lp::Coords x0 = f->editor().FigureX(), y0 = f->editor().FigureY();

    key(Qt::Key_Right, Qt::ShiftModifier);  // room for 2
    QCOMPARE(f->editor().state().AreaX1, 237);
    QCOMPARE(f->editor().state().AreaX2, 255);
    QCOMPARE(at(0), QPoint(252, 100));
    QCOMPARE(at(2), QPoint(255, 120));
    QCOMPARE(at(3), QPoint(230, 100));
    QCOMPARE(f->editor().data().LastX, f->editor().FigureX());  // drawn
    key(Qt::Key_Right);
    QCOMPARE(at(2), QPoint(255, 120));
    key(Qt::Key_Left);  // back at once
    QCOMPARE(at(2), QPoint(254, 120));
    key(Qt::Key_Up, Qt::ShiftModifier);
    QCOMPARE(at(1), QPoint(241, 100));
    QCOMPARE(f->editor().state().AreaY1, 80);

    key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(f->editor().FigureX(), x0);
    QCOMPARE(f->editor().FigureY(), y0);

    // At the border from the start: nothing moves, no undo copy.
    std::tie(f->editor().state().AreaX1, f->editor().state().AreaX2) = std::tuple(200, 255);
    key(Qt::Key_Right);
    QCOMPARE(f->editor().FigureX(), x0);
    QVERIFY(!f->UndoEnabled());
}

void TestKeyboard::arrowsWithoutCurrentPoint() {
    const lp::Coords x0 = f->editor().FigureX(), y0 = f->editor().FigureY();
    for (Qt::Key k : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down}) {
        key(k);
        key(k, Qt::ShiftModifier);
    }
    QCOMPARE(f->editor().FigureX(), x0);
    QCOMPARE(f->editor().FigureY(), y0);
    QVERIFY(!f->UndoEnabled());

    // They are left to a focused bar then; with a point current the bar keeps still.
    QScrollBar* bar = win::pixelBar(*f);
    win::toolsPanel(*f)->show();
    bar->setFocus();
    QTRY_VERIFY(bar->hasFocus());
    key(Qt::Key_Left);  // Qt's horizontal scroll bars count up to the left
    QCOMPARE(bar->value(), 2);
    QCOMPARE(f->editor().FigureX(), x0);
    f->editor().state().CurrentPoint = 3;
    key(Qt::Key_Left);
    QCOMPARE(bar->value(), 2);
    QCOMPARE(f->editor().FigureX()[3], x0[3] - 1);
}

void TestKeyboard::noKeysBehindDialogsOrOtherWindows() {
    f->editor().state().CurrentPoint = 20;
    win::toolsPanel(*f)->show();
    win::interBar(*f)->setFocusPolicy(Qt::StrongFocus);
    win::interBar(*f)->setFocus();
    const lp::FigureData before = f->editor().data();
    const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Down, Qt::Key_Insert, Qt::Key_Delete, Qt::Key_PageDown};
    auto typeEverywhere = [&](QWidget* front) {
        for (Qt::Key k : keys) {
            QTest::keyClick(front, k);              // where the keyboard is
            QTest::keyClick(f->windowHandle(), k);  // the window behind
            QTest::keyClick(win::interBar(*f), k);  // straight at a control of it
            QTest::keyClick(f, k);
        }
        QTest::keyClick(f, Qt::Key_Z, Qt::ControlModifier);
    };
    auto unchanged = [&] {
        return f->editor().FigureX() == before.FigureX && f->editor().FigureY() == before.FigureY &&
               f->editor().state().CurrentPoint == 20 && f->UndoEnabled() == false;
    };

    // A message box of the editor.
    bool typed = false;
    QTimer::singleShot(0, f, [&] {
        QWidget* box = QApplication::activeModalWidget();
        QVERIFY(box);
        typeEverywhere(box);
        typed = true;
        qobject_cast<QDialog*>(box)->reject();
    });
    lp::dialogs().message(f, QMessageBox::Warning, QStringLiteral("?"), QMessageBox::Ok);
    QVERIFY(typed);
    QVERIFY(unchanged());

    // Another window in front.
    QWidget other;
    other.resize(100, 100);
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    typeEverywhere(&other);
    QVERIFY(unchanged());

    // Back in front, the keys work again.
    f->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f));
    key(Qt::Key_Left);
    QCOMPARE(f->editor().FigureX()[20], before.FigureX[20] - 1);
}

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
