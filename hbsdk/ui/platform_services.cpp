#include "hbsdk/ui/platform_services.h"

#include "hbsdk/ui/null_backends.h"

#include <stdexcept>

namespace hbsdk::ui {
namespace {

class null_device_bitmap final : public device_bitmap {};
class null_rich_layout final : public rich_layout {};

class null_platform_services final : public platform_services {
public:
  void request_repaint(const window&, const edge_rect&) override {}
  point pointer_position() override { return {}; }
  point screen_to_client(const window&, point screen) override { return screen; }
  bool is_key_down(std::int32_t) override { return false; }
  point screen_dpi() override { return {96, 96}; }
  point screen_size() override { return {1024, 768}; }
  std::unique_ptr<window_backend> create_window_backend(native_window&) override {
    return std::make_unique<null_window_backend>();
  }
  std::unique_ptr<render_backend> create_render_backend(native_window&) override {
    return std::make_unique<null_render_backend>();
  }
  void wait_message() override {
    throw std::logic_error("no platform is installed: a modal loop would wait for ever");
  }
  bool take_message() override { return false; }
  void dispatch_message() override {}
  void set_cursor(cursor_shape) override {}
};

null_platform_services null_services;
platform_services* installed = nullptr;

}  // namespace

void null_window_backend::set_outer_rect(const rect& outer) {
  const std::int32_t width = outer.width < 0 ? outer_.right - outer_.left : outer.width;
  const std::int32_t height = outer.height < 0 ? outer_.bottom - outer_.top : outer.height;
  outer_ = {outer.x, outer.y, outer.x + width, outer.y + height};
}

std::unique_ptr<device_bitmap> null_render_backend::make_device_bitmap(const decoded_image&) {
  return std::make_unique<null_device_bitmap>();
}

std::unique_ptr<rich_layout> null_render_backend::make_rich_layout(std::u16string_view, const text_style&,
                                                                   std::span<const text_run_format>, size_f) {
  return std::make_unique<null_rich_layout>();
}

platform_services& platform() { return installed != nullptr ? *installed : null_services; }

platform_services* set_platform_services(platform_services* services) noexcept {
  platform_services* previous = installed;
  installed = services;
  return previous;
}

}  // namespace hbsdk::ui
