#pragma once
// The toolkit's push button: a filled rectangle with an outline, an optional
// centred picture from the style table and a centred caption. A release of a
// mouse button over it, or Enter while it has the focus, fires `clicked` on
// it; in toggle mode each click first flips its toggled state, and the event's
// value is that state (1 or 0). Looks come from the "button_*" style keys,
// read at every paint.
//
// The picture ("button_back_image") is a strip of up to four frames of equal
// height, drawn centred. The frame drawn is the last row of this table that
// applies and whose frame the strip has, else frame 0 (normal):
//
//   frame  when                 the strip needs
//   1      hovered or toggled   2 frames
//   2      disabled             3 frames
//   3      pressed              4 frames
//
// It is decoded at the first paint that finds one in the style, and again
// after a style change of that key; its position is fixed at that moment.

#include "hbsdk/ui/event_info.h"
#include "hbsdk/ui/geometry.h"
#include "hbsdk/ui/image.h"
#include "hbsdk/ui/widget.h"

#include <memory>
#include <string>

namespace hbsdk::ui {

class renderer;

class GenericButton : public widget {
public:
  GenericButton();
  ~GenericButton() override;

  // Set by the owner, which invalidates the button afterwards.
  std::string caption;
  bool toggle_mode = false;
  // Marks the button a screen reader is told is the default one.
  bool is_default = false;

  bool hover() const noexcept { return hover_; }
  bool toggled() const noexcept { return toggled_; }
  bool pressed() const noexcept { return pressed_; }
  const image& picture() const noexcept { return *picture_; }
  // Where the picture is drawn; its height is one frame.
  rect picture_rect() const noexcept { return picture_rect_; }

protected:
  // Draws the button in its own coordinates (the paint event calls it).
  virtual void paint();
  // A push button named by its caption, whose default action ("Press")
  // clicks it as Enter does.
  void describe_self(accessible_description& into) const override;
  bool act_by_default() override;

private:
  void on_mouse_enter();
  void on_mouse_leave();
  void on_focus_changed();
  void on_mouse_down();
  void on_mouse_up();
  void on_key_down(const event_info& info);
  void on_style_changed(const event_info& info);
  // Loads the picture when the style offers one and it is not loaded yet,
  // then draws the frame for the current state.
  void draw_picture(renderer& target);

  bool hover_ = false;
  bool toggled_ = false;
  bool pressed_ = false;
  std::unique_ptr<image> picture_ = std::make_unique<image>();
  rect picture_rect_;
};

}  // namespace hbsdk::ui
