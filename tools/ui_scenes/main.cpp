// ui_scenes: shows one drawing scene in a toolkit window, for looking at the
// renderer of this platform and for the pixel tests of both backends.
//
//   ui_scenes --list     the scene names, one per line, with a description
//   ui_scenes NAME       a window "ui_scenes: NAME" with a 400 x 300 client
//                        area showing the scene until it is closed
//
// Exit status: 0 after the window was closed, 1 on a failure, 2 on a usage error.
#include "hbsdk/ui/native_platform.h"
#include "hbsdk/ui/window.h"
#include "tools/ui_scenes/scene_catalog.h"

#include <cstdio>
#include <exception>
#include <string>

namespace ui = hbsdk::ui;

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "--list") {
    for (const ui_scenes::scene& s : ui_scenes::scene_catalog()) {
      std::printf("%-14s %s\n", s.name.c_str(), s.description.c_str());
    }
    return 0;
  }
  const ui_scenes::scene* chosen = argc == 2 ? ui_scenes::find_scene(argv[1]) : nullptr;
  if (chosen == nullptr) {
    std::fprintf(stderr, "usage: ui_scenes --list | ui_scenes NAME\n");
    return 2;
  }
  try {
    ui::native_platform platform;
    ui::window scene_window;
    scene_window.create("ui_scenes: " + chosen->name, {40, 40, 400, 300});
    ui_scenes::scene_parts parts;
    chosen->build(scene_window.root, parts);
    scene_window.run_modal();
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "ui_scenes: %s\n", e.what());
    return 1;
  }
}
