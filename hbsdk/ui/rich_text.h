#pragma once
// A rich text document: plain text (UTF-16, markup removed) with formatting
// runs, each naming a range of the text, a tag and the tag's attribute text.
// Tags: "b" (bold), "u" (underline) and "font" with the attributes face,
// size and color (face="Tahoma" size="14.5" color="#FF8000"); anything else
// is ignored, and comparisons are exact. The document lays itself out on a
// renderer's drawing backend and keeps that layout until it is asked for
// another size (or another renderer), or its text or runs change.
//
// The markup that documents are usually made from is parse_markup's
// (markup_parser.h).

#include "hbsdk/ui/float_geometry.h"
#include "hbsdk/ui/render_backend.h"
#include "hbsdk/ui/text_run.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace hbsdk::ui {

class renderer;

struct rich_run {
  std::uint32_t start = 0;   // first UTF-16 unit of the plain text
  std::uint32_t length = 0;  // in UTF-16 units
  std::u16string tag;
  std::u16string attributes;
};

// The formatting a run asks for: "b" gives weight 700, "u" underline, "font"
// the first face, size and color found in its attribute text, in any order.
text_run_format resolve_run(const rich_run& run);
// The attribute values (the text after a marker up to the next double quote,
// or to the end): a colour skips its first character and reads three pairs
// of hexadecimal digits (a pair without digits, or missing from a short
// value, reads 0); a size reads its leading decimal number (none reads 0).
color parse_colour_value(std::u16string_view value);
float parse_size_value(std::u16string_view value);

class rich_text {
public:
  rich_text() = default;
  rich_text(std::u16string text, std::vector<rich_run> runs);
  rich_text(const rich_text&) = delete;
  rich_text& operator=(const rich_text&) = delete;

  const std::u16string& text() const noexcept { return text_; }
  const std::vector<rich_run>& runs() const noexcept { return runs_; }
  // Replaces the text and the runs; the cached layout is dropped.
  void set(std::u16string text, std::vector<rich_run> runs);

  // A label draws the document only when it is ready.
  bool ready = false;

  // The document laid out for the renderer's backend in a box of this size,
  // with the runs applied over the base style (the renderer's current
  // alignment, the default family "Verdana" at 12, weight 400). The same
  // layout is returned while the size and the renderer's backend stay the
  // same (a backend is told by its serial, never by its address).
  // Raises std::runtime_error "unable to initialize a new layout" when the
  // backend cannot lay the text out.
  rich_layout& get_layout(renderer& target, float max_width, float max_height);
  bool has_layout() const noexcept { return layout_ != nullptr; }

private:
  std::u16string text_;
  std::vector<rich_run> runs_;
  std::unique_ptr<rich_layout> layout_;
  bool layout_valid_ = false;
  size_f cached_maximum_;
  std::uint64_t layout_backend_ = 0;  // serial of the backend that made the layout
};

}  // namespace hbsdk::ui
