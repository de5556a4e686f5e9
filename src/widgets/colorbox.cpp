#include "widgets/colorbox.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QPixmap>
#include <QStylePainter>

namespace lp {

namespace {
struct NamedColor {
    const char* name;
    QColor color;
};

const NamedColor kStandardColors[] = {
    {QT_TRANSLATE_NOOP("lp::ColorBox", "Чёрный"), QColor(0, 0, 0)},
    {QT_TRANSLATE_NOOP("lp::ColorBox", "Бордовый"), QColor(128, 0, 0)},
    {QT_TRANSLATE_NOOP("lp::ColorBox", "Зелёный"), QColor(0, 128, 0)},
    {QT_TRANSLATE_NOOP("lp::ColorBox", "Оливковый"), QColor(128, 128, 0)},
    {QT_TRANSLATE_NOOP("lp::ColorBox", "Тёмно-синий"), QColor(0, 0, 128)},
    {QT_TRANSLATE_NOOP("lp::ColorBox", "Пурпурный"), QColor(128, 0, 128)},
    {QT_TRANSLATE_NOOP("lp::ColorBox", "Сине-зелёный"), QColor(0, 128, 128)},
    {QT_TRANSLATE_NOOP("lp::ColorBox", "Серый"), QColor(128, 128, 128)},
    {QT_TRANSLATE_NOOP("lp::ColorBox", "Серебристый"), QColor(192, 192, 192)},
    {QT_TRANSLATE_NOOP("lp::ColorBox", "Красный"), QColor(255, 0, 0)},
    {QT_TRANSLATE_NOOP("lp::ColorBox", "Ярко-зелёный"), QColor(0, 255, 0)},
    {QT_TRANSLATE_NOOP("lp::ColorBox", "Жёлтый"), QColor(255, 255, 0)},
    {QT_TRANSLATE_NOOP("lp::ColorBox", "Синий"), QColor(0, 0, 255)},
    {QT_TRANSLATE_NOOP("lp::ColorBox", "Фуксия"), QColor(255, 0, 255)},
    {QT_TRANSLATE_NOOP("lp::ColorBox", "Голубой"), QColor(0, 255, 255)},
    {QT_TRANSLATE_NOOP("lp::ColorBox", "Белый"), QColor(255, 255, 255)},
    {QT_TRANSLATE_NOOP("lp::ColorBox", "Мятный"), QColor(192, 220, 192)},
    {QT_TRANSLATE_NOOP("lp::ColorBox", "Небесный"), QColor(166, 202, 240)},
    {QT_TRANSLATE_NOOP("lp::ColorBox", "Кремовый"), QColor(255, 251, 240)},
    {QT_TRANSLATE_NOOP("lp::ColorBox", "Средне-серый"), QColor(160, 160, 164)},
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
    for (const auto& entry : kStandardColors) addItem(swatch(entry.color), tr(entry.name), entry.color);
    // The desktop's own colours.
    const QPalette palette;
    const std::pair<const char*, QPalette::ColorRole> systemColors[] = {
        {QT_TRANSLATE_NOOP("lp::ColorBox", "Фон окна"), QPalette::Window},
        {QT_TRANSLATE_NOOP("lp::ColorBox", "Текст окна"), QPalette::WindowText},
        {QT_TRANSLATE_NOOP("lp::ColorBox", "Фон поля"), QPalette::Base},
        {QT_TRANSLATE_NOOP("lp::ColorBox", "Кнопка"), QPalette::Button},
        {QT_TRANSLATE_NOOP("lp::ColorBox", "Выделение"), QPalette::Highlight},
        {QT_TRANSLATE_NOOP("lp::ColorBox", "Подсказка"), QPalette::ToolTipBase},
    };
    for (const auto& [name, role] : systemColors)
        addItem(swatch(palette.color(role)), tr(name), palette.color(role));
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

}  // namespace lp
