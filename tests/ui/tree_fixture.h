#pragma once
// A window with a created tree (root 200 x 100) on the recording platform,
// and an event recorder that outlives every widget a test makes.

#include "hbsdk/ui/event_registry.h"
#include "hbsdk/ui/mouse_capture.h"
#include "hbsdk/ui/testing/event_recorder.h"
#include "hbsdk/ui/testing/test_platform.h"
#include "hbsdk/ui/widget.h"
#include "hbsdk/ui/window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ui = hbsdk::ui;
namespace support = hbsdk::ui::test_support;
using strings = std::vector<std::string>;

class tree_test : public ::testing::Test {
protected:
  tree_test() { win.create_tree({30, 40, 200, 100}); }
  ~tree_test() override { ui::set_mouse_capture(nullptr); }

  // Pointer at client dips (the window's client area starts at the screen origin).
  void point_at(int x, int y) { platform.set_pointer({x, y}); }
  void dispatch_at(int x, int y, ui::event_type code, std::uint64_t value = 0) {
    point_at(x, y);
    win.dispatch(code, value);
  }

  support::test_platform platform;
  support::event_recorder events;
  ui::window win;
};
