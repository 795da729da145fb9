#pragma once
// Owning handles for the cairo and pango objects the Linux drawing code
// holds: each releases its reference when it goes out of scope.

#include <cairo.h>
#include <glib-object.h>
#include <pango/pango.h>

#include <memory>

namespace hbsdk::ui::cairo_handles {

struct context_release {
  void operator()(cairo_t* context) const noexcept { cairo_destroy(context); }
};
struct surface_release {
  void operator()(cairo_surface_t* surface) const noexcept { cairo_surface_destroy(surface); }
};
struct pattern_release {
  void operator()(cairo_pattern_t* pattern) const noexcept { cairo_pattern_destroy(pattern); }
};
struct font_options_release {
  void operator()(cairo_font_options_t* options) const noexcept { cairo_font_options_destroy(options); }
};
struct font_description_release {
  void operator()(PangoFontDescription* description) const noexcept { pango_font_description_free(description); }
};
struct object_release {
  void operator()(void* object) const noexcept { g_object_unref(object); }
};

using context = std::unique_ptr<cairo_t, context_release>;
using surface = std::unique_ptr<cairo_surface_t, surface_release>;
using pattern = std::unique_ptr<cairo_pattern_t, pattern_release>;
using font_options = std::unique_ptr<cairo_font_options_t, font_options_release>;
using font_description = std::unique_ptr<PangoFontDescription, font_description_release>;
using pango_context = std::unique_ptr<PangoContext, object_release>;
using pango_layout = std::unique_ptr<PangoLayout, object_release>;

}  // namespace hbsdk::ui::cairo_handles
