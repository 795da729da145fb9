#include "hbsdk/ui/platform_services.h"

namespace hbsdk::ui {
namespace {

class null_platform_services final : public platform_services {
public:
  void request_repaint(const window&, const edge_rect&) override {}
  point pointer_position() override { return {}; }
  point screen_to_client(const window&, point screen) override { return screen; }
  bool is_key_down(std::int32_t) override { return false; }
  point screen_dpi() override { return {96, 96}; }
};

null_platform_services null_services;
platform_services* installed = nullptr;

}  // namespace

platform_services& platform() { return installed != nullptr ? *installed : null_services; }

platform_services* set_platform_services(platform_services* services) noexcept {
  platform_services* previous = installed;
  installed = services;
  return previous;
}

}  // namespace hbsdk::ui
