#pragma once
// The wizard's push button (Back, Next, Cancel): a flat dark box with a
// one-unit border and a centred caption. The border lightens while the mouse
// is over it; a disabled button is drawn darker with a half-transparent
// caption. Its colours are fixed; it reads no style keys.
//
// The owner connects to its mouse_up event and decides what a release over
// it means. A screen reader sees a push button named by the caption; its
// default action fires clicked, as Enter does. The button is also a Tab stop: Enter or Space going down while it
// has the focus fires clicked on it (once per press: auto-repeats of a held
// key do nothing). Once the keyboard has been used in its window, the
// focused button shows a dotted outline inside its border, 4 units in, in
// the hover border's colour; before that it looks the same focused or not.

#include "hbsdk/ui/color.h"
#include "hbsdk/ui/event_info.h"
#include "hbsdk/ui/widget.h"

#include <cstdint>
#include <string>

namespace installer {

class InstallerButton : public hbsdk::ui::widget {
public:
  InstallerButton();

  // The caption; the owner sets it with set_text.
  std::string text;
  // Marks the page's default button for a screen reader (what Enter presses
  // when no button has the focus).
  bool is_default = false;

  // Sets the caption and redraws; a new caption is announced as a name change.
  void set_text(const std::string& caption);
  // Colour of the outline: (0.4, 0.4, 0.4) normally, (0.6, 0.6, 0.6) while hovered.
  hbsdk::ui::color border_color;

  static constexpr hbsdk::ui::color border_normal{0.4f, 0.4f, 0.4f, 1.0f};
  static constexpr hbsdk::ui::color border_hover{0.6f, 0.6f, 0.6f, 1.0f};
  static constexpr hbsdk::ui::color fill_enabled{0.212f, 0.212f, 0.212f, 1.0f};
  static constexpr hbsdk::ui::color fill_disabled{0.157f, 0.157f, 0.157f, 1.0f};
  static constexpr hbsdk::ui::color caption_enabled{0.831f, 0.831f, 0.831f, 1.0f};
  static constexpr hbsdk::ui::color caption_disabled{0.831f, 0.831f, 0.831f, 0.5f};
  // How far inside the border the focus outline runs.
  static constexpr std::int32_t focus_inset = 4;

  // Whether the focus outline is drawn now: focused, enabled, and the
  // keyboard used in the window.
  bool shows_focus_cue() const;

protected:
  // A push button named by its caption, whose default action ("Press")
  // clicks it as Enter does.
  void describe_self(hbsdk::ui::accessible_description& into) const override;
  bool act_by_default() override;

private:
  void paint();
  void hover_on();
  void hover_off();
  void on_focus_changed();
  void on_key_down(const hbsdk::ui::event_info& info);
};

}  // namespace installer
