#include "app/auxforms.h"

#include <QFont>

void ApplyFormFont(QWidget* window) {
    QFont font;
    font.setFamilies(
        {QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(11);
    window->setFont(font);
}

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("About"));
    ApplyFormFont(this);
    setFixedSize(299, 174);
}
