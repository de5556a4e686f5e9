// The three auxiliary windows. Each exists once for the whole run and is only
// ever shown modally from the main window.
#pragma once

#include <QDialog>

// Sets the editor's common window font: 11 pixels, a plain sans serif.
void ApplyFormFont(QWidget* window);

class TAboutForm : public QDialog {
    Q_OBJECT
  public:
    explicit TAboutForm(QWidget* parent = nullptr);
};
