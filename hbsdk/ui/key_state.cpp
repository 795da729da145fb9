#include "hbsdk/ui/key_state.h"

#include "hbsdk/ui/platform_services.h"
#include "hbsdk/ui/virtual_key.h"

#include <cstddef>
#include <iterator>

namespace hbsdk::ui {
namespace {

// The key each selector reads, in selector order.
constexpr std::int32_t selector_keys[] = {
    virtual_key::control,    virtual_key::left_control, virtual_key::right_control, virtual_key::shift,
    virtual_key::left_shift, virtual_key::right_shift,  virtual_key::alt,           virtual_key::left_alt,
    virtual_key::right_alt,  virtual_key::space,
};

}  // namespace

bool key_state(key_selector selector) {
  const auto index = static_cast<std::int32_t>(selector);
  if (index < 0 || index >= static_cast<std::int32_t>(std::size(selector_keys))) {
    return false;
  }
  platform_services& services = platform();
  const bool down = services.is_key_down(selector_keys[static_cast<std::size_t>(index)]);
  // AltGr reaches programs as Control plus the right Alt key; it is not Control.
  if (selector == key_selector::control) {
    return down && !services.is_key_down(virtual_key::right_alt);
  }
  return down;
}

}  // namespace hbsdk::ui
