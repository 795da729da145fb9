#include "hbsdk/ui/widgets/message_popup.h"

#include "hbsdk/filesystem/encoding.h"
#include "hbsdk/ui/event_registry.h"
#include "hbsdk/ui/renderer.h"
#include "hbsdk/ui/virtual_key.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace hbsdk::ui {
namespace {

constexpr color popup_back_color{0.2313f, 0.2313f, 0.2549f, 1.0f};
constexpr color message_color{0.882f, 0.882f, 0.882f, 1.0f};
constexpr const char* message_font = "Tahoma";
constexpr float message_font_size = 12.0f;

}  // namespace

MessagePopup::MessagePopup() = default;

MessagePopup::~MessagePopup() = default;

void MessagePopup::build(window* owner, std::string_view title, std::string_view message, std::int32_t type) {
  if (is_created()) {
    throw std::logic_error("the message popup is already built");
  }
  // A title that is not valid UTF-8 is shown with U+FFFD for each bad
  // sequence, as drawn text is, instead of failing half-way through the build.
  std::string shown_title = filesystem::to_utf8(filesystem::to_wide_replacing(title));
  if (owner != nullptr) {
    parent = owner;
  }
  create(shown_title, {0, 0, 400, 200});
  // A copy: the caller's text may be a temporary that dies before the popup.
  message_ = message;
  type_ = type;

  root.style.set_style_color("default_back_color", popup_back_color);
  if (root.is_visible()) {
    root.invalidate();
  }
  connect(&root, event_type::paint, this, &MessagePopup::paint_message);
  connect(this, event_type::key_down, this, &MessagePopup::on_key_down);

  // The check box row stays hidden and 0 high: nothing shows it.
  check_box_.create(root, {20, 50, 320, 20});
  check_box_.set_text("Do not show this again");
  check_box_.checked = false;
  if (check_box_.bound_flag != nullptr) {
    *check_box_.bound_flag = false;
  }
  check_box_.invalidate();
  check_box_.set_layout(0, 5);
  check_box_.set_visible(false);

  message_rect_ = {20, 20, 360, 20};
  message_region_.create(root, message_rect_);
  message_region_.set_text(message_);
  if (type == ok_cancel) {
    place_button(first_button_, {170, 150, 100, 30}, "OK");
    place_button(second_button_, {280, 150, 100, 30}, "Cancel");
  } else if (type == yes_no) {
    place_button(first_button_, {170, 150, 100, 30}, "Yes");
    place_button(second_button_, {280, 150, 100, 30}, "No");
  } else if (type == ok) {
    place_button(first_button_, {280, 150, 100, 30}, "OK");
  }
  lay_out();
}

void MessagePopup::place_button(GenericButton& button, const rect& bounds, std::string_view caption) {
  button.create(root, bounds);
  connect(&button, event_type::clicked, this, &MessagePopup::on_button);
  button.caption = caption;
  button.invalidate();
}

void MessagePopup::lay_out() {
  ui::renderer& r = renderer();
  r.set_font(message_font, message_font_size, 0, 0);
  r.set_text_alignment(0, 1);
  const ui::size text = message_.empty() ? ui::size{} : r.measure_text(message_, {0, 0});

  const std::int32_t width =
      std::max(3 * button_width_ + 2 * gap_ + 2 * margin_, text.width + 2 * margin_);
  const std::int32_t height = text.height + 2 * margin_ + 2 * gap_ + check_box_height_ + button_height_;
  native().move_resize({0, 0, width, height});

  message_rect_ = {margin_, margin_, width - 2 * margin_, text.height};
  message_region_.set_bounds(message_rect_);
  check_box_.set_bounds({margin_, margin_ + gap_ + text.height, width, check_box_height_});

  const rect first{width - 2 * button_width_ - margin_ - gap_, height - button_height_ - margin_, button_width_,
                   button_height_};
  const rect second{width - button_width_ - margin_, height - button_height_ - margin_, button_width_,
                    button_height_};
  if (type_ == ok_cancel || type_ == yes_no) {
    first_button_.set_bounds(first);
    second_button_.set_bounds(second);
  } else if (type_ == ok) {
    first_button_.set_bounds(second);
  }
  native().centre();
}

void MessagePopup::set_message_alignment(std::int32_t alignment) {
  message_alignment_ = alignment;
  root.invalidate();
}

void MessagePopup::paint_message() {
  ui::renderer& r = renderer();
  r.fill_color = root.style.get_style_color("default_back_color");
  r.fill_rectangle({0, 0, root.width(), root.height()});
  r.text_color = message_color;
  r.set_font(message_font, message_font_size, 0, 0);
  r.set_text_alignment(message_alignment_, 1);
  if (!message_.empty()) {
    r.draw_text(message_rect_, message_);
  }
}

// The first button answers 1, the second 0; the close box ends the loop
// without a close, leaving the 0 that run_modal starts with.
void MessagePopup::on_button(const event_info& info) {
  if (info.sender == &first_button_) {
    close(1);
  } else if (info.sender == &second_button_) {
    close(0);
  }
}

void MessagePopup::focus_button(std::int32_t which) {
  GenericButton* button = which == 1 ? &first_button_ : which == 2 ? &second_button_ : nullptr;
  if (button != nullptr && button->window() == this) {
    first_button_.is_default = button == &first_button_;
    second_button_.is_default = button == &second_button_;
    set_focus(button, focus_reason::popup_default);
  }
}

// Runs after the focused widget had the key: Enter has already pressed a
// focused button. Space presses it here; Escape answers as the second button.
void MessagePopup::on_key_down(const event_info& info) {
  if (key_repeat()) {
    return;
  }
  if (info.value == static_cast<std::uint64_t>(virtual_key::escape)) {
    close(0);
    return;
  }
  widget* target = focused();
  const bool on_button = target == &first_button_ || target == &second_button_;
  if (info.value == static_cast<std::uint64_t>(virtual_key::space) && on_button && target->is_enabled()) {
    fire(target, event_type::clicked, 0);
  }
}

}  // namespace hbsdk::ui
