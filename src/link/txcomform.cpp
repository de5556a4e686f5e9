#include "link/txcomform.h"

#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>
#include <QShowEvent>
#include <QTextCursor>

#include "link/copyanimation.h"
#include "link/inputguard.h"
#include "link/portgroup.h"
#include "ui_txcomform.h"
#include "widgets/formstyle.h"

namespace {

// Frame of the windows the layout was made for: 4-pixel borders and a
// 30-pixel caption.
constexpr QSize kDecoration(2 * 4, 30 + 4);
constexpr int kClosedMaxHeight = 150;
constexpr QSize kLogOpen(730, 415);
constexpr QSize kLogClosed(460, 92);

}  // namespace

TTxComForm::TTxComForm(QWidget* parent) : QDialog(parent), ui(new Ui::TTxComForm) {
    lp::ApplyFormFont(this);
    ui->setupUi(this);
    setObjectName(QStringLiteral("TxComForm"));
    move(55, 140);
    for (QLabel* label : findChildren<QLabel*>()) label->adjustSize();

    Q_INIT_RESOURCE(link);  // the glyph lives in a static library
    ui->SpeedButtonBegTx->setIcon(QIcon(QStringLiteral(":/link/SpeedButtonBegTx.svg")));
    QFont name = ui->EditNameFile->font();
    name.setPixelSize(13);
    name.setBold(true);
    ui->EditNameFile->setFont(name);
    QPalette maroon = ui->EditNameFile->palette();
    maroon.setColor(QPalette::Text, QColor(128, 0, 0));
    ui->EditNameFile->setPalette(maroon);
    ui->Memo1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // A text box's own narrow margin: the log of a whole picture fits the box.
    ui->Memo1->document()->setDocumentMargin(1);
    nameBefore_ = ui->EditNameFile->text();

    connect(ui->SpeedButtonBegTx, &QAbstractButton::clicked, this, &TTxComForm::SpeedButtonBegTxClick);
    connect(ui->SpeedButtonTabl, &QAbstractButton::clicked, this, &TTxComForm::SpeedButtonTablClick);
    connect(ui->EditNameFile, &QLineEdit::textEdited, this, &TTxComForm::NameEdited);
    // The field's own text: after a refused edit the signal still carries the refused one.
    connect(ui->EditNameFile, &QLineEdit::textChanged, this, [this] {
        nameBefore_ = ui->EditNameFile->text();
        upload.setName(nameBefore_);
    });
    connect(ui->CheckBoxInvX, &QCheckBox::toggled, &upload, &lp::Upload::setInvertX);
    connect(ui->CheckBoxInvY, &QCheckBox::toggled, &upload, &lp::Upload::setInvertY);
    connect(ui->CheckBoxClose, &QCheckBox::toggled, &upload, &lp::Upload::setCloseAfter);
    connect(ui->RadioGroupTx, &lp::PortRadioGroup::itemIndexChanged, &upload, &lp::Upload::setPortItem);
    connect(&upload, &lp::Upload::changed, this, &TTxComForm::showUpload);
    showUpload();
}

void TTxComForm::showUpload() {
    if (ui->EditNameFile->text() != upload.name()) ui->EditNameFile->setText(upload.name());
    ui->CheckBoxInvX->setChecked(upload.invertX());
    ui->CheckBoxInvY->setChecked(upload.invertY());
    ui->CheckBoxClose->setChecked(upload.closeAfter());
    ui->RadioGroupTx->setItemIndex(upload.portItem());
}

TTxComForm::~TTxComForm() = default;

void TTxComForm::setPicture(const lp::Coords& figureX, const lp::Coords& figureY,
                            const QString& pictureName) {
    upload.setPicture(figureX, figureY, pictureName);
}

void TTxComForm::NameEdited(const QString& text) {
    // Typing stops at eight characters; a longer name set by the window
    // itself can still be shortened.
    if (text.size() > lp::kNameLength && text.size() > nameBefore_.size()) {
        const int cursor = ui->EditNameFile->cursorPosition() - int(text.size() - nameBefore_.size());
        ui->EditNameFile->setText(nameBefore_);
        ui->EditNameFile->setCursorPosition(std::max(0, cursor));
    }
}

QSize TTxComForm::outerSize() const {
    const QSize frame = frameGeometry().size() - size();
    return size() + (frame.isEmpty() ? kDecoration : frame);
}

void TTxComForm::setOuterSize(const QSize& outer) {
    const QSize frame = frameGeometry().size() - size();
    resize(outer - (frame.isEmpty() ? kDecoration : frame));
}

void TTxComForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormActivate();  // each opening
}

void TTxComForm::FormActivate() {
    upload.Activate();
    ui->Memo1->setPlainText(upload.log());
}

void TTxComForm::SpeedButtonTablClick() {
    if (outerSize().height() <= kClosedMaxHeight) {
        ui->SpeedButtonTabl->setText(tr("Закрыть Окно статуса"));
        setOuterSize(kLogOpen);
    } else {
        ui->SpeedButtonTabl->setText(tr("Открыть Окно статуса"));
        setOuterSize(kLogClosed);
    }
}

void TTxComForm::logPiece(const QString& text, bool newLine) {
    if (newLine) {
        ui->Memo1->appendPlainText(text);
        return;
    }
    QTextCursor end(ui->Memo1->document());
    end.movePosition(QTextCursor::End);
    end.insertText(text);
}

void TTxComForm::logEnd(const lp::LinkReport& report) {
    lp::LogUploadEnd(report, [this](const QString& text, bool newLine) { logPiece(text, newLine); });
}

void TTxComForm::SpeedButtonBegTxClick() {
    if (lp::InputGuard::Guarded(this)) return;  // one transmission at a time
    bool opened = false;
    {
        lp::InputGuard guard(this);
        opened = upload.Open();
        if (opened) transmit();
    }
    lp::ShowLinkWarning(this, upload.link.Report());
    if (!opened) {
        // Nothing sent or logged; the window is back in front as after any of
        // the program's boxes.
        FormActivate();
        activateWindow();
    } else if (upload.closesWindow()) {
        accept();
    }
}

void TTxComForm::transmit() {
    // The clip plays for the whole transmission, the last bytes leaving the line included.
    ui->Animate->show();
    ui->Animate->play();
    ui->CheckBoxClose->hide();
    ui->Memo1->clear();
    upload.Transmit([this](const QString& text, bool newLine) { logPiece(text, newLine); });
    ui->Animate->stop();
    ui->Animate->hide();
    ui->CheckBoxClose->show();
}
