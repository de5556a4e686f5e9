// The ILDA buttons of the main window on real files: import with the frame
// chooser, export with the overwrite question, and bad input that leaves the
// figure, the files and the unsaved-changes flag alone.
#include <sys/stat.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QTreeWidget>
#include <QtTest>

#include "app/baseform.h"
#include "figure/ilda.h"
#include "figure/ildafiles.h"
#include "support/basewindow.h"
#include "support/files.h"
#include "support/scripteddialogs.h"
#include "widgets/ildaframedialog.h"
#include "widgets/speedbutton.h"

using namespace lp;
using namespace ildatest;
using namespace Qt::StringLiterals;

namespace {

const QColor kGreen(0, 255, 0);

void SetSomeFigure(TBaseForm& form) {
    for (int i = 0; i < kPointCount; ++i) {
        form.editor().setPoint(i, uint8_t(i * 3 + 1), uint8_t(200 - i));
    }
    form.FullReturn(1);
}

bool IsFailure(const AskedMessage& m, const QString& what, const QString& path, const QString& reason) {
    return m.icon == QMessageBox::Critical && m.buttons == QMessageBox::Ok && m.text.startsWith(what) &&
           m.text.contains(QDir::toNativeSeparators(path)) && m.text.contains(reason);
}

// A file of three frames: a line, a square of four corners and a triangle.
QByteArray ThreeFrames() {
    const std::vector<IldaPoint> line = {{-16384, 0}, {16384, 0}};
    const std::vector<IldaPoint> square = {
        {-16384, 16384}, {16384, 16384}, {16384, -16384}, {-16384, -16384}};
    const std::vector<IldaPoint> triangle = {{0, 16384}, {16384, -16384}, {-16384, -16384}};
    return Colours(2, 8) + Frame(1, "line", line) + Frame(5, "square", square, 1) +
           Frame(4, "triangle", triangle, 2) + End();
}

}  // namespace

class IldaCommandsTest : public QObject, FreshFolder {
    Q_OBJECT
  private slots:
    void init();
    void buttonsInTheFreeStretch();
    void importChosenFrameIsUndoable();
    void cancelChangesNothing();
    void badInputLeavesFigure();
    void exportWritesTheFigure();
    void exportFailureLeavesEverything();
    void frameChooserForReal();
};

void IldaCommandsTest::init() {
    QVERIFY(renewFolder());
}

void IldaCommandsTest::buttonsInTheFreeStretch() {
    TBaseForm form;
    const struct {
        lp::SpeedButton* button;
        QString hint;
    } buttons[] = {{win::importIldaButton(form), u"Импорт кадра ILDA"_s},
                   {win::exportIldaButton(form), u"Экспорт в ILDA"_s}};
    for (const auto& [button, hint] : buttons) {
        QCOMPARE(button->parentWidget(), &form);
        QCOMPARE(button->size(), QSize(23, 22));
        QCOMPARE(button->y(), 0);
        QVERIFY(button->x() > 598 && button->geometry().right() < 711);
        QCOMPARE(button->toolTip(), hint);
        QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(button->flat());
        QCOMPARE(button->groupIndex(), 0);
        QVERIFY(!button->icon().isNull());
        QVERIFY(!button->isHidden());
        // Nothing else of the top row beneath it.
        for (QWidget* other : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (other != button && other->y() == 0 && !other->isHidden())
                QVERIFY2(!other->geometry().intersects(button->geometry()), qPrintable(other->objectName()));
    }
    QVERIFY(win::importIldaButton(form)->x() < win::exportIldaButton(form)->x());
    // The icons draw something in the buttons as shown.
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    for (const auto& b : buttons) {
        const QImage shot = b.button->grab().toImage();
        QSet<QRgb> colours;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) colours.insert(shot.pixel(x, y));
        QVERIFY(colours.size() > 5);
    }
}

