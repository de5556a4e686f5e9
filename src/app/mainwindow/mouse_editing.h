// Mouse editing on the field: picking and dragging points, area selection.
#pragma once

#include "app/mainwindow/windowpart.h"

namespace lp {

class MouseEditing : WindowPart {
  public:
    explicit MouseEditing(TBaseForm& form);

    void PaintBoxDrawMouseDown(Qt::MouseButton button, int x, int y);
    void PaintBoxDrawMouseMove(int x, int y);
    void PaintBoxDrawMouseUp();
    void PaintBoxDrawDblClick();
    void SearchPoint(uint8_t fx, uint8_t fy);
    void SdvigXY(int fx, int fy);
    void TimerPointOffTimer();
};

}  // namespace lp
