// The picture-file commands of the main window on real files in temporary
// folders: open, save, the close prompt, ToNameTx and the auto-save. Answers
// come from ScriptedDialogs, except in the end-to-end test, which drives the
// real dialogs of the default seam.
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QtTest>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "app/baseform.h"
#include "support/basewindow.h"
#include "support/files.h"
#include "support/scripteddialogs.h"

using namespace lp;

namespace {

const QString kNotFound = QStringLiteral("Файл не найден !");
const QString kOverwrite = QStringLiteral("Файл с таким именем существует, переписать?");
const QString kSaveChanges = QStringLiteral(" Записать последние изменения?");
const QString kOpenFailed = QStringLiteral("Не удалось открыть файл");
const QString kWriteFailed = QStringLiteral("Не удалось записать файл");
const QString kFilter = QStringLiteral("Картинка для Korventa (*.kvt)");
const QString kNoName = QStringLiteral(" NoName ");
const QByteArray kFiller(kFileImageSize, char(0x7F));

enum Choice { kFile, kReadOnly, kFolder, kMissing, kCancel };  // what the open dialog is answered
enum How { kSave, kClose, kCloseAtStart, kCloseAfterSave, kCloseAfterUndo };  // the save button, or a close
enum Outcome { kKept, kWritten, kFailed };  // what the save did to the files
enum Special {
    kPipe,
    kPipeShortWriter,
    kDeviceLink,
    kDeviceTyped,
    kSocket,
    kDirectory,
    kDevice,
    kLinkToDevice,
    kLinkLoop
};

QByteArray ImageOf(const PictureBytes& b, int from = 0) {
    return QByteArray(reinterpret_cast<const char*>(b.data()) + from, kFileImageSize);
}

// A figure unlike the start-up one and unlike the test files.
void SetSomeFigure(TBaseForm& form) {
    for (int i = 0; i < kPointCount; ++i) {
        form.editor().setPoint(i, uint8_t(i * 3 + 1), uint8_t(200 - i));
    }
}

// The figure's file image over the given carried bytes.
QByteArray ExpectedImage(const TBaseForm& form, QByteArray carried) {
    for (int i = 0; i < kPointCount; ++i) {
        carried[i] = char(form.editor().FigureX()[i]);
        carried[kYBlockOffset + i] = char(form.editor().FigureY()[i]);
    }
    return carried;
}

bool IsQuestion(const AskedMessage& m, const QString& text) {
    return m.icon == QMessageBox::Warning && m.text == text &&
           m.buttons == (QMessageBox::Yes | QMessageBox::No);
}

// An error box naming what failed, the file and the reason.
bool IsFailure(const AskedMessage& m, const QString& what, const QString& path) {
    return m.icon == QMessageBox::Critical && m.buttons == QMessageBox::Ok && m.text.startsWith(what) &&
           m.text.contains(QDir::toNativeSeparators(path)) && m.text.split(QLatin1Char('\n')).size() >= 3;
}

// Scripted answers that can also look at the window while the open dialog runs.
class ProbeDialogs : public ScriptedDialogs {
  public:
    std::function<void()> onOpen;
    bool openFile(QWidget* parent, lp::FileDialogState& state) override {
        onOpen();
        return ScriptedDialogs::openFile(parent, state);
    }
};

// Answers the real modal dialogs as they come up, one queued action each. A
// modal window that comes up with no action left, or that its action leaves
// open, is recorded and closed, so a wrong path fails the test instead of
// hanging it.
class ModalDriver : public QObject {
  public:
    ModalDriver() { arm(); }
    QString problems() const {
        return (failures_ + QStringList(actions_.size(), QStringLiteral("a dialog never came"))).join('\n');
    }

    // Accepts a file dialog with the path written into its name field
    // (QFileDialog::selectFile() does not touch a name field that has the
    // focus): the dialog's accept() or Enter in the field.
    void acceptFile(const QString& objectName, const QString& path, bool pressEnter,
                    QString* shownName = nullptr) {
        actions_.enqueue([=, this](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            auto* edit = dialog ? dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")) : nullptr;
            if (!edit || w->objectName() != objectName || dialog->nameFilters() != QStringList{kFilter} ||
                dialog->defaultSuffix() != QStringLiteral("kvt"))
                return void(failures_ << QStringLiteral("not the %1 as set up").arg(objectName));
            if (shownName) *shownName = edit->text();
            // A file selected in the list wins over the name field, and typing
            // deselects it only while the field has the focus, which the
            // offscreen window need not have yet: start from no selection, as
            // a user clicking into the field and typing ends up.
            for (auto* view : dialog->findChildren<QAbstractItemView*>())
                if (view->selectionModel()) view->selectionModel()->clearSelection();
            edit->setText(path);
            if (pressEnter)
                QTest::keyClick(edit, Qt::Key_Return);
            else
                static_cast<QDialog*>(dialog)->accept();  // QFileDialog::accept(), which checks the name
        });
    }

