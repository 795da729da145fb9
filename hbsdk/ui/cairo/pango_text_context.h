#pragma once
// Text layout with pango for the cairo drawing backend. Each backend keeps
// one pango context of the default pangocairo font map, at 96 dpi with
// greyscale antialiasing and hinted metrics, so a text measures the same
// whether or not a frame is being drawn. Layouts are made per call.
//
//   family      the style's family; an empty one falls back to Tahoma
//   size        absolute, in dips (pixels at 96 dpi), not in points
//   weight      300, 400 or 700; italic or upright
//   width       wraps at the width, between words where it can and inside
//               a word that is wider than the width; unbounded when <= 0
//   alignment   horizontal within the width, where spaces at the end of the
//               text do not count; vertical within the box height (draw
//               only), by moving the layout's top

#include "hbsdk/ui/cairo/cairo_handles.h"
#include "hbsdk/ui/float_geometry.h"
#include "hbsdk/ui/non_copyable_non_moveable.h"
#include "hbsdk/ui/text_style.h"

#include <cairo.h>

#include <string>
#include <string_view>

namespace hbsdk::ui {

class pango_text_context : non_copyable_non_moveable {
public:
  // Registers the application fonts first (application_fonts.h).
  pango_text_context();

  cairo_handles::pango_layout make_layout(std::u16string_view text, const text_style& style, float max_width) const;
  // The logical size of the layout: the width includes trailing spaces at the
  // end of the text. A maximum of 0 is unbounded; the height bounds nothing.
  size_f measure(std::u16string_view text, const text_style& style, size_f maximum) const;
  // Draws the text laid out in the box, in the context's current source.
  // A box of negative size draws nothing.
  void draw(cairo_t* context, const rect_f& box, std::u16string_view text, const text_style& style) const;

private:
  cairo_handles::pango_context context_;
};

// UTF-16 text as pango takes it: UTF-8 up to the first zero unit, each lone
// surrogate replaced by U+FFFD.
std::string pango_text(std::u16string_view text);

}  // namespace hbsdk::ui
