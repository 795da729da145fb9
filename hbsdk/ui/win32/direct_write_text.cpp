#include "hbsdk/ui/win32/direct_write_text.h"

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

const WCHAR* as_wide(std::u16string_view text) noexcept { return reinterpret_cast<const WCHAR*>(text.data()); }

}  // namespace

direct_write_text::direct_write_text() : factory_(create_write_factory()) {
  check(factory_->CreateTextFormat(L"Verdana", nullptr, DWRITE_FONT_WEIGHT_NORMAL, DWRITE_FONT_STYLE_NORMAL,
                                   DWRITE_FONT_STRETCH_NORMAL, 12.0f, L"en-us", format_.put()),
        "unable to initialize the d2d write factory");
}

com_ptr<IDWriteTextLayout> direct_write_text::format_layout(std::u16string_view text, const text_style& style,
                                                             float max_width, float max_height) {
  format_->SetTextAlignment(to_write(style.horizontal));
  format_->SetParagraphAlignment(to_write(style.vertical));
  com_ptr<IDWriteTextLayout> made;
  if (FAILED(factory_->CreateTextLayout(as_wide(text), static_cast<UINT32>(text.size()), format_.get(), max_width,
                                        max_height, made.put()))) {
    return {};
  }
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
  // An empty family leaves the choice of a font to DirectWrite's fallback.
  made->SetFontFamilyName(reinterpret_cast<const WCHAR*>(style.family.c_str()), whole);
  made->SetFontSize(style.size, whole);
  return made;
}

}  // namespace hbsdk::ui::win32
