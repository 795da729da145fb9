// How fast a toolkit window appears and repaints on the native platform.
//
//   bench_ui_paint [REPAINTS]
//
// Builds a scene of 200 widgets (filled and outlined cards with a label,
// some with a picture, every tenth with a drop shadow) in an 800 x 600
// window and prints:
//   - the platform's start (SDL and the video driver),
//   - the time from the window's create to the end of its first paint (the
//     frame shown on the screen), for the first window of the process (fonts
//     are loaded then) and for a second one,
//   - the cost of one full repaint (paint of the whole tree and presenting),
//     median and mean over REPAINTS (default 200).
// The goal is a first paint within 150 ms. It needs a display (the
// run_bench_ui target starts a private Xvfb).
#include "hbsdk/ui/event_registry.h"
#include "hbsdk/ui/image.h"
#include "hbsdk/ui/native_platform.h"
#include "hbsdk/ui/window.h"
#include "resources/embedded.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>
#include <vector>

namespace ui = hbsdk::ui;

namespace {

using clock_type = std::chrono::steady_clock;

double milliseconds_since(clock_type::time_point start) {
  return std::chrono::duration<double, std::milli>(clock_type::now() - start).count();
}

class card : public ui::widget {
public:
  card(int number, ui::image* picture) : label_("Item " + std::to_string(number)), picture_(picture) {
    ui::connect(this, ui::event_type::paint, this, &card::paint);
  }

private:
  void paint() {
    ui::renderer& r = window()->renderer();
    r.fill_color = {0.95f, 0.96f, 0.98f, 1.0f};
    r.fill_rectangle({0, 0, width(), height()});
    r.line_color = {0.45f, 0.5f, 0.6f, 1.0f};
    r.line_width = 1.0f;
    r.dotted = 0;
    r.draw_rectangle({0, 0, width(), height()});
    if (picture_ != nullptr) {
      r.draw_image({4, 4}, *picture_);
    }
    r.set_font("tahoma", 11.0f, 0, 0);
    r.set_text_alignment(1, 0);
    r.text_color = {0.1f, 0.1f, 0.15f, 1.0f};
    r.draw_text({0, 0, width(), height()}, label_);
  }

  std::string label_;
  ui::image* picture_;
};

// 200 cards of 74 x 52 in a grid of 10 x 20 on two columns of panels.
class scene_window : public ui::window {
public:
  explicit scene_window(ui::image& picture) {
    create("bench_ui_paint", {40, 40, 800, 600});
    for (int i = 0; i < 200; ++i) {
      cards_.push_back(std::make_unique<card>(i, i % 3 == 0 ? &picture : nullptr));
      card& c = *cards_.back();
      c.shadow.on = i % 10 == 0;
      c.shadow.size = 8;
      c.create(root, {8 + (i % 10) * 79, 8 + (i / 10) * 29, 74, 26});
    }
  }
  void show_and_paint() {
    native().backend().show();
    native().backend().update();
  }
  void repaint_all() {
    root.invalidate();
    native().backend().update();
  }

private:
  std::vector<std::unique_ptr<card>> cards_;
};

}  // namespace

int main(int argc, char** argv) {
  const int repaints = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  try {
    const auto platform_start = clock_type::now();
    ui::native_platform platform;
    const double platform_ms = milliseconds_since(platform_start);

    ui::image picture;
    if (!picture.load_from_memory(hb::resources::browser_folder_png, hb::resources::browser_folder_png_size, 1.0f)) {
      std::fprintf(stderr, "the embedded picture does not decode\n");
      return 1;
    }

    double first_paint_ms[2] = {};
    for (double& elapsed : first_paint_ms) {
      const auto start = clock_type::now();
      scene_window scene(picture);
      scene.show_and_paint();
      elapsed = milliseconds_since(start);
    }

    scene_window scene(picture);
    scene.show_and_paint();
    std::vector<double> costs;
    for (int i = 0; i < repaints; ++i) {
      const auto start = clock_type::now();
      scene.repaint_all();
      costs.push_back(milliseconds_since(start));
    }
    std::sort(costs.begin(), costs.end());
    double total = 0.0;
    for (const double cost : costs) total += cost;

    std::printf("platform start:                      %7.2f ms\n", platform_ms);
    std::printf("create to first paint, first window: %7.2f ms (goal: within 150 ms)\n", first_paint_ms[0]);
    std::printf("create to first paint, next window:  %7.2f ms\n", first_paint_ms[1]);
    std::printf("full repaint of 200 widgets:         %7.2f ms median, %.2f ms mean over %d\n",
                costs[costs.size() / 2], total / static_cast<double>(costs.size()), repaints);
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bench_ui_paint: %s\n", e.what());
    return 1;
  }
}
