#include "app/baseform.h"

#include <QCloseEvent>
#include <QFile>
#include <QPainter>
#include <QTimer>

#include "app/aboutform.h"
#include "app/recovery.h"
#include "link/progform.h"
#include "link/txcomform.h"
#include "ui_baseform.h"
#include "widgets/formstyle.h"
#include "widgets/speedbutton.h"

namespace {

// Restored (not maximised) frame of the main window, and the decoration it
// is meant with: 4-pixel borders and a 30-pixel caption.
constexpr QRect kRestoredFrame(192, 105, 822, 429);
constexpr QSize kDecoration(2 * 4, 30 + 4);

}  // namespace

TBaseForm::TBaseForm(QWidget* parent) : QWidget(parent), ui(new Ui::TBaseForm) {
    lp::ApplyFormFont(this);
    ui->setupUi(this);
    setObjectName(QStringLiteral("BaseForm"));

    QFont bold = ui->LabelPoint->font();
    bold.setBold(true);
    ui->LabelPoint->setFont(bold);
    lp::SetLabelColour(ui->LabelPoint, QColor(255, 0, 0));
    QFont insdel = bold;
    insdel.setPointSize(10);
    ui->LabelInsdel->setFont(insdel);
    lp::SetLabelColour(ui->LabelInsdel, QColor(0, 0, 255));
    for (QLabel* label : findChildren<QLabel*>()) label->adjustSize();

    QPalette tools = ui->GroupBoxTools->palette();
    tools.setColor(QPalette::Window, QColor(192, 220, 192));
    ui->GroupBoxTools->setPalette(tools);
    ui->GroupBoxTools->setAutoFillBackground(true);
    setIcons();

    // The restored geometry; the window itself is shown maximised.
    resize(kRestoredFrame.size() - kDecoration);
    move(kRestoredFrame.topLeft());
    fieldUnder = QImage(ui->PaintBoxDraw->size(), QImage::Format_ARGB32_Premultiplied);
    fieldUnder.fill(Qt::transparent);

    OpenDialogPic.title = tr("Открыть");
    OpenDialogPic.filter = tr("Картинка для Korventa (*.kvt)");
    OpenDialogPic.defaultSuffix = QStringLiteral("kvt");
    SaveDialogPic = OpenDialogPic;
    SaveDialogPic.title = tr("Сохранить как");
    SaveDialogPic.fileName = QStringLiteral("Pic001");

    TimerAvtoSave = new QTimer(this);
    TimerAvtoSave->setObjectName(QStringLiteral("TimerAvtoSave"));
    TimerAvtoSave->setInterval(10000);
    TimerPointOff = new QTimer(this);
    TimerPointOff->setObjectName(QStringLiteral("TimerPointOff"));
    TimerPointOff->setInterval(2000);

    editor_.onChanged([this] { showEditor(); });
    connectShellHandlers();
    makeParts();
    FormCreate();
    TimerPointOff->start();
}

TBaseForm::~TBaseForm() = default;

void TBaseForm::setAuxiliaryForms(TAboutForm* about, TTxComForm* txCom, TProgForm* prog) {
    aboutForm_ = about;
    txComForm_ = txCom;
    progForm_ = prog;
}

void TBaseForm::setIcons() {
    Q_INIT_RESOURCE(resources);  // the icons live in a static library
    for (lp::SpeedButton* button : findChildren<lp::SpeedButton*>()) {
        const QString path = QStringLiteral(":/icons/%1.svg").arg(button->objectName());
        if (QFile::exists(path)) button->setIcon(QIcon(path));
    }
    ui->ImageDraw->setDefaultPicture(QStringLiteral(":/sample.jpg"));
}

void TBaseForm::connectShellHandlers() {
    connect(ui->SpeedButtonAbout, &QAbstractButton::clicked, this, &TBaseForm::SpeedButtonAboutClick);
    connect(ui->SpeedButtonLink, &QAbstractButton::clicked, this, &TBaseForm::SpeedButtonLinkClick);
    connect(ui->SpeedButtonUstProgram, &QAbstractButton::clicked, this,
            &TBaseForm::SpeedButtonUstProgramClick);
    connect(ui->SpeedButtonWeb, &QAbstractButton::clicked, this, &TBaseForm::SpeedButtonWebClick);
    connect(ui->SpeedButtonTools, &QAbstractButton::clicked, this, &TBaseForm::SpeedButtonToolsClick);
    connect(ui->SpeedButtonUndo, &QAbstractButton::clicked, this, &TBaseForm::SpeedButtonUndoClick);
    connect(ui->ColorBoxShapeView, &QComboBox::currentIndexChanged, this,
            &TBaseForm::ColorBoxShapeViewChange);
}

