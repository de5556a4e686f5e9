// The trace window from the main window: opened over the picture under the
// field, its contour shown in place of the figure while it is open, and then
// taken as the figure (undoable as any edit) or everything left as it was.
#pragma once

#include <QImage>
#include <QString>
#include <cstdint>

#include "app/mainwindow/windowpart.h"

namespace lp {

class TraceCommands : WindowPart {
  public:
    explicit TraceCommands(TBaseForm& form);

    void SpeedButtonTraceClick();
    void TraceResultChange();
    void TraceOpenPicture();
    void TraceShowPicture();
    void TraceFinished(int result);
    TTraceForm* traceForm() const { return traceForm_; }

  private:
    TTraceForm* traceForm_ = nullptr;
    struct ScreenCopy {
        QImage under, field, preview;
        bool grid = false;
        uint32_t jitter = 0;
        QString file, picture;  // the names in the caption then
    } screenBefore_;            // the field and the preview as the trace window found them
};

}  // namespace lp
