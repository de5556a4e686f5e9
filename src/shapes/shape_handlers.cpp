// The template controls: creation buttons, size and option bars, second half.
#include "app/baseform.h"
#include "app/controls.h"
#include "ui_baseform.h"

void TBaseForm::connectShapeHandlers() {}

void TBaseForm::SpeedButtonOffMadeClick() {}
void TBaseForm::SpeedButtonFiguraClick() {}
void TBaseForm::SpeedButtonCucleClick() {}
void TBaseForm::SpeedButtonLinesClick() {}
void TBaseForm::SpeedButtonLinesVertClick() {}
void TBaseForm::SpeedButtonPointsClick() {}
void TBaseForm::SpeedButtonStarsClick() {}
void TBaseForm::SpeedButtonTreugClick() {}
void TBaseForm::ScrollBarGorzFiguraChange() {}
void TBaseForm::ScrollBarVertFiguraChange() {}
void TBaseForm::ScrollBarOptionChange() {}
void TBaseForm::ScrollBarModeChange() {}
void TBaseForm::ScrollBarSizeInChange() {}
void TBaseForm::FigureGreate() {}
void TBaseForm::MadeHalf() {}
void TBaseForm::SpeedButton128Click() {}
void TBaseForm::SpeedButtonmirrVertClick() {}
void TBaseForm::SpeedButtonMirrGorClick() {}
