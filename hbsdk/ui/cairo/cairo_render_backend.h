#pragma once
// The drawing backend of the Linux build: cairo for shapes, gradients and
// pictures, pango for text, drawn on a cairo_target (the pixels of an SDL
// window, or a plain image surface without a display). Coordinates are dips,
// which are pixels at the 96 dpi the Linux build runs at.
//
//   [x] scopes        translation, and a clip of the update rectangle and the
//                     widget's own bounds that replaces the parent's clip
//   [x] fill_rect     antialiased (exact on whole dips)
//   [x] stroke_rect,  aliased, butt ends; dotted strokes dash one line width
//       stroke_line   on and one off, starting half a width into the dash,
//                     which puts the dots on every other pixel centre
//   [x] bitmaps       surface patterns, scaled with the GOOD filter
//   [x] text          pango_text_context (family, absolute size, weight,
//                     italic, alignment, word-or-character wrapping)
//   [x] rich text     pango_rich_layout (runs as pango attributes)
//   [x] shadows       radial corners and linear bands over the 21 stops
//   [x] frames        the area of every scope's clip is handed to the target
//                     at the end of the frame, for it to show

#include "hbsdk/ui/cairo/cairo_handles.h"
#include "hbsdk/ui/cairo/cairo_target.h"
#include "hbsdk/ui/cairo/pango_text_context.h"
#include "hbsdk/ui/render_backend.h"

#include <memory>
#include <vector>

namespace hbsdk::ui {

class cairo_render_backend final : public render_backend {
public:
  explicit cairo_render_backend(std::unique_ptr<cairo_target> target);
  ~cairo_render_backend() override;

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

  cairo_target& target() noexcept { return *target_; }

private:
  // Fills the area with a gradient pattern made of the shadow's stops.
  void fill_with_shadow(cairo_pattern_t* gradient, const rect_f& area);
  void set_stroke(float width, bool dotted);

  std::unique_ptr<cairo_target> target_;
  pango_text_context text_;
  cairo_handles::context context_;  // only during a frame
  cairo_surface_t* surface_ = nullptr;
  std::size_t open_scopes_ = 0;
  edge_rect changed_;
};

}  // namespace hbsdk::ui
