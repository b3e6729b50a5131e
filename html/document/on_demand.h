#pragma once

#include <memory>

namespace html {

// A member object most owners leave at its default: reading one that was
// never written sees a shared default object, and the first access through a
// non-const owner makes the owner's own. Reached like an owned pointer (->,
// *, get()); never null.
template <typename T>
class OnDemand {
 public:
  OnDemand() = default;
  OnDemand(const OnDemand&) = delete;
  OnDemand& operator=(const OnDemand&) = delete;

  T* get() {
    if (!value_) value_ = std::make_unique<T>();
    return value_.get();
  }
  const T* get() const { return value_ ? value_.get() : &Default(); }
  T* operator->() { return get(); }
  const T* operator->() const { return get(); }
  T& operator*() { return *get(); }
  const T& operator*() const { return *get(); }

 private:
  static const T& Default() {
    static const T value;
    return value;
  }
  std::unique_ptr<T> value_;
};

}  // namespace html
