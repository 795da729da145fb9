#include "hbsdk/ui/widgets/text_label.h"

#include "hbsdk/ui/event_registry.h"
#include "hbsdk/ui/renderer.h"
#include "hbsdk/ui/rich_text.h"
#include "hbsdk/ui/window.h"

namespace hbsdk::ui {

TextLabel::TextLabel() {
  connect(this, event_type::paint, this, &TextLabel::paint);
  connect(this, event_type::style_changed, this, &TextLabel::on_style_changed);
}

TextLabel::~TextLabel() = default;

void TextLabel::set_text(std::string_view text, bool fit_height) {
  fit_width_ = false;
  fit_height_ = fit_height;
  const bool changed = text_ != text;
  text_ = text;
  fit();
  invalidate();
  if (changed) {
    notify_accessible(accessible_change::name);
  }
}

void TextLabel::describe_self(accessible_description& into) const {
  into.role = accessible_role::static_text;
  into.name = text_;
}

void TextLabel::on_style_changed() {
  fit();
  invalidate();
}

void TextLabel::set_label_font(renderer& target) const {
  target.set_font(style.get_style_string("label_font_name"), style.get_style_float("label_font_size"),
                  style.get_style_int("label_font_weight"), style.get_style_int("label_font_style"));
  target.set_text_alignment(style.get_style_int("label_text_align"), style.get_style_int("label_text_valign"));
}

void TextLabel::fit() {
  if (!fit_width_ && !fit_height_) {
    return;
  }
  ui::window* owner = window();
  if (owner == nullptr || !owner->is_created()) {
    return;
  }
  renderer& r = owner->renderer();
  // A maximum of 0 leaves that direction unbounded.
  const ui::size maximum{fit_width_ ? 0 : width(), fit_height_ ? 0 : height()};
  set_label_font(r);
  const ui::size measured = text_.empty() ? ui::size{} : r.measure_text(text_, maximum, wrapping_);
  set_bounds({x(), y(), fit_width_ ? measured.width : width(), fit_height_ ? measured.height : height()});
}

void TextLabel::paint() {
  renderer& r = window()->renderer();
  r.fill_color = style.get_style_color("default_back_color");
  r.fill_rectangle({0, 0, width(), height()});
  if (rich_) {
    paint_rich(r);
  } else {
    paint_plain(r);
  }
}

void TextLabel::paint_plain(renderer& target) {
  color text = style.get_style_color("label_font_color");
  if (!is_enabled()) {
    text.alpha = 0.5f;
  }
  target.text_color = text;
  set_label_font(target);
  if (!text_.empty()) {
    target.draw_text({0, 0, width(), height()}, text_, wrapping_);
  }
}

// A document that is not ready shows the background alone.
void TextLabel::paint_rich(renderer& target) {
  target.set_text_alignment(style.get_style_int("label_text_align"), style.get_style_int("label_text_valign"));
  if (document_ == nullptr || !document_->ready) {
    return;
  }
  target.draw_rich_text(*document_, {0, 0, width(), height()});
}

void TextLabel::set_wrapping(text_wrapping wrapping) {
  wrapping_ = wrapping;
  fit();
  invalidate();
}

void TextLabel::set_document(rich_text* document) {
  document_ = document;
  rich_ = document != nullptr;
  invalidate();
}

}  // namespace hbsdk::ui
