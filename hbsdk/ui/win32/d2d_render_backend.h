#pragma once
// Drawing with Direct2D and DirectWrite on a surface (d2d_surface.h): a
// window in the program, a bitmap in memory for tests.
//
//   [X] fills anti-aliased per primitive; outlines and lines aliased, with a
//       {1, 1} dash pattern when dotted
//   [X] scopes: a translation and one axis-aligned clip (aliased)
//   [X] text through one shared DirectWrite format (direct_write_text.h)
//   [X] device bitmaps shared from the decoded WIC bitmap
//   [X] drop shadows in the 21-stop gradient (gamma 2.2, clamped): radial
//       corners, linear bands, an opaque inside
//
// Direct2D intersects nested clips, but a widget's drawing is clipped only to
// the update rectangle and its own bounds, never to its parent's: so only the
// innermost scope's clip is pushed on the target, and closing a scope pushes
// its parent's clip again.
//
// Resource creation raises std::runtime_error with the toolkit's fixed
// messages ("unable to create one or more solid brushes", "unable to
// initialize the shadow gradients", "unable to initialize the dotted
// stroke", ...). The result of EndDraw is handed to the surface and not
// examined otherwise; a lost device is not recreated.

#include "hbsdk/ui/render_backend.h"
#include "hbsdk/ui/win32/com_ptr.h"
#include "hbsdk/ui/win32/d2d_surface.h"
#include "hbsdk/ui/win32/direct_write_text.h"

#include <d2d1.h>

#include <memory>
#include <vector>

namespace hbsdk::ui::win32 {

class d2d_render_backend final : public render_backend {
public:
  d2d_render_backend(com_ptr<ID2D1Factory> factory, std::unique_ptr<d2d_surface> surface);
  ~d2d_render_backend() override;

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

  d2d_surface& surface() noexcept { return *surface_; }

private:
  struct scope {
    point_f translation;
    rect_f clip;
  };

  ID2D1RenderTarget& target() noexcept { return surface_->target(); }
  void enter(const scope& entered);
  ID2D1StrokeStyle* stroke_for(bool dotted) const noexcept { return dotted ? dotted_stroke_.get() : nullptr; }

  com_ptr<ID2D1Factory> factory_;
  std::unique_ptr<d2d_surface> surface_;
  com_ptr<ID2D1SolidColorBrush> fill_brush_;
  com_ptr<ID2D1SolidColorBrush> line_brush_;
  com_ptr<ID2D1SolidColorBrush> text_brush_;
  com_ptr<ID2D1SolidColorBrush> shadow_brush_;
  // Default colour of rich text. (Colour runs draw with brushes of their own,
  // made with their layout; this one is kept for runs that name none.)
  com_ptr<ID2D1SolidColorBrush> rich_text_brush_;
  com_ptr<ID2D1SolidColorBrush> run_colour_brush_;
  std::unique_ptr<direct_write_text> text_;
  com_ptr<ID2D1GradientStopCollection> shadow_gradient_;
  com_ptr<ID2D1RadialGradientBrush> corner_brush_;
  com_ptr<ID2D1LinearGradientBrush> band_brush_;
  com_ptr<ID2D1StrokeStyle> dotted_stroke_;
  std::vector<scope> scopes_;
};

}  // namespace hbsdk::ui::win32