void IldaCommandsTest::importChosenFrameIsUndoable() {
    ScriptedDialogs answers;
    TBaseForm form;
    SetSomeFigure(form);
    form.editor().clearUnsaved();  // as after a save
    const Coords beforeX = form.editor().FigureX(), beforeY = form.editor().FigureY();
    const QString caption = form.windowTitle();
    QVERIFY(WriteBytes(path(u"three.ild"_s), ThreeFrames()));
    answers.fileAnswers.enqueue(path(u"three.ild"_s));
    answers.frameAnswers.enqueue(1);
    win::importIldaButton(form)->click();

    QVERIFY(answers.messages.isEmpty());
    QCOMPARE(answers.fileDialogs.size(), 1);
    QCOMPARE(answers.fileDialogs[0].title, u"Импорт кадра ILDA"_s);
    QCOMPARE(answers.fileDialogs[0].filter, u"Кадры ILDA (*.ild *.ILD)"_s);
    QCOMPARE(answers.frameLists.size(), 1);
    const QList<IldaFrameInfo>& listed = answers.frameLists[0];
    QCOMPARE(listed.size(), 3);
    QCOMPARE(listed[1].name, u"square"_s);
    QCOMPARE(listed[2].pointCount, 3);
    // The square where it lies in the projection field, 64 points a side.
    QCOMPARE(QPoint(form.editor().FigureX()[0], form.editor().FigureY()[0]), QPoint(63, 63));
    QCOMPARE(QPoint(form.editor().FigureX()[64], form.editor().FigureY()[64]), QPoint(191, 63));
    QCOMPARE(QPoint(form.editor().FigureX()[128], form.editor().FigureY()[128]), QPoint(191, 191));
    QCOMPARE(QPoint(form.editor().FigureX()[255], form.editor().FigureY()[255]), QPoint(63, 65));
    // Undoable, and drawn: the preview shows the square's sides.
    QVERIFY(form.UndoEnabled());
    QCOMPARE(form.editor().data().UndoX, beforeX);
    QCOMPARE(form.editor().data().UndoY, beforeY);
    const QImage& preview = win::preview(form)->image();
    for (QPoint p : {QPoint(100, 63), QPoint(191, 150), QPoint(120, 191), QPoint(63, 70)})
        QCOMPARE(QColor::fromRgba(preview.pixel(p)), kGreen);
    QCOMPARE(form.windowTitle(), caption);  // no file of its own yet
    form.SpeedButtonUndoClick();
    QCOMPARE(form.editor().FigureX(), beforeX);
    QCOMPARE(form.editor().FigureY(), beforeY);
}

void IldaCommandsTest::cancelChangesNothing() {
    ScriptedDialogs answers;
    TBaseForm form;
    SetSomeFigure(form);
    form.editor().clearUnsaved();
    const Coords beforeX = form.editor().FigureX(), undoX = form.editor().data().UndoX;
    QVERIFY(WriteBytes(path(u"three.ild"_s), ThreeFrames()));
    answers.fileAnswers.enqueue(QString());  // the file dialog cancelled
    win::importIldaButton(form)->click();
    answers.fileAnswers.enqueue(path(u"three.ild"_s));
    answers.frameAnswers.enqueue(-1);  // the frame chooser cancelled
    win::importIldaButton(form)->click();
    QCOMPARE(answers.frameLists.size(), 1);
    QCOMPARE(form.editor().FigureX(), beforeX);
    QCOMPARE(form.editor().data().UndoX, undoX);
    QVERIFY(!form.UndoEnabled());
    QVERIFY(answers.messages.isEmpty());
}

void IldaCommandsTest::badInputLeavesFigure() {
    const QString fifo = path(u"pipe.ild"_s);
    QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QVERIFY(WriteBytes(path(u"empty.ild"_s), {}));
    QVERIFY(WriteBytes(path(u"picture.ild"_s), QByteArray(2048, '\x7F')));
    QVERIFY(WriteBytes(path(u"cut.ild"_s), ThreeFrames().chopped(40)));
    QVERIFY(WriteBytes(path(u"shrinks.ild"_s), ThreeFrames()));
    const struct {
        QString path;
        QString reason;
        bool cutWhileChoosing = false;  // listed whole, cut short before the frame is read
    } cases[] = {
        {path(u"shrinks.ild"_s), u"Файл стал короче во время чтения"_s, true},
        {path(u"empty.ild"_s), u"Файл пуст"_s},
        {path(u"picture.ild"_s), u"Это не файл ILDA"_s},
        {path(u"cut.ild"_s), u"Записей в заголовке"_s},
        {fifo, u"именованный канал"_s},
        {dir_->path(), u"Это папка, а не файл"_s},
        {path(u"missing.ild"_s), u"Файл не найден"_s},
    };
    for (const auto& c : cases) {
        ScriptedDialogs answers;
        TBaseForm form;
        SetSomeFigure(form);
        form.editor().clearUnsaved();
        const Coords beforeX = form.editor().FigureX(), undoX = form.editor().data().UndoX;
        answers.fileAnswers.enqueue(c.path);
        answers.frameAnswers.enqueue(2);
        if (c.cutWhileChoosing) answers.whileChoosingFrame = [&] { QVERIFY(QFile::resize(c.path, 32 + 20)); };
        win::importIldaButton(form)->click();
        QCOMPARE(answers.messages.size(), 1);
        QVERIFY2(IsFailure(answers.messages[0], u"Не удалось импортировать кадр ILDA"_s, c.path, c.reason),
                 qPrintable(answers.messages[0].text));
        QCOMPARE(form.editor().FigureX(), beforeX);
        QCOMPARE(form.editor().data().UndoX, undoX);
        QVERIFY(!form.UndoEnabled());
    }
}