    // Clicks a button of the message box after checking its text and icon.
    void clickButton(QMessageBox::StandardButton button, const QString& text, QMessageBox::Icon icon) {
        actions_.enqueue([=, this](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            QAbstractButton* b = box ? box->button(button) : nullptr;
            if (!b || box->text() != text || box->icon() != icon)
                failures_ << QStringLiteral("not the box \"%1\": ").arg(text) + w->objectName();
            if (b) QTest::mouseClick(b, Qt::LeftButton);
        });
    }

    // Leaves the message box without an answer: Escape, or its close button.
    void leaveBox(bool escape) {
        actions_.enqueue([=](QWidget* w) { escape ? QTest::keyClick(w, Qt::Key_Escape) : void(w->close()); });
    }

  private:
    void arm() { QTimer::singleShot(20, this, &ModalDriver::poll); }

    void poll() {
        QPointer<QWidget> w = QApplication::activeModalWidget();
        if (w && w->isVisible()) {
            if (actions_.isEmpty())
                failures_ << QStringLiteral("unexpected modal window ") + w->objectName();
            else
                actions_.dequeue()(w);
            // Whatever the action did not close must not block the test.
            if (w && w->isVisible() && QApplication::activeModalWidget() == w) {
                failures_ << QStringLiteral("modal window left open: ") + w->objectName();
                if (auto* d = qobject_cast<QDialog*>(w.data())) d->done(QDialog::Rejected);
            }
        }
        arm();
    }

    QQueue<std::function<void(QWidget*)>> actions_;
    QStringList failures_;
};

// Unblocks a command that hangs, so that a hang fails the test instead of
// stalling it: runs `rescue` on its own thread unless disarmed in time.
class Watchdog {
  public:
    Watchdog(std::function<void()> rescue, std::chrono::milliseconds after)
        : thread_([this, rescue, after] {
              std::unique_lock lock(mutex_);
              if (!done_.wait_for(lock, after, [this] { return disarmed_; })) rescue();
          }) {}
    ~Watchdog() {
        {
            std::lock_guard lock(mutex_);
            disarmed_ = true;
        }
        done_.notify_one();
        thread_.join();
    }

  private:
    std::mutex mutex_;
    std::condition_variable done_;
    bool disarmed_ = false;
    std::thread thread_;
};

// The type and device number of what stands at a path, links not followed.
QString Identity(const QString& path) {
    struct stat st;
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0) return QStringLiteral("nothing");
    return QStringLiteral("%1/%2").arg(st.st_mode & S_IFMT).arg(st.st_rdev);
}

