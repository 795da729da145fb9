#pragma once
// Real Win32 windows for the backend's tests: the Windows platform installed
// for the test, a window with two coloured panels that count their paints,
// and a pump that delivers messages until a condition holds or a deadline
// passes (waiting in MsgWaitForMultipleObjects, never spinning).

#include "hbsdk/ui/event_registry.h"
#include "hbsdk/ui/native_platform.h"
#include "hbsdk/ui/widget.h"
#include "hbsdk/ui/window.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string_view>

namespace hb_test {

namespace ui = hbsdk::ui;

// A widget that fills itself with one colour and counts its paints.
class counting_panel : public ui::widget {
public:
  counting_panel();
  int paints = 0;

private:
  void paint();
};

// "probe": client 400 x 300 dips at screen (100, 120); left (0, 0, 200, 300)
// and right (200, 0, 200, 300).
class panel_window : public ui::window {
public:
  explicit panel_window(std::string_view title = "probe", ui::window* owner = nullptr);
  HWND hwnd() const { return static_cast<HWND>(native().handle()); }

  counting_panel left;
  counting_panel right;
};

class native_window_test : public ::testing::Test {
protected:
  // Delivers messages until done() is true; false when 5 s passed first.
  bool pump_until(const std::function<bool()>& done);
  // Shows the window and paints it at once (as the modal loop does on entry).
  static void show(panel_window& target);

  ui::native_platform platform;
};

}  // namespace hb_test
