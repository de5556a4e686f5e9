// A tool button with a pressed state (`Down`) that stays. Buttons with a group
// number and the same parent are mutually exclusive; with all-up allowed a click
// on the pressed button releases it. Setting `Down` from code never emits
// clicked(), so it never runs a click handler.
#pragma once

#include <QToolButton>

namespace lp {

class SpeedButton : public QToolButton {
    Q_OBJECT
    Q_PROPERTY(int groupIndex READ groupIndex WRITE setGroupIndex)
    Q_PROPERTY(bool allowAllUp READ allowAllUp WRITE setAllowAllUp)
    Q_PROPERTY(bool flat READ flat WRITE setFlat)
    Q_PROPERTY(bool Down READ Down WRITE SetDown)
  public:
    explicit SpeedButton(QWidget* parent = nullptr);

    int groupIndex() const { return group_; }
    void setGroupIndex(int group);
    bool allowAllUp() const { return allowAllUp_; }
    void setAllowAllUp(bool allow) { allowAllUp_ = allow; }
    bool flat() const { return autoRaise(); }
    void setFlat(bool flat) { setAutoRaise(flat); }

    bool Down() const { return group_ != 0 && isChecked(); }
    void SetDown(bool down);

  protected:
    void nextCheckState() override;

  private:
    void raiseGroup();
    int group_ = 0;
    bool allowAllUp_ = false;
};

}  // namespace lp
