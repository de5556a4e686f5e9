// A seam tests swap: the one object of a kind the program goes through (the
// dialogs, the serial ports), a default unless another is installed.
#pragma once

namespace lp {

template <class T>
class Seam {
  public:
    T& get() { return *current_; }
    // Installs `seam`, or the default again for null; returns the one before.
    T* set(T* seam) {
        T* previous = current_;
        current_ = seam ? seam : &default_;
        return previous;
    }

  private:
    T default_;
    T* current_ = &default_;
};

}  // namespace lp
