// While a transmission runs, its window keeps painting (the waits run the
// event loop) but takes no input: no clicks, keys or wheel turns, and it does
// not close. Message boxes over it still work.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace lp {

class InputGuard : public QObject {
  public:
    explicit InputGuard(QWidget* window);
    ~InputGuard() override;

    // Whether a guard holds the window.
    static bool Guarded(const QWidget* window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QPointer<QWidget> window_;
};

}  // namespace lp
