#include "tools/ui_scenes/painted_widget.h"

#include "hbsdk/ui/event_registry.h"
#include "hbsdk/ui/window.h"

#include <utility>

namespace ui_scenes {

painted_widget::painted_widget(painter paint) : paint_(std::move(paint)) {
  hbsdk::ui::connect(this, hbsdk::ui::event_type::paint, this, &painted_widget::on_paint);
}

void painted_widget::on_paint() {
  if (paint_ && window() != nullptr) {
    paint_(window()->renderer(), *this);
  }
}

}  // namespace ui_scenes
