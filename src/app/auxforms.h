// The auxiliary windows (the About dialog is in aboutform.h). Each exists once for the whole run and is only
// ever shown modally from the main window.
#pragma once

#include <QDialog>

// Sets the editor's common window font: 11 pixels, a plain sans serif.
void ApplyFormFont(QWidget* window);

class TTxComForm : public QDialog {
    Q_OBJECT
  public:
    explicit TTxComForm(QWidget* parent = nullptr);
};

class TProgForm : public QDialog {
    Q_OBJECT
  public:
    explicit TProgForm(QWidget* parent = nullptr);
};
