#include "installer/progress_bar.h"

#include "hbsdk/ui/event_registry.h"
#include "hbsdk/ui/renderer.h"
#include "hbsdk/ui/window.h"

#include <string>

namespace installer {
namespace ui = hbsdk::ui;

ProgressBar::ProgressBar() { ui::connect(this, ui::event_type::paint, this, &ProgressBar::paint); }

void ProgressBar::set_progress(std::uint64_t done, std::uint64_t total) {
  const std::int32_t inner = width() > 2 ? width() - 2 : 0;
  std::int32_t filled = 0;
  if (total > 0) {
    if (done >= total) {
      filled = inner;
    } else {
      // done < total, so the product stays below inner * total; a long
      // double keeps totals of many terabytes exact enough.
      filled = static_cast<std::int32_t>(static_cast<long double>(done) * inner / static_cast<long double>(total));
    }
  }
  if (filled != filled_) {
    filled_ = filled;
    invalidate();
  }
  std::int32_t percent = 0;
  if (total > 0) {
    percent = done >= total ? 100
                            : static_cast<std::int32_t>(static_cast<long double>(done) * 100 /
                                                        static_cast<long double>(total));
  }
  if (percent != percent_) {
    percent_ = percent;
    notify_accessible(ui::accessible_change::value);
  }
}

void ProgressBar::describe_self(ui::accessible_description& into) const {
  into.role = ui::accessible_role::progress_bar;
  into.name = "Progress";
  into.value = std::to_string(percent_) + "%";
}

void ProgressBar::paint() {
  ui::renderer& r = window()->renderer();
  r.fill_color = track;
  r.fill_rectangle({0, 0, width(), height()});
  if (filled_ > 0) {
    r.fill_color = fill;
    r.fill_rectangle({1, 1, filled_, height() - 2});
  }
  r.line_color = outline;
  r.line_width = 1.0f;
  r.dotted = 0;
  r.draw_rectangle({0, 0, width(), height()});
}

}  // namespace installer
