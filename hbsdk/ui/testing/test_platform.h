#pragma once
// Platform services for tests: records every repaint request, and lets a
// test place the pointer, press keys, set the DPI and put a window's client
// area anywhere on the screen. Installs itself while it lives and restores
// the services that were installed before.

#include "hbsdk/ui/geometry.h"
#include "hbsdk/ui/platform_services.h"

#include <cstdint>
#include <map>
#include <set>
#include <vector>

namespace hbsdk::ui::test_support {

struct repaint_request {
  const window* target = nullptr;
  edge_rect area;

  friend bool operator==(const repaint_request&, const repaint_request&) = default;
};

class test_platform final : public platform_services {
public:
  test_platform();
  ~test_platform() override;
  test_platform(const test_platform&) = delete;
  test_platform& operator=(const test_platform&) = delete;

  void request_repaint(const window& target, const edge_rect& area) override;
  point pointer_position() override { return pointer_; }
  point screen_to_client(const window& target, point screen) override;
  bool is_key_down(std::int32_t virtual_key) override { return keys_down_.contains(virtual_key); }
  point screen_dpi() override { return dpi_; }

  // The pointer in screen pixels.
  void set_pointer(point screen) { pointer_ = screen; }
  void set_key(std::int32_t virtual_key, bool down);
  void set_dpi(point dpi) { dpi_ = dpi; }
  // Where the window's client area starts on the screen (default (0, 0)).
  void set_client_origin(const window& target, point screen) { origins_[&target] = screen; }

  const std::vector<repaint_request>& repaints() const noexcept { return repaints_; }
  void clear_repaints() { repaints_.clear(); }

private:
  platform_services* previous_;
  point pointer_;
  point dpi_{96, 96};
  std::set<std::int32_t> keys_down_;
  std::map<const window*, point> origins_;
  std::vector<repaint_request> repaints_;
};

}  // namespace hbsdk::ui::test_support
