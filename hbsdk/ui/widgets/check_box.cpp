#include "hbsdk/ui/widgets/check_box.h"

#include "hbsdk/ui/event_registry.h"
#include "hbsdk/ui/virtual_key.h"
#include "hbsdk/ui/window.h"

#include <cstring>

namespace hbsdk::ui {
namespace {

constexpr const char* picture_key = "checkbox_image";

}  // namespace

CheckBox::CheckBox() {
  set_name("CheckBox");
  tab_stop = true;
  connect(this, event_type::created, this, &CheckBox::on_created);
}

CheckBox::~CheckBox() = default;

void CheckBox::on_created() {
  connect(this, event_type::paint, this, &CheckBox::paint);
  connect(this, event_type::mouse_up, this, &CheckBox::toggle);
  connect(this, event_type::key_up, this, &CheckBox::on_key_up);
  connect(this, event_type::mouse_enter, this, &CheckBox::on_mouse_enter);
  connect(this, event_type::mouse_leave, this, &CheckBox::on_mouse_leave);
  connect(this, event_type::focus_gained, [this](const event_info&) { invalidate(); });
  connect(this, event_type::focus_lost, [this](const event_info&) { invalidate(); });
  connect(this, event_type::style_changed, this, &CheckBox::on_style_changed);
  set_layout(2, gap_);
  set_enabled(false);
}

void CheckBox::on_key_up(const event_info& info) {
  if (info.value == static_cast<std::uint64_t>(virtual_key::space)) {
    toggle();
  }
}

void CheckBox::on_mouse_enter() {
  hover_ = true;
  invalidate();
}

void CheckBox::on_mouse_leave() {
  hover_ = false;
  invalidate();
}

void CheckBox::on_style_changed(const event_info& info) {
  const char* key = value_pointer<const char>(info.value);
  if (key != nullptr && std::strcmp(key, picture_key) == 0) {
    picture_->unload();
  }
  set_layout(layout_, gap_);
  invalidate();
}

// The bound flag holds the new state before anyone hears `toggled`.
void CheckBox::toggle() {
  checked = !checked;
  if (bound_flag != nullptr) {
    *bound_flag = checked;
  }
  invalidate();
  fire(this, event_type::toggled, 0);
}

void CheckBox::set_text(std::string_view text) {
  caption_ = text;
  set_layout(layout_, gap_);
  invalidate();
}

renderer* CheckBox::current_renderer() const {
  ui::window* owner = window();
  return owner != nullptr && owner->is_created() ? &owner->renderer() : nullptr;
}

void CheckBox::set_caption_font(renderer& target) const {
  target.set_font(style.get_style_string("checkbox_font_name"), style.get_style_float("checkbox_font_size"),
                  style.get_style_int("checkbox_font_weight"), style.get_style_int("checkbox_font_style"));
}

void CheckBox::set_layout(std::int32_t layout, std::int32_t gap) {
  gap_ = gap;
  ui::size text;
  if (renderer* r = current_renderer(); r != nullptr) {
    set_caption_font(*r);
    r->set_text_alignment(0, 1);
    if (!caption_.empty()) {
      text = r->measure_text(caption_, {0, 0});
    }
  }

  const style_image value = style.get_style_image(picture_key);
  if (value.size != 0 && !picture_->loaded() &&
      picture_->load_from_memory(value.data, static_cast<std::size_t>(value.size), value.scale)) {
    // A frame count below 1 (a bad style value) is read as one frame instead
    // of dividing by it.
    const std::int32_t frames = value.frame_count < 1 ? 1 : value.frame_count;
    box_size_ = {picture_->width(), picture_->height() / frames};
  }

  const std::int32_t W = width();
  const std::int32_t b = box_size_.width;
  const std::int32_t t = text.width;
  const std::int32_t g = caption_.empty() ? 0 : gap_;
  std::int32_t box_x = box_rect_.x;
  std::int32_t caption_x = caption_rect_.x;
  switch (layout) {
    case 0:
      box_x = 0;
      caption_x = b + g;
      break;
    case 1:
      box_x = W - b - g - t;
      caption_x = W - t;
      break;
    case 2:
      box_x = (W - b - g - t) / 2;
      caption_x = box_x + b + g;
      break;
    case 3:
      box_x = 0;
      caption_x = W - t;
      break;
    case 4:
      box_x = t + g;
      caption_x = 0;
      break;
    case 5:
      box_x = W - b;
      caption_x = W - b - g - t;
      break;
    case 6:
      caption_x = (W - b - g - t) / 2;
      box_x = caption_x + t + g;
      break;
    case 7:
      box_x = W - b;
      caption_x = 0;
      break;
    default:
      break;
  }
  const std::int32_t H = height();
  box_rect_ = {box_x, (H - box_size_.height) / 2, b, box_size_.height};
  caption_rect_ = {caption_x, (H - text.height) / 2, t, text.height};
  layout_ = layout;
  invalidate();
}

void CheckBox::paint() {
  renderer& r = window()->renderer();
  r.fill_color = style.get_style_color("checkbox_back_color");
  r.fill_rectangle({0, 0, width(), height()});

  const std::int32_t frames = style.get_style_image(picture_key).frame_count;
  const std::int32_t f = box_size_.height;
  std::int32_t frame = hover_ && frames >= 4 ? 2 : 0;
  if (checked && is_enabled()) {
    frame += 1;
  }
  // A strip without the chosen frame (a single frame when checked) shows its
  // first one rather than reading beyond the picture.
  if (frame >= frames) {
    frame = 0;
  }
  if (picture_->loaded()) {
    r.draw_image_part({box_rect_.x, box_rect_.y}, *picture_, {0, frame * f, box_size_.width, f});
  }

  r.dotted = 0;
  r.line_width = style.get_style_float("checkbox_border_width");
  r.line_color = style.get_style_color(hover_ ? "checkbox_border_color_hover" : "checkbox_border_color_normal");
  r.draw_rectangle(box_rect_);
  if (window()->focused() == this && !hover_) {
    r.dotted = 1;
    r.line_color = style.get_style_color("checkbox_border_color_focus");
    r.line_width = 1.0f;
    r.draw_rectangle(box_rect_);
  }

  color text = style.get_style_color("checkbox_font_color");
  text.alpha = is_enabled() ? 1.0f : 0.5f;
  r.text_color = text;
  set_caption_font(r);
  r.set_text_alignment(0, 0);
  if (!caption_.empty()) {
    r.draw_text(caption_rect_, caption_);
  }
}

}  // namespace hbsdk::ui
