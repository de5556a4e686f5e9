// What a concern of the main window works on: the window, its controls and the
// editor it shows. The concerns hold the handlers' logic; the window keeps the
// handlers' names and passes each call on.
#pragma once

#include <QAbstractButton>
#include <QAbstractSlider>
#include <initializer_list>
#include <utility>

#include "app/baseform.h"

namespace lp {

class WindowPart {
  public:
    explicit WindowPart(TBaseForm& form) : form_(form), ui(form.ui.get()), editor_(form.editor_) {}

  protected:
    using Handler = void (TBaseForm::*)();
    // Each button's click, each bar's change, to the window's handler of that name.
    void onClicked(std::initializer_list<std::pair<QAbstractButton*, Handler>> buttons) const {
        for (const auto& [button, handler] : buttons)
            QObject::connect(button, &QAbstractButton::clicked, &form_, handler);
    }
    void onChanged(std::initializer_list<std::pair<QAbstractSlider*, Handler>> bars) const {
        for (const auto& [bar, handler] : bars)
            QObject::connect(bar, &QAbstractSlider::valueChanged, &form_, handler);
    }

    TBaseForm& form_;
    Ui::TBaseForm* const ui;
    Editor& editor_;
};

}  // namespace lp
