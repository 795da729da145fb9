#pragma once
// Mix-in for toolkit objects whose address is their identity (event objects,
// widgets, windows, style blocks): they can be neither copied nor moved.

namespace hbsdk::ui {

class non_copyable_non_moveable {
public:
  non_copyable_non_moveable(const non_copyable_non_moveable&) = delete;
  non_copyable_non_moveable& operator=(const non_copyable_non_moveable&) = delete;
  non_copyable_non_moveable(non_copyable_non_moveable&&) = delete;
  non_copyable_non_moveable& operator=(non_copyable_non_moveable&&) = delete;

protected:
  non_copyable_non_moveable() = default;
  ~non_copyable_non_moveable() = default;
};

}  // namespace hbsdk::ui
