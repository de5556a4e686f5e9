#include "app/auxforms.h"

#include <QFont>

void ApplyFormFont(QWidget* window) {
    QFont font;
    font.setFamilies(
        {QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(11);
    window->setFont(font);
}