// A listening Unix socket at the path; the descriptor, or -1.
int MakeSocket(const QString& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    if (fd < 0 || size_t(name.size()) >= sizeof(address.sun_path)) return -1;
    std::memcpy(address.sun_path, name.constData(), name.size());
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 || ::listen(fd, 1) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

class TestFileCommands : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QApplication::setQuitOnLastWindowClosed(false);
        savedCwd_ = QDir::currentPath();
    }
    void init() {
        dir_.reset(new QTemporaryDir);
        QVERIFY(dir_->isValid());
        // "Pic001" and "0Temp.kvt" are relative names: keep them in the temporary folder.
        QVERIFY(QDir::setCurrent(dir_->path()));
    }
    void cleanup() {
        QDir::setCurrent(savedCwd_);
        dir_.reset();
    }

    void open_data();
    void open();
    void fileImageAndAutoSave();
    void saveAndClosePrompt_data();
    void saveAndClosePrompt();
    void realDialogsEndToEnd();
    void openRefusesWhatIsNoFile_data();
    void openRefusesWhatIsNoFile();
    void saveRefusesWhatIsNoFile_data();
    void saveRefusesWhatIsNoFile();
    void saveKeepsHardLinks_data();
    void saveKeepsHardLinks();

  private:
    QString path(const QString& name) const { return dir_->filePath(name); }
    QStringList entries() const {
        return QDir(dir_->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    QScopedPointer<QTemporaryDir> dir_;
    QString savedCwd_;
};

void TestFileCommands::open_data() {
    QTest::addColumn<Choice>("choice");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("bytes");  // the file's contents
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QString>("name");  // what ToNameTx makes of the file name
    QByteArray diagonal(kFileImageSize, char(0x11));
    for (int i = 0; i < kPointCount; ++i) {
        diagonal[i] = char(i);
        diagonal[kYBlockOffset + i] = char(255 - i);
    }
    QTest::newRow("diagonal, two dots") << kFile << "pic.old.kvt" << diagonal << true << "pic.old";
    QTest::newRow("3000 bytes, no dot") << kFile << "noext" << RandomBytes(3000) << true << "noext";
    QTest::newRow("read-only, just .kvt") << kReadOnly << ".kvt" << RandomBytes(kFileImageSize) << true << "";
    QTest::newRow("1000 bytes") << kFile << "pic.kvt" << RandomBytes(1000) << false << "pic";
    QTest::newRow("folder") << kFolder << "pic.kvt" << QByteArray() << false << kNoName;
    QTest::newRow("missing") << kMissing << "pic.kvt" << QByteArray() << false << kNoName;
    QTest::newRow("cancel at first use") << kCancel << "pic.kvt" << QByteArray() << false << kNoName;
}

// The undo copy is taken before the dialog, whatever follows. An opened file
// becomes the picture's file; a refused one changes nothing, not even the
// name. The file is never written to.
void TestFileCommands::open() {
    QFETCH(Choice, choice);
    QFETCH(QString, fileName);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, opens);
    QFETCH(QString, name);
    const QString file = path(fileName);
    const bool isFile = choice == kFile || choice == kReadOnly;
    const bool refused = !opens && (isFile || choice == kFolder);
    if (isFile) QVERIFY(WriteBytes(file, bytes));
    if (choice == kReadOnly) QVERIFY(QFile::setPermissions(file, QFile::ReadOwner));
    if (choice == kFolder) QVERIFY(QDir(dir_->path()).mkdir(fileName));
    const QDateTime modified = QFileInfo(file).lastModified();

    TBaseForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    win::undoButton(form)->click();  // the flag off, for the open to set it
    SetSomeFigure(form);
    const Coords x = form.editor().FigureX(), y = form.editor().FigureY();
    const PictureBytes buffer = form.editor().data().PictureBuffer;
    const QString title = form.windowTitle();
    win::openPicButton(form)->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(win::openPicButton(form)));
    ProbeDialogs d;
    bool undoTaken = false;
    d.onOpen = [&] {
        undoTaken = form.UndoEnabled() && form.editor().data().UndoX == x && form.editor().data().UndoY == y;
    };
    d.fileAnswers << (choice == kCancel ? QString() : file);
    win::openPicButton(form)->click();

    QVERIFY(undoTaken);
    QVERIFY(form.UndoEnabled());
    QCOMPARE(ReadBytes(file), bytes);
    QCOMPARE(QFileInfo(file).lastModified(), modified);
    if (opens) {
        QVERIFY(d.messages.isEmpty());
        // The figure is the X and the Y block: writing it over the file changes nothing.
        QCOMPARE(ExpectedImage(form, bytes.left(kFileImageSize)), bytes.left(kFileImageSize));
        QCOMPARE(ImageOf(form.editor().data().PictureBuffer), bytes.left(kFileImageSize));
        QCOMPARE(ImageOf(form.editor().data().PictureBuffer, kFileImageSize), kFiller);
        QCOMPARE(form.editor().fileName(), file);
        QVERIFY(form.windowTitle().endsWith(" [" + file + "] [no Picture] "));  // redrawn
        QCOMPARE(form.SaveDialogPic.fileName, file);
        QCOMPARE(form.editor().PictureName(), name);
    } else {
        QVERIFY(form.editor().FigureX() == x && form.editor().FigureY() == y &&
                form.editor().data().PictureBuffer == buffer);
        QCOMPARE(form.windowTitle(), title);
        QVERIFY(form.editor().fileName().isEmpty());
        QCOMPARE(form.SaveDialogPic.fileName, QString("Pic001"));
        QCOMPARE(form.editor().PictureName(), refused ? QString("No-Name-") : name);
        QCOMPARE(d.messages.size(), choice == kCancel ? 0 : 1);
        if (refused) QVERIFY2(IsFailure(d.messages[0], kOpenFailed, file), qPrintable(d.messages[0].text));
        if (choice == kMissing)
            QVERIFY(d.messages[0].icon == QMessageBox::Critical && d.messages[0].text == kNotFound);
    }
    // The keyboard back to the window, unless the command stopped at a refusal.
    if (!refused) QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(&form));

    // A cancel now names the last chosen file, where the dialog starts.
    win::openPicButton(form)->click();
    QCOMPARE(d.fileDialogs.value(1).fileName, choice == kCancel ? QString() : file);
    QCOMPARE(form.editor().PictureName(), name);
    QCOMPARE(entries(), choice == kMissing || choice == kCancel ? QStringList() : QStringList{fileName});
}

