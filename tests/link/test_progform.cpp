// The serial link and the ready-picture window against real pseudo-terminals:
// the bytes as they arrive, the line settings while the port is open, busy,
// missing and vanishing ports, and the port names behind "Com1" and "Com2";
// each of the window's buttons against a table of the commands it sends.
#include <sys/file.h>

#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QRadioButton>
#include <QSerialPort>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "app/baseform.h"
#include "app/startup.h"
#include "link/linkfixture.h"
#include "link/portgroup.h"
#include "link/portnames.h"
#include "link/probeports.h"
#include "link/progform.h"
#include "link/txcomform.h"
#include "support/scripteddialogs.h"
#include "ui_progform.h"
#include "widgets/speedbutton.h"

using namespace Qt::StringLiterals;

class ProgFormTest : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();
    void controls();
    void everyButtonSendsItsCommand();
    void commandBytesKeepClearOfMarkers();
    void portItemsReachTheirDevices();
    void lineSettingsWhilePortIsOpen();
    void eachActionOpensAndClosesThePort();
    void unusablePortWarnsOnceAndSendsNothing_data();
    void unusablePortWarnsOnceAndSendsNothing();
    void refusedSettingsSendNothing();
    void failedOrShortWriteIsReported();
    void windowTakesNoInputWhileSending();
    void editorKeepsRunningAfterAFailure();
    void realWarningBoxTakesItsClick();
    void portMenuMappingSurvivesRestart();

  private:
    LinkFixture ports_;
    QScopedPointer<QTemporaryDir>& dir_ = ports_.dir;
    QScopedPointer<PtyPair>& com1_ = ports_.com1;
    QScopedPointer<PtyPair>& com2_ = ports_.com2;
};

void ProgFormTest::init() {
    QVERIFY2(ports_.start(), "socat did not make the pseudo-terminals");
}

void ProgFormTest::cleanup() {
    ports_.stop();
}

