#pragma once
// A cairo target that is a plain RGB24 image surface of the client size: the
// drawing backend renders into memory, with no display. Tests read its
// pixels; it also counts the frames and remembers the area the last one changed.

#include "hbsdk/ui/cairo/cairo_handles.h"
#include "hbsdk/ui/cairo/cairo_target.h"

#include <cstdint>

namespace hbsdk::ui {

class cairo_image_target final : public cairo_target {
public:
  cairo_image_target(std::int32_t width, std::int32_t height);

  // A new, cleared surface of the new size.
  void resize(std::int32_t width, std::int32_t height) override;
  cairo_surface_t* begin_frame() override { return surface_.get(); }
  void end_frame(const edge_rect& changed) override;

  cairo_surface_t* surface() const noexcept { return surface_.get(); }
  std::int32_t width() const noexcept;
  std::int32_t height() const noexcept;
  // The pixel at (x, y) as 0xRRGGBB.
  std::uint32_t pixel(std::int32_t x, std::int32_t y) const;
  int frames() const noexcept { return frames_; }
  const edge_rect& last_changed() const noexcept { return last_changed_; }

private:
  cairo_handles::surface surface_;
  int frames_ = 0;
  edge_rect last_changed_;
};

}  // namespace hbsdk::ui
