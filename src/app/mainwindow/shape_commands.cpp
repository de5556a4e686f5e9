#include "app/mainwindow/shape_commands.h"

#include <QCheckBox>
#include <QScrollBar>
#include <utility>

#include "ui_baseform.h"
#include "widgets/speedbutton.h"

namespace lp {

ShapeCommands::ShapeCommands(TBaseForm& form) : WindowPart(form) {
    onClicked({
        {ui->SpeedButtonOffMade, &TBaseForm::SpeedButtonOffMadeClick},
        {ui->SpeedButtonFigura, &TBaseForm::SpeedButtonFiguraClick},
        {ui->SpeedButtonCucle, &TBaseForm::SpeedButtonCucleClick},
        {ui->SpeedButtonLines, &TBaseForm::SpeedButtonLinesClick},
        {ui->SpeedButtonLinesVert, &TBaseForm::SpeedButtonLinesVertClick},
        {ui->SpeedButtonPoints, &TBaseForm::SpeedButtonPointsClick},
        {ui->SpeedButtonStars, &TBaseForm::SpeedButtonStarsClick},
        {ui->SpeedButtonTreug, &TBaseForm::SpeedButtonTreugClick},
        {ui->SpeedButton128, &TBaseForm::SpeedButton128Click},
        {ui->SpeedButtonmirrVert, &TBaseForm::SpeedButtonmirrVertClick},
        {ui->SpeedButtonMirrGor, &TBaseForm::SpeedButtonMirrGorClick},
    });

    onChanged({
        {ui->ScrollBarGorzFigura, &TBaseForm::ScrollBarGorzFiguraChange},
        {ui->ScrollBarVertFigura, &TBaseForm::ScrollBarVertFiguraChange},
        {ui->ScrollBarOption, &TBaseForm::ScrollBarOptionChange},
        {ui->ScrollBarMode, &TBaseForm::ScrollBarModeChange},
        {ui->ScrollBarSizeIn, &TBaseForm::ScrollBarSizeInChange},
    });
}

// Creation ends; the figure stays as it is.
void ShapeCommands::SpeedButtonOffMadeClick() {
    editor_.state().MakeMode = lp::MakeNone;
}

void ShapeCommands::SpeedButtonFiguraClick() {
    form_.ToUndo();
    editor_.state().MakeMode = lp::MakeFrame;
    FigureGreate();
}

void ShapeCommands::SpeedButtonCucleClick() {
    ui->ScrollBarOption->setValue(1);
    ui->ScrollBarMode->setValue(1);
    editor_.state().MakeMode = lp::MakeCircle;
    FigureGreate();
}

void ShapeCommands::SpeedButtonLinesClick() {
    ui->ScrollBarOption->setValue(243);
    editor_.state().MakeMode = lp::MakeLines;
    FigureGreate();
}

void ShapeCommands::SpeedButtonLinesVertClick() {
    ui->ScrollBarOption->setValue(12);
    editor_.state().MakeMode = lp::MakeLinesVert;
    FigureGreate();
}

void ShapeCommands::SpeedButtonPointsClick() {
    editor_.state().MakeMode = lp::MakeCentre;
    FigureGreate();
}

void ShapeCommands::SpeedButtonStarsClick() {
    editor_.state().MakeMode = lp::MakeStar;
    FigureGreate();
}

void ShapeCommands::SpeedButtonTreugClick() {
    ui->ScrollBarMode->setValue(4);
    ui->ScrollBarOption->setValue(1);
    form_.ToUndo();
    editor_.state().MakeMode = lp::MakePolygon;
    FigureGreate();
}

void ShapeCommands::ScrollBarGorzFiguraChange() {
    const int position = ui->ScrollBarGorzFigura->value();
    ui->LabelSizeX->setCaption(QString::number(position));
    if (ui->CheckBoxSizeTogeze->isChecked()) ui->ScrollBarVertFigura->setValue(position);
    FigureGreate();
}

void ShapeCommands::ScrollBarVertFiguraChange() {
    const int position = ui->ScrollBarVertFigura->value();
    ui->LabelSizeY->setCaption(QString::number(position));
    if (ui->CheckBoxSizeTogeze->isChecked()) ui->ScrollBarGorzFigura->setValue(position);
    FigureGreate();
}

void ShapeCommands::ScrollBarOptionChange() {
    ui->LabelOption->setCaption(QString::number(ui->ScrollBarOption->value()));
    FigureGreate();
}

void ShapeCommands::ScrollBarModeChange() {
    ui->LabelMode->setCaption(QString::number(ui->ScrollBarMode->value()));
    FigureGreate();
}

void ShapeCommands::ScrollBarSizeInChange() {
    ui->LabelSizeIn->setCaption(QString::number(ui->ScrollBarSizeIn->value()));
    FigureGreate();
}

void ShapeCommands::FigureGreate() {
    ui->LabelStatus->setCaption(QStringLiteral(" "));

    lp::GenerateInputs in;
    in.sx = static_cast<uint8_t>(ui->ScrollBarGorzFigura->value() & 0xFF);
    in.sy = static_cast<uint8_t>(ui->ScrollBarVertFigura->value() & 0xFF);
    in.opt = ui->ScrollBarOption->value();
    in.mode = ui->ScrollBarMode->value();
    if (!editor_.makeTemplate(in)) ui->LabelStatus->setCaption(QStringLiteral(" Start >= Finish "));
    if (editor_.state().MakeMode != lp::MakeNone) form_.FullReturn(1);
}

void ShapeCommands::MadeHalf() {
    editor_.madeHalf();
}

// The buttons set the editor's modes, and the template is made again with them.
void ShapeCommands::SpeedButton128Click() {
    editor_.setHalf128(ui->SpeedButton128->Down());
    FigureGreate();
    form_.FullReturn(1);
}

void ShapeCommands::SpeedButtonmirrVertClick() {
    editor_.setMirrors(editor_.mirrorGor(), ui->SpeedButtonmirrVert->Down());
    FigureGreate();
}

void ShapeCommands::SpeedButtonMirrGorClick() {
    editor_.setMirrors(ui->SpeedButtonMirrGor->Down(), editor_.mirrorVert());
    FigureGreate();
}

}  // namespace lp