// The 1536 uninterpreted bytes: 0x7F before any open, the opened file's after
// one. The auto-save writes the file image as it stands, without the figure.
void TestFileCommands::fileImageAndAutoSave() {
    const QByteArray original = RandomBytes(kFileImageSize);
    QVERIFY(WriteBytes(path("in.kvt"), original));
    TBaseForm form;
    QVERIFY(!form.TimerAvtoSave->isActive());
    QCOMPARE(form.TimerAvtoSave->interval(), 10000);
    ScriptedDialogs d;
    SetSomeFigure(form);
    form.TimerAvtoSaveTimer();
    QCOMPARE(ReadBytes(path("0Temp.kvt")), kFiller);
    d.fileAnswers << path("new.kvt");
    win::savePicButton(form)->click();
    QCOMPARE(ReadBytes(path("new.kvt")), ExpectedImage(form, kFiller));

    // Round trip through the form, byte for byte; the save dialog starts at the opened file.
    d.fileAnswers << path("in.kvt") << path("out.kvt");
    win::openPicButton(form)->click();
    win::savePicButton(form)->click();
    QCOMPARE(d.fileDialogs.last().fileName, path("in.kvt"));
    QCOMPARE(ReadBytes(path("out.kvt")), original);
    QCOMPARE(ReadBytes(path("in.kvt")), original);

    SetSomeFigure(form);
    form.TimerAvtoSaveTimer();
    QCOMPARE(ReadBytes(path("0Temp.kvt")), original);
    d.fileAnswers << path("edited.kvt");
    win::savePicButton(form)->click();
    QCOMPARE(ReadBytes(path("edited.kvt")), ExpectedImage(form, original));
    QVERIFY(d.messages.isEmpty());
    for (const lp::FileDialogState& s : d.fileDialogs)
        QVERIFY(s.filter == kFilter && s.defaultSuffix == "kvt");
    QCOMPARE(entries(), QStringList({"0Temp.kvt", "edited.kvt", "in.kvt", "new.kvt", "out.kvt"}));

    // The timer runs the handler; a failure is reported and damages nothing.
    QVERIFY(QFile::remove(path("0Temp.kvt")));
    form.TimerAvtoSave->start(1);
    QTRY_VERIFY(QFile::exists(path("0Temp.kvt")));
    form.TimerAvtoSave->stop();
    QVERIFY(QFile::remove(path("0Temp.kvt")) && QDir(dir_->path()).mkdir("0Temp.kvt"));
    form.TimerAvtoSaveTimer();
    QCOMPARE(d.messages.size(), 1);
    QVERIFY(IsFailure(d.messages[0], kWriteFailed, QDir::current().absoluteFilePath("0Temp.kvt")));
}

