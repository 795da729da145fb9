#pragma once
// The toolkit's modal message box: a top-level window of its own, owned by
// the window that opens it, with a message, one or two buttons and a hidden
// "Do not show this again" check box. The owner builds it, runs it modally
// (the owner is disabled while its loop runs, then enabled and focused
// again) and reads the result: 1 for the first button, 0 for the second or
// for the close box.
//
//   type  first button  second button
//   0     "OK"          none
//   1     "OK"          "Cancel"
//   2     "Yes"         "No"
//   else  none          none
//
// The popup is sized to its message (12-dip Tahoma): with tw x th the
// message's size, it is max(360, tw + 40) wide and th + 90 high, and it is
// centred on its owner. The buttons (100 x 30) sit 20 from the bottom right
// corner, the second one rightmost; a single OK button takes the rightmost
// place. The popup keeps its own copies of the title and the message; a
// title that is not valid UTF-8 is kept and shown with U+FFFD in place of
// each bad sequence.
//
// A screen reader reads the popup as a dialog named by its title, the message
// as static text (a TextRegion over the message's rectangle) and the buttons;
// the button given the focus by focus_button is its default one.
//
// Keys: Tab moves between the buttons; Enter or Space presses the focused
// one (once per press); Escape closes the popup with 0, the second button's
// answer. The owner may give the focus to one button before running it.

#include "hbsdk/ui/event_info.h"
#include "hbsdk/ui/geometry.h"
#include "hbsdk/ui/widgets/check_box.h"
#include "hbsdk/ui/widgets/generic_button.h"
#include "hbsdk/ui/widgets/text_region.h"
#include "hbsdk/ui/window.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace hbsdk::ui {

class MessagePopup : public window {
public:
  static constexpr std::int32_t ok = 0;
  static constexpr std::int32_t ok_cancel = 1;
  static constexpr std::int32_t yes_no = 2;

  MessagePopup();
  ~MessagePopup() override;

  // Creates the popup's window (owned by owner when one is given), its
  // widgets and its layout. Throws std::logic_error when called twice.
  void build(window* owner, std::string_view title, std::string_view message, std::int32_t type);
  // How the message lines are aligned: 0 leading, 1 centre, 2 trailing,
  // anything else centre. Leading unless set.
  void set_message_alignment(std::int32_t alignment);
  // Focuses the first (1) or second (2) button when the popup has it;
  // anything else changes nothing.
  void focus_button(std::int32_t which);

  const std::string& message() const noexcept { return message_; }
  std::int32_t type() const noexcept { return type_; }
  rect message_rect() const noexcept { return message_rect_; }
  const GenericButton& first_button() const noexcept { return first_button_; }
  const GenericButton& second_button() const noexcept { return second_button_; }
  const CheckBox& check_box() const noexcept { return check_box_; }
  const TextRegion& message_region() const noexcept { return message_region_; }

private:
  void lay_out();
  void paint_message();
  void on_button(const event_info& info);
  void on_key_down(const event_info& info);
  void place_button(GenericButton& button, const rect& bounds, std::string_view caption);

  GenericButton first_button_;
  GenericButton second_button_;
  CheckBox check_box_;
  TextRegion message_region_;
  std::int32_t button_width_ = 100;
  std::int32_t button_height_ = 30;
  std::int32_t check_box_height_ = 0;
  std::int32_t margin_ = 20;
  std::int32_t gap_ = 10;
  rect message_rect_;
  std::string message_;
  std::int32_t message_alignment_ = 0;
  std::int32_t type_ = 0;
};

}  // namespace hbsdk::ui
