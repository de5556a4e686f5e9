// The recovery copy against real files and real processes: an editor killed
// after an edit leaves a copy the next start offers and restores exactly; two
// editors keep two copies; the answers to the offer; a damaged copy.
#include <signal.h>

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "app/baseform.h"
#include "app/recovery.h"
#include "app/startup.h"
#include "figure/kvtfile.h"
#include "support/files.h"
#include "support/scripteddialogs.h"
#include "ui_baseform.h"

using namespace lp;

namespace {

QByteArray ImageOf(const TBaseForm& form) {
    PictureBytes image = form.data.PictureBuffer;
    FigureToImage(form.FigureX, form.FigureY, image);
    return QByteArray(reinterpret_cast<const char*>(image.data()), kFileImageSize);
}

// The child: an editor that makes a figure from a template, prints its file
// image once the copy is on disk, and waits to be killed.
int EditAndWait(const QString& folder, const QString& file) {
    TBaseForm form;
    form.show();
    form.EnableRecovery(folder);
    form.OpenDialogPic.fileName = file;
    form.OpenChosenPicture();
    form.ui->SpeedButtonCucle->click();
    if (!QTest::qWaitFor([&] { return QFileInfo(form.recovery()->copyPath()).size() == kFileImageSize; },
                         5000))
        return 1;
    std::printf("%s\n", ImageOf(form).toHex().constData());
    std::fflush(stdout);
    for (;;) QTest::qWait(1000);
}

QStringList Copies(const QString& folder) {
    return QDir(folder).entryList({"*.kvt"}, QDir::Files, QDir::Name);
}

}  // namespace

class TestRecovery : public QObject {
    Q_OBJECT
  private slots:
    void init() { QVERIFY(dir_.emplace().isValid()); }
    void killedEditorsAreRestored();
    void copyFollowsUnsavedChanges();
    void leftoverAnswers_data();
    void leftoverAnswers();

  private:
    QString folder() const { return dir_->filePath("recovery"); }
    std::optional<QTemporaryDir> dir_;
};

// Two editors at once keep two copies; killed, each is offered at the next
// start and restored byte for byte, as unsaved, with its file's name.
void TestRecovery::killedEditorsAreRestored() {
    QProcess editors[2];
    QByteArray images[2];
    const QByteArray original = RandomBytes(kFileImageSize);
    QVERIFY(WriteBytes(dir_->filePath("mine.kvt"), original));
    for (QProcess& p : editors)
        p.start(QCoreApplication::applicationFilePath(),
                {"--edit-and-wait", folder(), dir_->filePath("mine.kvt")});
    for (int i = 0; i < 2; ++i) {
        QVERIFY(editors[i].waitForReadyRead(20000));
        images[i] = QByteArray::fromHex(editors[i].readLine().trimmed());
        QCOMPARE(images[i].size(), kFileImageSize);
    }
    QCOMPARE(Copies(folder()).size(), 2);
    {  // a running editor's copy is not offered
        TBaseForm form;
        form.EnableRecovery(folder());
        ScriptedDialogs d;
        QVERIFY(!form.OfferRecovery());
        QVERIFY(d.messages.isEmpty());
    }
    for (QProcess& p : editors) {
        ::kill(pid_t(p.processId()), SIGKILL);
        QVERIFY(p.waitForFinished());
    }
    for (int restored = 0; restored < 2; ++restored) {
        TBaseForm form;
        form.EnableRecovery(folder());
        ScriptedDialogs d;
        StartWithPicture(form, QString());
        QCOMPARE(d.messages.size(), 1);
        QVERIFY(d.messages[0].text.startsWith("Восстановить несохранённую картинку «" +
                                              dir_->filePath("mine.kvt")));
        QVERIFY(ImageOf(form) == images[0] || ImageOf(form) == images[1]);
        QVERIFY(form.UndoEnabled());
        QVERIFY(form.windowTitle().contains(dir_->filePath("mine.kvt")));
        QCOMPARE(form.PictureName, QString("mine"));
        // The copy is this editor's now, in place of the killed one's.
        QCOMPARE(Copies(folder()).size(), 2 - restored);
        QVERIFY(Copies(folder()).contains(form.recovery()->id() + ".kvt"));
        // Saved where the save dialog says: the copy goes.
        d.fileAnswers << dir_->filePath("saved.kvt");
        d.messageAnswers << QMessageBox::Yes;
        form.ui->SpeedButtonSavePic->click();
        QCOMPARE(Copies(folder()).size(), 1 - restored);
    }
    QCOMPARE(ReadBytes(dir_->filePath("mine.kvt")), original);  // never written behind the user's back
}

