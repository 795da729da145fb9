#pragma once
// The scenes the scene program can show: each builds its widgets in a
// window whose client area is 400 x 300 dips and draws through the real
// renderer. The names are what `ui_scenes --list` prints.

#include "hbsdk/ui/image.h"
#include "hbsdk/ui/rich_text.h"
#include "hbsdk/ui/widget.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ui_scenes {

// What a scene keeps alive while its window is open.
struct scene_parts {
  // Declared first, destroyed last: the labels that show them go before them.
  std::vector<std::unique_ptr<hbsdk::ui::rich_text>> documents;
  std::vector<std::unique_ptr<hbsdk::ui::widget>> widgets;
  std::vector<std::unique_ptr<hbsdk::ui::image>> images;
};

struct scene {
  std::string name;
  std::string description;
  // Builds the scene under the root (400 x 300).
  std::function<void(hbsdk::ui::widget& root, scene_parts& parts)> build;
};

const std::vector<scene>& scene_catalog();
const scene* find_scene(const std::string& name);

}  // namespace ui_scenes
