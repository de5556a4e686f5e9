#include "link/progform.h"

#include <QLabel>

#include "link/inputguard.h"
#include "ui_progform.h"
#include "widgets/formstyle.h"
#include "widgets/speedbutton.h"

TProgForm::TProgForm(QWidget* parent) : QDialog(parent), ui(new Ui::TProgForm) {
    lp::ApplyFormFont(this);
    ui->setupUi(this);
    setObjectName(QStringLiteral("ProgForm"));
    move(103, 139);
    for (QLabel* label : {ui->Labelvib, ui->Labelmode}) label->adjustSize();

    Q_INIT_RESOURCE(link);  // the glyphs live in a static library
    QFont digits = font();
    digits.setPixelSize(13);
    digits.setBold(true);
    for (lp::SpeedButton* b : {ui->SpeedButton1, ui->SpeedButton2, ui->SpeedButton3, ui->SpeedButton4,
                               ui->SpeedButton5, ui->SpeedButton6, ui->SpeedButton7, ui->SpeedButton8}) {
        b->setFont(digits);
        QPalette palette = b->palette();
        palette.setColor(QPalette::ButtonText, QColor(255, 0, 0));
        b->setPalette(palette);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    }
    for (lp::SpeedButton* button : {ui->SpeedButtonHand, ui->SpeedButtonAvto, ui->SpeedButtonSound})
        button->setIcon(QIcon(QStringLiteral(":/link/%1.svg").arg(button->objectName())));

    for (int entry = 0; entry < int(lp::kButtonCommands.size()); ++entry) {
        auto* button = findChild<lp::SpeedButton*>(QLatin1String(lp::kButtonCommands[entry].button));
        connect(button, &QAbstractButton::clicked, this, [this, entry] { ButtonClick(entry); });
    }
}

TProgForm::~TProgForm() = default;

void TProgForm::TxBlok(uint8_t command, uint8_t argument) {
    if (lp::InputGuard::Guarded(this)) return;  // one transmission at a time
    {
        lp::InputGuard guard(this);
        link.SendCommand(portItem(), command, argument);
    }
    lp::ShowLinkWarning(this, link.Report());
}

int TProgForm::portItem() const {
    return ui->RadioGroupTx->itemIndex();
}

void TProgForm::setPortItem(int item) {
    ui->RadioGroupTx->setItemIndex(item);
}

void TProgForm::ButtonClick(int entry) {
    TxBlok(lp::kButtonCommands[entry].command, lp::kCommandArgument);
}

void TProgForm::SpeedButton1Click() {
    ButtonClick(0);
}
void TProgForm::SpeedButton2Click() {
    ButtonClick(1);
}
void TProgForm::SpeedButton3Click() {
    ButtonClick(2);
}
void TProgForm::SpeedButton4Click() {
    ButtonClick(3);
}
void TProgForm::SpeedButton5Click() {
    ButtonClick(4);
}
void TProgForm::SpeedButton6Click() {
    ButtonClick(5);
}
void TProgForm::SpeedButton7Click() {
    ButtonClick(6);
}
void TProgForm::SpeedButton8Click() {
    ButtonClick(7);
}
void TProgForm::SpeedButtonHandClick() {
    ButtonClick(8);
}
void TProgForm::SpeedButtonAvtoClick() {
    ButtonClick(9);
}
void TProgForm::SpeedButtonSoundClick() {
    ButtonClick(10);
}