void TestFileCommands::saveAndClosePrompt_data() {
    QTest::addColumn<How>("how");
    QTest::addColumn<QString>("answers");  // Y, N or Escape to each question, in order
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<QString>("target");  // the save dialog's answer; empty cancels
    QTest::addColumn<bool>("limited");    // under a file size limit
    QTest::addColumn<QString>("name");    // PictureName afterwards
    QTest::newRow("cancel") << kSave << "" << kKept << QString() << false << "prev";
    QTest::newRow("overwrite No") << kSave << "N" << kKept << "exist.kvt" << false << "exist";
    QTest::newRow("overwrite Yes") << kSave << "Y" << kWritten << "exist.kvt" << false << "exist";
    QTest::newRow("new file") << kSave << "" << kWritten << "fresh.kvt" << false << "fresh";
    QTest::newRow("file as parent") << kSave << "" << kFailed << "plain/pic.kvt" << false << "before";
    QTest::newRow("folder in place") << kSave << "" << kFailed << "taken.kvt" << false << "before";
    QTest::newRow("file size limit") << kSave << "Y" << kFailed << "exist.kvt" << true << "before";
    QTest::newRow("close at start-up, No") << kCloseAtStart << "N" << kKept << QString() << false << "before";
    QTest::newRow("close after a save") << kCloseAfterSave << "" << kKept << QString() << false << "before";
    QTest::newRow("close after an undo") << kCloseAfterUndo << "" << kKept << QString() << false << "before";
    QTest::newRow("close, Yes, cancel") << kClose << "Y" << kKept << QString() << false << "before";
    QTest::newRow("close, overwrite No") << kClose << "YN" << kKept << "exist.kvt" << false << "before";
    QTest::newRow("close, Escape") << kClose << "E" << kKept << QString() << false << "before";
    QTest::newRow("close, overwrite Yes") << kClose << "YY" << kWritten << "exist.kvt" << false << "exist";
    QTest::newRow("close, file as parent")
        << kClose << "Y" << kFailed << "plain/pic.kvt" << false << "before";
    QTest::newRow("close, folder in place") << kClose << "Y" << kFailed << "taken.kvt" << false << "before";
}

// The save button and the close prompt. An existing file is asked about
// first; a folder is refused at once. Only a written file changes the caption text and the flag, and the
// window is not redrawn; a failed write leaves the old file, no temporary, and
// the window open with the figure, the undo copy and the flag. ToNameTx runs
// on the save button's every path but a failed write, and the prompt runs none
// of its own.
void TestFileCommands::saveAndClosePrompt() {
    QFETCH(How, how);
    QFETCH(QString, answers);
    QFETCH(Outcome, outcome);
    QFETCH(QString, target);
    QFETCH(bool, limited);
    QFETCH(QString, name);
    const QByteArray prev = RandomBytes(kFileImageSize), exist = RandomBytes(kFileImageSize);
    QVERIFY(WriteBytes(path("prev.kvt"), prev) && WriteBytes(path("exist.kvt"), exist));
    QVERIFY(WriteBytes(path("plain"), "abc") && QDir(dir_->path()).mkpath("taken.kvt/inner"));
    const bool asks = !target.isEmpty() && QFileInfo(path(target)).isFile();
    TBaseForm form;
    form.show();
    ScriptedDialogs d;
    if (how != kCloseAtStart) SetSomeFigure(form);
    if (how == kCloseAfterUndo) win::undoButton(form)->click();
    if (how == kCloseAfterSave) {
        d.fileAnswers << path("saved.kvt");
        win::savePicButton(form)->click();
        d.fileDialogs.clear();
    }
    QStringList files = entries();
    const Coords x = form.editor().FigureX(), y = form.editor().FigureY(), undoX = form.editor().data().UndoX,
                 undoY = form.editor().data().UndoY;
    const bool unsaved = form.UndoEnabled();
    form.SaveDialogPic.fileName = path("prev.kvt");
    form.editor().setPictureName(QStringLiteral("before"));
    const QString fileBefore = form.editor().fileName();
    const QString title = form.windowTitle();
    for (QChar a : answers)
        d.messageAnswers << (a == 'Y' ? QMessageBox::Yes : a == 'N' ? QMessageBox::No : QMessageBox::Cancel);
    d.fileAnswers << (target.isEmpty() ? QString() : path(target));
    bool closed;
    {
        std::optional<FileSizeLimit> limit;
        if (limited) QVERIFY(limit.emplace(1000).ok());  // writes past 1000 bytes fail, for root too
        closed = how == kSave ? (win::savePicButton(form)->click(), false) : form.close();
    }

    // Only a No or a written file closes: work is never thrown away unasked.
    QCOMPARE(closed, how != kSave && (outcome == kWritten || answers.isEmpty() || answers == "N"));
    QCOMPARE(form.isVisible(), !closed);
    QCOMPARE(d.messages.size(), answers.size() + int(outcome == kFailed));
    int asked = 0;
    if (how != kSave && !answers.isEmpty()) QVERIFY(IsQuestion(d.messages[asked++], kSaveChanges));
    if (asks) QVERIFY(IsQuestion(d.messages[asked++], kOverwrite));
    if (outcome == kFailed)
        QVERIFY2(IsFailure(d.messages[asked], kWriteFailed, path(target)),
                 qPrintable(d.messages[asked].text));
    QCOMPARE(d.fileDialogs.size(), how == kSave || answers.startsWith('Y') ? 1 : 0);
    if (!d.fileDialogs.isEmpty()) QCOMPARE(d.fileDialogs[0].fileName, path("prev.kvt"));
    QCOMPARE(form.editor().PictureName(), name);
    QCOMPARE(form.editor().fileName(), outcome == kWritten ? path(target) : fileBefore);
    QCOMPARE(form.UndoEnabled(), unsaved && outcome != kWritten);
    QVERIFY(form.editor().FigureX() == x && form.editor().FigureY() == y &&
            form.editor().data().UndoX == undoX && form.editor().data().UndoY == undoY);
    QCOMPARE(form.windowTitle(), title);
    const QByteArray image = ExpectedImage(form, kFiller);
    // The figure goes in first, unless the target was refused before the write.
    if (outcome != kKept && target != "taken.kvt")
        QCOMPARE(ImageOf(form.editor().data().PictureBuffer), image);
    QCOMPARE(ReadBytes(path("prev.kvt")), prev);
    if (outcome != kWritten || target != "exist.kvt") QCOMPARE(ReadBytes(path("exist.kvt")), exist);
    QVERIFY(QFileInfo(path("taken.kvt/inner")).isDir());
    if (outcome == kWritten) {
        QCOMPARE(ReadBytes(path(target)), image);
        if (!files.contains(target)) (files << target).sort();
        form.FullReturn(1);
        QVERIFY(form.windowTitle().contains(path(target)));
    }
    QCOMPARE(entries(), files);
}

