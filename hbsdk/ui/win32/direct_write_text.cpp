#include "hbsdk/ui/win32/direct_write_text.h"

#include "hbsdk/ui/unpaired_surrogates.h"
#include "hbsdk/ui/win32/com_error.h"
#include "hbsdk/ui/win32/graphics_factories.h"

namespace hbsdk::ui::win32 {
namespace {

DWRITE_TEXT_ALIGNMENT to_write(horizontal_alignment alignment) noexcept {
  switch (alignment) {
    case horizontal_alignment::leading:
      return DWRITE_TEXT_ALIGNMENT_LEADING;
    case horizontal_alignment::trailing:
      return DWRITE_TEXT_ALIGNMENT_TRAILING;
    case horizontal_alignment::centre:
      break;
  }
  return DWRITE_TEXT_ALIGNMENT_CENTER;
}

DWRITE_PARAGRAPH_ALIGNMENT to_write(vertical_alignment alignment) noexcept {
  switch (alignment) {
    case vertical_alignment::top:
      return DWRITE_PARAGRAPH_ALIGNMENT_NEAR;
    case vertical_alignment::bottom:
      return DWRITE_PARAGRAPH_ALIGNMENT_FAR;
    case vertical_alignment::centre:
      break;
  }
  return DWRITE_PARAGRAPH_ALIGNMENT_CENTER;
}

const WCHAR* as_wide(const std::u16string& text) noexcept { return reinterpret_cast<const WCHAR*>(text.c_str()); }

}  // namespace

direct_write_text::direct_write_text() : factory_(create_write_factory()), fonts_(*factory_.get()) {
  check(factory_->CreateTextFormat(as_wide(fonts_.family_for(u"Verdana")), nullptr, DWRITE_FONT_WEIGHT_NORMAL, DWRITE_FONT_STYLE_NORMAL,
                                   DWRITE_FONT_STRETCH_NORMAL, 12.0f, L"en-us", format_.put()),
        "unable to initialize the d2d write factory");
}

com_ptr<IDWriteTextLayout> direct_write_text::format_layout(std::u16string_view text, const text_style& style,
                                                             float max_width, float max_height) {
  format_->SetTextAlignment(to_write(style.horizontal));
  format_->SetParagraphAlignment(to_write(style.vertical));
  // One U+FFFD for each unpaired surrogate, as on every target; the length
  // stays, so run ranges still fit.
  const std::u16string shown = replace_unpaired_surrogates(text);
  com_ptr<IDWriteTextLayout> made;
  if (FAILED(factory_->CreateTextLayout(as_wide(shown), static_cast<UINT32>(shown.size()), format_.get(), max_width,
                                        max_height, made.put()))) {
    return {};
  }
  fonts_.apply_fallback(*made.get());
  return made;
}

com_ptr<IDWriteTextLayout> direct_write_text::layout(std::u16string_view text, const text_style& style,
                                                      float max_width, float max_height) {
  com_ptr<IDWriteTextLayout> made = format_layout(text, style, max_width, max_height);
  if (!made) {
    return {};
  }
  const DWRITE_TEXT_RANGE whole{0, static_cast<UINT32>(text.size())};
  made->SetFontWeight(static_cast<DWRITE_FONT_WEIGHT>(style.weight), whole);
  made->SetFontStyle(style.italic ? DWRITE_FONT_STYLE_ITALIC : DWRITE_FONT_STYLE_NORMAL, whole);
  // A family the system lacks, or none, is drawn in the substitute.
  made->SetFontFamilyName(as_wide(fonts_.family_for(style.family)), whole);
  made->SetFontSize(style.size, whole);
  if (style.wrapping == text_wrapping::anywhere) {
    // Character wrapping came with Windows 8.1; where it is refused, the
    // emergency break still splits a word that does not fit its line.
    if (FAILED(made->SetWordWrapping(DWRITE_WORD_WRAPPING_CHARACTER))) {
      made->SetWordWrapping(DWRITE_WORD_WRAPPING_EMERGENCY_BREAK);
    }
  }
  return made;
}

}  // namespace hbsdk::ui::win32