// The copy follows the figure: none at the start or for an opened file, one
// within about a second of a change, none after No on close or a normal end.
void TestRecovery::copyFollowsUnsavedChanges() {
    auto form = std::make_unique<TBaseForm>();
    form->show();
    form->EnableRecovery(folder());
    ScriptedDialogs d;
    QTest::qWait(RecoveryKeeper::kDelayMs * 3 / 2);
    QCOMPARE(Copies(folder()), QStringList());
    form->ui->SpeedButtonStars->click();
    QTRY_COMPARE_WITH_TIMEOUT(Copies(folder()).size(), 1, 2000);
    QCOMPARE(ReadBytes(folder() + "/" + Copies(folder())[0]), ImageOf(*form));
    d.messageAnswers << QMessageBox::No;
    QVERIFY(form->close());
    QCOMPARE(Copies(folder()), QStringList());
    form->ui->SpeedButtonTreug->click();
    QTRY_COMPARE_WITH_TIMEOUT(Copies(folder()).size(), 1, 2000);
    form.reset();
    QCOMPARE(QDir(folder()).entryList(QDir::Files), QStringList());  // lock included
}

void TestRecovery::leftoverAnswers_data() {
    QTest::addColumn<int>("size");                            // of the left picture; 0: none
    QTest::addColumn<QMessageBox::StandardButton>("answer");  // to the offer
    QTest::addColumn<bool>("restored");
    QTest::addColumn<QStringList>("left");  // what stays in the folder (the damaged with its stamp cut)
    const QStringList copy{"editor-1-1.kvt", "editor-1-1.txt"};
    const QStringList aside{"editor-1-1.damaged-.kvt", "editor-1-1.damaged-.txt"};
    QTest::newRow("Yes") << kFileImageSize << QMessageBox::Yes << true << QStringList();
    QTest::newRow("No") << kFileImageSize << QMessageBox::No << false << QStringList();
    QTest::newRow("Escape") << kFileImageSize << QMessageBox::Cancel << false << copy;
    QTest::newRow("short") << 2047 << QMessageBox::Yes << false << aside;
    QTest::newRow("long") << 2049 << QMessageBox::Yes << false << aside;
    QTest::newRow("text only") << 0 << QMessageBox::Yes << false << QStringList{"editor-1-1.damaged-.txt"};
}

// A copy left without a lock, as a crash leaves it: Yes restores it, No
// deletes it, no answer keeps it; a damaged one is set aside with a message,
// never opened and never deleted.
void TestRecovery::leftoverAnswers() {
    QFETCH(int, size);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(bool, restored);
    QFETCH(QStringList, left);
    QVERIFY(QDir().mkpath(folder()));
    const QByteArray image = RandomBytes(size);
    if (size) QVERIFY(WriteBytes(folder() + "/editor-1-1.kvt", image));
    QVERIFY(WriteBytes(folder() + "/editor-1-1.txt", R"({"path": "/a/b.kvt", "name": "b"})"));
    TBaseForm form;
    form.EnableRecovery(folder());
    const QByteArray before = ImageOf(form);
    ScriptedDialogs d;
    d.messageAnswers << answer;
    QCOMPARE(form.OfferRecovery(), restored);
    QCOMPARE(ImageOf(form), restored ? image : before);
    QCOMPARE(d.messages.size(), 1);
    QCOMPARE(d.messages[0].icon,
             left.contains("editor-1-1.damaged-.txt") ? QMessageBox::Warning : QMessageBox::Question);
    QStringList files = QDir(folder()).entryList({"editor-1-1*"}, QDir::Files, QDir::Name);
    files.replaceInStrings(QRegularExpression("damaged-[0-9-]*"), "damaged-");
    QCOMPARE(files, left);
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc == 4 && QByteArray(argv[1]) == "--edit-and-wait")
        return EditAndWait(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    TestRecovery test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_recovery.moc"
