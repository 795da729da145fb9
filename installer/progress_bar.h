#pragma once
// The installing page's progress bar: a dark track with the outline of the
// wizard's buttons, filled from the left in light grey by the part of the
// pack written so far. It reads no style keys. A screen reader sees a
// progress bar whose value is the percentage done ("42%").

#include <cstdint>

#include "hbsdk/ui/color.h"
#include "hbsdk/ui/widget.h"

namespace installer {

class ProgressBar : public hbsdk::ui::widget {
public:
  ProgressBar();

  // Sets the part done as done of total (bytes); a total of 0 shows an empty
  // bar, and done beyond total a full one. Redraws only when the filled
  // width changes; a new whole percentage is announced as a value change.
  void set_progress(std::uint64_t done, std::uint64_t total);
  // The filled width in dips, inside the one-dip outline.
  std::int32_t filled_width() const noexcept { return filled_; }
  // The whole percentage done, rounded down (0 to 100).
  std::int32_t percent() const noexcept { return percent_; }

  static constexpr hbsdk::ui::color track{0.118f, 0.118f, 0.118f, 1.0f};
  static constexpr hbsdk::ui::color outline{0.4f, 0.4f, 0.4f, 1.0f};
  static constexpr hbsdk::ui::color fill{0.784f, 0.784f, 0.784f, 1.0f};

protected:
  void describe_self(hbsdk::ui::accessible_description& into) const override;

private:
  void paint();
  std::int32_t filled_ = 0;
  std::int32_t percent_ = 0;
};

}  // namespace installer
