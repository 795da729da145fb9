#include "installer/installer_button.h"

#include "hbsdk/ui/event_registry.h"
#include "hbsdk/ui/renderer.h"
#include "hbsdk/ui/virtual_key.h"
#include "hbsdk/ui/window.h"

namespace installer {
namespace ui = hbsdk::ui;

InstallerButton::InstallerButton() {
  tab_stop = true;
  ui::connect(this, ui::event_type::paint, this, &InstallerButton::paint);
  ui::connect(this, ui::event_type::mouse_enter, this, &InstallerButton::hover_on);
  ui::connect(this, ui::event_type::mouse_leave, this, &InstallerButton::hover_off);
  ui::connect(this, ui::event_type::focus_gained, this, &InstallerButton::on_focus_changed);
  ui::connect(this, ui::event_type::focus_lost, this, &InstallerButton::on_focus_changed);
  ui::connect(this, ui::event_type::key_down, this, &InstallerButton::on_key_down);
  border_color = border_normal;
}

void InstallerButton::set_text(const std::string& caption) {
  const bool changed = text != caption;
  text = caption;
  invalidate();
  if (changed) {
    notify_accessible(ui::accessible_change::name);
  }
}

void InstallerButton::describe_self(ui::accessible_description& into) const {
  into.role = ui::accessible_role::push_button;
  into.name = text;
  into.default_action = "Press";
  if (is_default) {
    into.state |= ui::accessible_state::default_button;
  }
}

bool InstallerButton::act_by_default() {
  ui::fire(this, ui::event_type::clicked, 0);
  return true;
}

void InstallerButton::hover_on() {
  border_color = border_hover;
  invalidate();
}

void InstallerButton::hover_off() {
  border_color = border_normal;
  invalidate();
}

// Only the focus outline depends on the focus, and only once the keyboard
// has been used: before that a focus change repaints nothing.
void InstallerButton::on_focus_changed() {
  if (window() != nullptr && window()->keyboard_cues()) {
    invalidate();
  }
}

void InstallerButton::on_key_down(const ui::event_info& info) {
  const bool press = info.value == static_cast<std::uint64_t>(ui::virtual_key::enter) ||
                     info.value == static_cast<std::uint64_t>(ui::virtual_key::space);
  if (press && !window()->key_repeat()) {
    act_by_default();
  }
}

bool InstallerButton::shows_focus_cue() const {
  return window() != nullptr && window()->keyboard_cues() && window()->focused() == this && is_enabled();
}

// A paint while disabled puts the border back to normal, so a button that was
// disabled under the mouse does not keep the hover border once it is enabled
// again; the light border returns at the next mouse_enter.
void InstallerButton::paint() {
  ui::renderer& r = window()->renderer();
  if (is_enabled()) {
    r.fill_color = fill_enabled;
    r.text_color = caption_enabled;
  } else {
    r.fill_color = fill_disabled;
    border_color = border_normal;
    r.text_color = caption_disabled;
  }
  r.fill_rectangle({0, 0, width(), height()});
  r.line_color = border_color;
  r.line_width = 1.0f;
  r.dotted = 0;
  r.draw_rectangle({0, 0, width(), height()});
  if (shows_focus_cue()) {
    r.line_color = border_hover;
    r.dotted = 1;
    r.draw_rectangle({focus_inset, focus_inset, width() - 2 * focus_inset, height() - 2 * focus_inset});
    r.dotted = 0;
  }
  r.set_font("Tahoma", 11.0f, 0, 0);
  r.set_text_alignment(1, 0);
  if (!text.empty()) {
    r.draw_text({0, 0, width(), height()}, text);
  }
}

}  // namespace installer