void ProgFormTest::controls() {
    TProgForm form;
    QCOMPARE(form.windowTitle(), u"Работа с готовыми картинками"_s);
    QCOMPARE(form.pos(), QPoint(103, 139));
    QCOMPARE(form.size(), QSize(268, 138));  // 276 x 172 with the frame
    QCOMPARE(form.font().pixelSize(), 11);
    const Ui::TProgForm& ui = *form.ui;
    QCOMPARE(ui.Labelvib->pos(), QPoint(40, 16));
    QCOMPARE(ui.Labelvib->text(), u"Выбор лазерной программы"_s);
    QCOMPARE(ui.Labelmode->pos(), QPoint(40, 80));
    QCOMPARE(ui.Labelmode->text(), u"Режим работы"_s);
    const QList<lp::SpeedButton*> buttons = form.findChildren<lp::SpeedButton*>();
    QCOMPARE(buttons.size(), 11);
    for (int k = 0; k < 8; ++k) {
        auto* b = form.findChild<lp::SpeedButton*>(u"SpeedButton%1"_s.arg(k + 1));
        QVERIFY(b);
        QCOMPARE(b->geometry(), QRect(40 + 24 * k, 32, 23, 22));
        QCOMPARE(b->text(), QString::number(k + 1));
        QCOMPARE(b->toolTip(), u"Включить лазерную картинку"_s);
        QCOMPARE(b->groupIndex(), 1);
        QVERIFY(b->font().bold());
        QCOMPARE(b->font().pixelSize(), 13);
        QCOMPARE(b->palette().color(QPalette::ButtonText), QColor(255, 0, 0));
    }
    const std::tuple<lp::SpeedButton*, int, QString> modes[] = {
        {ui.SpeedButtonHand, 40, u"ручное управление"_s},
        {ui.SpeedButtonAvto, 64, u"автоматический перебор"_s},
        {ui.SpeedButtonSound, 88, u"смена картинок от звука"_s},
    };
    for (const auto& [b, left, hint] : modes) {
        QCOMPARE(b->geometry(), QRect(left, 96, 23, 22));
        QCOMPARE(b->toolTip(), hint);
        QCOMPARE(b->groupIndex(), 2);
        QVERIFY(b->text().isEmpty());
        QVERIFY(!b->icon().pixmap(16, 16).isNull());
    }
    for (lp::SpeedButton* b : buttons) {
        QCOMPARE(b->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(!b->Down());
        QVERIFY(!b->allowAllUp());
    }
    lp::PortRadioGroup* group = ui.RadioGroupTx;
    QCOMPARE(group->geometry(), QRect(160, 80, 97, 57));
    QCOMPARE(group->title(), u"Выбор порта"_s);
    QCOMPARE(group->items(), QStringList({u"Com1"_s, u"Com2"_s}));
    QCOMPARE(group->itemIndex(), 1);
    QVERIFY(group->button(0)->x() == group->button(1)->x());  // one column
    QVERIFY(group->button(1)->y() > group->button(0)->y());

    // Groups: a press leaves its button down and raises the other down button
    // of the same group only; pressing a down button keeps it down.
    ui.SpeedButton3->SetDown(true);
    ui.SpeedButtonHand->SetDown(true);
    ui.SpeedButton5->SetDown(true);
    QVERIFY(!ui.SpeedButton3->Down() && ui.SpeedButton5->Down() && ui.SpeedButtonHand->Down());
}

// Each button, clicked, sends its command with the argument 1 and stays down.
void ProgFormTest::everyButtonSendsItsCommand() {
    ScriptedDialogs dialogs;
    TProgForm form;
    form.show();
    const QHash<QString, int> commands = {
        {u"SpeedButton1"_s, 1},      {u"SpeedButton2"_s, 2},       {u"SpeedButton3"_s, 3},
        {u"SpeedButton4"_s, 4},      {u"SpeedButton5"_s, 5},       {u"SpeedButton6"_s, 6},
        {u"SpeedButton7"_s, 7},      {u"SpeedButton8"_s, 8},       {u"SpeedButtonHand"_s, 134},
        {u"SpeedButtonAvto"_s, 132}, {u"SpeedButtonSound"_s, 133},
    };
    const QList<lp::SpeedButton*> buttons = form.findChildren<lp::SpeedButton*>();
    QCOMPARE(buttons.size(), commands.size());
    lp::SpeedButton* picture = nullptr;
    for (lp::SpeedButton* button : buttons) {
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY2(commands.contains(button->objectName()), qPrintable(button->objectName()));
        QCOMPARE(com2_->read(3), Bytes({0x00, commands[button->objectName()], 0x01}));
        QVERIFY(button->Down());
        if (button->groupIndex() == 1) picture = button;
    }
    // A mode leaves the down picture button down; a second press sends again.
    QVERIFY(picture && picture->Down() && buttons.last()->Down());
    QTest::mouseClick(picture, Qt::LeftButton);
    QTest::mouseClick(picture, Qt::LeftButton);
    const uint8_t again = uint8_t(commands[picture->objectName()]);
    QCOMPARE(com2_->read(6), Bytes({0x00, again, 0x01, 0x00, again, 0x01}));
    QVERIFY(picture->Down());
    QVERIFY(dialogs.messages.isEmpty());
    QCOMPARE(com1_->read(), QByteArray());
}

void ProgFormTest::commandBytesKeepClearOfMarkers() {
    lp::SerialLink link;
    const std::tuple<int, int, QByteArray> rows[] = {
        {0, 1, Bytes({0x00, 0x01, 0x01})},
        {255, 0, Bytes({0x00, 0xFE, 0x01})},
        {0xFE, 0x7F, Bytes({0x00, 0xFE, 0x7F})},
        {0, 255, Bytes({0x00, 0x01, 0xFE})},
    };
    for (const auto& [command, argument, expected] : rows) {
        QVERIFY(link.SendCommand(1, uint8_t(command), uint8_t(argument)));
        QCOMPARE(com2_->read(expected.size()), expected);
    }
}

void ProgFormTest::portItemsReachTheirDevices() {
    ScriptedDialogs dialogs;
    ProbePorts ports;
    TProgForm form;
    TTxComForm upload;
    upload.upload.setPortItem(1);
    form.setPortItem(0);
    QCOMPARE(upload.upload.portItem(), 1);  // the two windows choose apart
    form.SpeedButton4Click();
    QCOMPARE(com1_->read(3), Bytes({0x00, 0x04, 0x01}));
    QCOMPARE(com2_->read(), QByteArray());
    form.setPortItem(1);
    form.SpeedButton4Click();
    QCOMPARE(com2_->read(3), Bytes({0x00, 0x04, 0x01}));
    QCOMPARE(com1_->read(), QByteArray());
    QCOMPARE(ports.devices, QStringList({com1_->device, com2_->device}));

    // Without the variables: the serial ports of the system.
    qunsetenv("LASERPIC_COM1");
    qunsetenv("LASERPIC_COM2");
    QCOMPARE(lp::DeviceFor(lp::ComNumber(0)), u"/dev/ttyS0"_s);
    QCOMPARE(lp::DeviceFor(lp::ComNumber(1)), u"/dev/ttyS1"_s);
    QCOMPARE(lp::DeviceFor(lp::ComNumber(7)), u"/dev/ttyS1"_s);  // any other item is COM2
}

void ProgFormTest::lineSettingsWhilePortIsOpen() {
    ScriptedDialogs dialogs;
    ProbePorts ports;
    QString stty;
    ports.whileOpen = [&](const QString& device) { stty = SttyAll(device); };
    TProgForm form;
    form.SpeedButton1Click();
    const QStringList settings = stty.simplified().split(QRegularExpression(u"[ ;]+"_s));
    QVERIFY2(stty.contains(u"speed 1200 baud"_s), qPrintable(stty));
    for (const QString& flag : {u"cs8"_s, u"-parenb"_s, u"cstopb"_s, u"-crtscts"_s, u"-ixon"_s, u"-ixoff"_s,
                                u"-opost"_s, u"-icrnl"_s})
        QVERIFY2(settings.contains(flag), qPrintable(flag + u" in "_s + stty));
    QCOMPARE(com2_->read(3), Bytes({0x00, 0x01, 0x01}));
}

void ProgFormTest::eachActionOpensAndClosesThePort() {
    ScriptedDialogs dialogs;
    ProbePorts ports;
    TProgForm form;
    form.SpeedButton2Click();
    QCOMPARE(ports.opens, 1);
    QCOMPARE(ports.closes, 1);
    QVERIFY(!form.link.PortHandle);
    // Free between the actions: another program can take it and give it back.
    {
        QSerialPort other(com2_->device);
        QVERIFY2(other.open(QIODevice::WriteOnly), qPrintable(other.errorString()));
    }
    form.SpeedButton2Click();
    QCOMPARE(ports.opens, 2);
    QCOMPARE(ports.closes, 2);
    QCOMPARE(com2_->read(6), Bytes({0x00, 0x02, 0x01, 0x00, 0x02, 0x01}));
    QCOMPARE(form.link.PortConfig.BaudRate, 1200u);
    QCOMPARE(form.link.PortConfig.ByteSize, 8);
    QCOMPARE(form.link.PortConfig.Parity, 0);
    QCOMPARE(form.link.PortConfig.StopBits, 2);
    QVERIFY(dialogs.messages.isEmpty());
}

void ProgFormTest::unusablePortWarnsOnceAndSendsNothing_data() {
    QTest::addColumn<QString>("holder");
    QTest::newRow("missing device") << u"missing"_s;
    QTest::newRow("held by a serial port program") << u"qserialport"_s;
    QTest::newRow("locked by another process") << u"flock"_s;
    QTest::newRow("not a serial port") << u"file"_s;
}

void ProgFormTest::unusablePortWarnsOnceAndSendsNothing() {
    QFETCH(QString, holder);
    ScriptedDialogs dialogs;
    QSerialPort other;
    QProcess locker;
    if (holder == u"missing"_s) {
        qputenv("LASERPIC_COM2", dir_->filePath(u"nothing-here"_s).toLocal8Bit());
    } else if (holder == u"qserialport"_s) {
        other.setPortName(com2_->device);
        QVERIFY(other.open(QIODevice::ReadWrite));
    } else if (holder == u"flock"_s) {
        locker.start(u"socat"_s, {u"-u"_s, u"STDIN"_s, u"OPEN:"_s + com2_->device + u",wronly,flock"_s});
        QVERIFY(locker.waitForStarted());
        // Wait until the lock is held.
        QTRY_VERIFY_WITH_TIMEOUT(([&] {
                                     const int fd =
                                         ::open(com2_->device.toLocal8Bit().constData(), O_RDONLY | O_NOCTTY);
                                     const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
                                     ::close(fd);
                                     return held;
                                 }()),
                                 5000);
    } else {
        QFile file(dir_->filePath(u"plain-file"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        qputenv("LASERPIC_COM2", file.fileName().toLocal8Bit());
    }
    TProgForm form;
    form.show();
    form.SpeedButton6Click();
    QCOMPARE(dialogs.messages.size(), 1);
    QVERIFY2(IsWarning(dialogs.messages[0], lp::CannotOpenPort()), qPrintable(dialogs.messages[0].text));
    QVERIFY(!form.link.PortHandle);
    QCOMPARE(com2_->read(), QByteArray());
    QVERIFY(form.isVisible());  // the program goes on

    // Once the port is free, the next press goes out.
    other.close();
    if (locker.state() == QProcess::Running) {
        locker.kill();
        locker.waitForFinished();
    }
    qputenv("LASERPIC_COM2", com2_->device.toLocal8Bit());
    form.SpeedButton6Click();
    QCOMPARE(com2_->read(3), Bytes({0x00, 0x06, 0x01}));
    QCOMPARE(dialogs.messages.size(), 1);
}

void ProgFormTest::refusedSettingsSendNothing() {
    ScriptedDialogs dialogs;
    ProbePorts ports;
    ports.refuseSettings = true;
    TProgForm form;
    form.SpeedButtonAvtoClick();
    QCOMPARE(dialogs.messages.size(), 1);
    QVERIFY(IsWarning(dialogs.messages[0], lp::CannotConfigurePort()));
    QCOMPARE(ports.closes, 1);
    QVERIFY(ports.writes.isEmpty());
    QVERIFY(!form.link.PortHandle);
    QCOMPARE(com2_->read(), QByteArray());
}

void ProgFormTest::failedOrShortWriteIsReported() {
    ScriptedDialogs dialogs;
    ProbePorts ports;
    TProgForm form;
    // Part of the frame only.
    ports.writeTakes = 2;
    form.SpeedButton7Click();
    QCOMPARE(dialogs.messages.size(), 1);
    QVERIFY(IsWarning(dialogs.messages[0], lp::CannotWritePort()));
    QVERIFY2(dialogs.messages[0].text.contains(u"2 байт из 3"_s), qPrintable(dialogs.messages[0].text));
    QCOMPARE(com2_->read(2), Bytes({0x00, 0x07}));
    QCOMPARE(ports.closes, 1);
    // The peer goes away while the port is open.
    ports.writeTakes = -1;
    ports.whileOpen = [&](const QString&) { com2_->stop(); };
    form.SpeedButton7Click();
    QCOMPARE(dialogs.messages.size(), 2);
    QVERIFY2(IsWarning(dialogs.messages[1], lp::CannotWritePort()), qPrintable(dialogs.messages[1].text));
    QCOMPARE(ports.closes, 2);
    QVERIFY(!form.link.PortHandle);
    QVERIFY(!form.link.Failure().isEmpty());
}

void ProgFormTest::windowTakesNoInputWhileSending() {
    ScriptedDialogs dialogs;
    ProbePorts ports;
    ports.lineDelayMs = 300;  // a slow line
    TProgForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    lp::SpeedButton* two = form.ui->SpeedButton2;
    lp::SpeedButton* five = form.ui->SpeedButton5;
    int paints = 0;
    bool closed = false;
    QTimer::singleShot(100, &form, [&] {
        QTest::mouseClick(five, Qt::LeftButton);  // swallowed
        form.SpeedButton6Click();                 // refused while busy
        closed = form.close();
        five->repaint();
        ++paints;
    });
    QTest::mouseClick(two, Qt::LeftButton);
    QCOMPARE(paints, 1);  // the event loop ran during the transmission
    QVERIFY(!closed && form.isVisible());
    QCOMPARE(ports.writes, QList<QByteArray>({Bytes({0x00, 0x02, 0x01})}));
    QVERIFY(two->Down() && !five->Down());
    QCOMPARE(com2_->read(3), Bytes({0x00, 0x02, 0x01}));
    // Input again afterwards.
    QTest::mouseClick(five, Qt::LeftButton);
    QCOMPARE(com2_->read(3), Bytes({0x00, 0x05, 0x01}));
}

void ProgFormTest::editorKeepsRunningAfterAFailure() {
    ScriptedDialogs dialogs;
    lp::EditorWindows windows = lp::CreateEditorWindows();
    TBaseForm& base = *windows.base;
    base.show();
    base.ToUndo();
    base.editor().setPoint(10, 33, base.editor().FigureY()[10]);
    const lp::Coords x = base.editor().FigureX();
    qputenv("LASERPIC_COM2", dir_->filePath(u"gone"_s).toLocal8Bit());
    WhileModal(
        windows.prog.get(), [&] { base.SpeedButtonUstProgramClick(); },
        [&] {
            windows.prog->SpeedButton1Click();
            QVERIFY(windows.prog->isVisible());
            windows.prog->setPortItem(0);
            windows.prog->SpeedButtonHandClick();
        });
    QCOMPARE(dialogs.messages.size(), 1);
    QVERIFY(IsWarning(dialogs.messages[0], lp::CannotOpenPort()));
    QCOMPARE(com1_->read(3), Bytes({0x00, 0x86, 0x01}));
    QVERIFY(base.isVisible());
    QCOMPARE(base.editor().FigureX(), x);
    QVERIFY(base.UndoEnabled());  // the unsaved-changes state is kept
}

void ProgFormTest::realWarningBoxTakesItsClick() {
    // The box comes up while the window takes no input; the box itself does.
    qputenv("LASERPIC_COM2", dir_->filePath(u"gone"_s).toLocal8Bit());
    TProgForm form;
    form.show();
    QString shown, caption;
    QTimer::singleShot(50, &form, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        shown = box->text();
        caption = box->windowTitle();
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    form.SpeedButton1Click();
    QVERIFY(shown.startsWith(lp::CannotOpenPort() + u'\n'));
    QCOMPARE(caption, u"Предупреждение"_s);
    QVERIFY(form.isVisible());
}

void ProgFormTest::portMenuMappingSurvivesRestart() {
    ScriptedDialogs dialogs;
    ProbePorts ports;
    ports.listed = {{u"/dev/ttyS0"_s, QString()}, {com1_->device, u"Test adapter"_s}};
    qunsetenv("LASERPIC_COM1");
    {
        TProgForm form;
        form.show();
        auto* group = form.findChild<lp::PortRadioGroup*>();
        QCOMPARE(group->button(0)->toolTip(), u"/dev/ttyS0"_s);
        QCOMPARE(group->itemIndex(), 1);  // the menu is for the item clicked, not the selected one
        QStringList entries;
        QTimer::singleShot(0, &form, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            QCOMPARE(menu->actions().constFirst()->text(), u"Устройство для «Com1»"_s);
            for (QAction* a : menu->actions())
                if (!a->isSeparator() && !a->text().isEmpty()) entries << a->text();
            for (QAction* a : menu->actions())
                if (a->data().toString() == com1_->device) a->trigger();
            menu->close();
        });
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), group->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(group->button(0), &click);  // a right click on an item reaches the group
        QVERIFY2(entries.contains(com1_->device + u" — Test adapter"_s), qPrintable(entries.join(u'|')));
        QVERIFY(entries.contains(u"/dev/ttyS0"_s));
        QVERIFY(entries.contains(u"По умолчанию: /dev/ttyS0"_s));
        QCOMPARE(group->button(0)->toolTip(), com1_->device);
        QCOMPARE(group->button(1)->toolTip(), com2_->device + u" (LASERPIC_COM2)"_s);
    }
    // New window objects, as after a restart: the choice holds, in both windows.
    TProgForm form;
    TTxComForm upload;
    form.show();
    upload.show();
    for (QDialog* window : std::initializer_list<QDialog*>{&form, &upload})
        QCOMPARE(window->findChild<lp::PortRadioGroup*>()->button(0)->toolTip(), com1_->device);
    QCOMPARE(form.portItem(), 1);
    form.setPortItem(0);
    form.SpeedButton8Click();
    QCOMPARE(com1_->read(3), Bytes({0x00, 0x08, 0x01}));
    // The variable overrides the choice; the default item resets it.
    qputenv("LASERPIC_COM1", com2_->device.toLocal8Bit());
    QCOMPARE(lp::DeviceFor(1), com2_->device);
    lp::SetChosenDevice(1, QString());
    qunsetenv("LASERPIC_COM1");
    QCOMPARE(lp::DeviceFor(1), u"/dev/ttyS0"_s);
    QVERIFY(dialogs.messages.isEmpty());
}

QTEST_MAIN(ProgFormTest)
#include "test_progform.moc"
