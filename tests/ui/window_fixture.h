#pragma once
// A created toolkit window (client 400 x 300 dips at screen (100, 50)) on the
// headless test platform, with helpers to send it native messages.

#include "hbsdk/ui/event_registry.h"
#include "hbsdk/ui/mouse_capture.h"
#include "hbsdk/ui/testing/event_recorder.h"
#include "hbsdk/ui/testing/headless_window_backend.h"
#include "hbsdk/ui/testing/recording_render_backend.h"
#include "hbsdk/ui/testing/test_platform.h"
#include "hbsdk/ui/window.h"
#include "hbsdk/ui/window_message.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ui = hbsdk::ui;
namespace support = hbsdk::ui::test_support;
namespace msg = hbsdk::ui::message;
using strings = std::vector<std::string>;

class window_test : public ::testing::Test {
protected:
  window_test() { win.create("test window", {100, 50, 400, 300}); }
  ~window_test() override { ui::set_mouse_capture(nullptr); }

  std::optional<std::int64_t> send(std::uint32_t code, std::uint64_t wparam = 0, std::int64_t lparam = 0) {
    return platform.send(win, {code, wparam, lparam});
  }
  // Pointer over client dips (x, y) of the window.
  void point_at(int x, int y) { platform.set_pointer({100 + x, 50 + y}); }
  support::headless_window_backend& native() { return platform.backend_of(win); }
  support::recording_render_backend& drawing() { return platform.drawing_of(win); }

  support::test_platform platform;
  support::event_recorder events;
  ui::window win;
};
