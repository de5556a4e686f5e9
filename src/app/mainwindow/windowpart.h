// What a concern of the main window works on: the window, its controls and the
// editor it shows. The concerns hold the handlers' logic; the window keeps the
// handlers' names and passes each call on.
#pragma once

#include "app/baseform.h"

namespace lp {

class WindowPart {
  public:
    explicit WindowPart(TBaseForm& form) : form_(form), ui(form.ui.get()), editor_(form.editor_) {}

  protected:
    TBaseForm& form_;
    Ui::TBaseForm* const ui;
    Editor& editor_;
};

}  // namespace lp
