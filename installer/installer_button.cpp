#include "installer/installer_button.h"

#include "hbsdk/ui/event_registry.h"
#include "hbsdk/ui/renderer.h"
#include "hbsdk/ui/window.h"

namespace installer {
namespace ui = hbsdk::ui;

InstallerButton::InstallerButton() {
  ui::connect(this, ui::event_type::paint, this, &InstallerButton::paint);
  ui::connect(this, ui::event_type::mouse_enter, this, &InstallerButton::hover_on);
  ui::connect(this, ui::event_type::mouse_leave, this, &InstallerButton::hover_off);
  border_color = border_normal;
}

void InstallerButton::hover_on() {
  border_color = border_hover;
  invalidate();
}

void InstallerButton::hover_off() {
  border_color = border_normal;
  invalidate();
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
  r.set_font("Tahoma", 11.0f, 0, 0);
  r.set_text_alignment(1, 0);
  if (!text.empty()) {
    r.draw_text({0, 0, width(), height()}, text);
  }
}

}  // namespace installer
