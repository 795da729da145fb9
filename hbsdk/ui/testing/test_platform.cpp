#include "hbsdk/ui/testing/test_platform.h"

namespace hbsdk::ui::test_support {

test_platform::test_platform() : previous_(set_platform_services(this)) {}

test_platform::~test_platform() { set_platform_services(previous_); }

void test_platform::request_repaint(const window& target, const edge_rect& area) {
  repaints_.push_back({&target, area});
}

point test_platform::screen_to_client(const window& target, point screen) {
  const auto found = origins_.find(&target);
  const point origin = found != origins_.end() ? found->second : point{};
  return {screen.x - origin.x, screen.y - origin.y};
}

void test_platform::set_key(std::int32_t virtual_key, bool down) {
  if (down) {
    keys_down_.insert(virtual_key);
  } else {
    keys_down_.erase(virtual_key);
  }
}

}  // namespace hbsdk::ui::test_support
