#include "hbsdk/ui/window_procedure.h"

#include "hbsdk/ui/event_info.h"
#include "hbsdk/ui/mul_div.h"
#include "hbsdk/ui/native_window.h"
#include "hbsdk/ui/window.h"

namespace hbsdk::ui {
namespace {

// Bit 30 of a key message's lparam: the key was already down (auto-repeat).
constexpr std::int64_t key_was_down_bit = std::int64_t{1} << 30;

std::int32_t low_word(std::int64_t value) { return static_cast<std::int32_t>(value & 0xFFFF); }
std::int32_t high_word(std::int64_t value) { return static_cast<std::int32_t>((value >> 16) & 0xFFFF); }
std::int32_t signed_high_word(std::uint64_t value) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>((value >> 16) & 0xFFFF));
}

void on_size(native_window& target, window& owner, const window_message& m) {
  const std::int32_t width = low_word(m.lparam);
  const std::int32_t height = high_word(m.lparam);
  if (owner.is_created()) {
    owner.renderer().resize(width, height);
  }
  const point dpi = target.dpi();
  owner.dispatch(event_type::resized, pack_pair(mul_div(width, 96, dpi.x), mul_div(height, 96, dpi.y)));
}

void on_paint(native_window& target, window& owner) {
  const edge_rect update = target.backend().update_rect();
  if (update.right <= update.left || update.bottom <= update.top) {
    return;
  }
  owner.paint_tree(owner.root, update);
  target.backend().validate(update);
}

// The first move after the pointer entered only asks for a leave message;
// the move after it is the first one dispatched.
std::int64_t on_mouse_move(native_window& target, window& owner) {
  if (owner.mouse_tracking) {
    owner.dispatch(event_type::mouse_move, 0);
    return 0;
  }
  owner.mouse_tracking = true;
  target.backend().track_mouse_leave();
  return 1;
}

}  // namespace

std::optional<std::int64_t> handle_message(native_window& target, const window_message& m) {
  window* owner_pointer = target.owner_window();
  if (owner_pointer == nullptr) {
    return std::nullopt;
  }
  window& owner = *owner_pointer;
  switch (m.code) {
    case message::size:
      on_size(target, owner, m);
      return 0;
    case message::set_focus:
      owner.dispatch(event_type::focus_gained, 0);
      return 0;
    case message::kill_focus:
      owner.dispatch(event_type::focus_lost, 0);
      return 0;
    case message::paint:
      on_paint(target, owner);
      return 0;
    case message::close:
      target.end_modal();
      return 1;
    case message::command:
      return 0;
    case message::set_cursor:
      if (!owner.mouse_tracking) {
        return std::nullopt;
      }
      return 0;
    case message::key_down:
      owner.dispatch_key_down(m.wparam, (m.lparam & key_was_down_bit) != 0);
      return 0;
    case message::key_up:
      owner.dispatch(event_type::key_up, m.wparam);
      return 0;
    case message::character:
      owner.dispatch(event_type::key_char, m.wparam);
      return 0;
    case message::timer:
      if (m.wparam == tooltip_timer_id) {
        owner.tooltip_tick();
      } else {
        target.timer_elapsed(static_cast<std::uint32_t>(m.wparam));
      }
      return 0;
    case message::mouse_move:
      return on_mouse_move(target, owner);
    case message::mouse_leave:
      owner.mouse_tracking = false;
      owner.dispatch(event_type::mouse_leave, 0);
      return 0;
    case message::left_button_down:
      owner.dispatch(event_type::mouse_down, 0);
      return 0;
    case message::middle_button_down:
      owner.dispatch(event_type::mouse_down, 1);
      return 0;
    case message::right_button_down:
      owner.dispatch(event_type::mouse_down, 2);
      return 0;
    case message::left_button_up:
      owner.dispatch(event_type::mouse_up, 0);
      return 0;
    case message::middle_button_up:
      owner.dispatch(event_type::mouse_up, 1);
      return 0;
    case message::right_button_up:
      owner.dispatch(event_type::mouse_up, 2);
      return 0;
    case message::left_button_double_click:
      owner.dispatch_double_click(0);
      return 0;
    case message::middle_button_double_click:
      owner.dispatch_double_click(1);
      return 0;
    case message::right_button_double_click:
      owner.dispatch_double_click(2);
      return 0;
    case message::input_language_change:
      if (owner.is_created()) owner.text_input().input_language_changed();
      return 0;
    case message::ime_start_composition:
      if (owner.is_created()) owner.text_input().start_composition();
      return 0;
    case message::ime_composition:
      if (owner.is_created()) owner.text_input().composition(static_cast<std::uint64_t>(m.lparam));
      return 0;
    case message::ime_end_composition:
      if (owner.is_created()) owner.text_input().end_composition();
      return 0;
    case message::mouse_wheel:
      owner.dispatch(event_type::mouse_wheel, wheel_value(signed_high_word(m.wparam)));
      return 0;
    case message::accessible_action:
      owner.run_default_actions();
      return 0;
    default:
      return std::nullopt;
  }
}

}  // namespace hbsdk::ui
