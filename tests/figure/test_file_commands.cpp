// The picture-file commands of the main window: open, save, the
// save prompt on close, ToNameTx and the auto-save, on real files in temporary
// folders. The answers come from ScriptedDialogs, except in the end-to-end test,
// which drives the real dialogs of the default seam.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QAbstractItemView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QQueue>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "app/baseform.h"
#include "app/controls.h"
#include "figure/kvtfile.h"
#include "support/scripteddialogs.h"
#include "ui_baseform.h"

#ifdef Q_OS_UNIX
#include <sys/resource.h>

#include <csignal>
#endif

using namespace lp;

namespace {

const QString kNotFound = QStringLiteral("Файл не найден !");
const QString kOverwrite = QStringLiteral("Файл с таким именем существует, переписать?");
const QString kSaveChanges = QStringLiteral(" Записать последние изменения?");
const QString kFilter = QStringLiteral("Картинка для Korventa (*.kvt)");
const QString kNoName = QStringLiteral(" NoName ");
const auto kYesNo = QMessageBox::StandardButtons(QMessageBox::Yes | QMessageBox::No);

bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray ReadBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray RandomBytes(int n) {
    QByteArray b(n, '\0');
    for (char& c : b) c = char(QRandomGenerator::global()->bounded(256));
    return b;
}

QByteArray ImageOf(const PictureBytes& b) {
    return QByteArray(reinterpret_cast<const char*>(b.data()), FileImageSize);
}

Coords Filled(uint8_t v) {
    Coords c;
    c.fill(v);
    return c;
}

// A figure unlike the start-up one and unlike the test files.
void SetSomeFigure(TBaseForm& form) {
    form.ToUndo();
    for (int i = 0; i < PointCount; ++i) {
        form.FigureX[i] = uint8_t(i * 3 + 1);
        form.FigureY[i] = uint8_t(200 - i);
    }
}

// The figure's file image over the given carried bytes.
QByteArray ExpectedImage(const TBaseForm& form, QByteArray carried) {
    for (int i = 0; i < PointCount; ++i) {
        carried[i] = char(form.FigureX[i]);
        carried[YBlockOffset + i] = char(form.FigureY[i]);
    }
    return carried;
}

QString Caption(const QString& path) { return QStringLiteral(" [") + path + QStringLiteral("]"); }

// Scripted answers that can also look at the window at the moment a dialog runs.
class ProbeDialogs : public ScriptedDialogs {
public:
    std::function<void()> onFileDialog;
    bool openFile(QWidget* parent, FileDialogState& state) override {
        if (onFileDialog) onFileDialog();
        return ScriptedDialogs::openFile(parent, state);
    }
    bool saveFile(QWidget* parent, FileDialogState& state) override {
        if (onFileDialog) onFileDialog();
        return ScriptedDialogs::saveFile(parent, state);
    }
};

// Answers the real modal dialogs as they come up, one queued action each. A
// modal window that comes up with no action left is closed and recorded as a
// failure, so a wrong path fails the test instead of hanging it.
class ModalDriver : public QObject {
public:
    using Action = std::function<void(QWidget*, QStringList& failures)>;

    ModalDriver() { arm(); }

    void then(Action action) { actions_.enqueue(std::move(action)); }
    bool done() const { return actions_.isEmpty(); }
    QStringList failures;

    // Accepts a file dialog of the given objectName with the path, written
    // into its name field (QFileDialog::selectFile() does not touch a name
    // field that has the focus, so it is not used): either the dialog's
    // accept() or Enter in the field, as a user would press it.
    static Action acceptFile(const QString& objectName, const QString& path, bool pressEnter,
                             QString* shownName = nullptr) {
        return [=](QWidget* w, QStringList& failures) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            if (!dialog || dialog->objectName() != objectName) {
                failures << QStringLiteral("expected file dialog %1, got %2 \"%3\"")
                                .arg(objectName, QString::fromLatin1(w->metaObject()->className()), w->objectName());
                return;
            }
            if (dialog->nameFilters() != QStringList{kFilter})
                failures << QStringLiteral("filter: ") + dialog->nameFilters().join(QLatin1Char('|'));
            if (dialog->defaultSuffix() != QStringLiteral("kvt"))
                failures << QStringLiteral("default suffix: ") + dialog->defaultSuffix();
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            if (!edit) {
                failures << QStringLiteral("file dialog without its name field");
                return;
            }
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
        };
    }

    // Clicks a button of the message box after checking its text.
    static Action clickButton(QMessageBox::StandardButton button, const QString& expectedText,
                              QMessageBox::Icon expectedIcon) {
        return [=](QWidget* w, QStringList& failures) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (!box || box->objectName() != QStringLiteral("MessageBox")) {
                failures << QStringLiteral("expected a message box, got %1 \"%2\"")
                                .arg(QString::fromLatin1(w->metaObject()->className()), w->objectName());
                return;
            }
            if (box->text() != expectedText) failures << QStringLiteral("message text: ") + box->text();
            if (box->icon() != expectedIcon) failures << QStringLiteral("message icon differs");
            QAbstractButton* b = box->button(button);
            if (!b) {
                failures << QStringLiteral("message box lacks the button");
                return;
            }
            QTest::mouseClick(b, Qt::LeftButton);
        };
    }

private:
    void arm() { QTimer::singleShot(20, this, [this] { poll(); }); }

    void poll() {
        QWidget* w = QApplication::activeModalWidget();
        if (w && w->isVisible()) {
            QPointer<QWidget> guard(w);
            if (actions_.isEmpty()) {
                failures << QStringLiteral("unexpected modal window %1 \"%2\"")
                                .arg(QString::fromLatin1(w->metaObject()->className()), w->objectName());
            } else {
                actions_.dequeue()(w, failures);
            }
            // Whatever the action did not close must not block the test.
            if (guard && guard->isVisible() && QApplication::activeModalWidget() == guard) {
                failures << QStringLiteral("modal window left open: ") + guard->objectName();
                if (auto* d = qobject_cast<QDialog*>(guard.data())) d->done(QDialog::Rejected);
            }
        }
        arm();
    }

    QQueue<Action> actions_;
};

}  // namespace

