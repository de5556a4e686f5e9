#include "app/mainwindow/trace_commands.h"

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

namespace lp {

TraceCommands::TraceCommands(TBaseForm& form) : WindowPart(form) {
    onClicked({{ui->SpeedButtonTrace, &TBaseForm::SpeedButtonTraceClick}});
}

void TraceCommands::SpeedButtonTraceClick() {
    if (!traceForm_) {
        traceForm_ = new TTraceForm(&form_);
        QObject::connect(traceForm_, &TTraceForm::resultChanged, &form_, &TBaseForm::TraceResultChange);
        QObject::connect(traceForm_, &TTraceForm::openPictureRequested, &form_, &TBaseForm::TraceOpenPicture);
        QObject::connect(traceForm_, &TTraceForm::showPictureRequested, &form_, &TBaseForm::TraceShowPicture);
        QObject::connect(traceForm_, &QDialog::finished, &form_, &TBaseForm::TraceFinished);
    }
    if (traceForm_->isVisible()) return;
    screenBefore_ = {form_.fieldUnder,      ui->PaintBoxDraw->image(), ui->PaintBoxView->image(),
                     form_.gridLayerShown_, form_.jitter.state(),      editor_.fileName(),
                     editor_.pictureFile()};
    traceForm_->setPicture(PictureUnderField(ui));
    // Beside the field and the preview, so that both stay in sight when there is room.
    const auto global = [](const QWidget* box) { return QRect(box->mapToGlobal(QPoint()), box->size()); };
    traceForm_->placeBeside(global(ui->PaintBoxDraw), global(ui->PaintBoxView));
    traceForm_->show();
}

void TraceCommands::TraceResultChange() {
    const lp::TraceResult& traced = traceForm_->result();
    if (traced.ok) {
        auto shown = std::make_shared<lp::FigureData>();
        shown->FigureX = traced.X;
        shown->FigureY = traced.Y;
        shown->State = editor_.state();
        shown->State.AreaMode = false;
        shown->State.CurrentPoint = lp::kNoCurrentPoint;
        form_.shownInstead_ = std::move(shown);
    } else {
        form_.shownInstead_.reset();
    }
    form_.FullReturn(1);
}

void TraceCommands::TraceOpenPicture() {
    form_.SpeedButtonLoadPictureClick();
    traceForm_->setPicture(PictureUnderField(ui));
}

void TraceCommands::TraceShowPicture() {
    ui->SpeedButtonPicVisible->SetDown(true);
    form_.SpeedButtonPicVisibleClick();
    traceForm_->setPicture(PictureUnderField(ui));
}

void TraceCommands::TraceFinished(int result) {
    form_.shownInstead_.reset();
    const lp::TraceResult& traced = traceForm_->result();
    if (result == QDialog::Accepted && traced.ok) {
        editor_.replaceFigure(traced.X, traced.Y);
        // The traced contour is a whole figure: no second half, no template making.
        editor_.setHalf128(false);
        ui->SpeedButtonOffMade->SetDown(true);
        editor_.state().MakeMode = lp::MakeNone;
        form_.FullReturn(1);
    } else if (editor_.fileName() == screenBefore_.file && editor_.pictureFile() == screenBefore_.picture) {
        // The field and the preview exactly as they were.
        form_.fieldUnder = screenBefore_.under;
        ui->PaintBoxDraw->image() = screenBefore_.field;
        ui->PaintBoxView->image() = screenBefore_.preview;
        form_.gridLayerShown_ = screenBefore_.grid;
        form_.jitter.setState(screenBefore_.jitter);
        form_.update(ui->PaintBoxDraw->geometry());
        ui->PaintBoxView->update();
    } else {
        form_.FullReturn(1);  // another picture or file was opened meanwhile
    }
    screenBefore_ = {};
}

}  // namespace lp

// The window's handlers, passed on.
void TBaseForm::SpeedButtonTraceClick() {
    trace_->SpeedButtonTraceClick();
}

void TBaseForm::TraceResultChange() {
    trace_->TraceResultChange();
}

void TBaseForm::TraceOpenPicture() {
    trace_->TraceOpenPicture();
}

void TBaseForm::TraceShowPicture() {
    trace_->TraceShowPicture();
}

void TBaseForm::TraceFinished(int result) {
    trace_->TraceFinished(result);
}

TTraceForm* TBaseForm::traceForm() const {
    return trace_->traceForm();
}
