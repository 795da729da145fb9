#pragma once
// A drawing backend for tests: records every call with the widget whose
// scope it was made in, so tests check what a widget drew (in its own
// coordinates) without a display. Text is measured with made-up metrics
// that are simple to reason about: every UTF-16 unit is size / 2 wide, a
// line is size + 1 high, and lines wrap at spaces to the maximum width (a
// word longer than the width stands alone on its line).

#include "hbsdk/ui/render_backend.h"

#include <functional>
#include <string>
#include <vector>

namespace hbsdk::ui::test_support {

enum class draw_kind {
  begin_frame,
  end_frame,
  push_scope,
  pop_scope,
  fill_rect,
  stroke_rect,
  stroke_line,
  bitmap,
  text,
  shadow_corner,
  shadow_band,
  shadow_inside,
  rich_text,
};

struct draw_call {
  draw_kind kind = draw_kind::fill_rect;
  const widget* scope = nullptr;  // the innermost widget being painted
  rect_f area;                    // rectangle, line ends (left, top) - (right, bottom), or destination
  rect_f source;                  // bitmap source; clip of a scope (window coordinates)
  point_f translation;            // of a scope
  color colour;
  float width = 0.0f;
  bool dotted = false;
  std::u16string text;
  text_style style;
  std::vector<text_run_format> runs;  // of a rich text
};

// A rich layout as the recording backend makes it: what it was made from.
class recorded_rich_layout final : public rich_layout {
public:
  std::u16string text;
  text_style base;
  std::vector<text_run_format> runs;
  size_f maximum;
};

class recording_render_backend : public render_backend {
public:
  recording_render_backend() = default;
  ~recording_render_backend() override;

  void resize(std::int32_t width, std::int32_t height) override;
  void begin_frame() override;
  void end_frame() override;
  void push_scope(const widget& painted, point_f translation, const rect_f& clip) override;
  void pop_scope() override;
  void fill_rect(const rect_f& area, const color& fill) override;
  void stroke_rect(const rect_f& edges, const color& line, float width, bool dotted) override;
  void stroke_line(point_f from, point_f to, const color& line, float width, bool dotted) override;
  void draw_bitmap(device_bitmap& bitmap, const rect_f& source, const rect_f& destination) override;
  void draw_text(const rect_f& box, std::u16string_view text, const text_style& style, const color& fill) override;
  size_f measure_text(std::u16string_view text, const text_style& style, size_f maximum) override;
  void fill_shadow_corner(const rect_f& square, point_f centre, float radius) override;
  void fill_shadow_band(const rect_f& band, point_f opaque_edge, point_f clear_edge) override;
  void fill_shadow_inside(const rect_f& area) override;
  std::unique_ptr<device_bitmap> make_device_bitmap(const decoded_image& picture) override;
  std::unique_ptr<rich_layout> make_rich_layout(std::u16string_view text, const text_style& base,
                                                std::span<const text_run_format> runs, size_f maximum) override;
  void draw_rich_layout(rich_layout& layout, point_f at, const color& default_colour) override;
  int rich_layouts_made() const noexcept { return rich_layouts_made_; }

  const std::vector<draw_call>& calls() const noexcept { return calls_; }
  // The drawing calls (no frame or scope calls) made in the scope of a widget.
  std::vector<draw_call> calls_of(const widget& painted) const;
  void clear() { calls_.clear(); }
  std::int32_t width() const noexcept { return width_; }
  std::int32_t height() const noexcept { return height_; }
  int frames() const noexcept { return frames_; }
  int bitmaps_made() const noexcept { return bitmaps_made_; }

  // The line layout the made-up metrics give: the text of each line.
  static std::vector<std::u16string> lines(std::u16string_view text, const text_style& style, float max_width);

  // Called from the destructor (the test platform forgets the backend).
  std::function<void()> on_destroyed;

private:
  void record(draw_call call);

  std::vector<draw_call> calls_;
  std::vector<const widget*> scopes_;
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  int frames_ = 0;
  int bitmaps_made_ = 0;
  int rich_layouts_made_ = 0;
};

}  // namespace hbsdk::ui::test_support
