// The upload: frames, name bytes and coordinates as plain computations, the
// upload model against a real pseudo-terminal pair (the 533 bytes as they
// arrive, the log, failures), then the window: its controls and sizes, the
// name field, the clip and one transmission at a time.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRadioButton>
#include <QScrollBar>
#include <QtTest>

#include "app/baseform.h"
#include "app/startup.h"
#include "link/copyanimation.h"
#include "link/frames.h"
#include "link/linkfixture.h"
#include "link/portgroup.h"
#include "link/probeports.h"
#include "link/txcomform.h"
#include "link/upload.h"
#include "ui_txcomform.h"

using namespace Qt::StringLiterals;
using lp::Coords;

namespace {

// Point i at (i, 255 - i); point 200 in the centre.
void KnownFigure(Coords& X, Coords& Y) {
    for (int i = 0; i < 256; ++i) {
        X[i] = uint8_t(i);
        Y[i] = uint8_t(255 - i);
    }
    X[200] = Y[200] = 127;
}

int Expected(int v, bool invert) {
    if (invert) v = 255 - v;
    return std::clamp(v, 2, 253);
}

// The wire image of an upload, written out from the frame tables.
QByteArray ExpectedUpload(const Coords& X, const Coords& Y, const QByteArray& name, bool invX, bool invY) {
    QByteArray wire = Bytes({0x00, 1, 2, 3, 4, 5, 6, 7, 8}) + name;
    for (int half = 0; half < 2; ++half) {
        wire += char(half == 0 ? 0xFF : 0xFE);
        for (int i = half * 128; i < half * 128 + 128; ++i)
            wire += Bytes({Expected(X[i], invX), Expected(Y[i], invY)});
    }
    return wire + Bytes({0x01, 0x78});
}

QStringList LogLines(const lp::Upload& upload) {
    return upload.log().split(u'\n');
}

}  // namespace

class TxComFormTest : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();
    void nameBytes();
    void coordinatesAndFrames();
    void controlsAndSizes();
    void activationAndNameField();
    void uploadBytesAndLog_data();
    void uploadBytesAndLog();
    void namesOnTheWire();
    void lateReaderGetsEveryByte();
    void uploadFromTheMainWindow();
    void failedOpenKeepsTheWindowUsable();
    void peerGoneMidTransmission();
    void stalledDrainIsGivenUp();
    void clipPlaysAndNoSecondStart();

  private:
    LinkFixture ports_;
};

void TxComFormTest::init() {
    QVERIFY2(ports_.start(), "socat did not make the pseudo-terminals");
}

void TxComFormTest::cleanup() {
    ports_.stop();
}

void TxComFormTest::nameBytes() {
    const std::pair<QString, QByteArray> rows[] = {
        {u""_s, QByteArray(8, 0x20)},
        {u"AB1"_s, Bytes({0x41, 0x42, 0x31, 32, 32, 32, 32, 32})},
        {u"Тест"_s, Bytes({0x53, 0x66, 0x72, 0x73, 32, 32, 32, 32})},
        {u"NNMMNNMM"_s, "NNMMNNMM"},
        {u"ABCDEFGHIJ"_s, "ABCDEFGH"},  // only the first eight count
        {u"A中B😀C€ёЯ"_s, Bytes({0x41, 32, 0x42, 32, 0x43, 32, 0x39, 0x60})},
        {u"a b~\x7f\t"_s, Bytes({0x61, 32, 0x62, 0x7E, 32, 32, 32, 32})},
    };
    for (const auto& [text, expected] : rows) {
        const lp::NameBytes b = lp::PictureNameBytes(text);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(b.data()), 8), expected);
    }
    // The rule over the whole code page.
    for (int v = 0; v < 256; ++v) {
        const int expected = v <= 0x20 || (v >= 0x7F && v <= 0x9F) ? 0x20 : v >= 0xA0 ? v - 0x7F : v;
        QCOMPARE(int(lp::NameByte(uint8_t(v))), expected);
    }
}