// The undo button is the unsaved-changes flag; the "128" and mirror buttons
// show the editor's modes. Setting them runs no handler.
void TBaseForm::showEditor() {
    ui->SpeedButtonUndo->setEnabled(editor_.unsaved());
    ui->SpeedButton128->SetDown(editor_.half128());
    ui->SpeedButtonMirrGor->SetDown(editor_.mirrorGor());
    ui->SpeedButtonmirrVert->SetDown(editor_.mirrorVert());
}

// The figure's reset and its single level of undo, done by the editor; the
// undo button follows its unsaved-changes flag.
void TBaseForm::ClearPicture() {
    editor_.clear();
    FullReturn(1);
}

void TBaseForm::ToUndo() {
    editor_.toUndo();
}

void TBaseForm::FromUndo() {
    editor_.fromUndo();
    FullReturn(1);
}

void TBaseForm::SpeedButtonUndoClick() {
    FromUndo();
}

bool TBaseForm::UndoEnabled() const {
    return editor_.unsaved();
}

lp::RenderOptions TBaseForm::renderOptions() const {
    lp::RenderOptions options;
    options.grid = ui->SpeedButtonWeb->Down();
    options.half128 = editor_.half128();
    options.hotPoint = ui->CheckBoxHotPoint->isChecked();
    options.hotColour = ui->CheckBoxHotCol->isChecked();
    return options;
}

void TBaseForm::FullReturn(int clear) {
    const QString& file = editor_.fileName();
    const QString& picture = editor_.pictureFile();
    setWindowTitle(
        EditorTitle +
        (file.isEmpty() ? tr(" [no FileLaser] ") : QStringLiteral(" [") + file + QStringLiteral("]")) +
        (picture.isEmpty() ? tr(" [no Picture] ") : QStringLiteral(" [") + picture + QStringLiteral("] ")));
    if (lp::RecoveryKeeper* keeper = recovery()) keeper->noteChange();  // every change is redrawn
    const lp::RenderTargets targets{&fieldUnder, &ui->PaintBoxDraw->image(), &ui->PaintBoxView->image()};
    lp::RenderOptions options = renderOptions();
    if (shownInstead_) options.half128 = false;  // a traced contour is shown whole
    lp::RenderFigure(shownInstead_ ? *shownInstead_ : editor_.data(), options, jitter, targets, clear != 0);
    // The layer beneath holds nothing but the grid.
    gridLayerShown_ = options.grid || (!clear && gridLayerShown_);
    if (paintDepth_ > 0) return;  // already inside the paint pass that shows them
    // The field's rectangle on the window covers the grid layer and the paint box above it.
    update(ui->PaintBoxDraw->geometry());
    ui->PaintBoxView->update();
}

void TBaseForm::FormCreate() {
    EditorTitle = tr(" Редактор картинок для лазера ");
    ClearPicture();
    MarkSaved(QString());  // the empty figure is nothing to recover
}

void TBaseForm::FormShow() {
    FullReturn(0);
}

void TBaseForm::FormActivate() {
    FullReturn(0);
}

void TBaseForm::FormPaint() {
    FullReturn(0);
}

void TBaseForm::FormResize() {
    FullReturn(1);
}

void TBaseForm::SpeedButtonAboutClick() {
    if (aboutForm_) aboutForm_->exec();
}

void TBaseForm::SpeedButtonLinkClick() {
    if (!txComForm_) return;
    txComForm_->setPicture(editor_.FigureX(), editor_.FigureY(),
                           editor_.PictureName());  // the figure as it is now
    txComForm_->exec();
}

void TBaseForm::SpeedButtonUstProgramClick() {
    if (progForm_) progForm_->exec();
}

void TBaseForm::SpeedButtonWebClick() {
    FullReturn(1);
}

void TBaseForm::SpeedButtonToolsClick() {
    ui->GroupBoxTools->setVisible(ui->SpeedButtonTools->Down());
}

void TBaseForm::ColorBoxShapeViewChange() {
    QColor fill = ui->ColorBoxShapeView->selected();
    if (fill == QColor(0, 255, 0)) fill = Qt::black;  // the preview's own line colour
    ui->ShapeView->setBrushColor(fill);
    FullReturn(1);
}

void TBaseForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TBaseForm::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

void TBaseForm::paintEvent(QPaintEvent* event) {
    // A repaint of the whole window is the system asking for everything again;
    // the paint boxes show their retained images within this same pass.
    ++paintDepth_;
    if (event->rect().contains(rect())) FormPaint();
    if (gridLayerShown_) QPainter(this).drawImage(ui->PaintBoxDraw->pos(), fieldUnder);
    --paintDepth_;
}

void TBaseForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FormResize();
}
