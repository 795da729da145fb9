#pragma once
// A widget that draws with a function given to it, for the scenes: the
// function gets the window's renderer and the widget, in the widget's own
// coordinates.

#include "hbsdk/ui/renderer.h"
#include "hbsdk/ui/widget.h"

#include <functional>

namespace ui_scenes {

class painted_widget : public hbsdk::ui::widget {
public:
  using painter = std::function<void(hbsdk::ui::renderer&, const hbsdk::ui::widget&)>;
  explicit painted_widget(painter paint);

private:
  void on_paint();
  painter paint_;
};

}  // namespace ui_scenes