void TxComFormTest::coordinatesAndFrames() {
    const std::tuple<int, bool, int> rows[] = {{0, true, 253},   {255, true, 2},    {127, true, 128},
                                               {128, true, 127}, {0, false, 2},     {255, false, 253},
                                               {1, false, 2},    {254, false, 253}, {127, false, 127}};
    for (const auto& [v, invert, sent] : rows) QCOMPARE(int(lp::CoordByte(uint8_t(v), invert)), sent);

    Coords X, Y;
    KnownFigure(X, Y);
    lp::TxBuffer tx{};
    tx.fill(0xAA);
    QString log;
    QCOMPARE(lp::BuildHalfFrame(tx, 1, X, Y, false, true, &log), 257);
    QCOMPARE(tx[0], 0xFE);
    QCOMPARE(tx[1], 128);     // X of point 128
    QCOMPARE(tx[2], 128);     // its Y, 127, mirrored
    QCOMPARE(tx[257], 0xAA);  // nothing past the frame
    QVERIFY(log.startsWith(u"128-128   129-129   "_s));
    QCOMPARE(lp::BuildEndFrame(tx), 2);
    QCOMPARE(tx[0], 0x01);
    QCOMPARE(tx[1], 0x78);
    QCOMPARE(tx[2], 128);  // a shorter frame overwrites only its own length
    QCOMPARE(lp::kUploadLength, 533);
}

