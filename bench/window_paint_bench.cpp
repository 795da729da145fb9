// The cost of painting a real window with the platform's backend (Direct2D
// under Win32, or cairo under SDL), on a scene of 200 widgets:
//
//   bench_window_paint [ROUNDS]
//
// (1) from the start of create to the end of the first paint: the native
// window, the renderer and its resources, the 200 widgets (this part is also
// printed alone), showing the window and its first paint; (2) one full repaint (the whole client area
// invalidated and painted at once), and (3) the repaint of one widget; both
// as the median and the fastest of ROUNDS (default 50). Each widget fills its
// background, draws a 1-dip outline and a two-digit label, as a panel of the
// toolkit's widgets does.
#include "hbsdk/ui/event_registry.h"
#include "hbsdk/ui/native_platform.h"
#include "hbsdk/ui/widget.h"
#include "hbsdk/ui/window.h"

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

constexpr int columns = 20;
constexpr int rows = 10;
constexpr int cell_width = 20;
constexpr int cell_height = 30;

class label_cell : public ui::widget {
public:
  explicit label_cell(int number) : label_(std::to_string(number % 100)), shade_(static_cast<float>(number % 7) / 7.0f) {
    ui::connect(this, ui::event_type::paint, this, &label_cell::paint);
  }

private:
  void paint() {
    ui::renderer& r = window()->renderer();
    r.fill_color = {shade_, 0.5f, 1.0f - shade_, 1.0f};
    r.fill_rectangle({0, 0, width(), height()});
    r.line_color = {0.1f, 0.1f, 0.1f, 1.0f};
    r.line_width = 1.0f;
    r.draw_rectangle({0, 0, width(), height()});
    r.set_font("Tahoma", 11.0f, 0, 0);
    r.set_text_alignment(1, 0);
    r.text_color = {0.0f, 0.0f, 0.0f, 1.0f};
    r.draw_text({0, 0, width(), height()}, label_);
  }

  std::string label_;
  float shade_;
};

double milliseconds(clock_type::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

struct timing {
  double median = 0.0;
  double fastest = 0.0;
};

timing summarise(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  return {samples[samples.size() / 2], samples.front()};
}

// Paints what is waiting, at once, and returns how long it took.
double timed_update(ui::window& target) {
  const auto start = clock_type::now();
  target.native().backend().update();
  return milliseconds(clock_type::now() - start);
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
  try {
    ui::native_platform platform;
    const auto start = clock_type::now();
    ui::window scene;
    scene.create("bench_window_paint", {40, 40, columns * cell_width, rows * cell_height});
    std::vector<std::unique_ptr<label_cell>> cells;
    for (int i = 0; i < columns * rows; ++i) {
      cells.push_back(std::make_unique<label_cell>(i));
      cells.back()->create(scene.root, {(i % columns) * cell_width, (i / columns) * cell_height, cell_width, cell_height});
    }
    const double created = milliseconds(clock_type::now() - start);
    scene.native().backend().show();
    scene.native().backend().update();
    const double first_paint = milliseconds(clock_type::now() - start);

    std::vector<double> full;
    std::vector<double> single;
    for (int i = 0; i < rounds; ++i) {
      scene.root.invalidate();
      full.push_back(timed_update(scene));
      cells[static_cast<std::size_t>(i % 200)]->invalidate();
      single.push_back(timed_update(scene));
    }
    const timing full_repaint = summarise(full);
    const timing one_widget = summarise(single);
    std::printf("widgets                      %d\n", columns * rows);
    std::printf("create to first paint end    %8.2f ms  (of which creating %.2f ms)\n", first_paint, created);
    std::printf("full repaint (median, best)  %8.2f ms %8.2f ms  over %d rounds\n", full_repaint.median,
                full_repaint.fastest, rounds);
    std::printf("one widget (median, best)    %8.2f ms %8.2f ms\n", one_widget.median, one_widget.fastest);
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bench_window_paint: %s\n", e.what());
    return 1;
  }
}