// The real dialogs of the default seam: open through the open dialog, a "not
// found" box, an overwrite question answered No, then close with the prompt
// and the save dialog, typed into.
void TestFileCommands::realDialogsEndToEnd() {
    const QByteArray original = RandomBytes(kFileImageSize);
    QVERIFY(WriteBytes(path("real.kvt"), original));
    TBaseForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    ModalDriver driver;

    driver.acceptFile(QStringLiteral("OpenDialog"), path("real.kvt"), false);
    win::openPicButton(form)->click();
    QVERIFY2(driver.problems().isEmpty(), qPrintable(driver.problems()));
    QCOMPARE(form.editor().PictureName(), QString("real"));

    // A name that does not exist: the error box, answered with its OK button.
    driver.acceptFile(QStringLiteral("OpenDialog"), path("missing.kvt"), false);
    driver.clickButton(QMessageBox::Ok, kNotFound, QMessageBox::Critical);
    win::openPicButton(form)->click();
    QVERIFY2(driver.problems().isEmpty(), qPrintable(driver.problems()));
    QCOMPARE(form.editor().PictureName(), kNoName);

    // Save over the opened file, answer No.
    QString shownSaveName;
    driver.acceptFile(QStringLiteral("SaveDialog"), path("real.kvt"), false, &shownSaveName);
    driver.clickButton(QMessageBox::No, kOverwrite, QMessageBox::Warning);
    win::savePicButton(form)->click();
    QVERIFY2(driver.problems().isEmpty(), qPrintable(driver.problems()));
    QCOMPARE(shownSaveName, QString("real.kvt"));  // the save dialog starts at the opened file
    QCOMPARE(form.editor().PictureName(), QString("real"));

    // Close, the prompt left without an answer: the editor stays as it was.
    for (bool escape : {true, false}) {
        driver.leaveBox(escape);
        QVERIFY(!form.close());
        QVERIFY2(driver.problems().isEmpty(), qPrintable(driver.problems()));
        QVERIFY(form.isVisible() && form.UndoEnabled());
    }
    // Close: the prompt (Yes), the save dialog with a typed name: written, closed.
    driver.clickButton(QMessageBox::Yes, kSaveChanges, QMessageBox::Warning);
    driver.acceptFile(QStringLiteral("SaveDialog"), path("copy.kvt"), true);
    QVERIFY(form.close());
    QVERIFY2(driver.problems().isEmpty(), qPrintable(driver.problems()));
    QCOMPARE(ReadBytes(path("copy.kvt")), original);
    QCOMPARE(ReadBytes(path("real.kvt")), original);
    QCOMPARE(entries(), QStringList({"copy.kvt", "real.kvt"}));
}

