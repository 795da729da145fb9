#include "hbsdk/ui/window.h"

// The keyboard side of the window beyond routing: whether the key being
// dispatched is an auto-repeat, and whether the keyboard has been used yet.
namespace hbsdk::ui {

void window::dispatch_key_down(std::uint64_t key, bool repeated) {
  show_keyboard_cues();
  // Restored afterwards: a callback may run a nested loop that dispatches
  // other keys to this window.
  const bool outer = key_repeat_;
  key_repeat_ = repeated;
  try {
    dispatch(event_type::key_down, key);
  } catch (...) {
    key_repeat_ = outer;
    throw;
  }
  key_repeat_ = outer;
}

void window::show_keyboard_cues() {
  if (keyboard_cues_) {
    return;
  }
  keyboard_cues_ = true;
  if (root.is_visible()) {
    root.invalidate();
  }
}

}  // namespace hbsdk::ui
