// The main window as the user meets it: every control in its place, the
// start-up state, undo, and the shell's own handlers.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

#include "app/aboutform.h"
#include "app/baseform.h"
#include "app/startup.h"
#include "language/translations.h"
#include "link/progform.h"
#include "link/txcomform.h"
#include "support/basewindow.h"
#include "widgets/colorbox.h"
#include "widgets/formstyle.h"
#include "widgets/imagebox.h"
#include "widgets/paintbox.h"
#include "widgets/shapebox.h"
#include "widgets/speedbutton.h"

using namespace Qt::StringLiterals;

namespace {

struct ControlRow {
    const char* name;
    const char* kind;
    const char* parent;
    QRect geometry;
    bool checkSize;  // labels size themselves to their text
    QString text;
    QString hint;
    int minimum, maximum, position, largeStep;
    int checked;  // -1 not a toggle
    int group;
    int allowAllUp;
    bool visible;
};

// clang-format off
const ControlRow kControls[] = {
    {"SpeedButtonLoadPicture", "lp::SpeedButton", "BaseForm", {2, 0, 23, 22}, true, u""_s, u"Вставить картинку-подложку для обрисовки"_s, -1, -1, -1, -1, -1, 0, 0, true},
    {"SpeedButtonOpenPic", "lp::SpeedButton", "BaseForm", {24, 0, 23, 22}, true, u""_s, u"Открыть файл лазерной картинки для редактирования"_s, -1, -1, -1, -1, -1, 0, 0, true},
    {"SpeedButtonSavePic", "lp::SpeedButton", "BaseForm", {48, 0, 23, 22}, true, u""_s, u"Сохранить файл лазерной картинки"_s, -1, -1, -1, -1, -1, 0, 0, true},
    {"SpeedButtonLink", "lp::SpeedButton", "BaseForm", {72, 0, 23, 22}, true, u""_s, u"Загрузить картинку лазера в автономное устройство"_s, -1, -1, -1, -1, -1, 0, 0, true},
    {"SpeedButtonUstProgram", "lp::SpeedButton", "BaseForm", {96, 0, 23, 22}, true, u""_s, u"Установить запрограммированную лазерную картинку"_s, -1, -1, -1, -1, -1, 0, 0, false},
    {"SpeedButtonUndo", "lp::SpeedButton", "BaseForm", {120, 0, 23, 22}, true, u""_s, u"вернуть прежнюю картинку"_s, -1, -1, -1, -1, -1, 0, 0, true},
    {"LabelPoint", "QLabel", "BaseForm", {152, 8, 60, 13}, false, u"LabelPoint"_s, u""_s, -1, -1, -1, -1, -1, 0, 0, true},
    {"LabelPosX", "QLabel", "BaseForm", {216, 8, 50, 13}, false, u"LabelPosX"_s, u""_s, -1, -1, -1, -1, -1, 0, 0, true},
    {"LabelPosY", "QLabel", "BaseForm", {272, 8, 50, 13}, false, u"LabelPosY"_s, u""_s, -1, -1, -1, -1, -1, 0, 0, true},
    {"SpeedButtonInsertPoint", "lp::SpeedButton", "BaseForm", {328, 0, 23, 22}, true, u""_s, u"Вставить точку"_s, -1, -1, -1, -1, -1, 0, 0, true},
    {"LabelInsdel", "QLabel", "BaseForm", {355, 4, 20, 16}, false, u"no"_s, u"номер редактируемой точки"_s, -1, -1, -1, -1, -1, 0, 0, true},
    {"SpeedButtonDeletePoint", "lp::SpeedButton", "BaseForm", {385, 0, 23, 22}, true, u""_s, u"Удалить точку"_s, -1, -1, -1, -1, -1, 0, 0, true},
    {"SpeedButtonPicVisible", "lp::SpeedButton", "BaseForm", {456, 0, 23, 22}, true, u""_s, u"включить - выключить  картинку"_s, -1, -1, -1, -1, -1, 4, 1, true},
    {"SpeedButtonWeb", "lp::SpeedButton", "BaseForm", {480, 0, 23, 22}, true, u""_s, u"включить - выключить  сетку"_s, -1, -1, -1, -1, -1, 2, 1, true},
    {"SpeedButtonDirect", "lp::SpeedButton", "BaseForm", {504, 0, 23, 22}, true, u""_s, u"Выбирает направление захвата точки"_s, -1, -1, -1, -1, -1, 5, 1, true},
    {"SpeedButtonRotatePoints", "lp::SpeedButton", "BaseForm", {528, 0, 23, 22}, true, u""_s, u"Сместить начальную точку по контуру"_s, -1, -1, -1, -1, -1, 0, 0, true},
    {"SpeedButtonNormalPoints", "lp::SpeedButton", "BaseForm", {550, 0, 23, 22}, true, u""_s, u"Нормализация расстояний между точками"_s, -1, -1, -1, -1, -1, 0, 0, true},
    {"SpeedButtonNormaliz", "lp::SpeedButton", "BaseForm", {574, 0, 23, 22}, true, u""_s, u"Пересчитать точки"_s, -1, -1, -1, -1, -1, 7, 1, false},
    {"SpeedButtonTrace", "lp::SpeedButton", "BaseForm", {660, 0, 23, 22}, true, u""_s, u"Обвести картинку или текст"_s, -1, -1, -1, -1, -1, 0, 0, true},
    {"ColorBoxShapeView", "lp::ColorBox", "BaseForm", {712, 0, 41, 22}, true, u""_s, u"Цвет поля просмотра"_s, -1, -1, -1, -1, -1, 0, 0, true},
    {"SpeedButtonTools", "lp::SpeedButton", "BaseForm", {752, 0, 23, 22}, true, u""_s, u"Дополнительные Опции "_s, -1, -1, -1, -1, -1, 43, 1, true},
    {"SpeedButtonAbout", "lp::SpeedButton", "BaseForm", {773, 0, 23, 22}, true, u""_s, u"О программе"_s, -1, -1, -1, -1, -1, 0, 0, true},
    {"ImageDraw", "lp::ImageBox", "BaseForm", {48, 72, 385, 433}, true, u""_s, u""_s, -1, -1, -1, -1, -1, 0, 0, false},
    {"PaintBoxDraw", "lp::PaintBox", "BaseForm", {8, 24, 512, 512}, true, u""_s, u""_s, -1, -1, -1, -1, -1, 0, 0, true},
    {"ShapeView", "lp::ShapeBox", "BaseForm", {527, 32, 258, 256}, true, u""_s, u""_s, -1, -1, -1, -1, -1, 0, 0, true},
    {"PaintBoxView", "lp::PaintBox", "BaseForm", {528, 32, 256, 256}, true, u""_s, u""_s, -1, -1, -1, -1, -1, 0, 0, true},
    {"GroupBoxMade", "QGroupBox", "BaseForm", {528, 299, 257, 238}, true, u"Начальная  фигура "_s, u""_s, -1, -1, -1, -1, -1, 0, 0, true},
    {"SpeedButtonOffMade", "lp::SpeedButton", "GroupBoxMade", {16, 24, 23, 22}, true, u""_s, u"Отключить создание"_s, -1, -1, -1, -1, 1, 33, 0, true},
    {"SpeedButtonFigura", "lp::SpeedButton", "GroupBoxMade", {40, 24, 23, 22}, true, u""_s, u"Форма для рисования первой фигуры"_s, -1, -1, -1, -1, -1, 33, 0, true},
    {"SpeedButtonCucle", "lp::SpeedButton", "GroupBoxMade", {64, 24, 23, 22}, true, u""_s, u"Создать фигуру  круг"_s, -1, -1, -1, -1, -1, 33, 0, true},
    {"SpeedButtonLines", "lp::SpeedButton", "GroupBoxMade", {88, 24, 23, 22}, true, u""_s, u"Создать горизонтальную линию "_s, -1, -1, -1, -1, -1, 33, 0, true},
    {"SpeedButtonLinesVert", "lp::SpeedButton", "GroupBoxMade", {112, 24, 23, 22}, true, u""_s, u"Создать вертикальную линию "_s, -1, -1, -1, -1, -1, 33, 0, true},
    {"SpeedButtonPoints", "lp::SpeedButton", "GroupBoxMade", {136, 24, 23, 22}, true, u""_s, u"Все точки в центре"_s, -1, -1, -1, -1, -1, 33, 0, true},
    {"SpeedButtonStars", "lp::SpeedButton", "GroupBoxMade", {160, 24, 23, 22}, true, u""_s, u"Создать звезду"_s, -1, -1, -1, -1, -1, 33, 0, false},
    {"SpeedButtonTreug", "lp::SpeedButton", "GroupBoxMade", {184, 24, 25, 22}, true, u""_s, u"Создать фигуру  многоугольник"_s, -1, -1, -1, -1, -1, 33, 0, false},
    {"Label13", "QLabel", "GroupBoxMade", {9, 55, 8, 13}, false, u"П"_s, u""_s, -1, -1, -1, -1, -1, 0, 0, true},
    {"ScrollBarGorzFigura", "QScrollBar", "GroupBoxMade", {24, 52, 137, 16}, true, u""_s, u""_s, 20, 250, 200, 20, -1, 0, 0, true},
    {"LabelVertFiru", "QLabel", "GroupBoxMade", {167, 55, 54, 13}, false, u"Размер  X  "_s, u""_s, -1, -1, -1, -1, -1, 0, 0, true},
    {"LabelSizeX", "QLabel", "GroupBoxMade", {225, 54, 18, 13}, false, u"200"_s, u""_s, -1, -1, -1, -1, -1, 0, 0, true},
    {"CheckBoxSizeTogeze", "QCheckBox", "GroupBoxMade", {5, 62, 15, 17}, true, u""_s, u""_s, -1, -1, -1, -1, 1, 0, 0, true},
    {"LabelT1", "QLabel", "GroupBoxMade", {11, 74, 6, 13}, false, u"L"_s, u""_s, -1, -1, -1, -1, -1, 0, 0, true},
    {"ScrollBarVertFigura", "QScrollBar", "GroupBoxMade", {24, 72, 137, 16}, true, u""_s, u""_s, 20, 250, 200, 20, -1, 0, 0, true},
    {"LabelGorFigu", "QLabel", "GroupBoxMade", {167, 75, 50, 13}, false, u"Размер Y "_s, u""_s, -1, -1, -1, -1, -1, 0, 0, true},
    {"LabelSizeY", "QLabel", "GroupBoxMade", {225, 74, 18, 13}, false, u"200"_s, u""_s, -1, -1, -1, -1, -1, 0, 0, true},
    {"ScrollBarOption", "QScrollBar", "GroupBoxMade", {24, 92, 137, 16}, true, u""_s, u"Опция создаваемого объекта"_s, 1, 254, 120, 10, -1, 0, 0, false},
    {"LabelSdvig", "QLabel", "GroupBoxMade", {168, 95, 40, 13}, false, u"Позиция"_s, u""_s, -1, -1, -1, -1, -1, 0, 0, false},
    {"LabelOption", "QLabel", "GroupBoxMade", {225, 95, 18, 13}, false, u"120"_s, u""_s, -1, -1, -1, -1, -1, 0, 0, false},
    {"ScrollBarMode", "QScrollBar", "GroupBoxMade", {24, 112, 137, 16}, true, u""_s, u"Опция создаваемого объекта"_s, 1, 12, 5, 10, -1, 0, 0, false},
    {"LabelCorn", "QLabel", "GroupBoxMade", {169, 115, 30, 13}, false, u"Опция"_s, u""_s, -1, -1, -1, -1, -1, 0, 0, false},
    {"LabelMode", "QLabel", "GroupBoxMade", {228, 116, 6, 13}, false, u"5"_s, u""_s, -1, -1, -1, -1, -1, 0, 0, false},
    {"ScrollBarSizeIn", "QScrollBar", "GroupBoxMade", {88, 136, 66, 16}, true, u""_s, u""_s, 1, 200, 10, 1, -1, 0, 0, false},
    {"LabelSizeInL", "QLabel", "GroupBoxMade", {151, 139, 96, 13}, false, u"Размер внутренний"_s, u""_s, -1, -1, -1, -1, -1, 0, 0, false},
    {"LabelSizeIn", "QLabel", "GroupBoxMade", {217, 131, 18, 13}, false, u"200"_s, u""_s, -1, -1, -1, -1, -1, 0, 0, false},
    {"LabelStatus", "QLabel", "GroupBoxMade", {24, 136, 60, 13}, false, u"LabelStatus"_s, u""_s, -1, -1, -1, -1, -1, 0, 0, true},
    {"GroupBox1", "QGroupBox", "BaseForm", {600, 455, 129, 82}, true, u"Дописывание второй "_s, u""_s, -1, -1, -1, -1, -1, 0, 0, false},
    {"LabelPen2", "QLabel", "GroupBox1", {12, 16, 110, 13}, false, u" части точек 128-255 "_s, u""_s, -1, -1, -1, -1, -1, 0, 0, true},
    {"SpeedButtonmirrVert", "lp::SpeedButton", "GroupBox1", {16, 32, 23, 22}, true, u""_s, u"зеркальное отражение  второй половины фигуры"_s, -1, -1, -1, -1, -1, 6, 1, true},
    {"SpeedButtonMirrGor", "lp::SpeedButton", "GroupBox1", {40, 32, 23, 22}, true, u""_s, u"зеркальное отражение  второй половины фигуры"_s, -1, -1, -1, -1, -1, 7, 1, true},
    {"SpeedButton128", "lp::SpeedButton", "GroupBox1", {64, 32, 23, 22}, true, u"128"_s, u"On\\Off повторения второй половины фигуры"_s, -1, -1, -1, -1, -1, 5, 1, true},
    {"GroupBoxTools", "QGroupBox", "BaseForm", {539, 40, 233, 249}, true, u"Установка параметров кнопок и функций"_s, u"Регулировать размер пропрционально"_s, -1, -1, -1, -1, -1, 0, 0, false},
    {"BevelUp", "QFrame", "GroupBoxTools", {8, 16, 217, 9}, true, u""_s, u""_s, -1, -1, -1, -1, -1, 0, 0, true},
    {"LabelRotatePoints", "QLabel", "GroupBoxTools", {8, 32, 70, 13}, false, u"Смещение на "_s, u""_s, -1, -1, -1, -1, -1, 0, 0, true},
    {"LabelPixel", "QLabel", "GroupBoxTools", {80, 32, 20, 13}, false, u"1   "_s, u""_s, -1, -1, -1, -1, -1, 0, 0, true},
    {"LabelPoints", "QLabel", "GroupBoxTools", {104, 32, 30, 13}, false, u"точек"_s, u""_s, -1, -1, -1, -1, -1, 0, 0, true},
    {"ScrollBarPixel", "QScrollBar", "GroupBoxTools", {8, 48, 129, 16}, true, u""_s, u""_s, 1, 127, 1, 1, -1, 0, 0, true},
    {"BevelPix", "QFrame", "GroupBoxTools", {8, 72, 217, 9}, true, u""_s, u""_s, -1, -1, -1, -1, -1, 0, 0, true},
    {"LabelRazmer", "QLabel", "GroupBoxTools", {8, 88, 140, 13}, false, u"Размер картинки-подложки"_s, u""_s, -1, -1, -1, -1, -1, 0, 0, true},
    {"ScrollBarRazmX", "QScrollBar", "GroupBoxTools", {8, 104, 95, 16}, true, u""_s, u""_s, 100, 500, 300, 1, -1, 0, 0, true},
    {"CheckBoxTogez", "QCheckBox", "GroupBoxTools", {109, 104, 16, 17}, true, u""_s, u""_s, -1, -1, -1, -1, 1, 0, 0, true},
    {"ScrollBarRazmY", "QScrollBar", "GroupBoxTools", {128, 104, 97, 16}, true, u""_s, u""_s, 100, 500, 300, 1, -1, 0, 0, false},
    {"BevelAttr", "QFrame", "GroupBoxTools", {8, 128, 217, 9}, true, u""_s, u""_s, -1, -1, -1, -1, -1, 0, 0, true},
    {"LabelTxtInter", "QLabel", "GroupBoxTools", {8, 152, 120, 13}, false, u"Длинна интерполятора"_s, u""_s, -1, -1, -1, -1, -1, 0, 0, true},
    {"LabelInter", "QLabel", "GroupBoxTools", {144, 152, 6, 13}, false, u"3"_s, u""_s, -1, -1, -1, -1, -1, 0, 0, true},
    {"ScrollBarInter", "QScrollBar", "GroupBoxTools", {8, 168, 129, 16}, true, u""_s, u""_s, 1, 12, 3, 1, -1, 0, 0, true},
    {"CheckBoxHotPoint", "QCheckBox", "GroupBoxTools", {8, 200, 217, 17}, true, u"Отметить горячие точки  размером"_s, u""_s, -1, -1, -1, -1, 0, 0, 0, true},
    {"CheckBoxHotCol", "QCheckBox", "GroupBoxTools", {8, 224, 217, 17}, true, u"Отметить горячие точки цветом "_s, u""_s, -1, -1, -1, -1, 0, 0, 0, true},
};
// clang-format on

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void controlInventory();
    void startUpStateAndUndo();
    void windowsAndCaption();
    void colourBox();
    void toolsButtonShowsPanelWithoutRedraw();
    void speedButtonGroups();
    void pointLabelFallsBackAfterTwoSeconds();
};

