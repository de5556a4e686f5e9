#include "app/mainwindow/list_commands.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <functional>

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

namespace lp {

ListCommands::ListCommands(TBaseForm& form) : WindowPart(form) {
    onClicked({{ui->SpeedButtonInsertPoint, &TBaseForm::SpeedButtonInsertPointClick},
               {ui->SpeedButtonDeletePoint, &TBaseForm::SpeedButtonDeletePointClick},
               {ui->SpeedButtonNormalPoints, &TBaseForm::SpeedButtonNormalPointsClick},
               {ui->SpeedButtonNormaliz, &TBaseForm::SpeedButtonNormalizClick}});
    new PressWatcher(ui->SpeedButtonRotatePoints, [this](Qt::MouseButton button, QPoint pos) {
        form_.SpeedButtonRotatePointsMouseDown(button, pos.x(), pos.y());
    });
    onChanged({{ui->ScrollBarPixel, &TBaseForm::ScrollBarPixelChange},
               {ui->ScrollBarInter, &TBaseForm::ScrollBarInterChange}});
}

void ListCommands::SpeedButtonInsertPointClick() {
    editor_.insertPoint(ui->ScrollBarMode->value());
    form_.FullReturn(1);
}

void ListCommands::SpeedButtonDeletePointClick() {
    editor_.deletePoint();
    form_.FullReturn(1);
}

// Left button: one point towards the front; any other: one towards the back.
// No undo copy.
void ListCommands::SpeedButtonRotatePointsMouseDown(Qt::MouseButton button) {
    editor_.rotatePoints(button == Qt::LeftButton);
    form_.FullReturn(1);
}

void ListCommands::SpeedButtonNormalPointsClick() {
    editor_.normalPoints(ui->ScrollBarInter->value());
    form_.FullReturn(1);
}

// Takes the undo copy and redraws; the figure stays as it is.
void ListCommands::SpeedButtonNormalizClick() {
    form_.ToUndo();
    form_.FullReturn(1);
}

void ListCommands::ScrollBarPixelChange() {
    ui->LabelPixel->setCaption(QString::number(ui->ScrollBarPixel->value()));
}

void ListCommands::ScrollBarInterChange() {
    ui->LabelInter->setCaption(QString::number(ui->ScrollBarInter->value()));
}

}  // namespace lp

// The window's handlers, passed on.
void TBaseForm::SpeedButtonInsertPointClick() {
    list_->SpeedButtonInsertPointClick();
}

void TBaseForm::SpeedButtonDeletePointClick() {
    list_->SpeedButtonDeletePointClick();
}

void TBaseForm::SpeedButtonRotatePointsMouseDown(Qt::MouseButton button, int, int) {
    list_->SpeedButtonRotatePointsMouseDown(button);
}

void TBaseForm::SpeedButtonNormalPointsClick() {
    list_->SpeedButtonNormalPointsClick();
}

void TBaseForm::SpeedButtonNormalizClick() {
    list_->SpeedButtonNormalizClick();
}

void TBaseForm::ScrollBarPixelChange() {
    list_->ScrollBarPixelChange();
}

void TBaseForm::ScrollBarInterChange() {
    list_->ScrollBarInterChange();
}
