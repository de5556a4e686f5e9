// A short clip of a sheet of paper flying from one folder into another, shown
// while a transmission runs. It plays from a timer, so it needs the event loop
// to run; the link's waits keep it running.
#pragma once

#include <QTimer>
#include <QWidget>

namespace lp {

class CopyAnimation : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kFrameCount = 26;
    static constexpr int kFrameMs = 60;

    explicit CopyAnimation(QWidget* parent = nullptr);

    void play();  // from the current frame, round and round
    void stop();  // back to the first frame
    bool playing() const { return timer_.isActive(); }
    int frame() const { return frame_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QTimer timer_;
    int frame_ = 0;
};

}  // namespace lp