class TestFileCommands : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void roundTripThroughForm();
    void diagonalFileOpens();
    void shortFileRefused();
    void unreadableChoicesChangeNothing();
    void longFileOpens();
    void readOnlyFileOpens();
    void fillerBeforeAnyOpen();
    void carriedBytesAfterOpen();
    void toNameTx();
    void cancelOpenAtFirstUse();
    void openCancelKeepsLastName();
    void missingFileOnOpen();
    void focusBackAfterOpen();
    void saveCancelAndNo();
    void saveOverwriteYesAndNewFile();
    void saveToFileDoesNotRedraw();
    void failedSaveChangesNothing();
    void failedSaveKeepsOldFile();
    void autoSave();
    void closeRightAfterStartAsks();
    void closeAfterSaveOrUndoAsksNothing();
    void closeYesThenCancelWritesNothing();
    void closeOverwriteNoWritesNothing();
    void closeYesWrites();
    void closeFailingWriteKeepsWindowOpen();
    void realDialogsEndToEnd();

private:
    QString path(const QString& name) const { return dir_->filePath(name); }
    QStringList entries() const {
        return QDir(dir_->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    QScopedPointer<QTemporaryDir> dir_;
    QString savedCwd_;
};

void TestFileCommands::initTestCase() {
    QApplication::setQuitOnLastWindowClosed(false);
    savedCwd_ = QDir::currentPath();
}

void TestFileCommands::init() {
    dir_.reset(new QTemporaryDir);
    QVERIFY(dir_->isValid());
    // "Pic001" and "0Temp.kvt" are relative names: keep them in the temporary folder.
    QVERIFY(QDir::setCurrent(dir_->path()));
}

void TestFileCommands::cleanup() {
    QDir::setCurrent(savedCwd_);
    dir_.reset();
}

// Open a file with random bytes in all 2048, save it under another name: the
// copy is identical, and the original was not written to.
void TestFileCommands::roundTripThroughForm() {
    const QByteArray original = RandomBytes(FileImageSize);
    QVERIFY(WriteBytes(path("in.kvt"), original));
    TBaseForm form;
    ScriptedDialogs d;
    d.fileAnswers << path("in.kvt") << path("out.kvt");

    form.ui->SpeedButtonOpenPic->click();
    QVERIFY(d.messages.isEmpty());
    QCOMPARE(form.PictureName, QString("in"));
    form.ui->SpeedButtonSavePic->click();
    QVERIFY(d.messages.isEmpty());  // a new file: no overwrite question

    QCOMPARE(ReadBytes(path("out.kvt")), original);
    QCOMPARE(ReadBytes(path("in.kvt")), original);
    QCOMPARE(entries(), QStringList({"in.kvt", "out.kvt"}));  // no temporaries left

    // The dialogs: filter, default extension, the names they start with.
    QCOMPARE(d.fileDialogs.size(), 2);
    QCOMPARE(d.fileDialogs[0].filter, kFilter);
    QCOMPARE(d.fileDialogs[0].defaultSuffix, QString("kvt"));
    QCOMPARE(d.fileDialogs[0].fileName, QString());
    QCOMPARE(d.fileDialogs[1].filter, kFilter);
    QCOMPARE(d.fileDialogs[1].defaultSuffix, QString("kvt"));
    QCOMPARE(d.fileDialogs[1].fileName, path("in.kvt"));  // the opened path

    QCOMPARE(form.FileTitle, Caption(path("out.kvt")));
    QCOMPARE(form.SaveDialogPic.fileName, path("out.kvt"));
    QCOMPARE(form.PictureName, QString("out"));
    QVERIFY(!form.UndoEnabled());
}

void TestFileCommands::diagonalFileOpens() {
    QByteArray bytes(FileImageSize, char(0x11));
    for (int i = 0; i < PointCount; ++i) {
        bytes[i] = char(i);
        bytes[YBlockOffset + i] = char(255 - i);
    }
    QVERIFY(WriteBytes(path("diag.kvt"), bytes));
    TBaseForm form;
    ScriptedDialogs d;
    d.fileAnswers << path("diag.kvt");
    form.ui->SpeedButtonOpenPic->click();

    QVERIFY(d.messages.isEmpty());
    for (int i = 0; i < PointCount; ++i) {
        QCOMPARE(form.FigureX[i], uint8_t(i));
        QCOMPARE(form.FigureY[i], uint8_t(255 - i));
    }
    QCOMPARE(ImageOf(form.data.PictureBuffer), bytes);
    QCOMPARE(form.FileTitle, Caption(path("diag.kvt")));
    QCOMPARE(form.windowTitle(), form.EditorTitle + form.FileTitle + form.PictureTitle);  // FullReturn(1) ran
    QCOMPARE(form.SaveDialogPic.fileName, path("diag.kvt"));
    QCOMPARE(form.OpenDialogPic.fileName, path("diag.kvt"));
    QCOMPARE(form.PictureName, QString("diag"));
    // The undo copy holds the figure from before the open.
    QVERIFY(form.UndoEnabled());
    QVERIFY(form.data.UndoX == Filled(127));
    QVERIFY(form.data.UndoY == Filled(127));
    QCOMPARE(ReadBytes(path("diag.kvt")), bytes);
}

// A 1000-byte file is refused: error box naming the file, and the figure, the
// buffer, the caption, the current file name and the picture name stay.
void TestFileCommands::shortFileRefused() {
    const QByteArray good = RandomBytes(FileImageSize);
    QVERIFY(WriteBytes(path("good.kvt"), good));
    const QByteArray shortBytes = RandomBytes(1000);
    QVERIFY(WriteBytes(path("short.kvt"), shortBytes));
    TBaseForm form;
    ScriptedDialogs d;
    d.fileAnswers << path("good.kvt") << path("short.kvt");
    form.ui->SpeedButtonOpenPic->click();
    QVERIFY(d.messages.isEmpty());

    const Coords x = form.FigureX, y = form.FigureY;
    const PictureBytes buffer = form.data.PictureBuffer;
    const QString title = form.windowTitle();
    form.ui->SpeedButtonOpenPic->click();

    QCOMPARE(d.messages.size(), 1);
    QCOMPARE(d.messages[0].icon, QMessageBox::Critical);
    QCOMPARE(d.messages[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY2(d.messages[0].text.contains(QDir::toNativeSeparators(path("short.kvt"))), qPrintable(d.messages[0].text));
    QVERIFY(d.messages[0].text.startsWith(QStringLiteral("Не удалось открыть файл")));
    QVERIFY(d.messages[0].text.split(QLatin1Char('\n')).size() >= 3);  // what, path, reason
    QVERIFY(form.FigureX == x);
    QVERIFY(form.FigureY == y);
    QVERIFY(form.data.PictureBuffer == buffer);
    QCOMPARE(form.FileTitle, Caption(path("good.kvt")));
    QCOMPARE(form.windowTitle(), title);
    QCOMPARE(form.SaveDialogPic.fileName, path("good.kvt"));
    QCOMPARE(form.PictureName, QString("good"));  // ToNameTx did not run ("short" otherwise)
    QCOMPARE(ReadBytes(path("short.kvt")), shortBytes);
}

// The same for a directory chosen in the open dialog, on a fresh window.
void TestFileCommands::unreadableChoicesChangeNothing() {
    QVERIFY(QDir(dir_->path()).mkdir("folder.kvt"));
    TBaseForm form;
    SetSomeFigure(form);
    const Coords x = form.FigureX, y = form.FigureY;
    ScriptedDialogs d;
    d.fileAnswers << path("folder.kvt");
    form.ui->SpeedButtonOpenPic->click();

    QCOMPARE(d.messages.size(), 1);
    QCOMPARE(d.messages[0].icon, QMessageBox::Critical);
    QVERIFY(d.messages[0].text.contains(QDir::toNativeSeparators(path("folder.kvt"))));
    QVERIFY(form.FigureX == x);
    QVERIFY(form.FigureY == y);
    for (uint8_t b : form.data.PictureBuffer) QCOMPARE(b, uint8_t(0x7F));
    QCOMPARE(form.FileTitle, QString(" [no FileLaser] "));
    QCOMPARE(form.SaveDialogPic.fileName, QString("Pic001"));
    QCOMPARE(form.PictureName, QString("No-Name-"));
    QVERIFY(QFileInfo(path("folder.kvt")).isDir());
}

void TestFileCommands::longFileOpens() {
    const QByteArray bytes = RandomBytes(3000);
    QVERIFY(WriteBytes(path("long.kvt"), bytes));
    TBaseForm form;
    ScriptedDialogs d;
    d.fileAnswers << path("long.kvt") << path("copy.kvt");
    form.ui->SpeedButtonOpenPic->click();

    QVERIFY(d.messages.isEmpty());
    for (int i = 0; i < PointCount; ++i) {
        QCOMPARE(form.FigureX[i], uint8_t(bytes[i]));
        QCOMPARE(form.FigureY[i], uint8_t(bytes[YBlockOffset + i]));
    }
    QCOMPARE(ImageOf(form.data.PictureBuffer), bytes.left(FileImageSize));
    for (int i = FileImageSize; i < PictureBufferSize; ++i) QCOMPARE(form.data.PictureBuffer[i], uint8_t(0x7F));
    QCOMPARE(form.FileTitle, Caption(path("long.kvt")));

    form.ui->SpeedButtonSavePic->click();
    QCOMPARE(ReadBytes(path("copy.kvt")), bytes.left(FileImageSize));
    QCOMPARE(ReadBytes(path("long.kvt")), bytes);
}

// The editor writes nothing when it opens a file. (Root reads it whatever the
// permission bits say; as an ordinary user this proves that no write access is needed.)
void TestFileCommands::readOnlyFileOpens() {
    const QByteArray bytes = RandomBytes(FileImageSize);
    QVERIFY(WriteBytes(path("ro.kvt"), bytes));
    QVERIFY(QFile::setPermissions(path("ro.kvt"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const QDateTime modified = QFileInfo(path("ro.kvt")).lastModified();
    TBaseForm form;
    ScriptedDialogs d;
    d.fileAnswers << path("ro.kvt");
    form.ui->SpeedButtonOpenPic->click();

    QVERIFY(d.messages.isEmpty());
    QCOMPARE(ImageOf(form.data.PictureBuffer), bytes);
    QCOMPARE(form.FileTitle, Caption(path("ro.kvt")));
    QCOMPARE(ReadBytes(path("ro.kvt")), bytes);
    QCOMPARE(QFileInfo(path("ro.kvt")).lastModified(), modified);
    QCOMPARE(QFileInfo(path("ro.kvt")).permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther),
             QFile::Permissions());
}

// Saved before any open: the 1536 uninterpreted bytes are 0x7F.
void TestFileCommands::fillerBeforeAnyOpen() {
    TBaseForm form;
    SetSomeFigure(form);
    ScriptedDialogs d;
    d.fileAnswers << path("new.kvt");
    form.ui->SpeedButtonSavePic->click();

    QVERIFY(d.messages.isEmpty());
    const QByteArray saved = ReadBytes(path("new.kvt"));
    QCOMPARE(saved.size(), FileImageSize);
    QCOMPARE(saved, ExpectedImage(form, QByteArray(FileImageSize, char(0x7F))));
    for (int i = PointCount; i < YBlockOffset; ++i) QCOMPARE(uint8_t(saved[i]), uint8_t(0x7F));
    for (int i = YBlockOffset + PointCount; i < FileImageSize; ++i) QCOMPARE(uint8_t(saved[i]), uint8_t(0x7F));
}

// After an open the opened file's 1536 bytes are carried into every save.
void TestFileCommands::carriedBytesAfterOpen() {
    const QByteArray original = RandomBytes(FileImageSize);
    QVERIFY(WriteBytes(path("src.kvt"), original));
    TBaseForm form;
    ScriptedDialogs d;
    d.fileAnswers << path("src.kvt") << path("edited.kvt");
    form.ui->SpeedButtonOpenPic->click();
    SetSomeFigure(form);
    form.ui->SpeedButtonSavePic->click();

    QVERIFY(d.messages.isEmpty());
    const QByteArray saved = ReadBytes(path("edited.kvt"));
    QCOMPARE(saved, ExpectedImage(form, original));
    QCOMPARE(saved.mid(PointCount, YBlockOffset - PointCount), original.mid(PointCount, YBlockOffset - PointCount));
    QCOMPARE(saved.mid(YBlockOffset + PointCount), original.mid(YBlockOffset + PointCount));
    QCOMPARE(ReadBytes(path("src.kvt")), original);
}

void TestFileCommands::toNameTx() {
    for (const char* name : {"pic.old.kvt", "noext", ".kvt"}) QVERIFY(WriteBytes(path(name), "x"));
    QVERIFY(QDir(dir_->path()).mkdir("a.dir"));
    QVERIFY(WriteBytes(path("a.dir/inner.kvt"), "x"));
    TBaseForm form;

    form.ToNameTx(path("pic.old.kvt"));
    QCOMPARE(form.PictureName, QString("pic.old"));
    form.ToNameTx(path("noext"));
    QCOMPARE(form.PictureName, QString("noext"));
    form.ToNameTx(path(".kvt"));
    QCOMPARE(form.PictureName, QString(""));
    form.ToNameTx(path("a.dir/inner.kvt"));
    QCOMPARE(form.PictureName, QString("inner"));
    form.ToNameTx(QStringLiteral("pic.old.kvt"));  // relative to the working directory
    QCOMPARE(form.PictureName, QString("pic.old"));
    form.ToNameTx(path("missing.kvt"));
    QCOMPARE(form.PictureName, kNoName);
    form.ToNameTx(QString());
    QCOMPARE(form.PictureName, kNoName);
}

// ToUndo runs before the dialog, so a cancel at the first use leaves undo enabled.
void TestFileCommands::cancelOpenAtFirstUse() {
    TBaseForm form;
    form.ui->SpeedButtonUndo->click();  // FromUndo: the flag is off
    QVERIFY(!form.UndoEnabled());
    form.FigureX.fill(9);  // a figure the undo copy does not hold yet
    form.FigureY.fill(8);

    ProbeDialogs d;
    bool undoAtDialog = false;
    Coords undoXAtDialog{};
    d.onFileDialog = [&] {
        undoAtDialog = form.UndoEnabled();
        undoXAtDialog = form.data.UndoX;
    };
    d.fileAnswers << QString();  // cancel
    form.ui->SpeedButtonOpenPic->click();

    QVERIFY(undoAtDialog);
    QVERIFY(undoXAtDialog == Filled(9));
    QVERIFY(form.UndoEnabled());
    QVERIFY(form.data.UndoY == Filled(8));
    QCOMPARE(form.PictureName, kNoName);
    QVERIFY(d.messages.isEmpty());
    QVERIFY(form.FigureX == Filled(9));
    QCOMPARE(form.FileTitle, QString(" [no FileLaser] "));
    QCOMPARE(form.SaveDialogPic.fileName, QString("Pic001"));
    QVERIFY(entries().isEmpty());
}

// After a cancel, ToNameTx takes the name chosen the last time.
void TestFileCommands::openCancelKeepsLastName() {
    const QByteArray bytes = RandomBytes(FileImageSize);
    QVERIFY(WriteBytes(path("first.kvt"), bytes));
    TBaseForm form;
    ScriptedDialogs d;
    d.fileAnswers << path("first.kvt") << QString();
    form.ui->SpeedButtonOpenPic->click();
    form.ui->SpeedButtonUndo->click();
    form.PictureName = QStringLiteral("changed");
    form.ui->SpeedButtonOpenPic->click();

    QCOMPARE(d.fileDialogs.size(), 2);
    QCOMPARE(d.fileDialogs[1].fileName, path("first.kvt"));  // the dialog remembers
    QCOMPARE(form.PictureName, QString("first"));
    QVERIFY(form.UndoEnabled());
    QVERIFY(d.messages.isEmpty());
}

// "Файл не найден !", then ToNameTx with the missing name; nothing else changes.
void TestFileCommands::missingFileOnOpen() {
    TBaseForm form;
    SetSomeFigure(form);
    const Coords x = form.FigureX;
    ScriptedDialogs d;
    d.fileAnswers << path("missing.kvt");
    form.PictureName = QStringLiteral("before");
    form.ui->SpeedButtonOpenPic->click();

    QCOMPARE(d.messages.size(), 1);
    QCOMPARE(d.messages[0].text, kNotFound);
    QCOMPARE(d.messages[0].icon, QMessageBox::Critical);
    QCOMPARE(d.messages[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(form.FigureX == x);
    QCOMPARE(form.FileTitle, QString(" [no FileLaser] "));
    QCOMPARE(form.SaveDialogPic.fileName, QString("Pic001"));
    QCOMPARE(form.PictureName, kNoName);
    QVERIFY(entries().isEmpty());
}

void TestFileCommands::focusBackAfterOpen() {
    TBaseForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.ui->SpeedButtonUndo->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(form.ui->SpeedButtonUndo));
    ScriptedDialogs d;
    d.fileAnswers << QString();
    form.ui->SpeedButtonOpenPic->click();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(&form));
}

// Cancel and overwrite No write nothing, yet ToNameTx runs on both paths.
void TestFileCommands::saveCancelAndNo() {
    {  // cancel at the very start: "Pic001" does not exist in the working directory
        TBaseForm form;
        ScriptedDialogs d;
        d.fileAnswers << QString();
        form.ui->SpeedButtonSavePic->click();
        QCOMPARE(d.fileDialogs.size(), 1);
        QCOMPARE(d.fileDialogs[0].fileName, QString("Pic001"));
        QCOMPARE(d.fileDialogs[0].filter, kFilter);
        QCOMPARE(form.PictureName, kNoName);
        QVERIFY(form.UndoEnabled());
        QVERIFY(entries().isEmpty());
    }

    const QByteArray existing = RandomBytes(FileImageSize);
    QVERIFY(WriteBytes(path("exist.kvt"), existing));
    TBaseForm form;
    SetSomeFigure(form);
    form.SaveDialogPic.fileName = path("exist.kvt");
    ScriptedDialogs d;

    // Cancel: the name the dialog still holds.
    d.fileAnswers << QString();
    form.ui->SpeedButtonSavePic->click();
    QVERIFY(d.messages.isEmpty());
    QCOMPARE(form.PictureName, QString("exist"));
    QCOMPARE(ReadBytes(path("exist.kvt")), existing);

    // Overwrite No.
    form.PictureName = QStringLiteral("before");
    d.fileAnswers << path("exist.kvt");
    d.messageAnswers << QMessageBox::No;
    form.ui->SpeedButtonSavePic->click();
    QCOMPARE(d.messages.size(), 1);
    QCOMPARE(d.messages[0].text, kOverwrite);
    QCOMPARE(d.messages[0].icon, QMessageBox::Warning);
    QCOMPARE(d.messages[0].buttons, kYesNo);
    QCOMPARE(ReadBytes(path("exist.kvt")), existing);
    QCOMPARE(form.PictureName, QString("exist"));
    QCOMPARE(form.FileTitle, QString(" [no FileLaser] "));
    QVERIFY(form.UndoEnabled());
    QCOMPARE(entries(), QStringList{"exist.kvt"});
}

void TestFileCommands::saveOverwriteYesAndNewFile() {
    QVERIFY(WriteBytes(path("exist.kvt"), RandomBytes(FileImageSize)));
    TBaseForm form;
    SetSomeFigure(form);
    ScriptedDialogs d;
    d.fileAnswers << path("exist.kvt");
    d.messageAnswers << QMessageBox::Yes;
    form.ui->SpeedButtonSavePic->click();

    QCOMPARE(d.messages.size(), 1);
    QCOMPARE(d.messages[0].text, kOverwrite);
    QCOMPARE(ReadBytes(path("exist.kvt")), ExpectedImage(form, QByteArray(FileImageSize, char(0x7F))));
    QCOMPARE(form.FileTitle, Caption(path("exist.kvt")));
    QCOMPARE(form.PictureName, QString("exist"));
    QVERIFY(!form.UndoEnabled());

    // A new name: no question.
    SetSomeFigure(form);
    form.FigureX[0] = 77;
    d.messages.clear();
    d.fileAnswers << path("fresh.kvt");
    form.ui->SpeedButtonSavePic->click();
    QVERIFY(d.messages.isEmpty());
    QCOMPARE(uint8_t(ReadBytes(path("fresh.kvt")).at(0)), uint8_t(77));
    QCOMPARE(form.FileTitle, Caption(path("fresh.kvt")));
    QCOMPARE(form.PictureName, QString("fresh"));
    QVERIFY(!form.UndoEnabled());
    QCOMPARE(entries(), QStringList({"exist.kvt", "fresh.kvt"}));
}

// SAveToFile updates FileTitle but leaves the caption to the next FullReturn.
void TestFileCommands::saveToFileDoesNotRedraw() {
    TBaseForm form;
    const QString before = form.windowTitle();
    form.SaveDialogPic.fileName = path("direct.kvt");
    QVERIFY(form.SAveToFile());
    QCOMPARE(form.FileTitle, Caption(path("direct.kvt")));
    QCOMPARE(form.PictureName, QString("direct"));
    QVERIFY(!form.UndoEnabled());
    QCOMPARE(form.windowTitle(), before);
    form.FullReturn(1);
    QVERIFY(form.windowTitle().contains(path("direct.kvt")));
    QCOMPARE(ReadBytes(path("direct.kvt")), QByteArray(FileImageSize, char(0x7F)));
}

// Writing fails (parent is a regular file; a directory in the file's place):
// the error names the file, and the caption, the name and the flag stay.
void TestFileCommands::failedSaveChangesNothing() {
    QVERIFY(WriteBytes(path("plain"), "abc"));
    QVERIFY(QDir(dir_->path()).mkpath("taken.kvt/inner"));
    TBaseForm form;
    SetSomeFigure(form);
    const QString title = form.windowTitle();
    ScriptedDialogs d;

    d.fileAnswers << path("plain/pic.kvt");
    form.ui->SpeedButtonSavePic->click();
    QCOMPARE(d.messages.size(), 1);
    QCOMPARE(d.messages[0].icon, QMessageBox::Critical);
    QCOMPARE(d.messages[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(d.messages[0].text.startsWith(QStringLiteral("Не удалось записать файл")));
    QVERIFY2(d.messages[0].text.contains(QDir::toNativeSeparators(path("plain/pic.kvt"))),
             qPrintable(d.messages[0].text));
    QVERIFY(d.messages[0].text.split(QLatin1Char('\n')).size() >= 3);
    QCOMPARE(form.FileTitle, QString(" [no FileLaser] "));
    QCOMPARE(form.PictureName, QString("No-Name-"));  // no ToNameTx (" NoName " otherwise)
    QVERIFY(form.UndoEnabled());
    QCOMPARE(form.windowTitle(), title);
    // The buffer already holds the current figure, as the Part says.
    QCOMPARE(ImageOf(form.data.PictureBuffer), ExpectedImage(form, QByteArray(FileImageSize, char(0x7F))));
    QCOMPARE(ReadBytes(path("plain")), QByteArray("abc"));

    // A directory where the file should go: it exists, so the question comes first.
    d.messages.clear();
    d.fileAnswers << path("taken.kvt");
    d.messageAnswers << QMessageBox::Yes;
    form.ui->SpeedButtonSavePic->click();
    QCOMPARE(d.messages.size(), 2);
    QCOMPARE(d.messages[0].text, kOverwrite);
    QCOMPARE(d.messages[1].icon, QMessageBox::Critical);
    QVERIFY(d.messages[1].text.contains(QDir::toNativeSeparators(path("taken.kvt"))));
    QCOMPARE(form.FileTitle, QString(" [no FileLaser] "));
    QCOMPARE(form.PictureName, QString("No-Name-"));
    QVERIFY(form.UndoEnabled());
    QVERIFY(QFileInfo(path("taken.kvt/inner")).isDir());
    QCOMPARE(entries(), QStringList({"plain", "taken.kvt"}));
}

// A write cut short (file size limit, which stops root too) leaves the
// previous file exactly as it was, and no temporary file behind.
void TestFileCommands::failedSaveKeepsOldFile() {
#ifdef Q_OS_UNIX
    const QByteArray old = RandomBytes(FileImageSize);
    QVERIFY(WriteBytes(path("old.kvt"), old));
    TBaseForm form;
    ScriptedDialogs d;
    d.fileAnswers << path("old.kvt") << path("old.kvt");
    form.ui->SpeedButtonOpenPic->click();
    QVERIFY(d.messages.isEmpty());
    SetSomeFigure(form);
    form.PictureName = QStringLiteral("unsaved");
    form.FileTitle = QStringLiteral(" [before] ");

    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1000;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    form.ui->SpeedButtonSavePic->click();  // exists: Yes (first offered) to the question
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    QCOMPARE(d.messages.size(), 2);
    QCOMPARE(d.messages[0].text, kOverwrite);
    QCOMPARE(d.messages[1].icon, QMessageBox::Critical);
    QVERIFY(d.messages[1].text.contains(QDir::toNativeSeparators(path("old.kvt"))));
    QCOMPARE(ReadBytes(path("old.kvt")), old);
    QCOMPARE(entries(), QStringList{"old.kvt"});
    QCOMPARE(form.PictureName, QString("unsaved"));
    QCOMPARE(form.FileTitle, QString(" [before] "));
    QVERIFY(form.UndoEnabled());

    // Without the limit the same save goes through.
    d.messages.clear();
    d.fileAnswers << path("old.kvt");
    form.ui->SpeedButtonSavePic->click();
    QCOMPARE(d.messages.size(), 1);
    QCOMPARE(ReadBytes(path("old.kvt")), ExpectedImage(form, old));
    QVERIFY(!form.UndoEnabled());
#else
    QSKIP("needs a file size limit");
#endif
}

// Present, disabled, and when it fires it writes the file image as it stands.
void TestFileCommands::autoSave() {
    const QByteArray original = RandomBytes(FileImageSize);
    QVERIFY(WriteBytes(path("src.kvt"), original));
    TBaseForm form;
    QVERIFY(!form.TimerAvtoSave->isActive());
    QCOMPARE(form.TimerAvtoSave->interval(), 10000);

    // Before any open or save: 127 everywhere, whatever the figure.
    SetSomeFigure(form);
    form.TimerAvtoSaveTimer();
    QCOMPARE(ReadBytes(path("0Temp.kvt")), QByteArray(FileImageSize, char(0x7F)));

    // After an open: the opened image, not the figure edited since.
    ScriptedDialogs d;
    d.fileAnswers << path("src.kvt");
    form.ui->SpeedButtonOpenPic->click();
    SetSomeFigure(form);
    const QString title = form.FileTitle, name = form.PictureName;
    form.TimerAvtoSaveTimer();
    QCOMPARE(ReadBytes(path("0Temp.kvt")), original);
    QCOMPARE(form.FileTitle, title);
    QCOMPARE(form.PictureName, name);
    QVERIFY(form.UndoEnabled());

    // The handler is connected to the timer.
    QVERIFY(QFile::remove(path("0Temp.kvt")));
    form.TimerAvtoSave->setInterval(1);
    form.TimerAvtoSave->start();
    QTRY_VERIFY(QFile::exists(path("0Temp.kvt")));
    form.TimerAvtoSave->stop();
    QCOMPARE(ReadBytes(path("0Temp.kvt")), original);

    // A failure is reported, and the target is not damaged.
    QVERIFY(QFile::remove(path("0Temp.kvt")));
    QVERIFY(QDir(dir_->path()).mkdir("0Temp.kvt"));
    form.TimerAvtoSaveTimer();
    QCOMPARE(d.messages.size(), 1);
    QCOMPARE(d.messages[0].icon, QMessageBox::Critical);
    QVERIFY(d.messages[0].text.contains(QStringLiteral("0Temp.kvt")));
    QVERIFY(QFileInfo(path("0Temp.kvt")).isDir());
}

void TestFileCommands::closeRightAfterStartAsks() {
    TBaseForm form;
    form.show();
    ScriptedDialogs d;
    d.messageAnswers << QMessageBox::No;
    QVERIFY(form.close());

    QCOMPARE(d.messages.size(), 1);
    QCOMPARE(d.messages[0].text, kSaveChanges);
    QCOMPARE(d.messages[0].icon, QMessageBox::Warning);
    QCOMPARE(d.messages[0].buttons, kYesNo);
    QVERIFY(d.fileDialogs.isEmpty());
    QVERIFY(!form.isVisible());
    QCOMPARE(form.PictureName, QString("No-Name-"));
    QVERIFY(entries().isEmpty());
}

void TestFileCommands::closeAfterSaveOrUndoAsksNothing() {
    {
        TBaseForm form;
        form.show();
        ScriptedDialogs d;
        d.fileAnswers << path("saved.kvt");
        form.ui->SpeedButtonSavePic->click();
        QVERIFY(!form.UndoEnabled());
        QVERIFY(form.close());
        QVERIFY(d.messages.isEmpty());
        QCOMPARE(d.fileDialogs.size(), 1);
        QVERIFY(!form.isVisible());
    }
    {
        TBaseForm form;
        form.show();
        ScriptedDialogs d;
        SetSomeFigure(form);
        form.ui->SpeedButtonUndo->click();
        QVERIFY(form.close());
        QVERIFY(d.messages.isEmpty());
        QVERIFY(d.fileDialogs.isEmpty());
        QVERIFY(!form.isVisible());
    }
    QCOMPARE(entries(), QStringList{"saved.kvt"});
}

void TestFileCommands::closeYesThenCancelWritesNothing() {
    TBaseForm form;
    form.show();
    ScriptedDialogs d;
    d.messageAnswers << QMessageBox::Yes;
    d.fileAnswers << QString();
    QVERIFY(form.close());

    QCOMPARE(d.messages.size(), 1);
    QCOMPARE(d.fileDialogs.size(), 1);
    QCOMPARE(d.fileDialogs[0].fileName, QString("Pic001"));
    QVERIFY(!form.isVisible());
    QVERIFY(entries().isEmpty());
    QCOMPARE(form.PictureName, QString("No-Name-"));  // the prompt calls no ToNameTx
}

void TestFileCommands::closeOverwriteNoWritesNothing() {
    const QByteArray existing = RandomBytes(FileImageSize);
    QVERIFY(WriteBytes(path("exist.kvt"), existing));
    TBaseForm form;
    form.show();
    SetSomeFigure(form);
    ScriptedDialogs d;
    d.messageAnswers << QMessageBox::Yes << QMessageBox::No;
    d.fileAnswers << path("exist.kvt");
    QVERIFY(form.close());

    QCOMPARE(d.messages.size(), 2);
    QCOMPARE(d.messages[0].text, kSaveChanges);
    QCOMPARE(d.messages[1].text, kOverwrite);
    QCOMPARE(d.messages[1].icon, QMessageBox::Warning);
    QCOMPARE(d.messages[1].buttons, kYesNo);
    QVERIFY(!form.isVisible());
    QCOMPARE(ReadBytes(path("exist.kvt")), existing);
    QCOMPARE(entries(), QStringList{"exist.kvt"});
    QCOMPARE(form.PictureName, QString("No-Name-"));  // no ToNameTx of its own ("exist" otherwise)
}

void TestFileCommands::closeYesWrites() {
    QVERIFY(WriteBytes(path("exist.kvt"), RandomBytes(FileImageSize)));
    {  // a new file
        TBaseForm form;
        form.show();
        SetSomeFigure(form);
        ScriptedDialogs d;
        d.messageAnswers << QMessageBox::Yes;
        d.fileAnswers << path("closing.kvt");
        QVERIFY(form.close());
        QCOMPARE(d.messages.size(), 1);
        QCOMPARE(ReadBytes(path("closing.kvt")), ExpectedImage(form, QByteArray(FileImageSize, char(0x7F))));
        QCOMPARE(form.PictureName, QString("closing"));  // from SAveToFile
        QVERIFY(!form.isVisible());
    }
    {  // over an existing one
        TBaseForm form;
        form.show();
        SetSomeFigure(form);
        ScriptedDialogs d;
        d.messageAnswers << QMessageBox::Yes << QMessageBox::Yes;
        d.fileAnswers << path("exist.kvt");
        QVERIFY(form.close());
        QCOMPARE(d.messages.size(), 2);
        QCOMPARE(ReadBytes(path("exist.kvt")), ExpectedImage(form, QByteArray(FileImageSize, char(0x7F))));
        QVERIFY(!form.isVisible());
    }
}

// The write fails during the prompt: the error is shown, the window stays open
// with the figure and the undo state as they were, and the next close asks again.
void TestFileCommands::closeFailingWriteKeepsWindowOpen() {
    QVERIFY(WriteBytes(path("plain"), "abc"));
    QVERIFY(QDir(dir_->path()).mkdir("taken.kvt"));
    TBaseForm form;
    form.show();
    SetSomeFigure(form);
    const Coords x = form.FigureX, y = form.FigureY;
    const Coords undoX = form.data.UndoX, undoY = form.data.UndoY;
    ScriptedDialogs d;

    // Parent is a regular file.
    d.messageAnswers << QMessageBox::Yes;
    d.fileAnswers << path("plain/pic.kvt");
    QVERIFY(!form.close());
    QCOMPARE(d.messages.size(), 2);
    QCOMPARE(d.messages[0].text, kSaveChanges);
    QCOMPARE(d.messages[1].icon, QMessageBox::Critical);
    QCOMPARE(d.messages[1].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(d.messages[1].text.contains(QDir::toNativeSeparators(path("plain/pic.kvt"))));
    QVERIFY(form.isVisible());
    QVERIFY(form.UndoEnabled());
    QVERIFY(form.FigureX == x && form.FigureY == y);
    QVERIFY(form.data.UndoX == undoX && form.data.UndoY == undoY);
    QCOMPARE(form.FileTitle, QString(" [no FileLaser] "));
    QCOMPARE(form.PictureName, QString("No-Name-"));

    // A directory in the file's place: question, Yes, error, still open.
    d.messages.clear();
    d.messageAnswers << QMessageBox::Yes << QMessageBox::Yes;
    d.fileAnswers << path("taken.kvt");
    QVERIFY(!form.close());
    QCOMPARE(d.messages.size(), 3);
    QCOMPARE(d.messages[1].text, kOverwrite);
    QCOMPARE(d.messages[2].icon, QMessageBox::Critical);
    QVERIFY(form.isVisible());
    QVERIFY(form.UndoEnabled());
    QVERIFY(QFileInfo(path("taken.kvt")).isDir());

    // Nothing was lost: the next close asks again and saves the same figure.
    d.messages.clear();
    d.messageAnswers << QMessageBox::Yes;
    d.fileAnswers << path("rescued.kvt");
    QVERIFY(form.close());
    QCOMPARE(d.messages.size(), 1);
    QCOMPARE(d.messages[0].text, kSaveChanges);
    QVERIFY(!form.isVisible());
    QByteArray expected(FileImageSize, char(0x7F));
    for (int i = 0; i < PointCount; ++i) {
        expected[i] = char(x[i]);
        expected[YBlockOffset + i] = char(y[i]);
    }
    QCOMPARE(ReadBytes(path("rescued.kvt")), expected);
    QCOMPARE(ReadBytes(path("plain")), QByteArray("abc"));
}

// The real dialogs of the default seam: open through the open dialog, a "not
// found" box, an overwrite question answered No, then close with the prompt
// and the save dialog, typed into.
void TestFileCommands::realDialogsEndToEnd() {
    const QByteArray original = RandomBytes(FileImageSize);
    QVERIFY(WriteBytes(path("real.kvt"), original));
    TBaseForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    ModalDriver driver;

    // Open.
    QString shownSaveName;
    driver.then(ModalDriver::acceptFile(QStringLiteral("OpenDialog"), path("real.kvt"), false));
    form.ui->SpeedButtonOpenPic->click();
    QVERIFY2(driver.failures.isEmpty(), qPrintable(driver.failures.join('\n')));
    QVERIFY(driver.done());
    for (int i = 0; i < PointCount; ++i) {
        QCOMPARE(form.FigureX[i], uint8_t(original[i]));
        QCOMPARE(form.FigureY[i], uint8_t(original[YBlockOffset + i]));
    }
    QCOMPARE(form.FileTitle, Caption(path("real.kvt")));
    QCOMPARE(form.PictureName, QString("real"));
    QVERIFY(form.UndoEnabled());

    // A name that does not exist: the error box, answered with its OK button.
    const Coords x = form.FigureX;
    driver.then(ModalDriver::acceptFile(QStringLiteral("OpenDialog"), path("missing.kvt"), false));
    driver.then(ModalDriver::clickButton(QMessageBox::Ok, kNotFound, QMessageBox::Critical));
    form.ui->SpeedButtonOpenPic->click();
    QVERIFY2(driver.failures.isEmpty(), qPrintable(driver.failures.join('\n')));
    QVERIFY(driver.done());
    QVERIFY(form.FigureX == x);
    QCOMPARE(form.PictureName, kNoName);
    QCOMPARE(form.FileTitle, Caption(path("real.kvt")));

    // Save over the opened file, answer No.
    driver.then(ModalDriver::acceptFile(QStringLiteral("SaveDialog"), path("real.kvt"), false, &shownSaveName));
    driver.then(ModalDriver::clickButton(QMessageBox::No, kOverwrite, QMessageBox::Warning));
    form.ui->SpeedButtonSavePic->click();
    QVERIFY2(driver.failures.isEmpty(), qPrintable(driver.failures.join('\n')));
    QVERIFY(driver.done());
    QCOMPARE(shownSaveName, QString("real.kvt"));  // the save dialog starts at the opened file
    QCOMPARE(ReadBytes(path("real.kvt")), original);
    QCOMPARE(form.PictureName, QString("real"));
    QVERIFY(form.UndoEnabled());

    // Close: the prompt (Yes), the save dialog with a typed name: written, closed.
    driver.then(ModalDriver::clickButton(QMessageBox::Yes, kSaveChanges, QMessageBox::Warning));
    driver.then(ModalDriver::acceptFile(QStringLiteral("SaveDialog"), path("copy.kvt"), true));
    QVERIFY(form.close());
    QVERIFY2(driver.failures.isEmpty(), qPrintable(driver.failures.join('\n')));
    QVERIFY(driver.done());
    QVERIFY(!form.isVisible());
    QCOMPARE(ReadBytes(path("copy.kvt")), original);
    QCOMPARE(ReadBytes(path("real.kvt")), original);
    QCOMPARE(entries(), QStringList({"copy.kvt", "real.kvt"}));
}

QTEST_MAIN(TestFileCommands)
#include "test_file_commands.moc"
