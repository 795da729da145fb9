#include "hbsdk/ui/widgets/generic_button.h"

#include "hbsdk/ui/event_registry.h"
#include "hbsdk/ui/renderer.h"
#include "hbsdk/ui/virtual_key.h"
#include "hbsdk/ui/window.h"

#include <cstring>

namespace hbsdk::ui {
namespace {

constexpr const char* picture_key = "button_back_image";

}  // namespace

GenericButton::GenericButton() {
  tab_stop = true;
  connect(this, event_type::paint, this, &GenericButton::paint);
  connect(this, event_type::mouse_enter, this, &GenericButton::on_mouse_enter);
  connect(this, event_type::mouse_leave, this, &GenericButton::on_mouse_leave);
  connect(this, event_type::focus_gained, this, &GenericButton::on_focus_changed);
  connect(this, event_type::focus_lost, this, &GenericButton::on_focus_changed);
  connect(this, event_type::mouse_down, this, &GenericButton::on_mouse_down);
  connect(this, event_type::mouse_up, this, &GenericButton::on_mouse_up);
  connect(this, event_type::key_down, this, &GenericButton::on_key_down);
  connect(this, event_type::style_changed, this, &GenericButton::on_style_changed);
}

GenericButton::~GenericButton() = default;

void GenericButton::on_mouse_enter() {
  hover_ = true;
  invalidate();
}

// Leaving clears pressed too, so a release outside the button does not leave
// it drawn pressed.
void GenericButton::on_mouse_leave() {
  hover_ = false;
  pressed_ = false;
  invalidate();
}

void GenericButton::on_focus_changed() {
  pressed_ = false;
  invalidate();
}

void GenericButton::on_mouse_down() {
  pressed_ = true;
  invalidate();
}

void GenericButton::on_mouse_up() {
  if (toggle_mode) {
    toggled_ = !toggled_;
  }
  pressed_ = false;
  invalidate();
  fire(this, event_type::clicked, toggled_ ? 1 : 0);
}

// Enter clicks the focused button once per press (the auto-repeats of a
// held Enter do nothing); it leaves pressed as it is.
void GenericButton::on_key_down(const event_info& info) {
  if (info.value != static_cast<std::uint64_t>(virtual_key::enter) || window()->key_repeat()) {
    return;
  }
  act_by_default();
}

void GenericButton::describe_self(accessible_description& into) const {
  into.role = accessible_role::push_button;
  into.name = caption;
  into.default_action = "Press";
  if (is_default) {
    into.state |= accessible_state::default_button;
  }
}

bool GenericButton::act_by_default() {
  if (toggle_mode) {
    toggled_ = !toggled_;
    invalidate();
  }
  fire(this, event_type::clicked, toggled_ ? 1 : 0);
  return true;
}

void GenericButton::on_style_changed(const event_info& info) {
  const char* key = value_pointer<const char>(info.value);
  if (key == nullptr || std::strcmp(key, picture_key) != 0) {
    return;
  }
  if (picture_->loaded()) {
    picture_->unload();
  }
  invalidate();
}

void GenericButton::paint() {
  renderer& r = window()->renderer();
  const std::int32_t w = width();
  const std::int32_t h = height();

  r.fill_color = style.get_style_color(toggled_ ? "button_color_toggle"
                                       : hover_ ? "button_color_hover"
                                                : "button_color_normal");
  r.fill_rectangle({0, 0, w, h});

  draw_picture(r);

  r.text_color = style.get_style_color("button_font_color");
  r.dotted = 0;
  r.line_color = style.get_style_color("button_border_color_normal");
  r.line_width = 1.0f;
  if (hover_) {
    r.line_color = style.get_style_color("button_border_color_hover");
    r.text_color = style.get_style_color("button_font_color_hover");
  }
  if (pressed_) {
    r.text_color = style.get_style_color("button_font_color_pressed");
  }
  if (window()->focused() == this) {
    r.dotted = 1;
    r.line_color = style.get_style_color("button_border_color_focus");
  }
  r.draw_rectangle({0, 0, w, h});

  r.set_font(style.get_style_string("button_font_name"), style.get_style_float("button_font_size"),
             style.get_style_int("button_font_weight"), style.get_style_int("button_font_style"));
  r.set_text_alignment(1, 0);
  if (!caption.empty()) {
    r.draw_text({0, 0, w, h}, caption);
  }
}

void GenericButton::draw_picture(renderer& target) {
  const style_image value = style.get_style_image(picture_key);
  if (value.size == 0) {
    return;
  }
  // A frame count below 1 (a bad style value) is read as one frame instead
  // of dividing by it.
  const std::int32_t frames = value.frame_count < 1 ? 1 : value.frame_count;
  if (!picture_->loaded() &&
      picture_->load_from_memory(value.data, static_cast<std::size_t>(value.size), value.scale)) {
    const std::int32_t frame_height = picture_->height() / frames;
    picture_rect_ = {(width() - picture_->width()) / 2, (height() - frame_height) / 2, picture_->width(),
                     frame_height};
  }
  if (!picture_->loaded()) {
    return;
  }
  // The frame height is the one fixed when the picture was loaded.
  const std::int32_t f = picture_rect_.height;
  std::int32_t y = 0;
  if ((hover_ || toggled_) && frames > 1) {
    y = f;
  }
  if (!is_enabled() && frames > 2) {
    y = 2 * f;
  }
  if (pressed_ && frames > 3) {
    y = 3 * f;
  }
  target.draw_image_part({picture_rect_.x, picture_rect_.y}, *picture_, {0, y, picture_rect_.width, f});
}

}  // namespace hbsdk::ui