void MainWindowTest::controlInventory() {
    TBaseForm form;
    for (const ControlRow& row : kControls) {
        const QString name = QString::fromLatin1(row.name);
        auto* widget = form.findChild<QWidget*>(name);
        QVERIFY2(widget, row.name);
        QVERIFY2(widget->inherits(row.kind), row.name);
        QCOMPARE(widget->parentWidget()->objectName(), QString::fromLatin1(row.parent));
        if (row.checkSize)
            QCOMPARE(widget->geometry(), row.geometry);
        else
            QCOMPARE(widget->pos(), row.geometry.topLeft());
        QVERIFY2(widget->isHidden() != row.visible, row.name);
        QCOMPARE(widget->toolTip(), row.hint);
        if (auto* label = qobject_cast<QLabel*>(widget)) QCOMPARE(label->text(), row.text);
        if (auto* box = qobject_cast<QGroupBox*>(widget)) QCOMPARE(box->title(), row.text);
        if (auto* check = qobject_cast<QCheckBox*>(widget)) {
            QCOMPARE(check->text(), row.text);
            QCOMPARE(check->isChecked(), row.checked == 1);
            // The caption is read in full, inside its panel.
            QVERIFY2(check->sizeHint().width() <= check->width(), row.name);
            QVERIFY2(check->parentWidget()->rect().contains(check->geometry()), row.name);
        }
        if (auto* bar = qobject_cast<QScrollBar*>(widget)) {
            QCOMPARE(bar->orientation(), Qt::Horizontal);
            QCOMPARE(bar->minimum(), row.minimum);
            QCOMPARE(bar->maximum(), row.maximum);
            QCOMPARE(bar->value(), row.position);
            if (row.largeStep > 0) QCOMPARE(bar->pageStep(), row.largeStep);
        }
        if (auto* button = qobject_cast<lp::SpeedButton*>(widget)) {
            QCOMPARE(button->text(), row.text);
            QCOMPARE(button->groupIndex(), row.group);
            QCOMPARE(button->allowAllUp(), row.allowAllUp == 1);
            QCOMPARE(button->Down(), row.checked == 1);
            QVERIFY2(!button->icon().isNull() || !button->text().isEmpty(), row.name);
            QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
        }
    }
    // Fonts and colours the tables give.
    QVERIFY(win::pointLabel(form)->font().bold());
    QCOMPARE(win::pointLabel(form)->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QVERIFY(win::insdelLabel(form)->font().bold());
    QCOMPARE(win::insdelLabel(form)->font().pointSize(), 10);
    QCOMPARE(win::insdelLabel(form)->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QCOMPARE(form.font().pixelSize(), 11);
    QCOMPARE(win::toolsPanel(form)->palette().color(QPalette::Window), QColor(192, 220, 192));
    QCOMPARE(win::shapeView(form)->brushColor(), QColor(Qt::black));
    QCOMPARE(win::shapeView(form)->penColor(), QColor(Qt::white));
    QVERIFY(!win::pictureBox(form)->picture().isNull());  // the built-in sample
    // Components without a place.
    QCOMPARE(form.TimerAvtoSave->interval(), 10000);
    QVERIFY(!form.TimerAvtoSave->isActive());
    QCOMPARE(form.TimerPointOff->interval(), 2000);
    QVERIFY(form.TimerPointOff->isActive());
    QCOMPARE(form.OpenDialogPic.filter, u"Картинка для Korventa (*.kvt)"_s);
    QCOMPARE(form.SaveDialogPic.filter, u"Картинка для Korventa (*.kvt)"_s);
    QCOMPARE(form.SaveDialogPic.fileName, u"Pic001"_s);
    QVERIFY(form.OpenDialogPic.fileName.isEmpty());
}

void MainWindowTest::startUpStateAndUndo() {
    TBaseForm form;
    const lp::Coords centre = [] {
        lp::Coords c;
        c.fill(127);
        return c;
    }();
    QCOMPARE(form.editor().FigureX(), centre);
    QCOMPARE(form.editor().FigureY(), centre);
    for (uint8_t byte : form.editor().data().PictureBuffer) QCOMPARE(byte, uint8_t(0x7F));
    QCOMPARE(form.editor().data().UndoX, centre);
    QCOMPARE(form.editor().data().LastX, lp::Coords{});
    QCOMPARE(form.editor().state().HoverPoint, 1000);
    QCOMPARE(form.editor().state().CurrentPoint, 500);
    QCOMPARE(form.editor().PictureName(), u"No-Name-"_s);
    QVERIFY(form.UndoEnabled());

    // Undo leaves the figure and disables the button; no second undo until the next copy.
    QTest::mouseClick(win::undoButton(form), Qt::LeftButton);
    QCOMPARE(form.editor().FigureX(), centre);
    QVERIFY(!form.UndoEnabled());
    form.editor().setPoint(3, 9, form.editor().FigureY()[3]);
    QTest::mouseClick(win::undoButton(form), Qt::LeftButton);  // disabled: nothing happens
    QCOMPARE(form.editor().FigureX()[3], 9);
    form.ToUndo();
    QVERIFY(form.UndoEnabled());
    form.editor().setPoint(3, 50, form.editor().FigureY()[3]);
    form.SpeedButtonUndoClick();
    QCOMPARE(form.editor().FigureX()[3], 9);
    QVERIFY(!form.UndoEnabled());
}

void MainWindowTest::windowsAndCaption() {
    lp::EditorWindows windows = lp::CreateEditorWindows();
    QCOMPARE(windows.base->windowTitle(), u" Редактор картинок для лазера  [no FileLaser]  [no Picture] "_s);
    QVERIFY(windows.about->isHidden());
    QVERIFY(windows.txCom->isHidden());
    QVERIFY(windows.prog->isHidden());
    QCOMPARE(windows.about->windowTitle(), u"О программе"_s);
    QCOMPARE(windows.txCom->windowTitle(), u"Загрузка картинки лазера"_s);
    QCOMPARE(windows.prog->windowTitle(), u"Работа с готовыми картинками"_s);
    // Qt's own dialogs and buttons speak Russian.
    lp::InstallTranslations(*qApp);
    QMessageBox box(QMessageBox::Warning, QString(), QString(), QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(box.button(QMessageBox::Yes)->text().remove(u'&'), u"Да"_s);
    // The About button shows its window modally and returns when it closes.
    QTimer::singleShot(0, windows.about.get(), [&] {
        QVERIFY(windows.about->isModal() || QApplication::activeModalWidget() == windows.about.get());
        windows.about->accept();
    });
    win::aboutButton(*windows.base)->click();
    QVERIFY(windows.about->isHidden());
    // The caption follows the editor's names at every redraw.
    lp::Editor& editor = windows.base->editor();
    editor.restore(editor.fileImage(), u"/tmp/a.kvt"_s, QString());
    windows.base->FullReturn(0);
    QCOMPARE(windows.base->windowTitle(), u" Редактор картинок для лазера  [/tmp/a.kvt] [no Picture] "_s);
}

void MainWindowTest::colourBox() {
    TBaseForm form;
    lp::ColorBox* box = win::shapeColour(form);
    QVERIFY(box->count() >= 16);
    for (QColor c : {QColor(0, 0, 0), QColor(255, 255, 255), QColor(0, 255, 0), QColor(255, 0, 0),
                     QColor(0, 0, 255), QColor(128, 128, 128)})
        QVERIFY2(box->indexOfColor(c) >= 0, qPrintable(c.name()));
    QCOMPARE(box->selected(), QColor(Qt::black));
    box->setCurrentIndex(box->indexOfColor(QColor(255, 255, 255)));
    QCOMPARE(win::shapeView(form)->brushColor(), QColor(255, 255, 255));
    box->setCurrentIndex(box->indexOfColor(QColor(0, 255, 0)));
    QCOMPARE(win::shapeView(form)->brushColor(), QColor(0, 0, 0));  // pure green would hide the lines
    box->setCurrentIndex(box->indexOfColor(QColor(0, 0, 128)));
    QCOMPARE(win::shapeView(form)->brushColor(), QColor(0, 0, 128));
}

void MainWindowTest::toolsButtonShowsPanelWithoutRedraw() {
    TBaseForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    win::hotPointCheck(form)->setChecked(true);  // every redraw would advance the jitter
    const uint32_t jitter = form.jitter.state();
    const QString caption = form.windowTitle();
    QTest::mouseClick(win::toolsButton(form), Qt::LeftButton);
    QVERIFY(win::toolsButton(form)->Down());
    QVERIFY(win::toolsPanel(form)->isVisible());
    // The panel's colour as the user sees it, between its controls.
    QCOMPARE(win::toolsPanel(form)->grab().toImage().pixelColor(120, 240), QColor(192, 220, 192));
    QTest::mouseClick(win::toolsButton(form), Qt::LeftButton);
    QVERIFY(!win::toolsButton(form)->Down());
    QVERIFY(!win::toolsPanel(form)->isVisible());
    QCOMPARE(form.jitter.state(), jitter);
    QCOMPARE(form.windowTitle(), caption);
}

void MainWindowTest::speedButtonGroups() {
    TBaseForm form;
    lp::SpeedButton* off = win::offMadeButton(form);
    lp::SpeedButton* circle = win::cucleButton(form);
    int clicks = 0;
    connect(circle, &QAbstractButton::clicked, [&] { ++clicks; });
    circle->click();
    QVERIFY(circle->Down());
    QVERIFY(!off->Down());
    circle->click();  // all-up not allowed: stays down, handler runs again
    QVERIFY(circle->Down());
    QCOMPARE(clicks, 2);
    off->SetDown(true);  // from code: raises the group, runs no handler
    QVERIFY(!circle->Down());
    QCOMPARE(clicks, 2);
    // Top-row toggles are independent and may all be up.
    win::webButton(form)->click();
    win::directButton(form)->click();
    QVERIFY(win::webButton(form)->Down() && win::directButton(form)->Down());
    win::webButton(form)->click();
    QVERIFY(!win::webButton(form)->Down() && win::directButton(form)->Down());
    // Plain buttons never stay down.
    win::aboutButton(form)->SetDown(true);
    QVERIFY(!win::aboutButton(form)->Down());
}

void MainWindowTest::pointLabelFallsBackAfterTwoSeconds() {
    TBaseForm form;
    QCOMPARE(win::pointLabel(form)->text(), u"LabelPoint"_s);
    QVERIFY(form.TimerPointOff->isActive());
    QTRY_COMPARE_WITH_TIMEOUT(win::pointLabel(form)->text(), u"Точка ?"_s, 3000);
    QVERIFY(!form.TimerPointOff->isActive());
}

QTEST_MAIN(MainWindowTest)
#include "test_mainwindow.moc"