// The window's handlers, passed on.
void TBaseForm::SpeedButtonOffMadeClick() {
    shapes_->SpeedButtonOffMadeClick();
}

void TBaseForm::SpeedButtonFiguraClick() {
    shapes_->SpeedButtonFiguraClick();
}

void TBaseForm::SpeedButtonCucleClick() {
    shapes_->SpeedButtonCucleClick();
}

void TBaseForm::SpeedButtonLinesClick() {
    shapes_->SpeedButtonLinesClick();
}

void TBaseForm::SpeedButtonLinesVertClick() {
    shapes_->SpeedButtonLinesVertClick();
}

void TBaseForm::SpeedButtonPointsClick() {
    shapes_->SpeedButtonPointsClick();
}

void TBaseForm::SpeedButtonStarsClick() {
    shapes_->SpeedButtonStarsClick();
}

void TBaseForm::SpeedButtonTreugClick() {
    shapes_->SpeedButtonTreugClick();
}

void TBaseForm::ScrollBarGorzFiguraChange() {
    shapes_->ScrollBarGorzFiguraChange();
}

void TBaseForm::ScrollBarVertFiguraChange() {
    shapes_->ScrollBarVertFiguraChange();
}

void TBaseForm::ScrollBarOptionChange() {
    shapes_->ScrollBarOptionChange();
}

void TBaseForm::ScrollBarModeChange() {
    shapes_->ScrollBarModeChange();
}

void TBaseForm::ScrollBarSizeInChange() {
    shapes_->ScrollBarSizeInChange();
}

void TBaseForm::FigureGreate() {
    shapes_->FigureGreate();
}

void TBaseForm::MadeHalf() {
    shapes_->MadeHalf();
}

void TBaseForm::SpeedButton128Click() {
    shapes_->SpeedButton128Click();
}

void TBaseForm::SpeedButtonmirrVertClick() {
    shapes_->SpeedButtonmirrVertClick();
}

void TBaseForm::SpeedButtonMirrGorClick() {
    shapes_->SpeedButtonMirrGorClick();
}
