#pragma once
// A rich text laid out by DirectWrite: the whole text in the shared text
// format (its family, size and the renderer's alignment), with each run's
// properties set over its range in order, so later runs override earlier
// ones property by property. Each colour run draws with a brush of its own
// colour, so two colour runs keep their two colours.

#include "hbsdk/ui/render_backend.h"
#include "hbsdk/ui/win32/com_ptr.h"

#include <d2d1.h>
#include <dwrite.h>

#include <span>
#include <vector>

namespace hbsdk::ui::win32 {

class d2d_rich_layout final : public rich_layout {
public:
  d2d_rich_layout(com_ptr<IDWriteTextLayout> layout, ID2D1RenderTarget& target, std::span<const text_run_format> runs);

  IDWriteTextLayout* layout() const noexcept { return layout_.get(); }

private:
  com_ptr<IDWriteTextLayout> layout_;
  std::vector<com_ptr<ID2D1SolidColorBrush>> run_brushes_;
};

}  // namespace hbsdk::ui::win32
