#include "link/progform.h"

#include <QLabel>

#include "link/inputguard.h"
#include "ui_progform.h"
#include "widgets/formstyle.h"
#include "widgets/speedbutton.h"

namespace {

// Commands of the device; every one is sent with the argument 1.
constexpr uint8_t kHand = 134;
constexpr uint8_t kAutomatic = 132;
constexpr uint8_t kSound = 133;
constexpr uint8_t kArgument = 1;

}  // namespace

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

    connect(ui->SpeedButton1, &QAbstractButton::clicked, this, &TProgForm::SpeedButton1Click);
    connect(ui->SpeedButton2, &QAbstractButton::clicked, this, &TProgForm::SpeedButton2Click);
    connect(ui->SpeedButton3, &QAbstractButton::clicked, this, &TProgForm::SpeedButton3Click);
    connect(ui->SpeedButton4, &QAbstractButton::clicked, this, &TProgForm::SpeedButton4Click);
    connect(ui->SpeedButton5, &QAbstractButton::clicked, this, &TProgForm::SpeedButton5Click);
    connect(ui->SpeedButton6, &QAbstractButton::clicked, this, &TProgForm::SpeedButton6Click);
    connect(ui->SpeedButton7, &QAbstractButton::clicked, this, &TProgForm::SpeedButton7Click);
    connect(ui->SpeedButton8, &QAbstractButton::clicked, this, &TProgForm::SpeedButton8Click);
    connect(ui->SpeedButtonHand, &QAbstractButton::clicked, this, &TProgForm::SpeedButtonHandClick);
    connect(ui->SpeedButtonAvto, &QAbstractButton::clicked, this, &TProgForm::SpeedButtonAvtoClick);
    connect(ui->SpeedButtonSound, &QAbstractButton::clicked, this, &TProgForm::SpeedButtonSoundClick);
}

TProgForm::~TProgForm() = default;

void TProgForm::TxBlok(uint8_t command, uint8_t argument) {
    if (lp::InputGuard::Guarded(this)) return;  // one transmission at a time
    {
        lp::InputGuard guard(this);
        if (link.OpenPort(ui->RadioGroupTx->itemIndex(), 2)) {
            link.SendFrame(lp::BuildCommandFrame(link.TxBytes, command, argument));
            link.ClosePort();
        }
    }
    lp::ShowLinkWarning(this, link.Report());
}

void TProgForm::SpeedButton1Click() {
    TxBlok(1, kArgument);
}
void TProgForm::SpeedButton2Click() {
    TxBlok(2, kArgument);
}
void TProgForm::SpeedButton3Click() {
    TxBlok(3, kArgument);
}
void TProgForm::SpeedButton4Click() {
    TxBlok(4, kArgument);
}
void TProgForm::SpeedButton5Click() {
    TxBlok(5, kArgument);
}
void TProgForm::SpeedButton6Click() {
    TxBlok(6, kArgument);
}
void TProgForm::SpeedButton7Click() {
    TxBlok(7, kArgument);
}
void TProgForm::SpeedButton8Click() {
    TxBlok(8, kArgument);
}
void TProgForm::SpeedButtonHandClick() {
    TxBlok(kHand, kArgument);
}
void TProgForm::SpeedButtonAvtoClick() {
    TxBlok(kAutomatic, kArgument);
}
void TProgForm::SpeedButtonSoundClick() {
    TxBlok(kSound, kArgument);
}
