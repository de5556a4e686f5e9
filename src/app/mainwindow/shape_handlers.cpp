// The template controls: creation buttons, size and option bars, second half.
//
// Assigning a bar's position from here runs that bar's change handler at once
// when the value changes, so a handler may regenerate the figure with the
// template still selected before it goes on; the undo copy always ends up as
// the figure from just before the last generation.
#include <QCheckBox>
#include <QScrollBar>
#include <utility>

#include "app/baseform.h"
#include "ui_baseform.h"
#include "widgets/speedbutton.h"

void TBaseForm::connectShapeHandlers() {
    const std::pair<lp::SpeedButton*, void (TBaseForm::*)()> buttons[] = {
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
    };
    for (const auto& [button, handler] : buttons) connect(button, &QAbstractButton::clicked, this, handler);

    const std::pair<QScrollBar*, void (TBaseForm::*)()> bars[] = {
        {ui->ScrollBarGorzFigura, &TBaseForm::ScrollBarGorzFiguraChange},
        {ui->ScrollBarVertFigura, &TBaseForm::ScrollBarVertFiguraChange},
        {ui->ScrollBarOption, &TBaseForm::ScrollBarOptionChange},
        {ui->ScrollBarMode, &TBaseForm::ScrollBarModeChange},
        {ui->ScrollBarSizeIn, &TBaseForm::ScrollBarSizeInChange},
    };
    for (const auto& [bar, handler] : bars) connect(bar, &QAbstractSlider::valueChanged, this, handler);
}

// Creation ends; the figure stays as it is.
void TBaseForm::SpeedButtonOffMadeClick() {
    editor_.state().MakeMode = lp::MakeNone;
}

void TBaseForm::SpeedButtonFiguraClick() {
    ToUndo();
    editor_.state().MakeMode = lp::MakeFrame;
    FigureGreate();
}

void TBaseForm::SpeedButtonCucleClick() {
    ui->ScrollBarOption->setValue(1);
    ui->ScrollBarMode->setValue(1);
    editor_.state().MakeMode = lp::MakeCircle;
    FigureGreate();
}

void TBaseForm::SpeedButtonLinesClick() {
    ui->ScrollBarOption->setValue(243);
    editor_.state().MakeMode = lp::MakeLines;
    FigureGreate();
}

void TBaseForm::SpeedButtonLinesVertClick() {
    ui->ScrollBarOption->setValue(12);
    editor_.state().MakeMode = lp::MakeLinesVert;
    FigureGreate();
}

void TBaseForm::SpeedButtonPointsClick() {
    editor_.state().MakeMode = lp::MakeCentre;
    FigureGreate();
}

void TBaseForm::SpeedButtonStarsClick() {
    editor_.state().MakeMode = lp::MakeStar;
    FigureGreate();
}

void TBaseForm::SpeedButtonTreugClick() {
    ui->ScrollBarMode->setValue(4);
    ui->ScrollBarOption->setValue(1);
    ToUndo();
    editor_.state().MakeMode = lp::MakePolygon;
    FigureGreate();
}

void TBaseForm::ScrollBarGorzFiguraChange() {
    const int position = ui->ScrollBarGorzFigura->value();
    ui->LabelSizeX->setCaption(QString::number(position));
    if (ui->CheckBoxSizeTogeze->isChecked()) ui->ScrollBarVertFigura->setValue(position);
    FigureGreate();
}

void TBaseForm::ScrollBarVertFiguraChange() {
    const int position = ui->ScrollBarVertFigura->value();
    ui->LabelSizeY->setCaption(QString::number(position));
    if (ui->CheckBoxSizeTogeze->isChecked()) ui->ScrollBarGorzFigura->setValue(position);
    FigureGreate();
}

void TBaseForm::ScrollBarOptionChange() {
    ui->LabelOption->setCaption(QString::number(ui->ScrollBarOption->value()));
    FigureGreate();
}

void TBaseForm::ScrollBarModeChange() {
    ui->LabelMode->setCaption(QString::number(ui->ScrollBarMode->value()));
    FigureGreate();
}

void TBaseForm::ScrollBarSizeInChange() {
    ui->LabelSizeIn->setCaption(QString::number(ui->ScrollBarSizeIn->value()));
    FigureGreate();
}

void TBaseForm::FigureGreate() {
    ui->LabelStatus->setCaption(QStringLiteral(" "));

    lp::GenerateInputs in;
    in.sx = static_cast<uint8_t>(ui->ScrollBarGorzFigura->value() & 0xFF);
    in.sy = static_cast<uint8_t>(ui->ScrollBarVertFigura->value() & 0xFF);
    in.opt = ui->ScrollBarOption->value();
    in.mode = ui->ScrollBarMode->value();
    if (!editor_.makeTemplate(in)) ui->LabelStatus->setCaption(QStringLiteral(" Start >= Finish "));
    if (editor_.state().MakeMode != lp::MakeNone) FullReturn(1);
}

void TBaseForm::MadeHalf() {
    editor_.madeHalf();
}

// The buttons set the editor's modes, and the template is made again with them.
void TBaseForm::SpeedButton128Click() {
    editor_.setHalf128(ui->SpeedButton128->Down());
    FigureGreate();
    FullReturn(1);
}

void TBaseForm::SpeedButtonmirrVertClick() {
    editor_.setMirrors(editor_.mirrorGor(), ui->SpeedButtonmirrVert->Down());
    FigureGreate();
}

void TBaseForm::SpeedButtonMirrGorClick() {
    editor_.setMirrors(ui->SpeedButtonMirrGor->Down(), editor_.mirrorVert());
    FigureGreate();
}
