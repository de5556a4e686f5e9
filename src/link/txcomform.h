// The upload window: sends the figure being edited to the standalone device
// under an eight-character name, over its own serial link.
#pragma once

#include <QDialog>

#include "figure/figuredata.h"
#include "link/seriallink.h"

namespace Ui {
class TTxComForm;
}

class TTxComForm : public QDialog {
    Q_OBJECT
  public:
    explicit TTxComForm(QWidget* parent = nullptr);
    ~TTxComForm() override;

    // The figure and the picture name the window uploads: the main window's,
    // read at each transmission and each opening.
    void setPicture(const lp::Coords* figureX, const lp::Coords* figureY, const QString* pictureName);

    Ui::TTxComForm* ui;
    lp::SerialLink link;

  private:
    const lp::Coords* figureX_ = nullptr;
    const lp::Coords* figureY_ = nullptr;
    const QString* pictureName_ = nullptr;
};
