#include "hbsdk/ui/testing/headless_window_backend.h"

#include "hbsdk/ui/native_window.h"
#include "hbsdk/ui/testing/scripted_input_method.h"
#include "hbsdk/ui/testing/test_platform.h"
#include "hbsdk/ui/window_procedure.h"

#include <algorithm>

namespace hbsdk::ui::test_support {

headless_window_backend::headless_window_backend(test_platform& platform, native_window& owner)
    : platform_(platform), owner_(owner) {
  platform_.backend_created(*this);
}

headless_window_backend::~headless_window_backend() { platform_.backend_destroyed(*this); }

void headless_window_backend::create(const native_window_request& request) {
  request_ = request;
  created_ = true;
  outer_ = {request.x, request.y, request.x + request.outer_width, request.y + request.outer_height};
}

point headless_window_backend::device_dpi() { return platform_.device_dpi(); }

edge_rect headless_window_backend::frame_insets(std::uint32_t, std::uint32_t) { return platform_.frame(); }

// A change of size reaches the window as WM_SIZE at once, as SetWindowPos
// sends it on Windows.
void headless_window_backend::set_outer_rect(const rect& outer) {
  const std::int32_t width = outer.width < 0 ? outer_.right - outer_.left : outer.width;
  const std::int32_t height = outer.height < 0 ? outer_.bottom - outer_.top : outer.height;
  const bool resized = width != outer_.right - outer_.left || height != outer_.bottom - outer_.top;
  outer_ = {outer.x, outer.y, outer.x + width, outer.y + height};
  if (resized && created_) {
    const edge_rect frame = platform_.frame();
    (void)handle_message(owner_, {message::size, 0,
                                  make_lparam(width - (frame.right - frame.left), height - (frame.bottom - frame.top))});
  }
}

edge_rect headless_window_backend::work_area() { return platform_.work_area(); }

// Showing a window makes its whole client area wait to be painted, as on Windows.
void headless_window_backend::show() {
  visible_ = true;
  const edge_rect frame = platform_.frame();
  invalidate({0, 0, (outer_.right - outer_.left) - (frame.right - frame.left),
              (outer_.bottom - outer_.top) - (frame.bottom - frame.top)});
}

// Paints at once what waits to be painted, like UpdateWindow.
void headless_window_backend::update() {
  if (visible_ && pending_.right > pending_.left && pending_.bottom > pending_.top) {
    (void)handle_message(owner_, {message::paint, 0, 0});
  }
}

void headless_window_backend::start_timer(std::uint32_t id, std::uint32_t milliseconds) {
  timers_[id] = {milliseconds, platform_.now() + std::max<std::uint32_t>(milliseconds, 1)};
}

void headless_window_backend::invalidate(const edge_rect& area) {
  if (area.right <= area.left || area.bottom <= area.top) {
    return;
  }
  if (pending_.right <= pending_.left || pending_.bottom <= pending_.top) {
    pending_ = area;
  } else {
    pending_ = {std::min(pending_.left, area.left), std::min(pending_.top, area.top),
                std::max(pending_.right, area.right), std::max(pending_.bottom, area.bottom)};
  }
}

// Validating the whole pending area clears it; a part leaves the bounding
// rectangle as it was (a test paints whole areas).
void headless_window_backend::validate(const edge_rect& area) {
  if (area.left <= pending_.left && area.top <= pending_.top && area.right >= pending_.right &&
      area.bottom >= pending_.bottom) {
    pending_ = {};
  }
}

}  // namespace hbsdk::ui::test_support

namespace hbsdk::ui::test_support {

std::unique_ptr<input_method> headless_window_backend::create_input_method() {
  auto method = std::make_unique<scripted_input_method>();
  ime_ = method.get();
  return method;
}

void headless_window_backend::post(const window_message& message) { platform_.post(owner_, message); }

}  // namespace hbsdk::ui::test_support
