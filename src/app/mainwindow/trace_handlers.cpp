// The trace window from the main window: opened over the picture under the
// field, its contour shown in place of the figure while it is open, and then
// taken as the figure (undoable as any edit) or everything left as it was.
#include "app/baseform.h"
#include "tracewin/traceform.h"
#include "ui_baseform.h"
#include "widgets/imagebox.h"
#include "widgets/speedbutton.h"

namespace {

// The picture under the field and where it lies there: the picture box
// stretches it over its own bounds.
TTraceForm::Picture PictureUnderField(const Ui::TBaseForm* ui) {
    TTraceForm::Picture picture;
    picture.image = ui->ImageDraw->picture();
    picture.hidden = ui->ImageDraw->isHidden();
    picture.area = lp::FieldUnitsOf(QRectF(ui->ImageDraw->geometry().translated(-ui->PaintBoxDraw->pos())));
    return picture;
}

}  // namespace

void TBaseForm::connectTraceHandlers() {
    connect(ui->SpeedButtonTrace, &QAbstractButton::clicked, this, &TBaseForm::SpeedButtonTraceClick);
}

void TBaseForm::SpeedButtonTraceClick() {
    if (!traceForm_) {
        traceForm_ = new TTraceForm(this);
        connect(traceForm_, &TTraceForm::resultChanged, this, &TBaseForm::TraceResultChange);
        connect(traceForm_, &TTraceForm::openPictureRequested, this, &TBaseForm::TraceOpenPicture);
        connect(traceForm_, &TTraceForm::showPictureRequested, this, &TBaseForm::TraceShowPicture);
        connect(traceForm_, &QDialog::finished, this, &TBaseForm::TraceFinished);
    }
    if (traceForm_->isVisible()) return;
    screenBefore_ = {fieldUnder,     ui->PaintBoxDraw->image(), ui->PaintBoxView->image(), gridLayerShown_,
                     jitter.state(), editor_.fileName(),        editor_.pictureFile()};
    traceForm_->setPicture(PictureUnderField(ui.get()));
    // Beside the field and the preview, so that both stay in sight when there is room.
    const auto global = [this](const QWidget* box) { return QRect(box->mapToGlobal(QPoint()), box->size()); };
    traceForm_->placeBeside(global(ui->PaintBoxDraw), global(ui->PaintBoxView));
    traceForm_->show();
}

void TBaseForm::TraceResultChange() {
    const lp::TraceResult& traced = traceForm_->result();
    if (traced.ok) {
        auto shown = std::make_shared<lp::FigureData>();
        shown->FigureX = traced.X;
        shown->FigureY = traced.Y;
        shown->State = editor_.state();
        shown->State.AreaMode = false;
        shown->State.CurrentPoint = lp::kNoCurrentPoint;
        shownInstead_ = std::move(shown);
    } else {
        shownInstead_.reset();
    }
    FullReturn(1);
}

void TBaseForm::TraceOpenPicture() {
    SpeedButtonLoadPictureClick();
    traceForm_->setPicture(PictureUnderField(ui.get()));
}

void TBaseForm::TraceShowPicture() {
    ui->SpeedButtonPicVisible->SetDown(true);
    SpeedButtonPicVisibleClick();
    traceForm_->setPicture(PictureUnderField(ui.get()));
}

void TBaseForm::TraceFinished(int result) {
    shownInstead_.reset();
    const lp::TraceResult& traced = traceForm_->result();
    if (result == QDialog::Accepted && traced.ok) {
        editor_.replaceFigure(traced.X, traced.Y);
        // The traced contour is a whole figure: no second half, no template making.
        editor_.setHalf128(false);
        ui->SpeedButtonOffMade->SetDown(true);
        editor_.state().MakeMode = lp::MakeNone;
        FullReturn(1);
    } else if (editor_.fileName() == screenBefore_.file && editor_.pictureFile() == screenBefore_.picture) {
        // The field and the preview exactly as they were.
        fieldUnder = screenBefore_.under;
        ui->PaintBoxDraw->image() = screenBefore_.field;
        ui->PaintBoxView->image() = screenBefore_.preview;
        gridLayerShown_ = screenBefore_.grid;
        jitter.setState(screenBefore_.jitter);
        update(ui->PaintBoxDraw->geometry());
        ui->PaintBoxView->update();
    } else {
        FullReturn(1);  // another picture or file was opened meanwhile
    }
    screenBefore_ = {};
}
