#pragma once
// Text with DirectWrite: one shared text format ("Verdana", weight 400,
// normal style and stretch, 12 dips, locale "en-us") and a layout per call.
// A layout applies the renderer's current font (weight, style, family, size)
// over the whole text; the format's alignment is set from the text style
// before the layout is made, so the layout takes it over. Every family goes
// through direct_write_fonts: one the system lacks is drawn in one it has.

#include "hbsdk/ui/text_style.h"
#include "hbsdk/ui/win32/com_ptr.h"
#include "hbsdk/ui/win32/direct_write_fonts.h"

#include <dwrite.h>

#include <string_view>

namespace hbsdk::ui::win32 {

class direct_write_text {
public:
  // Raises "unable to create the write factory" or "unable to initialize the
  // d2d write factory" (the text format).
  direct_write_text();

  // A layout of the text in a box of that maximum size; null when DirectWrite
  // cannot lay it out (a missing font, for one).
  com_ptr<IDWriteTextLayout> layout(std::u16string_view text, const text_style& style, float max_width,
                                    float max_height);
  // A layout in the format's own font (family, weight, style and size), with
  // the style's alignment; null when DirectWrite cannot lay it out.
  com_ptr<IDWriteTextLayout> format_layout(std::u16string_view text, const text_style& style, float max_width,
                                           float max_height);
  // The family that text asking for this one is drawn in.
  const std::u16string& family_for(std::u16string_view asked) { return fonts_.family_for(asked); }

private:
  com_ptr<IDWriteFactory> factory_;
  direct_write_fonts fonts_;
  com_ptr<IDWriteTextFormat> format_;
};

}  // namespace hbsdk::ui::win32
