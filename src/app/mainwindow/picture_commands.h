// The background tracing picture: loading it under the editing field, showing
// and hiding it, and its size and place from the options panel.
#pragma once

#include "app/mainwindow/windowpart.h"

namespace lp {

class PictureCommands : WindowPart {
  public:
    explicit PictureCommands(TBaseForm& form);

    void SpeedButtonLoadPictureClick();
    void SpeedButtonPicVisibleClick();
    void ScrollBarRazmXChange();
    void ScrollBarRazmYChange();
    void CheckBoxTogezClick();
};

}  // namespace lp
