#include "app/auxforms.h"

#include <QFont>

void ApplyFormFont(QWidget* window) {
    QFont font;
    font.setFamilies(
        {QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(11);
    window->setFont(font);
}

TTxComForm::TTxComForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TxComForm"));
    setWindowTitle(QStringLiteral("Загрузка картинки лазера"));
    ApplyFormFont(this);
    move(55, 140);
    resize(548, 73);
}

TProgForm::TProgForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ProgForm"));
    setWindowTitle(QStringLiteral("Работа с готовыми картинками"));
    ApplyFormFont(this);
    move(103, 139);
    resize(268, 138);
}
