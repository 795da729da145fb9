#pragma once
// The scenes that show the toolkit's widgets in their states (buttons, check
// boxes, labels, scroll bars) and its message pop-ups, for screenshots and
// the pixel checks of the default looks.

#include "tools/ui_scenes/scene_catalog.h"

#include <vector>

namespace ui_scenes {

std::vector<scene> widget_scenes();

}  // namespace ui_scenes