void TestFileCommands::openRefusesWhatIsNoFile_data() {
    QTest::addColumn<Special>("kind");
    QTest::addColumn<QString>("reason");  // in the box's last line
    const QString noFile = QStringLiteral("не обычный файл");
    QTest::newRow("pipe without a writer") << kPipe << noFile;
    QTest::newRow("pipe with a short writer") << kPipeShortWriter << noFile;
    QTest::newRow("/dev/zero through pic.kvt") << kDeviceLink << noFile;
    QTest::newRow("/dev/urandom typed") << kDeviceTyped << noFile;
    QTest::newRow("socket") << kSocket << noFile;
    QTest::newRow("folder") << kDirectory << QStringLiteral("папка");
}

// Only a regular file opens. Anything else is refused at once, without a hang
// and without reading it: one error box, and the figure, the caption, the
// name and the save dialog stay as they were.
void TestFileCommands::openRefusesWhatIsNoFile() {
    QFETCH(Special, kind);
    QFETCH(QString, reason);
    QString file = path("pic.kvt");
    const QByteArray name = QFile::encodeName(file);
    int held = -1;  // a descriptor the test keeps open meanwhile
    std::function<void()> rescue = [] {};
    switch (kind) {
        case kPipe:
            QVERIFY(::mkfifo(name.constData(), 0644) == 0);
            // A writer that comes and goes ends a blocked open with an empty read.
            rescue = [name] {
                const int fd = ::open(name.constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) ::close(fd);
            };
            break;
        case kPipeShortWriter:
            QVERIFY(::mkfifo(name.constData(), 0644) == 0);
            held = ::open(name.constData(), O_RDWR | O_NONBLOCK);
            QVERIFY(held >= 0 && ::write(held, "0123456789", 10) == 10);
            rescue = [&held] { ::close(std::exchange(held, -1)); };
            break;
        case kDeviceLink:
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), file));
            break;
        case kDeviceTyped:
            file = QStringLiteral("/dev/urandom");
            break;
        case kSocket:
            QVERIFY((held = MakeSocket(file)) >= 0);
            break;
        default:
            QVERIFY(QDir(dir_->path()).mkdir("pic.kvt"));
    }
    const QString identity = Identity(file);

    TBaseForm form;
    form.show();
    SetSomeFigure(form);
    form.FullReturn(1);
    const Coords x = form.editor().FigureX(), y = form.editor().FigureY();
    const PictureBytes buffer = form.editor().data().PictureBuffer;
    const QString title = form.windowTitle();
    ScriptedDialogs d;
    d.fileAnswers << file;
    QElapsedTimer clock;
    clock.start();
    {
        Watchdog watchdog(rescue, std::chrono::seconds(3));
        win::openPicButton(form)->click();
    }
    const qint64 took = clock.elapsed();
    if (held >= 0) ::close(held);

    QVERIFY2(took < 1000, qPrintable(QString::number(took)));
    QCOMPARE(d.messages.size(), 1);
    QVERIFY2(IsFailure(d.messages[0], kOpenFailed, file), qPrintable(d.messages[0].text));
    QVERIFY2(d.messages[0].text.section('\n', -1).contains(reason), qPrintable(d.messages[0].text));
    QVERIFY(form.editor().FigureX() == x && form.editor().FigureY() == y &&
            form.editor().data().PictureBuffer == buffer);
    QCOMPARE(form.windowTitle(), title);
    QVERIFY(form.editor().fileName().isEmpty());
    QCOMPARE(form.editor().PictureName(), QString("No-Name-"));
    QCOMPARE(form.SaveDialogPic.fileName, QString("Pic001"));
    QCOMPARE(Identity(file), identity);
}

