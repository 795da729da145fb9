#pragma once
// The toolkit's rich text markup, turned into plain text with formatting runs
// for a rich_text document.
//
//   Plain <b>bold</b>, <u>underlined</u> and
//   <font face="Tahoma" size="14.5" color="#FF8000">orange</font> text.
//
// - A tag is "<" name [attributes] ">" and ends with "</" name ">"; names
//   are letters and digits. Tags nest; a run covers the plain text between
//   its tags, counted in UTF-16 units. The attribute text is kept as written
//   (after the spaces that follow the name); a ">" between double quotes is
//   part of it, a "<" anywhere makes the tag plain text.
// - Escapes: &lt; for "<", &gt; for ">", &amp; for "&", &quot; for a double
//   quote. Any other "&" is itself.
// - Malformed markup has a defined result, never a failure: a "<" that does
//   not begin a well-formed tag, and every ">" outside a tag, are plain
//   text; a closing tag closes the innermost open tag of its name and every
//   tag opened inside it; a closing tag with no open tag of its name is
//   dropped; tags still open at the end close there; unknown tag names make
//   runs that documents ignore; "<b/>" makes nothing. Malformed UTF-8 becomes
//   U+FFFD; the markup ends at its first zero byte. Every run lies within
//   the plain text.
// - Runs are listed in the order their tags were opened, so an inner run
//   comes after the runs around it and overrides them where they overlap.

#include "hbsdk/ui/rich_text.h"

#include <string>
#include <string_view>
#include <vector>

namespace hbsdk::ui {

struct parsed_markup {
  std::u16string text;
  std::vector<rich_run> runs;
};

parsed_markup parse_markup(std::string_view utf8);

}  // namespace hbsdk::ui
