#include "app/controls.h"

#include <QAbstractItemView>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QStylePainter>

SpeedButton::SpeedButton(QWidget* parent) : QToolButton(parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setIconSize(QSize(16, 16));
}

void SpeedButton::setGroupIndex(int group) {
    group_ = group;
    setCheckable(group != 0);
}

void SpeedButton::raiseGroup() {
    if (group_ == 0 || !parentWidget()) return;
    const auto siblings = parentWidget()->findChildren<SpeedButton*>(Qt::FindDirectChildrenOnly);
    for (SpeedButton* other : siblings)
        if (other != this && other->group_ == group_) other->setChecked(false);
}

void SpeedButton::SetDown(bool down) {
    if (group_ == 0) return;
    if (down) {
        raiseGroup();
        setChecked(true);
    } else if (allowAllUp_) {
        setChecked(false);
    }
}

void SpeedButton::nextCheckState() {
    if (!isChecked())
        SetDown(true);
    else if (allowAllUp_)
        setChecked(false);
}

PaintBox::PaintBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
}

QImage& PaintBox::image() {
    if (image_.size() != size()) {
        image_ = QImage(size(), QImage::Format_ARGB32_Premultiplied);
        image_.fill(Qt::transparent);
    }
    return image_;
}

void PaintBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), image(), event->rect());
}

void PaintBox::mousePressEvent(QMouseEvent* event) {
    emit pressed(event->button(), event->position().toPoint());
}

void PaintBox::mouseMoveEvent(QMouseEvent* event) {
    emit moved(event->position().toPoint());
}

void PaintBox::mouseReleaseEvent(QMouseEvent* event) {
    emit released(event->button(), event->position().toPoint());
}

void PaintBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit doubleClicked();
    emit pressed(event->button(), event->position().toPoint());
}

void AutoLabel::setCaption(const QString& text) {
    if (text == this->text()) return;
    setText(text);
    const auto known = sizes_.constFind(text);
    if (known != sizes_.cend()) {
        resize(*known);
    } else {
        adjustSize();
        sizes_.insert(text, size());
    }
}

void AutoLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) sizes_.clear();
    QLabel::changeEvent(event);
}

ShapeBox::ShapeBox(QWidget* parent) : QWidget(parent) {}

void ShapeBox::setBrushColor(const QColor& color) {
    brush_ = color;
    update();
}

void ShapeBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), brush_);
    painter.setPen(pen_);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

ImageBox::ImageBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

const QImage& ImageBox::picture() const {
    if (picture_.isNull() && !defaultPath_.isEmpty()) picture_.load(defaultPath_);
    return picture_;
}

void ImageBox::setPicture(const QImage& picture) {
    picture_ = picture;
    defaultPath_.clear();
    stretched_ = QImage();
    update();
}

void ImageBox::paintEvent(QPaintEvent*) {
    const QImage& source = picture();
    if (source.isNull()) return;
    const qreal ratio = devicePixelRatioF();
    const QSize target = (QSizeF(size()) * ratio).toSize();
    if (stretched_.size() != target || stretchedFrom_ != source.cacheKey()) {
        stretched_ = source.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                         .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        stretched_.setDevicePixelRatio(ratio);
        stretchedFrom_ = source.cacheKey();
    }
    QPainter(this).drawImage(QPoint(0, 0), stretched_);
}

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