void TestFileCommands::saveRefusesWhatIsNoFile_data() {
    QTest::addColumn<Special>("kind");
    QTest::addColumn<How>("how");
    QTest::newRow("pipe") << kPipe << kSave;
    QTest::newRow("device node") << kDevice << kSave;
    QTest::newRow("link to a device node") << kLinkToDevice << kSave;
    QTest::newRow("loop of links") << kLinkLoop << kSave;
    QTest::newRow("folder") << kDirectory << kSave;
    QTest::newRow("close, pipe") << kPipe << kClose;
    QTest::newRow("close, link to a device node") << kLinkToDevice << kClose;
}

// A target that is there but is no regular file, links followed, is refused
// with the write error before anything is asked or written; what stands there
// stays, no temporary is left, and the figure still counts as unsaved (so the
// close is abandoned).
void TestFileCommands::saveRefusesWhatIsNoFile() {
    QFETCH(Special, kind);
    QFETCH(How, how);
    const QString file = path("pic.kvt");
    const QByteArray name = QFile::encodeName(file);
    switch (kind) {
        case kPipe:
            QVERIFY(::mkfifo(name.constData(), 0644) == 0);
            break;
        case kDevice:
        case kLinkToDevice: {
            // The numbers of /dev/null: harmless even if something wrote to it.
            const QByteArray node = QFile::encodeName(path(kind == kDevice ? "pic.kvt" : "node"));
            if (::mknod(node.constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
                QSKIP("device nodes cannot be made here (needs root outside a restricted container)");
            if (kind == kLinkToDevice) QVERIFY(QFile::link("node", file));
            break;
        }
        case kLinkLoop:
            QVERIFY(QFile::link("loop.kvt", file) && QFile::link("pic.kvt", path("loop.kvt")));
            break;
        default:
            QVERIFY(QDir(dir_->path()).mkpath("pic.kvt/inner"));
    }
    const QStringList files = entries();
    QStringList identities;
    for (const QString& f : files) identities << Identity(path(f));

    TBaseForm form;
    form.show();
    SetSomeFigure(form);
    form.editor().setPictureName(QStringLiteral("before"));
    ScriptedDialogs d;
    d.fileAnswers << file;
    if (how == kSave)
        win::savePicButton(form)->click();
    else
        QVERIFY(!form.close());

    QCOMPARE(d.messages.size(), how == kSave ? 1 : 2);
    if (how == kClose) QVERIFY(IsQuestion(d.messages[0], kSaveChanges));
    QVERIFY2(IsFailure(d.messages.last(), kWriteFailed, file), qPrintable(d.messages.last().text));
    QVERIFY(form.isVisible());
    QVERIFY(form.UndoEnabled());
    QVERIFY(form.editor().fileName().isEmpty());
    QCOMPARE(form.editor().PictureName(), QString("before"));
    QCOMPARE(entries(), files);
    QStringList after;
    for (const QString& f : files) after << Identity(path(f));
    QCOMPARE(after, identities);
}

void TestFileCommands::saveKeepsHardLinks_data() {
    QTest::addColumn<bool>("limited");  // under a file size limit
    QTest::newRow("written") << false;
    QTest::newRow("file size limit") << true;
}

// A file with another name is written where it stands, so both names show the
// new picture; a failed write leaves the old one under both and says so.
void TestFileCommands::saveKeepsHardLinks() {
    QFETCH(bool, limited);
    const QByteArray old = RandomBytes(kFileImageSize);
    QVERIFY(WriteBytes(path("pic.kvt"), old));
    QCOMPARE(::link(QFile::encodeName(path("pic.kvt")), QFile::encodeName(path("other.kvt"))), 0);
    TBaseForm form;
    SetSomeFigure(form);
    ScriptedDialogs d;
    d.fileAnswers << path("pic.kvt");
    {
        std::optional<FileSizeLimit> limit;
        if (limited) QVERIFY(limit.emplace(1000).ok());
        win::savePicButton(form)->click();
    }
    QCOMPARE(d.messages.size(), limited ? 2 : 1);
    QVERIFY(IsQuestion(d.messages[0], kOverwrite));
    if (limited) QVERIFY(IsFailure(d.messages[1], kWriteFailed, path("pic.kvt")));
    const QByteArray now = limited ? old : ExpectedImage(form, kFiller);
    QCOMPARE(ReadBytes(path("pic.kvt")), now);
    QCOMPARE(ReadBytes(path("other.kvt")), now);
    QCOMPARE(entries(), QStringList({"other.kvt", "pic.kvt"}));
}

QTEST_MAIN(TestFileCommands)
#include "test_file_commands.moc"
