#pragma once
// Owns one reference to a COM interface and releases it on every path out.

#include <utility>

namespace hbsdk::ui::win32 {

template <class T>
class com_ptr {
public:
  com_ptr() noexcept = default;
  // Takes over a reference the caller already holds.
  explicit com_ptr(T* adopted) noexcept : pointer_(adopted) {}
  com_ptr(const com_ptr& other) noexcept : pointer_(other.pointer_) {
    if (pointer_ != nullptr) pointer_->AddRef();
  }
  com_ptr(com_ptr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  com_ptr& operator=(com_ptr other) noexcept {
    std::swap(pointer_, other.pointer_);
    return *this;
  }
  ~com_ptr() { reset(); }

  void reset() noexcept {
    if (pointer_ != nullptr) std::exchange(pointer_, nullptr)->Release();
  }
  T* get() const noexcept { return pointer_; }
  T* operator->() const noexcept { return pointer_; }
  explicit operator bool() const noexcept { return pointer_ != nullptr; }
  // For the out parameter of a creating call; releases what was held.
  T** put() noexcept {
    reset();
    return &pointer_;
  }
  void** put_void() noexcept { return reinterpret_cast<void**>(put()); }

private:
  T* pointer_ = nullptr;
};

}  // namespace hbsdk::ui::win32
