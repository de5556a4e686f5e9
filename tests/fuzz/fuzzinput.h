// The bytes a fuzz target is given, read as the values it needs; past the end
// every value reads as zero.
#pragma once

#include <QtGlobal>
#include <cstdint>
#include <cstring>

class FuzzInput {
  public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), left_(size) {}

    template <class T>
    T take() {
        T value{};
        if (left_ >= sizeof(T)) {
            std::memcpy(&value, data_, sizeof(T));
            data_ += sizeof(T);
            left_ -= sizeof(T);
        } else {
            left_ = 0;
        }
        return value;
    }
    size_t left() const { return left_; }
    const uint8_t* rest() const { return data_; }

  private:
    const uint8_t* data_;
    size_t left_;
};

// A fault the sanitizers do not see: the run ends as a crash does.
#define FUZZ_CHECK(condition) \
    if (!(condition)) qFatal("fuzz check failed: %s", #condition)
