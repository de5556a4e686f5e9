#include "link/txcomform.h"

#include <QLabel>

#include "app/auxforms.h"
#include "app/controls.h"
#include "ui_txcomform.h"

TTxComForm::TTxComForm(QWidget* parent) : QDialog(parent), ui(new Ui::TTxComForm), link(this) {
    ApplyFormFont(this);
    ui->setupUi(this);
    setObjectName(QStringLiteral("TxComForm"));
    move(55, 140);
    for (QLabel* label : findChildren<QLabel*>()) label->adjustSize();
}

TTxComForm::~TTxComForm() {
    delete ui;
}

void TTxComForm::setPicture(const lp::Coords* figureX, const lp::Coords* figureY,
                            const QString* pictureName) {
    figureX_ = figureX;
    figureY_ = figureY;
    pictureName_ = pictureName;
}
