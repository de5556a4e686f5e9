// The template controls: creation buttons, size and option bars, second half.
//
// Assigning a bar's position from here runs that bar's change handler at once
// when the value changes, so a handler may regenerate the figure with the
// template still selected before it goes on; the undo copy always ends up as
// the figure from just before the last generation.
#pragma once

#include "app/mainwindow/windowpart.h"

namespace lp {

class ShapeCommands : WindowPart {
  public:
    explicit ShapeCommands(TBaseForm& form);

    void SpeedButtonOffMadeClick();
    void SpeedButtonFiguraClick();
    void SpeedButtonCucleClick();
    void SpeedButtonLinesClick();
    void SpeedButtonLinesVertClick();
    void SpeedButtonPointsClick();
    void SpeedButtonStarsClick();
    void SpeedButtonTreugClick();
    void ScrollBarGorzFiguraChange();
    void ScrollBarVertFiguraChange();
    void ScrollBarOptionChange();
    void ScrollBarModeChange();
    void ScrollBarSizeInChange();
    void FigureGreate();
    void MadeHalf();
    void SpeedButton128Click();
    void SpeedButtonmirrVertClick();
    void SpeedButtonMirrGorClick();
};

}  // namespace lp