void TxComFormTest::controlsAndSizes() {
    TTxComForm form;
    QCOMPARE(form.windowTitle(), u"Загрузка картинки лазера"_s);
    QCOMPARE(form.pos(), QPoint(55, 140));
    QCOMPARE(form.size(), QSize(548, 73));
    QCOMPARE(form.font().pixelSize(), 11);
    const Ui::TTxComForm& ui = *form.ui;
    QCOMPARE(ui.SpeedButtonBegTx->geometry(), QRect(304, 4, 129, 25));
    QCOMPARE(ui.SpeedButtonBegTx->text(), u"Начать передачу"_s);
    QVERIFY(!ui.SpeedButtonBegTx->icon().pixmap(16, 16).isNull());
    QCOMPARE(ui.LabelNameFile->pos(), QPoint(9, 7));
    QCOMPARE(ui.LabelNameFile->text(), u"Имя картинки 8 символов МАХ"_s);
    QCOMPARE(ui.Label1->pos(), QPoint(8, 19));
    QCOMPARE(ui.Label1->text(), u"Только латинские символы"_s);
    QCOMPARE(ui.EditNameFile->geometry(), QRect(8, 35, 161, 24));
    QCOMPARE(ui.EditNameFile->text(), u"NNMMNNMM"_s);
    QVERIFY(ui.EditNameFile->font().bold());
    QCOMPARE(ui.EditNameFile->font().pixelSize(), 13);
    QCOMPARE(ui.EditNameFile->palette().color(QPalette::Text), QColor(128, 0, 0));
    QCOMPARE(ui.Label2->pos(), QPoint(212, 0));
    QCOMPARE(ui.Label2->text(), u"Закрыть окно"_s);
    const std::tuple<QCheckBox*, QRect, QString> checks[] = {
        {ui.CheckBoxClose, {192, 12, 105, 17}, u"после передачи"_s},
        {ui.CheckBoxInvX, {456, 8, 97, 17}, u"инверсия X"_s},
        {ui.CheckBoxInvY, {456, 32, 97, 17}, u"инверсия Y"_s},
    };
    for (const auto& [box, geometry, text] : checks) {
        QCOMPARE(box->geometry(), geometry);
        QCOMPARE(box->text(), text);
        QVERIFY(box->isChecked());
    }
    QCOMPARE(ui.RadioGroupTx->geometry(), QRect(184, 30, 113, 28));
    QCOMPARE(ui.RadioGroupTx->title(), u"Выбор порта"_s);
    QCOMPARE(ui.RadioGroupTx->items(), QStringList({u"Com1"_s, u"Com2"_s}));
    QCOMPARE(ui.RadioGroupTx->itemIndex(), 1);
    QCOMPARE(ui.RadioGroupTx->button(0)->y(), ui.RadioGroupTx->button(1)->y());  // two columns
    QCOMPARE(ui.SpeedButtonTabl->geometry(), QRect(304, 35, 129, 24));
    QCOMPARE(ui.SpeedButtonTabl->text(), u"Открыть Окно статуса"_s);
    QCOMPARE(ui.Memo1->geometry(), QRect(8, 72, 705, 305));
    QCOMPARE(ui.Memo1->toPlainText(), u"Waiting ..."_s);
    QCOMPARE(ui.Memo1->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QCOMPARE(ui.Memo1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(ui.Memo1->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(ui.Animate->geometry(), QRect(175, 2, 272, 60));
    QVERIFY(ui.Animate->isHidden() && !ui.Animate->playing());

    // The log opens with the first click and closes with the second.
    form.show();
    QCOMPARE(form.outerSize(), form.frameGeometry().size());
    QVERIFY(form.outerSize().height() <= 150);
    form.SpeedButtonTablClick();
    QCOMPARE(form.outerSize(), QSize(730, 415));
    QCOMPARE(ui.SpeedButtonTabl->text(), u"Закрыть Окно статуса"_s);
    QVERIFY(form.rect().contains(ui.Memo1->geometry()));
    QTest::mouseClick(ui.SpeedButtonTabl, Qt::LeftButton);
    QCOMPARE(form.outerSize(), QSize(460, 92));
    QCOMPARE(ui.SpeedButtonTabl->text(), u"Открыть Окно статуса"_s);
    QVERIFY(!form.rect().contains(ui.CheckBoxInvX->geometry()));
}

void TxComFormTest::activationAndNameField() {
    Coords X{}, Y{};
    QString name = u"VeryLongPictureName"_s;
    TTxComForm form;
    form.setPicture(X, Y, name);
    form.show();
    QLineEdit* field = form.ui->EditNameFile;
    QCOMPARE(form.ui->Memo1->toPlainText(), u" Waiting... "_s);
    QCOMPARE(field->text(), name);  // in full
    // Typing stops at eight characters; the long name can still be shortened.
    QTest::keyClick(field, Qt::Key_Backspace);
    QCOMPARE(field->text(), u"VeryLongPictureNam"_s);
    field->clear();
    QTest::keyClicks(field, u"ABCDEFGHIJ"_s);
    QCOMPARE(field->text(), u"ABCDEFGH"_s);
    QCOMPARE(form.upload.name(), u"ABCDEFGH"_s);
    // Each opening starts again from the picture's name, as the main window gives it.
    form.hide();
    form.setPicture(X, Y, u"Pic7"_s);
    form.show();
    QCOMPARE(field->text(), u"Pic7"_s);
}

void TxComFormTest::uploadBytesAndLog_data() {
    QTest::addColumn<bool>("invert");
    QTest::newRow("inversion ticked") << true;
    QTest::newRow("inversion cleared") << false;
}

void TxComFormTest::uploadBytesAndLog() {
    QFETCH(bool, invert);
    ProbePorts ports;
    QString stty;
    ports.whileOpen = [&](const QString& device) { stty = SttyAll(device); };
    Coords X, Y;
    KnownFigure(X, Y);
    lp::Upload upload;
    upload.setPicture(X, Y, u"Pic1"_s);
    upload.setCloseAfter(false);
    upload.setInvertX(invert);
    upload.setInvertY(invert);
    upload.Activate();
    upload.setName(u"AB1"_s);
    QVERIFY(upload.Send());

    const QByteArray nameBytes = Bytes({0x41, 0x42, 0x31, 32, 32, 32, 32, 32});
    const QByteArray wire = ports_.com2->read(533);
    QCOMPARE(wire, ExpectedUpload(X, Y, nameBytes, invert, invert));
    QCOMPARE(wire.size(), 533);
    // (0, 255) and (127, 127) as the table gives them.
    QCOMPARE(wire.mid(18, 2), invert ? Bytes({253, 2}) : Bytes({2, 253}));
    QCOMPARE(wire.mid(17 + 257 + 1 + 2 * (200 - 128), 2), invert ? Bytes({128, 128}) : Bytes({127, 127}));
    // Four writes in frame order, one stop bit on the line.
    QCOMPARE(ports.writes.size(), 4);
    QCOMPARE(ports.writes[0].size(), 17);
    QCOMPARE(ports.writes[3], Bytes({0x01, 0x78}));
    QVERIFY2(stty.split(QRegularExpression(u"[ ;\n]+"_s)).contains(u"-cstopb"_s), qPrintable(stty));
    QVERIFY(stty.contains(u"speed 1200 baud"_s));

    // The five lines of the log.
    QString points = u" Запись данных(X-Y):  "_s;
    for (int i = 0; i < 256; ++i)
        points += u"%1-%2   "_s.arg(Expected(X[i], invert)).arg(Expected(Y[i], invert));
    const QStringList expected = {
        u" Data Special: 1  2  3  4  5  6  7  8      Имя картинки: AB1      65  66  49  32  32  32  32  32  "_s,
        u" "_s, points, u" "_s, u"     всего отправлено 533 байт "_s};
    QCOMPARE(LogLines(upload), expected);
    QVERIFY(!upload.closesWindow());  // "after transmission" cleared: stays open
    QVERIFY(!upload.link.Report().failed);
    QCOMPARE(ports.closes, 1);
}

void TxComFormTest::namesOnTheWire() {
    lp::Upload upload;  // the figure in the centre
    const std::tuple<QString, QByteArray, QString> rows[] = {
        {u""_s, QByteArray(8, 0x20), u"32  32  32  32  32  32  32  32  "_s},
        {u"Тест"_s, Bytes({0x53, 0x66, 0x72, 0x73, 32, 32, 32, 32}),
         u"83  102  114  115  32  32  32  32  "_s},
        {u"NNMMNNMM"_s, "NNMMNNMM", u"78  78  77  77  78  78  77  77  "_s},
        // No Greek in the code page.
        {u"Ω-Z"_s, Bytes({32, 0x2D, 0x5A, 32, 32, 32, 32, 32}), u"32  45  90  32  32  32  32  32  "_s},
    };
    for (const auto& [text, expected, logged] : rows) {
        upload.setName(text);
        QVERIFY(upload.Send());
        const QByteArray wire = ports_.com2->read(533);
        QCOMPARE(wire.size(), 533);
        QCOMPARE(wire.mid(9, 8), expected);
        QCOMPARE(LogLines(upload).last(), u"     всего отправлено 533 байт "_s);  // this upload's bytes only
        QVERIFY(LogLines(upload)[0].endsWith(u"    Имя картинки: "_s + text + u"      "_s + logged));
        QVERIFY(!upload.link.Report().failed);
    }
}

// socat stopped for eight uploads (more than a pseudo-terminal holds unread): closing drops nothing.
void TxComFormTest::lateReaderGetsEveryByte() {
    const Coords zero{};
    lp::Upload upload;
    upload.setPicture(zero, zero, u"Late"_s);
    upload.Activate();
    ports_.com2->pause();
    for (int i = 0; i < 8; ++i) QVERIFY(upload.Send());
    ports_.com2->resume();
    const QByteArray wire = ports_.com2->read(8 * 533);
    QCOMPARE(wire.size(), 8 * 533);
    QCOMPARE(wire, ExpectedUpload(zero, zero, "Late    ", true, true).repeated(8));
}

void TxComFormTest::uploadFromTheMainWindow() {
    ScriptedDialogs dialogs;
    lp::EditorWindows windows = lp::CreateEditorWindows();
    TBaseForm& base = *windows.base;
    TTxComForm& upload = *windows.txCom;
    base.show();
    Coords knownX, knownY;
    KnownFigure(knownX, knownY);
    base.editor().setFigure(knownX, knownY);
    base.editor().setPictureName(u"Heart"_s);
    QTest::mouseClick(upload.findChild<lp::PortRadioGroup*>()->button(0), Qt::LeftButton);
    QCOMPARE(upload.upload.portItem(), 0);
    WhileModal(
        &upload, [&] { base.SpeedButtonLinkClick(); },
        [&] {
            QCOMPARE(upload.upload.name(), u"Heart"_s);
            QCOMPARE(upload.upload.log(), u" Waiting... "_s);
            QTest::mouseClick(upload.ui->SpeedButtonBegTx, Qt::LeftButton);
            QVERIFY(!upload.isVisible());  // closes itself after the transmission
        });
    QCOMPARE(ports_.com1->read(533),
             ExpectedUpload(base.editor().FigureX(), base.editor().FigureY(), "Heart   ", true, true));
    QCOMPARE(ports_.com2->read(), QByteArray());
    QVERIFY(base.isVisible());
}

void TxComFormTest::failedOpenKeepsTheWindowUsable() {
    ScriptedDialogs dialogs;
    Coords X{}, Y{};
    TTxComForm form;
    form.setPicture(X, Y, u"Saved"_s);
    QCheckBox* closeBox = form.ui->CheckBoxClose;
    QPlainTextEdit* memo = form.ui->Memo1;
    form.show();
    form.SpeedButtonTablClick();
    QTest::mouseClick(closeBox, Qt::LeftButton);  // stays open afterwards
    QTest::mouseClick(form.ui->CheckBoxInvX, Qt::LeftButton);
    form.SpeedButtonBegTxClick();  // a log from an earlier transmission
    QVERIFY(form.isVisible());
    QCOMPARE(ports_.com2->read(533), ExpectedUpload(X, Y, "Saved   ", false, true));
    QCOMPARE(memo->toPlainText(), form.upload.log());
    QCOMPARE(LogLines(form.upload).size(), 5);
    // The whole log is in view, the name line as well as the summary.
    QCOMPARE(memo->verticalScrollBar()->maximum(), 0);
    form.upload.setName(u"Typed"_s);
    qputenv("LASERPIC_COM2", ports_.dir->filePath(u"unplugged"_s).toLocal8Bit());
    form.SpeedButtonBegTxClick();
    QCOMPARE(dialogs.messages.size(), 1);
    QVERIFY(IsWarning(dialogs.messages[0], lp::CannotOpenPort()));
    QCOMPARE(memo->toPlainText(), u" Waiting... "_s);
    QCOMPARE(form.upload.name(), u"Saved"_s);
    QVERIFY(form.isVisible() && closeBox->isVisible() && form.findChild<lp::CopyAnimation*>()->isHidden());
    QCOMPARE(ports_.com2->read(), QByteArray());
    // Refused settings likewise: nothing sent, the window stays.
    ProbePorts ports;
    ports.refuseSettings = true;
    qputenv("LASERPIC_COM2", ports_.com2->device.toLocal8Bit());
    form.SpeedButtonBegTxClick();
    QCOMPARE(dialogs.messages.size(), 2);
    QVERIFY(IsWarning(dialogs.messages[1], lp::CannotConfigurePort()));
    QCOMPARE(ports_.com2->read(), QByteArray());
    QCOMPARE(memo->toPlainText(), u" Waiting... "_s);
    // And the next one goes out.
    ports.refuseSettings = false;
    form.SpeedButtonBegTxClick();
    QCOMPARE(ports_.com2->read(533).size(), 533);
}

void TxComFormTest::peerGoneMidTransmission() {
    ProbePorts ports;
    ports.beforeWrite = [&](int write) {
        if (write == 1) ports_.com2->stop();
    };
    lp::Upload upload;
    QVERIFY(upload.Send());
    QCOMPARE(upload.link.Report().heading(), lp::CannotWritePort());
    const QStringList lines = LogLines(upload);
    QCOMPARE(lines.size(), 6);
    QCOMPARE(lines[2].count(u'-'), 1 + 128);  // the heading and the first half, logged before it failed
    QCOMPARE(lines[3], u" "_s);
    QVERIFY2(lines[4].startsWith(u" Передача прервана. Не могу передать данные в порт"_s),
             qPrintable(lines[4]));
    QCOMPARE(lines[5], u"     всего отправлено 17 байт "_s);
    QCOMPARE(ports.writes.size(), 2);  // nothing after the failed write
    QCOMPARE(ports.closes, 1);
    QVERIFY(!upload.closesWindow());  // stays open with the log, even with "after transmission" ticked
}

// A line that does not drain: flushed at its deadline and given up, whether
// the flush ends the wait or not; the window does not hang.
void TxComFormTest::stalledDrainIsGivenUp() {
    ProbePorts ports;
    ports.stallDrainMs = 300;
    lp::Upload upload;
    for (const bool flushEndsIt : {true, false}) {
        ports.flushEndsStall = flushEndsIt;
        QElapsedTimer clock;
        clock.start();
        QVERIFY(upload.Send());
        QVERIFY(clock.elapsed() < (flushEndsIt ? 1300 : 2300));
        const lp::LinkReport& report = upload.link.Report();
        QCOMPARE(report.heading(), lp::CannotWritePort());
        QVERIFY2(report.warning().endsWith(u": данные не ушли в линию вовремя"_s),
                 qPrintable(report.warning()));
        QVERIFY(LogLines(upload).contains(
            u" Передача прервана. Не могу передать данные в порт: данные не ушли в линию вовремя"_s));
        QVERIFY(!upload.closesWindow());
        ports_.com2->read();
    }
    QCOMPARE(ports.closes, 2);
}

void TxComFormTest::clipPlaysAndNoSecondStart() {
    ScriptedDialogs dialogs;
    ProbePorts ports;
    ports.lineDelayMs = 250;  // a slow line
    TTxComForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    lp::CopyAnimation* clip = form.ui->Animate;
    const QImage still = clip->grab().toImage();
    struct Sample {
        int frame;
        bool playing, shown, closeShown;
    };
    QList<Sample> drain;
    ports.onDrain = [&](bool) {
        drain.append(
            {clip->frame(), clip->playing(), clip->isVisible(), form.ui->CheckBoxClose->isVisible()});
    };
    QImage moving;
    bool closed = true;
    ports.beforeWrite = [&](int write) {
        if (write != 1) return;
        moving = clip->grab().toImage();
        // No second start, no typing, no change of port or inversion, no closing.
        QTest::mouseClick(form.ui->SpeedButtonBegTx, Qt::LeftButton);
        form.SpeedButtonBegTxClick();
        QTest::keyClicks(form.ui->EditNameFile, u"XY"_s);
        QTest::mouseClick(form.ui->CheckBoxInvX, Qt::LeftButton);
        QTest::mouseClick(form.findChild<lp::PortRadioGroup*>()->button(0), Qt::LeftButton);
        closed = form.close();
    };
    form.SpeedButtonBegTxClick();
    QCOMPARE(ports.opens, 1);
    QCOMPARE(ports.writes.size(), 4);
    QVERIFY(!closed);
    QVERIFY(form.upload.invertX());
    QCOMPARE(form.upload.portItem(), 1);
    QCOMPARE(form.upload.name(), u"No-Name-"_s);
    QCOMPARE(ports_.com2->read(533).size(), 533);
    // The clip played through the drain, covering the close box.
    QCOMPARE(drain.size(), 2);
    QVERIFY(drain[0].playing && drain[0].shown && !drain[0].closeShown);
    QVERIFY(drain[1].playing && drain[1].shown && !drain[1].closeShown);
    QVERIFY(drain[1].frame != drain[0].frame);
    QVERIFY(moving != still);  // what the user sees moves
    // Afterwards: stopped at its first frame, hidden, and the window closed itself.
    QVERIFY(!clip->playing() && clip->isHidden());
    QCOMPARE(clip->frame(), 0);
    QVERIFY(!form.isVisible());
    QVERIFY(dialogs.messages.isEmpty());
}

QTEST_MAIN(TxComFormTest)
#include "test_txcomform.moc"
