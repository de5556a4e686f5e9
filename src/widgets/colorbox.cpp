#include "widgets/colorbox.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QPixmap>
#include <QStylePainter>

namespace {
struct NamedColor {
    const char* name;
    QColor color;
};

const NamedColor kStandardColors[] = {
    {"Чёрный", QColor(0, 0, 0)},
    {"Бордовый", QColor(128, 0, 0)},
    {"Зелёный", QColor(0, 128, 0)},
    {"Оливковый", QColor(128, 128, 0)},
    {"Тёмно-синий", QColor(0, 0, 128)},
    {"Пурпурный", QColor(128, 0, 128)},
    {"Сине-зелёный", QColor(0, 128, 128)},
    {"Серый", QColor(128, 128, 128)},
    {"Серебристый", QColor(192, 192, 192)},
    {"Красный", QColor(255, 0, 0)},
    {"Ярко-зелёный", QColor(0, 255, 0)},
    {"Жёлтый", QColor(255, 255, 0)},
    {"Синий", QColor(0, 0, 255)},
    {"Фуксия", QColor(255, 0, 255)},
    {"Голубой", QColor(0, 255, 255)},
    {"Белый", QColor(255, 255, 255)},
    {"Мятный", QColor(192, 220, 192)},
    {"Небесный", QColor(166, 202, 240)},
    {"Кремовый", QColor(255, 251, 240)},
    {"Средне-серый", QColor(160, 160, 164)},
};
}  // namespace

ColorBox::ColorBox(QWidget* parent) : QComboBox(parent) {
    auto swatch = [](const QColor& color) {
        QPixmap pixmap(16, 12);
        pixmap.fill(color);
        QPainter painter(&pixmap);
        painter.setPen(Qt::black);
        painter.drawRect(0, 0, 15, 11);
        return QIcon(pixmap);
    };
    for (const auto& entry : kStandardColors)
        addItem(swatch(entry.color), QString::fromUtf8(entry.name), entry.color);
    // The desktop's own colours.
    const QPalette palette;
    const std::pair<const char*, QPalette::ColorRole> systemColors[] = {
        {"Фон окна", QPalette::Window},     {"Текст окна", QPalette::WindowText},
        {"Фон поля", QPalette::Base},       {"Кнопка", QPalette::Button},
        {"Выделение", QPalette::Highlight}, {"Подсказка", QPalette::ToolTipBase},
    };
    for (const auto& [name, role] : systemColors)
        addItem(swatch(palette.color(role)), QString::fromUtf8(name), palette.color(role));
    setCurrentIndex(0);
    setIconSize(QSize(16, 12));
    setFocusPolicy(Qt::NoFocus);
    view()->setMinimumWidth(160);
}

QColor ColorBox::selected() const {
    return currentData().value<QColor>();
}

int ColorBox::indexOfColor(const QColor& color) const {
    return findData(color);
}

void ColorBox::paintEvent(QPaintEvent*) {
    // Too narrow for a name: the closed list shows the swatch and the arrow.
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    const QRect box = field.adjusted(1, 3, -1, -3);
    painter.fillRect(box, selected());
    painter.setPen(Qt::black);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
}
