#pragma once

namespace html {

// A member object kept inside its owner but reached like an owned pointer
// (->, *, get()): the owner's storage holds it, so making the owner costs no
// separate allocation for it. Never null; neither copied nor moved, since
// callbacks may hold its address.
template <typename T>
class Embedded {
 public:
  Embedded() = default;
  Embedded(const Embedded&) = delete;
  Embedded& operator=(const Embedded&) = delete;

  T* operator->() { return &value_; }
  const T* operator->() const { return &value_; }
  T& operator*() { return value_; }
  const T& operator*() const { return value_; }
  T* get() { return &value_; }
  const T* get() const { return &value_; }

 private:
  T value_;
};

}  // namespace html
