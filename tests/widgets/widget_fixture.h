#pragma once
// A created window (client 400 x 300, at the screen's origin) on the
// headless platform, with helpers that put the pointer at a client position
// and dispatch input there, that paint the whole window into the recording
// backend, and that tell whether a widget asked to be repainted. Theme
// overrides and the mouse capture are reset after each test.

#include "hbsdk/ui/event_registry.h"
#include "hbsdk/ui/mouse_capture.h"
#include "hbsdk/ui/style_value.h"
#include "hbsdk/ui/testing/event_recorder.h"
#include "hbsdk/ui/testing/recording_render_backend.h"
#include "hbsdk/ui/testing/test_platform.h"
#include "hbsdk/ui/theme_overrides.h"
#include "hbsdk/ui/widget.h"
#include "hbsdk/ui/window.h"
#include "resources/embedded.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

namespace ui = hbsdk::ui;
namespace support = hbsdk::ui::test_support;
using support::draw_call;
using support::draw_kind;
using strings = std::vector<std::string>;

class widget_test : public ::testing::Test {
protected:
  widget_test() {
    win.create("Widgets", {0, 0, 400, 300});
    platform.set_client_origin(win, {0, 0});
  }
  ~widget_test() override {
    ui::set_mouse_capture(nullptr);
    ui::replace_theme_overrides({});
  }

  void point_at(int x, int y) { platform.set_pointer({x, y}); }
  void input_at(int x, int y, ui::event_type code, std::uint64_t value = 0) {
    point_at(x, y);
    win.dispatch(code, value);
  }
  void move_to(int x, int y) { input_at(x, y, ui::event_type::mouse_move); }
  void press(int x, int y, std::uint64_t button = 0) { input_at(x, y, ui::event_type::mouse_down, button); }
  void release(int x, int y, std::uint64_t button = 0) { input_at(x, y, ui::event_type::mouse_up, button); }
  void click(int x, int y, std::uint64_t button = 0) {
    press(x, y, button);
    release(x, y, button);
  }
  void key(ui::event_type code, std::int32_t virtual_key) {
    win.dispatch(code, static_cast<std::uint64_t>(virtual_key));
  }

  // Whether a repaint of the widget's whole area was asked for since the
  // last call; forgets the requests either way.
  bool repainted(const ui::widget& w) {
    const ui::point at = w.window_origin();
    const ui::edge_rect area{at.x, at.y, at.x + w.width(), at.y + w.height()};
    const auto& requests = platform.repaints();
    const bool found = std::any_of(requests.begin(), requests.end(), [&](const support::repaint_request& request) {
      return request.target == w.window() && request.area == area;
    });
    platform.clear_repaints();
    return found;
  }

  // Paints the whole window afresh and returns what the widget drew.
  std::vector<draw_call> paint(const ui::widget& w) {
    platform.drawing_of(win).clear();
    win.paint_tree(win.root, {0, 0, 400, 300});
    return platform.drawing_of(win).calls_of(w);
  }

  support::test_platform platform;
  support::event_recorder events;
  ui::window win;
};

inline std::vector<draw_call> of_kind(const std::vector<draw_call>& calls, draw_kind kind) {
  std::vector<draw_call> result;
  std::copy_if(calls.begin(), calls.end(), std::back_inserter(result),
               [kind](const draw_call& call) { return call.kind == kind; });
  return result;
}

inline std::vector<draw_kind> kinds(const std::vector<draw_call>& calls) {
  std::vector<draw_kind> result;
  for (const draw_call& call : calls) result.push_back(call.kind);
  return result;
}

// The embedded check box strip (14 x 28) as a picture of the given frame count.
inline ui::style_value strip(std::int32_t frames) {
  return ui::style_value::from_image(hb::resources::checkbox_png, hb::resources::checkbox_png_size, frames, 1.0f);
}

inline ui::rect_f edges(float x, float y, float width, float height) { return {x, y, x + width, y + height}; }
