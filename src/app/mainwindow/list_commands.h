// Point list commands: insert, delete, moving the start point, re-spacing, and
// the two bars of the options panel that belong to them.
#pragma once

#include "app/mainwindow/windowpart.h"

namespace lp {

class ListCommands : WindowPart {
  public:
    explicit ListCommands(TBaseForm& form);

    void SpeedButtonInsertPointClick();
    void SpeedButtonDeletePointClick();
    void SpeedButtonRotatePointsMouseDown(Qt::MouseButton button);
    void SpeedButtonNormalPointsClick();
    void SpeedButtonNormalizClick();
    void ScrollBarPixelChange();
    void ScrollBarInterChange();
};

}  // namespace lp
