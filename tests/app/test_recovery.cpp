// The recovery copy, on real files, with editors really killed.
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
#include "support/basewindow.h"
#include "support/files.h"
#include "support/scripteddialogs.h"

using namespace lp;

namespace {

QByteArray ImageOf(const TBaseForm& form) {
    PictureBytes image = form.editor().data().PictureBuffer;
    FigureToImage(form.editor().FigureX(), form.editor().FigureY(), image);
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
    win::cucleButton(form)->click();
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
// start and restored byte for byte, as unsaved, with its file's name; saved,
// its copy goes.
void TestRecovery::killedEditorsAreRestored() {
    QProcess editors[2];
    QList<QByteArray> images;
    const QString mine = dir_->filePath("mine.kvt");
    QVERIFY(WriteBytes(mine, RandomBytes(kFileImageSize)));
    for (QProcess& p : editors)
        p.start(QCoreApplication::applicationFilePath(), {"--edit-and-wait", folder(), mine});
    for (QProcess& p : editors) {
        QVERIFY(p.waitForReadyRead(20000));
        images << QByteArray::fromHex(p.readLine().trimmed());
    }
    QCOMPARE(Copies(folder()).size(), 2);
    for (int restored = 0; restored < 3; ++restored) {
        if (restored == 1)
            for (QProcess& p : editors) ::kill(pid_t(p.processId()), SIGKILL), p.waitForFinished();
        TBaseForm form;
        form.EnableRecovery(folder());
        ScriptedDialogs d;
        d.fileAnswers << dir_->filePath("saved.kvt");
        StartWithPicture(form, QString());
        QCOMPARE(d.messages.size(), int(restored > 0));  // running editors' copies are not offered
        if (restored == 0) continue;
        QVERIFY(d.messages[0].text.startsWith("Восстановить несохранённую картинку «" + mine));
        QVERIFY(images.contains(ImageOf(form)) && form.UndoEnabled());
        QVERIFY(form.windowTitle().contains(mine) && form.editor().PictureName() == "mine");
        // Written under this editor's name before the old one went.
        QCOMPARE(Copies(folder()).size(), 3 - restored);
        win::savePicButton(form)->click();
        QCOMPARE(Copies(folder()).size(), 2 - restored);
    }
}

// No copy at the start; one within about a second of a change, none after No
// on close or at a normal end (its lock gone too).
void TestRecovery::copyFollowsUnsavedChanges() {
    auto form = std::make_unique<TBaseForm>();
    form->EnableRecovery(folder());
    ScriptedDialogs d;
    d.messageAnswers << QMessageBox::No;
    QTest::qWait(RecoveryKeeper::kDelayMs * 3 / 2);
    QCOMPARE(Copies(folder()), QStringList());
    for (QAbstractButton* edit : {win::starsButton(*form), win::treugButton(*form)}) {
        edit->click();
        QTRY_COMPARE_WITH_TIMEOUT(Copies(folder()).size(), 1, 2000);
        QCOMPARE(ReadBytes(folder() + "/" + Copies(folder())[0]), ImageOf(*form));
        if (edit == win::starsButton(*form)) QVERIFY(form->FormClose() && Copies(folder()).isEmpty());
    }
    form.reset();
    QCOMPARE(QDir(folder()).entryList(QDir::Files), QStringList());
}

void TestRecovery::leftoverAnswers_data() {
    QTest::addColumn<int>("size");  // of the left picture; 0: none
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<QStringList>("left");  // in the folder, the damaged without their time
    const QStringList copy{"editor-1-1.kvt", "editor-1-1.txt"},
        aside{"editor-1-1.damaged-.kvt", "editor-1-1.damaged-.txt"};
    QTest::newRow("Yes") << kFileImageSize << QMessageBox::Yes << QStringList();
    QTest::newRow("No") << kFileImageSize << QMessageBox::No << QStringList();
    QTest::newRow("Escape") << kFileImageSize << QMessageBox::Cancel << copy;
    QTest::newRow("short") << 2047 << QMessageBox::Yes << aside;
    QTest::newRow("long") << 2049 << QMessageBox::Yes << aside;
    QTest::newRow("text only") << 0 << QMessageBox::Yes << QStringList{"editor-1-1.damaged-.txt"};
}

// A copy left without a lock, as a crash leaves it: Yes restores it, No
// deletes it, no answer keeps it; a damaged one is set aside with a message,
// never opened and never deleted.
void TestRecovery::leftoverAnswers() {
    QFETCH(int, size);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(QStringList, left);
    const QByteArray image = RandomBytes(size);
    QVERIFY(QDir().mkpath(folder()) && (!size || WriteBytes(folder() + "/editor-1-1.kvt", image)));
    QVERIFY(WriteBytes(folder() + "/editor-1-1.txt", R"({"path": "/a/b.kvt", "name": "b"})"));
    TBaseForm form;
    form.EnableRecovery(folder());
    ScriptedDialogs d;
    d.messageAnswers << answer;
    QCOMPARE(form.OfferRecovery(), answer == QMessageBox::Yes && size == kFileImageSize);
    QCOMPARE(ImageOf(form) == image, answer == QMessageBox::Yes && size == kFileImageSize);
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
