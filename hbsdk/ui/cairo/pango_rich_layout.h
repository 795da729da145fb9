#pragma once
// A rich text laid out by pango: the whole text in the base style, wrapped to
// the box width and aligned in it, with the runs applied as pango attributes.
// Where runs overlap, each property takes the value of the last run that
// sets it, whatever the runs' starting points. Runs count UTF-16 units; an
// index inside a surrogate pair falls back to the start of its character.

#include "hbsdk/ui/cairo/cairo_handles.h"
#include "hbsdk/ui/cairo/pango_text_context.h"
#include "hbsdk/ui/render_backend.h"

#include <cairo.h>

#include <cstddef>
#include <span>
#include <vector>

namespace hbsdk::ui {

class pango_rich_layout final : public rich_layout {
public:
  pango_rich_layout(const pango_text_context& text, std::u16string_view content, const text_style& base,
                    std::span<const text_run_format> runs, size_f maximum);

  // Draws it with its top-left corner at the point; text outside colour
  // runs takes the context's current source.
  void draw(cairo_t* context, point_f at) const;
  PangoLayout* layout() const noexcept { return layout_.get(); }

private:
  cairo_handles::pango_layout layout_;
  vertical_alignment vertical_;
  float height_;
};

// The UTF-8 byte offset of every UTF-16 index of the text (one more than its
// length, for the end), as pango_text writes the text.
std::vector<std::size_t> utf8_offsets(std::u16string_view text);

}  // namespace hbsdk::ui
