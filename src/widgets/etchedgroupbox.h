// A group box drawn as on the desktop the layouts were made for: an etched
// frame with the caption on its top line, and inside it the group's own
// background, unshaded by the style.
#pragma once

#include <QGroupBox>

namespace lp {

class EtchedGroupBox : public QGroupBox {
    Q_OBJECT
  public:
    using QGroupBox::QGroupBox;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace lp
