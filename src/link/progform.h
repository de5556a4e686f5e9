// The ready-picture window: switches the standalone device to one of the
// eight pictures stored in it or to one of its three modes of work, one
// three-byte command per button press, over its own serial link.
#pragma once

#include <QDialog>
#include <cstdint>
#include <memory>

#include "link/seriallink.h"

namespace Ui {
class TProgForm;
}

class TProgForm : public QDialog {
    Q_OBJECT
  public:
    explicit TProgForm(QWidget* parent = nullptr);
    ~TProgForm() override;

    std::unique_ptr<Ui::TProgForm> ui;
    lp::SerialLink link;

    // Sends one command frame through the port the radio group selects.
    void TxBlok(uint8_t command, uint8_t argument);

    // The selected item of the port group (0 for COM1).
    int portItem() const;
    void setPortItem(int item);

    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void SpeedButton5Click();
    void SpeedButton6Click();
    void SpeedButton7Click();
    void SpeedButton8Click();
    void SpeedButtonHandClick();
    void SpeedButtonAvtoClick();
    void SpeedButtonSoundClick();

  private:
    // The button's command from the table of the window's buttons.
    void ButtonClick(int entry);
};
