// ILDA interchange from the main window: import a frame of an ILDA file as the
// figure (undoable like any other edit) and export the figure as an ILDA file.
// A failure is reported with the file's path and the reason; the figure, the
// file on disk and the unsaved-changes flag stay as they were.
#pragma once

#include "app/mainwindow/windowpart.h"

namespace lp {

class IldaCommands : WindowPart {
  public:
    explicit IldaCommands(TBaseForm& form);

    void SpeedButtonImportIldaClick();
    void SpeedButtonExportIldaClick();
};

}  // namespace lp
