#pragma once
// A box picture with a caption beside it. A release of a mouse button over
// it, or of the space bar while it has the focus, flips its checked state,
// writes the new state into the flag the owner bound (if any) and then fires
// `toggled` (value 0; receivers read the state from the check box or the
// flag). Looks come from the "checkbox_*" style keys, read at every paint.
//
// A check box connects its callbacks when it is created in a parent; it then
// lays itself out with layout 2 and disables itself, so its owner enables it
// when it is to be used. Box and caption are placed by set_layout (also run
// by set_text and by style changes), never by a change of the check box's own
// rectangle: an owner that resizes it calls set_layout again.
//
// Layouts (W check box width, b box width, t caption width, g the gap, or 0
// when the caption is empty), divisions truncating:
//
//   layout  box x                 caption x             arrangement
//   0       0                     b + g                 box, caption; left
//   1       W - b - g - t         W - t                 box, caption; right
//   2       (W - b - g - t) / 2   box x + b + g         box, caption; centred
//   3       0                     W - t                 box left, caption right
//   4       t + g                 0                     caption, box; left
//   5       W - b                 W - b - g - t         caption, box; right
//   6       caption x + t + g     (W - b - g - t) / 2   caption, box; centred
//   7       W - b                 0                     caption left, box right
//
// Both are centred vertically. An unknown layout keeps both x positions.
//
// The picture ("checkbox_image") is a strip of frames of equal height, top
// to bottom: unchecked, checked, unchecked hovered, checked hovered. Hover
// frames are used only when the strip has all four; a disabled check box
// shows an unchecked frame; a frame the strip lacks is drawn as frame 0.

#include "hbsdk/ui/event_info.h"
#include "hbsdk/ui/geometry.h"
#include "hbsdk/ui/image.h"
#include "hbsdk/ui/renderer.h"
#include "hbsdk/ui/widget.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace hbsdk::ui {

class CheckBox : public widget {
public:
  CheckBox();
  ~CheckBox() override;

  // Sets the caption and lays out again with the current layout and gap.
  void set_text(std::string_view text);
  // Measures the caption, loads the picture and places box and caption.
  // Without a renderer (a check box outside a created window) the caption
  // cannot be measured and is placed with size 0.
  void set_layout(std::int32_t layout, std::int32_t gap);

  // Set directly by the owner, which then writes the bound flag itself and
  // invalidates. The flag is not owned and must outlive the check box.
  bool checked = false;
  bool* bound_flag = nullptr;

  const std::string& caption() const noexcept { return caption_; }
  bool hover() const noexcept { return hover_; }
  std::int32_t layout() const noexcept { return layout_; }
  std::int32_t gap() const noexcept { return gap_; }
  rect box_rect() const noexcept { return box_rect_; }
  rect caption_rect() const noexcept { return caption_rect_; }
  // Picture width and the height of one frame.
  ui::size box_size() const noexcept { return box_size_; }
  const image& picture() const noexcept { return *picture_; }

protected:
  // Draws the check box in its own coordinates (the paint event calls it).
  virtual void paint();

private:
  void on_created();
  void on_key_up(const event_info& info);
  void on_mouse_enter();
  void on_mouse_leave();
  void on_style_changed(const event_info& info);
  void toggle();
  // The renderer of the check box's window, or none before it has one.
  renderer* current_renderer() const;
  void set_caption_font(renderer& target) const;

  std::string caption_;
  rect box_rect_;
  rect caption_rect_;
  std::int32_t gap_ = 5;
  bool hover_ = false;
  ui::size box_size_;
  std::int32_t layout_ = 0;
  std::unique_ptr<image> picture_ = std::make_unique<image>();
};

}  // namespace hbsdk::ui
