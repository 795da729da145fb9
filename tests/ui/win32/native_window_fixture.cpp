#include "ui/win32/native_window_fixture.h"

namespace hb_test {

counting_panel::counting_panel() { ui::connect(this, ui::event_type::paint, this, &counting_panel::paint); }

void counting_panel::paint() {
  ++paints;
  ui::renderer& r = window()->renderer();
  r.fill_color = {0.2f, 0.4f, 0.6f, 1.0f};
  r.fill_rectangle({0, 0, width(), height()});
}

panel_window::panel_window(std::string_view title, ui::window* owner) {
  parent = owner;
  create(title, {100, 120, 400, 300});
  left.create(root, {0, 0, 200, 300});
  right.create(root, {200, 0, 200, 300});
}

bool native_window_test::pump_until(const std::function<bool()>& done) {
  ui::platform_services& services = ui::platform();
  const ULONGLONG deadline = GetTickCount64() + 5000;
  while (!done()) {
    if (GetTickCount64() > deadline) {
      return false;
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    while (services.take_message()) {
      services.dispatch_message();
    }
  }
  return true;
}

void native_window_test::show(panel_window& target) {
  target.native().backend().show();
  target.native().backend().update();
}

}  // namespace hb_test
