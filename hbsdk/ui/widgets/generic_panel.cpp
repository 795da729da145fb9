#include "hbsdk/ui/widgets/generic_panel.h"

#include "hbsdk/ui/event_registry.h"
#include "hbsdk/ui/renderer.h"
#include "hbsdk/ui/window.h"

namespace hbsdk::ui {

GenericPanel::GenericPanel() { connect(this, event_type::paint, this, &GenericPanel::paint); }

GenericPanel::~GenericPanel() = default;

void GenericPanel::paint() {
  if (width() <= 0 || height() <= 0) {
    return;
  }
  renderer& r = window()->renderer();
  r.fill_color = style.get_style_color("default_back_color");
  r.fill_rectangle({0, 0, width(), height()});
}

}  // namespace hbsdk::ui
