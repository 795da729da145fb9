#pragma once
// The drawing context of one window. Widgets set its current state (fill,
// text and line colours, line width, dotted flag, font, text alignment),
// which stays until changed, then draw with integer rectangles and points in
// their own coordinates. The window's paint opens one scope per widget
// (begin_widget / end_widget): drawing is translated to the widget's
// top-left corner and clipped to the update rectangle and the widget's own
// bounds, never to its parent's.
//
// The pixel rules are applied here, the same for every drawing library:
//   draw_rectangle  the outline is centred half a line width inside the
//                   edges, so width 1 on (0, 0, 10, 10) covers pixels 0-9
//   draw_line       both ends shift by the fractional part of width / 2
//                   (0.5 for width 1, none for width 2)
//   measure_text    the layout's width (trailing spaces included) and
//                   height, plus 1, truncated toward zero
//   draw_shadow     a box around the shifted rectangle, reaching 0.7 size
//                   beyond it, with corners and bands fading over size

#include "hbsdk/ui/color.h"
#include "hbsdk/ui/geometry.h"
#include "hbsdk/ui/non_copyable_non_moveable.h"
#include "hbsdk/ui/render_backend.h"
#include "hbsdk/ui/text_style.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace hbsdk::ui {

class image;
class rich_text;
class widget;

struct size {
  std::int32_t width = 0;
  std::int32_t height = 0;

  friend bool operator==(const size&, const size&) = default;
};

class renderer : non_copyable_non_moveable {
public:
  explicit renderer(std::unique_ptr<render_backend> backend);
  // Every image that drew here drops its device bitmap for this renderer.
  ~renderer();

  // The client area changed to this size in pixels.
  void resize(std::int32_t width, std::int32_t height);

  // Opens the scope of a widget for a paint of the update rectangle (window
  // coordinates, left, top, right, bottom). The first scope of a paint
  // begins the frame; the end_widget that closes the last one ends it.
  void begin_widget(const widget& painted, const edge_rect& update);
  void end_widget();
  std::size_t open_scopes() const noexcept { return scopes_.size(); }

  // Family as UTF-8; size in dips; weight kind 1 light, 2 bold, else normal;
  // style kind 1 italic, else upright.
  void set_font(std::string_view family, float font_size, std::int32_t weight_kind, std::int32_t style_kind);
  // Horizontal 0 leading, 1 centre, 2 trailing; vertical 0 centre, 1 near,
  // 2 far; any other value centres.
  void set_text_alignment(std::int32_t horizontal, std::int32_t vertical);

  // Until a widget sets them: fills opaque black, text and lines opaque white.
  color fill_color{0.0f, 0.0f, 0.0f, 1.0f};
  color text_color{1.0f, 1.0f, 1.0f, 1.0f};
  color line_color{1.0f, 1.0f, 1.0f, 1.0f};
  float line_width = 1.0f;
  std::int32_t dotted = 0;  // 1 draws lines and outlines dotted

  void fill_rectangle(const rect& area);
  void draw_rectangle(const rect& area);
  void draw_line(point from, point to);
  // The whole picture at its size in dips; nothing when it is not loaded.
  void draw_image(point at, image& picture);
  // The source rectangle (dips of the picture) drawn at the point, unscaled.
  void draw_image_part(point at, image& picture, const rect& source);
  // UTF-8 text laid out in the rectangle with the current font and
  // alignment, its lines broken as wrapping says. Malformed UTF-8 is drawn
  // with a replacement character in place of each bad sequence.
  void draw_text(const rect& box, std::string_view text, text_wrapping wrapping = text_wrapping::words);
  // The size of the text's layout; a maximum of 0 is unbounded.
  size measure_text(std::string_view text, size maximum, text_wrapping wrapping = text_wrapping::words);
  void draw_shadow(const rect& box, point offset, std::int32_t shadow_size);
  // A rich text document laid out in the box, drawn at its top-left corner;
  // text outside colour runs is drawn in rich_text_color.
  void draw_rich_text(rich_text& document, const rect& box);
  color rich_text_color{0.0f, 0.0f, 0.0f, 1.0f};

  const text_style& current_text_style() const noexcept { return style_; }
  render_backend& backend() noexcept { return *backend_; }

private:
  friend class image;

  struct scope {
    const widget* painted;
    point position;
  };

  rect_f to_float(const rect& area) const noexcept;

  std::unique_ptr<render_backend> backend_;
  text_style style_;
  std::vector<scope> scopes_;
  point origin_;
  std::vector<image*> images_;  // images that hold a device bitmap for this renderer
};

// The text a drawing call takes: UTF-8 decoded to UTF-16, each malformed
// sequence replaced by U+FFFD.
std::u16string drawable_text(std::string_view utf8);

}  // namespace hbsdk::ui
