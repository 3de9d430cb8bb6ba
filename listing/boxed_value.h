// BoxedValue<T>: a T held out of line, for a group of fields most owners
// leave empty: an empty box is one null pointer. Copies are deep, so no two
// owners share a T; reads of an empty box see one immutable empty T.
// Write only what is not empty, or the box holds a T for nothing.
#pragma once

#include <memory>

template <typename T>
class BoxedValue {
 public:
  BoxedValue() = default;
  BoxedValue(const BoxedValue& other) : value_(copyOf(other)) {}
  BoxedValue(BoxedValue&&) noexcept = default;
  BoxedValue& operator=(const BoxedValue& other) {
    if (this != &other) value_ = copyOf(other);
    return *this;
  }
  BoxedValue& operator=(BoxedValue&&) noexcept = default;

  const T& get() const { return value_ ? *value_ : emptyValue(); }
  // The value to write to; the first call allocates it.
  T& edit() {
    if (!value_) value_ = std::make_unique<T>();
    return *value_;
  }

 private:
  static std::unique_ptr<T> copyOf(const BoxedValue& other) {
    return other.value_ ? std::make_unique<T>(*other.value_) : nullptr;
  }
  static const T& emptyValue() {
    static const T kEmpty;
    return kEmpty;
  }

  std::unique_ptr<T> value_;
};
