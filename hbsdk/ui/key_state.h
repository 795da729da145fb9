#pragma once
// The key-state query: whether a modifier (or the space bar) is down now,
// asked of the platform services.

#include <cstdint>

namespace hbsdk::ui {

// The ten things the query can be asked, in their fixed numbering.
enum class key_selector : std::int32_t {
  control = 0,  // either control key, and the right Alt key not down (AltGr sends both)
  left_control = 1,
  right_control = 2,
  shift = 3,  // either shift key
  left_shift = 4,
  right_shift = 5,
  alt = 6,  // either Alt key
  left_alt = 7,
  right_alt = 8,
  space = 9,
};

// True when the selected key is down. A selector outside 0..9 reads false.
bool key_state(key_selector selector);

}  // namespace hbsdk::ui
