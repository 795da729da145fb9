#pragma once
// What a drawing library does for the renderer of one window: the primitive
// operations the portable renderer (renderer.h) reduces its drawing to. Each
// platform implements it (Direct2D with DirectWrite, cairo with pango), and
// tests use a recording one. All geometry is in dips; the renderer has
// already applied the toolkit's pixel rules (half-pixel outlines, line
// shifts, shadow geometry), so a backend draws exactly what it is given.
//
// Drawing happens only between begin_frame and end_frame, inside scopes:
// push_scope sets the translation of the widget being painted and the clip,
// both in window coordinates; geometry of the drawing calls is relative to the
// translation of the innermost scope.

#include "hbsdk/ui/color.h"
#include "hbsdk/ui/decoded_image.h"
#include "hbsdk/ui/float_geometry.h"
#include "hbsdk/ui/text_run.h"
#include "hbsdk/ui/text_style.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

namespace hbsdk::ui {

class widget;

// A rich text laid out by one backend, with its runs applied.
class rich_layout {
public:
  virtual ~rich_layout() = default;
  rich_layout(const rich_layout&) = delete;
  rich_layout& operator=(const rich_layout&) = delete;

protected:
  rich_layout() = default;
};

class render_backend {
public:
  virtual ~render_backend() = default;
  render_backend(const render_backend&) = delete;
  render_backend& operator=(const render_backend&) = delete;

  // The window's client area changed to this size in pixels.
  virtual void resize(std::int32_t width, std::int32_t height) = 0;

  // Starts and ends one paint of the window (the native paint and the drawing).
  virtual void begin_frame() = 0;
  virtual void end_frame() = 0;
  // Opens the scope of a widget: drawing is translated by translation and
  // clipped to clip (both in window coordinates) until the matching pop_scope.
  virtual void push_scope(const widget& painted, point_f translation, const rect_f& clip) = 0;
  virtual void pop_scope() = 0;

  virtual void fill_rect(const rect_f& area, const color& fill) = 0;
  // A rectangle outline centred on the edges given, drawn aliased.
  virtual void stroke_rect(const rect_f& edges, const color& line, float width, bool dotted) = 0;
  // A line drawn aliased with butt ends.
  virtual void stroke_line(point_f from, point_f to, const color& line, float width, bool dotted) = 0;
  // The source rectangle of the bitmap (dips of the picture) drawn into destination.
  virtual void draw_bitmap(device_bitmap& bitmap, const rect_f& source, const rect_f& destination) = 0;
  // Text laid out in the box (maximum width and height of the layout).
  virtual void draw_text(const rect_f& box, std::u16string_view text, const text_style& style,
                         const color& fill) = 0;
  // The layout's width including trailing white space, and its height; a
  // maximum of 0 means unbounded in that direction.
  virtual size_f measure_text(std::u16string_view text, const text_style& style, size_f maximum) = 0;

  // Parts of a drop shadow, in the shadow gradient (opaque black at the
  // start, fading out): a square filled radially around centre, and a band
  // filled linearly from one long edge (opaque) to the other.
  virtual void fill_shadow_corner(const rect_f& square, point_f centre, float radius) = 0;
  virtual void fill_shadow_band(const rect_f& band, point_f opaque_edge, point_f clear_edge) = 0;
  // Opaque black, the inner part of a shadow.
  virtual void fill_shadow_inside(const rect_f& area) = 0;

  virtual std::unique_ptr<device_bitmap> make_device_bitmap(const decoded_image& picture) = 0;

  // Lays the text out in a box of the maximum size with the base style, then
  // applies the runs in order. Nothing when the text cannot be laid out.
  virtual std::unique_ptr<rich_layout> make_rich_layout(std::u16string_view text, const text_style& base,
                                                        std::span<const text_run_format> runs,
                                                        size_f maximum) = 0;
  // Draws a layout made by this backend with its top-left corner at the
  // point; text outside colour runs is drawn in the default colour.
  virtual void draw_rich_layout(rich_layout& layout, point_f at, const color& default_colour) = 0;

  // A number no other backend of the process has had or will have, so that
  // what was made on this backend can be told apart from what a later one
  // made at the same address.
  std::uint64_t serial() const noexcept { return serial_; }

protected:
  render_backend() : serial_(next_serial()) {}

private:
  static std::uint64_t next_serial() noexcept {
    static std::atomic<std::uint64_t> counter{0};
    return counter.fetch_add(1, std::memory_order_relaxed) + 1;
  }

  std::uint64_t serial_;
};

}  // namespace hbsdk::ui
