// Point list commands: insert, delete, moving the start point, re-spacing, and
// the two bars of the options panel that belong to them.
#include <QMouseEvent>
#include <QScrollBar>
#include <functional>

#include "app/baseform.h"
#include "ui_baseform.h"

namespace {

// Reports every press of any mouse button on a widget, the second press of a
// double click included; the widget still handles the press itself.
class PressWatcher : public QObject {
  public:
    PressWatcher(QWidget* widget, std::function<void(Qt::MouseButton, QPoint)> onPress)
        : QObject(widget), onPress_(std::move(onPress)) {
        widget->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            onPress_(mouse->button(), mouse->position().toPoint());
        }
        return false;
    }

  private:
    std::function<void(Qt::MouseButton, QPoint)> onPress_;
};

}  // namespace

void TBaseForm::connectListHandlers() {
    connect(ui->SpeedButtonInsertPoint, &QAbstractButton::clicked, this,
            &TBaseForm::SpeedButtonInsertPointClick);
    connect(ui->SpeedButtonDeletePoint, &QAbstractButton::clicked, this,
            &TBaseForm::SpeedButtonDeletePointClick);
    connect(ui->SpeedButtonNormalPoints, &QAbstractButton::clicked, this,
            &TBaseForm::SpeedButtonNormalPointsClick);
    connect(ui->SpeedButtonNormaliz, &QAbstractButton::clicked, this, &TBaseForm::SpeedButtonNormalizClick);
    new PressWatcher(ui->SpeedButtonRotatePoints, [this](Qt::MouseButton button, QPoint pos) {
        SpeedButtonRotatePointsMouseDown(button, pos.x(), pos.y());
    });
    connect(ui->ScrollBarPixel, &QAbstractSlider::valueChanged, this, &TBaseForm::ScrollBarPixelChange);
    connect(ui->ScrollBarInter, &QAbstractSlider::valueChanged, this, &TBaseForm::ScrollBarInterChange);
}

void TBaseForm::SpeedButtonInsertPointClick() {
    editor_.insertPoint(ui->ScrollBarMode->value());
    FullReturn(1);
}

void TBaseForm::SpeedButtonDeletePointClick() {
    editor_.deletePoint();
    FullReturn(1);
}

// Left button: one point towards the front; any other: one towards the back.
// No undo copy.
void TBaseForm::SpeedButtonRotatePointsMouseDown(Qt::MouseButton button, int, int) {
    editor_.rotatePoints(button == Qt::LeftButton);
    FullReturn(1);
}

void TBaseForm::SpeedButtonNormalPointsClick() {
    editor_.normalPoints(ui->ScrollBarInter->value());
    FullReturn(1);
}

// Takes the undo copy and redraws; the figure stays as it is.
void TBaseForm::SpeedButtonNormalizClick() {
    ToUndo();
    FullReturn(1);
}

void TBaseForm::ScrollBarPixelChange() {
    ui->LabelPixel->setCaption(QString::number(ui->ScrollBarPixel->value()));
}

void TBaseForm::ScrollBarInterChange() {
    ui->LabelInter->setCaption(QString::number(ui->ScrollBarInter->value()));
}
