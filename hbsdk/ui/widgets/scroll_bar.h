#pragma once
// Scrolls another widget, its target, inside the target's parent by moving
// the target: the parent is the viewport, the target the content, and the
// content's offset along the bar's axis runs from 0 down to minus the range
// (how much longer the content is than its parent). The position is minus
// that offset.
//
// The bar has a track, a thumb with three grip lines and, unless `buttons`
// is off, an arrow button at each end. Input, for the left button only:
//
//   press on the thumb      starts a drag: the bar takes the mouse capture
//                           (the toolkit's and its window's) until the release;
//                           moves set the position snapped to multiples of the step
//   press on the track      jumps toward the pointer at p on the axis: to
//                           position p / ratio before the thumb, (p - thumb
//                           length) / ratio after it; not snapped; nothing
//                           when the range is 0
//   release on a button     scrolls by one step (10) back or forth
//   wheel on bar or target  scrolls by the wheel value (60 per notch)
//
// Every move of the content is clamped to [-range, 0], and whenever the bar
// recomputes (the target or its parent resized, the target moved) a target
// found outside that span is moved back to its nearer end. The bar follows
// the target's size and position and its parent's size. Setting another target
// first takes the bar's callbacks off the earlier target and its parent, and
// a target that leaves its parent or is destroyed (with or without a parent)
// is let go.
//
// Geometry of a vertical bar W wide and H high, L = W with buttons, else 0
// (a horizontal bar swaps the axes):
//
//   first button   (0, 0, W, W)          second button  (0, H - W, W, W)
//   thumb length   max(W, H - 2L - range)
//   ratio          (H - 2L - thumb length) / range, or 0 for range 0 and
//                  for a bar too short to let the thumb travel
//   thumb          (0, L + int(position x ratio), W, thumb length)

#include "hbsdk/ui/event_info.h"
#include "hbsdk/ui/event_registry.h"
#include "hbsdk/ui/geometry.h"
#include "hbsdk/ui/image.h"
#include "hbsdk/ui/object_watch.h"
#include "hbsdk/ui/widget.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace hbsdk::ui {

class renderer;

class ScrollBar : public widget {
public:
  static constexpr std::int32_t vertical = 0;
  static constexpr std::int32_t horizontal = 1;

  ScrollBar();
  ~ScrollBar() override;

  // Set by the owner before the bar is created. An orientation other than
  // vertical or horizontal leaves the bar without geometry and input: it
  // draws its track only.
  std::int32_t orientation = vertical;
  bool buttons = true;

  // Scrolls the widget (none: nothing) inside its parent, starting at offset 0.
  void set_target(widget* content);
  // Scrolls to position p (snapped toward zero to a multiple of the step when
  // asked), clamped to [0, range].
  void set_position(std::int32_t p, bool snap);
  // Moves the content's offset by delta, clamped to [-range, 0].
  void scroll_by(std::int32_t delta);

  widget* target() const noexcept { return target_; }
  rect thumb_rect() const noexcept { return thumb_; }
  rect first_button_rect() const noexcept { return first_button_; }
  rect second_button_rect() const noexcept { return second_button_; }
  bool dragging() const noexcept { return dragging_; }
  point drag_anchor() const noexcept { return drag_anchor_; }
  std::int32_t position() const noexcept { return position_; }
  std::int32_t range() const noexcept { return range_; }
  std::int32_t step() const noexcept { return step_; }
  float ratio() const noexcept { return ratio_; }
  const image& arrows() const noexcept { return *arrows_; }

protected:
  // The three parts of the paint, in their drawing order after the track:
  // the thumb, then each arrow button (first is the top or left one).
  virtual void draw_arrow_button(renderer& target, const rect& button, bool first, image& picture);
  virtual void draw_thumb(renderer& target, const rect& thumb);
  virtual void draw_track(renderer& target, const rect& track);

private:
  bool has_axis() const noexcept { return orientation == vertical || orientation == horizontal; }
  void on_created();
  void lay_out();
  void recompute();
  void clamp();
  void paint();
  void on_mouse_down(const event_info& info);
  void on_mouse_up(const event_info& info);
  void on_mouse_move();
  void on_wheel(const event_info& info);
  void on_parent_lost_child(const event_info& info);
  void on_target_gone();
  // Sets the target's offset on the bar's axis.
  void move_target(std::int32_t offset);
  void end_drag();
  // Takes the bar's callbacks off the target and its parent.
  void release_target();

  std::unique_ptr<image> arrows_ = std::make_unique<image>();
  rect thumb_;
  rect first_button_;
  rect second_button_;
  bool dragging_ = false;
  point drag_anchor_;
  std::int32_t position_ = 0;
  std::int32_t range_ = 0;
  std::int32_t step_ = 10;
  float ratio_ = 0.0f;
  widget* target_ = nullptr;
  // Lets go of the target when it is destroyed, whatever its parent.
  object_watch target_watch_{nullptr, [this] { on_target_gone(); }};
  std::vector<connection> target_links_;
};

}  // namespace hbsdk::ui