void IldaCommandsTest::exportWritesTheFigure() {
    ScriptedDialogs answers;
    TBaseForm form;
    SetSomeFigure(form);
    form.SaveDialogPic.fileName = path(u"star.kvt"_s);
    form.editor().setPictureName(u"star"_s);
    const bool unsaved = form.UndoEnabled();
    const QString target = path(u"star.ild"_s);
    answers.fileAnswers.enqueue(target);
    win::exportIldaButton(form)->click();
    QCOMPARE(answers.fileDialogs.size(), 1);
    QCOMPARE(answers.fileDialogs[0].title, u"Экспорт в ILDA"_s);
    QCOMPARE(answers.fileDialogs[0].fileName, target);  // offered beside the picture's file
    QVERIFY(answers.messages.isEmpty());
    const QByteArray expected = ExportIlda(form.editor().FigureX(), form.editor().FigureY(), u"star"_s);
    QCOMPARE(ReadBytes(target), expected);
    QCOMPARE(form.UndoEnabled(), unsaved);  // an export is not a save

    // Over an existing file: asked first; No leaves it.
    QVERIFY(WriteBytes(target, "old"));
    answers.fileAnswers.enqueue(target);
    answers.messageAnswers.enqueue(QMessageBox::No);
    win::exportIldaButton(form)->click();
    QCOMPARE(answers.messages.size(), 1);
    QCOMPARE(answers.messages[0].text, u"Файл с таким именем существует, переписать?"_s);
    QCOMPARE(ReadBytes(target), QByteArray("old"));
    answers.fileAnswers.enqueue(target);
    answers.messageAnswers.enqueue(QMessageBox::Yes);
    win::exportIldaButton(form)->click();
    QCOMPARE(ReadBytes(target), expected);

    // The exported file imports as the same figure, its single frame unasked.
    const Coords X = form.editor().FigureX(), Y = form.editor().FigureY();
    form.ClearPicture();
    answers.fileAnswers.enqueue(target);
    win::importIldaButton(form)->click();
    QVERIFY(answers.frameLists.isEmpty());
    QCOMPARE(form.editor().FigureX(), X);
    QCOMPARE(form.editor().FigureY(), Y);
}

void IldaCommandsTest::exportFailureLeavesEverything() {
    ScriptedDialogs answers;
    TBaseForm form;
    SetSomeFigure(form);
    const QString folder = path(u"folder.ild"_s);
    QVERIFY(QDir().mkpath(folder));
    const QString missing = path(u"no/such/folder/x.ild"_s);
    const QString fifo = path(u"pipe.ild"_s);
    QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& target : {folder, missing, fifo}) {
        answers.messages.clear();
        answers.fileAnswers.enqueue(target);
        win::exportIldaButton(form)->click();
        QCOMPARE(answers.messages.size(), 1);  // refused before the overwrite question
        const AskedMessage& last = answers.messages.constLast();
        QVERIFY2(IsFailure(last, u"Не удалось экспортировать в ILDA"_s, target, QString()),
                 qPrintable(last.text));
        QVERIFY(form.UndoEnabled());
    }
    QVERIFY(QFileInfo(folder).isDir());
    QVERIFY(!QFileInfo::exists(missing));
    struct stat st {};
    QVERIFY(::stat(QFile::encodeName(fifo).constData(), &st) == 0 && S_ISFIFO(st.st_mode));  // not replaced
}

void IldaCommandsTest::frameChooserForReal() {
    // The real chooser, through the default seam; the user goes down one row
    // and presses Enter.
    class RealChooser : public ScriptedDialogs {
      public:
        int chooseIldaFrame(QWidget* parent, const QList<IldaFrameInfo>& frames) override {
            return lp::DialogSeam::chooseIldaFrame(parent, frames);
        }
    } answers;
    TBaseForm form;
    QVERIFY(WriteBytes(path(u"three.ild"_s), ThreeFrames()));
    answers.fileAnswers.enqueue(path(u"three.ild"_s));
    QStringList rows;
    bool ran = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<lp::IldaFrameDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), u"Выбор кадра ILDA"_s);
        QCOMPARE(dialog->findChild<QLabel*>()->text(), u"Кадров в файле: 3. Какой импортировать?"_s);
        QTreeWidget* list = dialog->list;
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* row = list->topLevelItem(i);
            rows << row->text(0) + u' ' + row->text(1) + u' ' + row->text(2);
        }
        QCOMPARE(dialog->chosen(), 0);  // the first is offered
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
        ran = true;
    });
    QTimer::singleShot(5000, [] {  // a failed check must not leave it open
        if (auto* w = QApplication::activeModalWidget()) w->close();
    });
    win::importIldaButton(form)->click();
    QVERIFY(ran);
    QCOMPARE(rows, (QStringList{u"1 line 2"_s, u"2 square 4"_s, u"3 triangle 3"_s}));
    QCOMPARE(QPoint(form.editor().FigureX()[64], form.editor().FigureY()[64]),
             QPoint(191, 63));  // the square

    // Cancelled with Escape: nothing happens.
    const Coords X = form.editor().FigureX();
    answers.fileAnswers.enqueue(path(u"three.ild"_s));
    QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
    win::importIldaButton(form)->click();
    QCOMPARE(form.editor().FigureX(), X);
}

QTEST_MAIN(IldaCommandsTest)
#include "test_ilda_commands.moc"
