#include "hbsdk/ui/win32/d2d_rich_layout.h"

#include <utility>

namespace hbsdk::ui::win32 {

d2d_rich_layout::d2d_rich_layout(com_ptr<IDWriteTextLayout> layout, ID2D1RenderTarget& target,
                                 std::span<const text_run_format> runs)
    : layout_(std::move(layout)) {
  for (const text_run_format& run : runs) {
    const DWRITE_TEXT_RANGE range{run.start, run.length};
    if (run.weight) {
      layout_->SetFontWeight(static_cast<DWRITE_FONT_WEIGHT>(*run.weight), range);
    }
    if (run.underline) {
      layout_->SetUnderline(TRUE, range);
    }
    if (run.family) {
      layout_->SetFontFamilyName(reinterpret_cast<const WCHAR*>(run.family->c_str()), range);
    }
    if (run.size && *run.size > 0.0f) {
      layout_->SetFontSize(*run.size, range);
    }
    if (run.colour) {
      com_ptr<ID2D1SolidColorBrush> brush;
      const D2D1_COLOR_F colour{run.colour->red, run.colour->green, run.colour->blue, 1.0f};
      if (SUCCEEDED(target.CreateSolidColorBrush(colour, brush.put()))) {
        layout_->SetDrawingEffect(brush.get(), range);
        run_brushes_.push_back(std::move(brush));
      }
    }
  }
}

}  // namespace hbsdk::ui::win32
