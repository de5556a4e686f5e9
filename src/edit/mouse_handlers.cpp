// Mouse editing on the field: picking and dragging points, area selection.
#include "app/baseform.h"
#include "app/controls.h"
#include "ui_baseform.h"

#include <QTimer>

void TBaseForm::connectMouseHandlers() {
    connect(TimerPointOff, &QTimer::timeout, this, &TBaseForm::TimerPointOffTimer);
}

void TBaseForm::PaintBoxDrawMouseDown(Qt::MouseButton, int, int) {}
void TBaseForm::PaintBoxDrawMouseMove(int, int) {}
void TBaseForm::PaintBoxDrawMouseUp(Qt::MouseButton, int, int) {}
void TBaseForm::PaintBoxDrawDblClick() {}
void TBaseForm::SearchPoint(uint8_t, uint8_t) {}
void TBaseForm::SdvigXY(int, int) {}

void TBaseForm::TimerPointOffTimer() {
    ui->LabelPoint->setText(QStringLiteral("Точка ?"));
    ui->LabelPoint->adjustSize();
    TimerPointOff->stop();
}
