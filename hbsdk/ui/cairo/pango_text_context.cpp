#include "hbsdk/ui/cairo/pango_text_context.h"

#include "hbsdk/filesystem/encoding.h"
#include "hbsdk/ui/cairo/application_fonts.h"
#include "hbsdk/ui/unpaired_surrogates.h"

#include <pango/pangocairo.h>

#include <cmath>
#include <stdexcept>

namespace hbsdk::ui {
namespace {

// The family that the Windows build falls back to as well.
constexpr const char* fallback_family = "Tahoma";
constexpr double screen_dpi = 96.0;

int pango_units(float dips) { return static_cast<int>(std::lround(static_cast<double>(dips) * PANGO_SCALE)); }

float dips(int units) { return static_cast<float>(units) / static_cast<float>(PANGO_SCALE); }

PangoAlignment pango_alignment(horizontal_alignment alignment) {
  switch (alignment) {
    case horizontal_alignment::centre:
      return PANGO_ALIGN_CENTER;
    case horizontal_alignment::trailing:
      return PANGO_ALIGN_RIGHT;
    case horizontal_alignment::leading:
      break;
  }
  return PANGO_ALIGN_LEFT;
}

cairo_handles::font_description font_for(const text_style& style) {
  cairo_handles::font_description font(pango_font_description_new());
  const std::string family = pango_text(style.family);
  pango_font_description_set_family(font.get(), family.empty() ? fallback_family : family.c_str());
  pango_font_description_set_absolute_size(font.get(), static_cast<double>(style.size) * PANGO_SCALE);
  pango_font_description_set_weight(font.get(), static_cast<PangoWeight>(style.weight));
  pango_font_description_set_style(font.get(), style.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  return font;
}

}  // namespace

std::string pango_text(std::u16string_view text) {
  // Replaced in UTF-16, one U+FFFD per unpaired unit: its 3-byte UTF-8 form
  // would be three bad bytes, and three replacement characters, to glib.
  return filesystem::to_utf8(replace_unpaired_surrogates(text));
}

pango_text_context::pango_text_context() {
  register_application_fonts();
  context_.reset(pango_font_map_create_context(pango_cairo_font_map_get_default()));
  if (context_ == nullptr) {
    throw std::runtime_error("unable to create a pango context");
  }
  cairo_handles::font_options options(cairo_font_options_create());
  cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_ON);
  pango_cairo_context_set_font_options(context_.get(), options.get());
  pango_cairo_context_set_resolution(context_.get(), screen_dpi);
}

cairo_handles::pango_layout pango_text_context::make_layout(std::u16string_view text, const text_style& style,
                                                            float max_width) const {
  cairo_handles::pango_layout layout(pango_layout_new(context_.get()));
  const cairo_handles::font_description font = font_for(style);
  pango_layout_set_font_description(layout.get(), font.get());
  if (style.wrapping == text_wrapping::anywhere) {
    // Any character may end a line, and pango adds no hyphen where it
    // breaks inside a word.
    pango_layout_set_wrap(layout.get(), PANGO_WRAP_CHAR);
    PangoAttrList* attributes = pango_attr_list_new();
    pango_attr_list_insert(attributes, pango_attr_insert_hyphens_new(FALSE));
    pango_layout_set_attributes(layout.get(), attributes);
    pango_attr_list_unref(attributes);
  } else {
    pango_layout_set_wrap(layout.get(), PANGO_WRAP_WORD_CHAR);
  }
  pango_layout_set_width(layout.get(), max_width > 0.0f ? pango_units(max_width) : -1);
  pango_layout_set_alignment(layout.get(), pango_alignment(style.horizontal));
  const std::string utf8 = pango_text(text);
  pango_layout_set_text(layout.get(), utf8.data(), static_cast<int>(utf8.size()));
  return layout;
}

size_f pango_text_context::measure(std::u16string_view text, const text_style& style, size_f maximum) const {
  const cairo_handles::pango_layout layout = make_layout(text, style, maximum.width);
  PangoRectangle logical{};
  pango_layout_get_extents(layout.get(), nullptr, &logical);
  return {dips(logical.width), dips(logical.height)};
}

void pango_text_context::draw(cairo_t* context, const rect_f& box, std::u16string_view text,
                              const text_style& style) const {
  if (box.width() < 0.0f || box.height() < 0.0f) {
    return;
  }
  // Spaces at the end of the text would count when pango centres or right-
  // aligns the last line; they draw nothing, so they are left out and the
  // line is placed by its visible text, as DirectWrite places it.
  if (style.horizontal != horizontal_alignment::leading) {
    const std::size_t end = text.find_last_not_of(u" \t");
    text = text.substr(0, end == std::u16string_view::npos ? 0 : end + 1);
  }
  const cairo_handles::pango_layout layout = make_layout(text, style, box.width());
  // A zero width wraps at every possible break, as a zero-wide box does.
  if (box.width() == 0.0f) {
    pango_layout_set_width(layout.get(), 0);
  }
  PangoRectangle logical{};
  pango_layout_get_extents(layout.get(), nullptr, &logical);
  const float free_height = box.height() - dips(logical.height);
  float top = box.top - dips(logical.y);
  if (style.vertical == vertical_alignment::centre) {
    top += free_height / 2.0f;
  } else if (style.vertical == vertical_alignment::bottom) {
    top += free_height;
  }
  cairo_move_to(context, static_cast<double>(box.left), static_cast<double>(top));
  pango_cairo_show_layout(context, layout.get());
}

}  // namespace hbsdk::ui
