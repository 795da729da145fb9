// A real toolkit window that reports what reaches it, one line per event on
// standard output, for the end-to-end tests of the native backends.
//
// The window "window_probe" has a client area of 400 x 300 dips at screen
// position (100, 100): the left half is panel "left" (red, with a
// mouse_double_click list), the right half panel "right" (green, without).
// Timers: one-shot key 7 after 250 ms; repeating key 8 every 100 ms, killed
// after its third tick. The P key opens the pop-up "window_probe popup"
// (yellow, 200 x 100, owned by the probe), which Return closes with result
// 5. Tab reports whether a shift key is down (the key-state query). The
// window's input method is attached, and compositions are reported on the
// root, which has the focus. Files dropped on the left panel are reported as
// "files left N PATH|PATH..." (the right panel takes none). The close box ends the loop; the program prints
// the result and exits 0.
#include "hbsdk/filesystem/encoding.h"
#include "hbsdk/ui/event_info.h"
#include "hbsdk/ui/event_registry.h"
#include "hbsdk/ui/key_state.h"
#include "hbsdk/ui/native_platform.h"
#include "hbsdk/ui/virtual_key.h"
#include "hbsdk/ui/window.h"

#include <cstdio>
#include <exception>
#include <initializer_list>
#include <string>
#include <vector>

namespace ui = hbsdk::ui;
using ui::event_type;

namespace {

void say(const std::string& line) {
  std::fputs((line + "\n").c_str(), stdout);
  std::fflush(stdout);
}

std::string rect_text(const ui::rect& r) {
  return std::to_string(r.x) + " " + std::to_string(r.y) + " " + std::to_string(r.width) + " " +
         std::to_string(r.height);
}

// A widget that fills itself with one colour.
class colour_panel : public ui::widget {
public:
  explicit colour_panel(ui::color fill) : fill_(fill) { ui::connect(this, event_type::paint, this, &colour_panel::paint); }

private:
  void paint() {
    ui::renderer& r = window()->renderer();
    r.fill_color = fill_;
    r.fill_rectangle({0, 0, width(), height()});
  }
  ui::color fill_;
};

void report(ui::event_object* object, const std::string& label, std::initializer_list<event_type> codes) {
  for (const event_type code : codes) {
    ui::connect(object, code, [label](const ui::event_info& info) {
      std::string value = std::to_string(info.value);
      if (info.type == event_type::mouse_wheel) value = std::to_string(ui::value_double(info.value));
      say("event " + label + " " + std::to_string(static_cast<int>(info.type)) + " " + value);
    });
  }
}

class probe_popup : public ui::window {
public:
  explicit probe_popup(ui::window& owner) : panel_({1, 1, 0, 1}) {
    parent = &owner;
    create("window_probe popup", {150, 150, 200, 100});
    panel_.create(root, {0, 0, 200, 100});
    ui::connect(this, event_type::key_down, [this](const ui::event_info& info) {
      if (info.value == ui::virtual_key::enter) close(5);
    });
    report(&panel_, "popup", {event_type::mouse_down, event_type::mouse_up});
  }

private:
  colour_panel panel_;
};

class probe_window : public ui::window {
public:
  probe_window() : left_({1, 0, 0, 1}), right_({0, 1, 0, 1}) {
    create("window_probe", {100, 100, 400, 300});
    left_.create(root, {0, 0, 200, 300});
    right_.create(root, {200, 0, 200, 300});
    report(&left_, "left",
           {event_type::mouse_down, event_type::mouse_up, event_type::mouse_double_click, event_type::mouse_wheel,
            event_type::mouse_enter, event_type::mouse_leave, event_type::mouse_move});
    report(&right_, "right",
           {event_type::mouse_down, event_type::mouse_up, event_type::mouse_wheel, event_type::mouse_enter,
            event_type::mouse_leave, event_type::mouse_move});
    report(this, "window",
           {event_type::key_down, event_type::key_up, event_type::focus_gained, event_type::focus_lost,
            event_type::timer});
    report(&root, "root", {event_type::key_char, event_type::resized, event_type::text_composition});
    ui::connect(&left_, event_type::files_dropped, [](const ui::event_info& info) {
      const auto& files = *ui::value_pointer<const std::vector<std::u16string>>(info.value);
      std::string line = "files left " + std::to_string(files.size()) + " ";
      for (std::size_t i = 0; i < files.size(); ++i) {
        if (i > 0) line += '|';
        line += hbsdk::filesystem::to_utf8(files[i]);
      }
      say(line);
    });
    text_input().attach(true);
    ui::connect(this, event_type::key_down, [this](const ui::event_info& info) {
      if (info.value == 'P') open_popup();
      if (info.value == ui::virtual_key::tab) {
        say(std::string("tab with shift ") + (ui::key_state(ui::key_selector::shift) ? "down" : "up"));
      }
    });
    ui::connect(this, event_type::timer, [this](const ui::event_info& info) {
      if (info.value == 8 && ++ticks_ == 3) {
        native().kill_timer(this, 8);
        say("timer 8 killed");
      }
    });
    native().set_timer(this, 7, 250, true);
    native().set_timer(this, 8, 100, false);
  }

private:
  void open_popup() {
    probe_popup popup(*this);
    say("popup open");
    const std::int32_t result = popup.run_modal();
    say("popup result " + std::to_string(result));
  }

  colour_panel left_;
  colour_panel right_;
  int ticks_ = 0;
};

}  // namespace

int main() {
  try {
    ui::native_platform platform;
    probe_window probe;
    say("client " + rect_text(probe.native().client_rect()));
    const std::int32_t result = probe.run_modal();
    say("loop ended result " + std::to_string(result));
    return 0;
  } catch (const std::exception& e) {
    say(std::string("error ") + e.what());
    return 1;
  }
}
