#include "hbsdk/ui/win32/d2d_render_backend.h"

#include "hbsdk/ui/shadow_gradient.h"
#include "hbsdk/ui/win32/com_error.h"
#include "hbsdk/ui/win32/d2d_device_bitmap.h"
#include "hbsdk/ui/win32/d2d_rich_layout.h"
#include "hbsdk/ui/win32/wic_decoded_image.h"

#include <array>
#include <cfloat>
#include <vector>

namespace hbsdk::ui::win32 {
namespace {

D2D1_COLOR_F to_d2d(const color& c) noexcept { return {c.red, c.green, c.blue, c.alpha}; }
D2D1_RECT_F to_d2d(const rect_f& r) noexcept { return {r.left, r.top, r.right, r.bottom}; }
D2D1_POINT_2F to_d2d(point_f p) noexcept { return {p.x, p.y}; }

// Draws one primitive aliased, then returns to per-primitive anti-aliasing.
template <class Draw>
void aliased(ID2D1RenderTarget& target, Draw draw) {
  target.SetAntialiasMode(D2D1_ANTIALIAS_MODE_ALIASED);
  draw();
  target.SetAntialiasMode(D2D1_ANTIALIAS_MODE_PER_PRIMITIVE);
}

}  // namespace

d2d_render_backend::d2d_render_backend(com_ptr<ID2D1Factory> factory, std::unique_ptr<d2d_surface> surface)
    : factory_(std::move(factory)), surface_(std::move(surface)) {
  ID2D1RenderTarget& t = target();
  t.SetAntialiasMode(D2D1_ANTIALIAS_MODE_PER_PRIMITIVE);

  const D2D1_COLOR_F black{0.0f, 0.0f, 0.0f, 1.0f};
  const D2D1_COLOR_F white{1.0f, 1.0f, 1.0f, 1.0f};
  bool brushes_made = SUCCEEDED(t.CreateSolidColorBrush(black, fill_brush_.put()));
  brushes_made = SUCCEEDED(t.CreateSolidColorBrush(white, line_brush_.put())) && brushes_made;
  brushes_made = SUCCEEDED(t.CreateSolidColorBrush(white, text_brush_.put())) && brushes_made;
  brushes_made = SUCCEEDED(t.CreateSolidColorBrush(black, shadow_brush_.put())) && brushes_made;
  brushes_made = SUCCEEDED(t.CreateSolidColorBrush(black, rich_text_brush_.put())) && brushes_made;
  brushes_made = SUCCEEDED(t.CreateSolidColorBrush(black, run_colour_brush_.put())) && brushes_made;
  if (!brushes_made) {
    throw std::runtime_error("unable to create one or more solid brushes");
  }

  text_ = std::make_unique<direct_write_text>();

  std::array<D2D1_GRADIENT_STOP, 21> stops{};
  const auto falloff = shadow_gradient_stops();
  for (std::size_t i = 0; i < stops.size(); ++i) {
    stops[i] = {falloff[i].position, {0.0f, 0.0f, 0.0f, falloff[i].alpha}};
  }
  constexpr const char* gradient_failure = "unable to initialize the shadow gradients";
  check(t.CreateGradientStopCollection(stops.data(), static_cast<UINT32>(stops.size()), D2D1_GAMMA_2_2,
                                       D2D1_EXTEND_MODE_CLAMP, shadow_gradient_.put()),
        gradient_failure);
  // One radial and one linear brush over the gradient, moved for each part
  // of a shadow.
  check(t.CreateRadialGradientBrush(D2D1::RadialGradientBrushProperties({0.0f, 0.0f}, {0.0f, 0.0f}, 1.0f, 1.0f),
                                    shadow_gradient_.get(), corner_brush_.put()),
        gradient_failure);
  check(t.CreateLinearGradientBrush(D2D1::LinearGradientBrushProperties({0.0f, 0.0f}, {1.0f, 0.0f}),
                                    shadow_gradient_.get(), band_brush_.put()),
        gradient_failure);

  const float dashes[] = {1.0f, 1.0f};
  check(factory_->CreateStrokeStyle(D2D1::StrokeStyleProperties(D2D1_CAP_STYLE_FLAT, D2D1_CAP_STYLE_FLAT,
                                                                D2D1_CAP_STYLE_FLAT, D2D1_LINE_JOIN_MITER, 10.0f,
                                                                D2D1_DASH_STYLE_CUSTOM, 0.0f),
                                    dashes, 2, dotted_stroke_.put()),
        "unable to initialize the dotted stroke");
}

d2d_render_backend::~d2d_render_backend() = default;

void d2d_render_backend::resize(std::int32_t width, std::int32_t height) { surface_->resize(width, height); }

void d2d_render_backend::begin_frame() {
  surface_->frame_begun();
  target().BeginDraw();
  target().SetTransform(D2D1::Matrix3x2F::Identity());
  scopes_.clear();
}

void d2d_render_backend::end_frame() {
  while (!scopes_.empty()) {
    pop_scope();
  }
  const HRESULT result = target().EndDraw();
  surface_->frame_ended(result);
}

void d2d_render_backend::enter(const scope& entered) {
  ID2D1RenderTarget& t = target();
  t.SetTransform(D2D1::Matrix3x2F::Identity());
  t.PushAxisAlignedClip(to_d2d(entered.clip), D2D1_ANTIALIAS_MODE_ALIASED);
  t.SetTransform(D2D1::Matrix3x2F::Translation(entered.translation.x, entered.translation.y));
}

void d2d_render_backend::push_scope(const widget&, point_f translation, const rect_f& clip) {
  if (!scopes_.empty()) {
    target().PopAxisAlignedClip();
  }
  scopes_.push_back({translation, clip});
  enter(scopes_.back());
}

void d2d_render_backend::pop_scope() {
  if (scopes_.empty()) {
    return;
  }
  target().PopAxisAlignedClip();
  scopes_.pop_back();
  if (scopes_.empty()) {
    target().SetTransform(D2D1::Matrix3x2F::Identity());
  } else {
    enter(scopes_.back());
  }
}

void d2d_render_backend::fill_rect(const rect_f& area, const color& fill) {
  fill_brush_->SetColor(to_d2d(fill));
  target().FillRectangle(to_d2d(area), fill_brush_.get());
}

void d2d_render_backend::stroke_rect(const rect_f& edges, const color& line, float width, bool dotted) {
  line_brush_->SetColor(to_d2d(line));
  aliased(target(), [&] { target().DrawRectangle(to_d2d(edges), line_brush_.get(), width, stroke_for(dotted)); });
}

void d2d_render_backend::stroke_line(point_f from, point_f to, const color& line, float width, bool dotted) {
  line_brush_->SetColor(to_d2d(line));
  aliased(target(),
          [&] { target().DrawLine(to_d2d(from), to_d2d(to), line_brush_.get(), width, stroke_for(dotted)); });
}

void d2d_render_backend::draw_bitmap(device_bitmap& bitmap, const rect_f& source, const rect_f& destination) {
  auto* ours = dynamic_cast<d2d_device_bitmap*>(&bitmap);
  if (ours == nullptr || ours->get() == nullptr) {
    return;
  }
  const D2D1_RECT_F from = to_d2d(source);
  target().DrawBitmap(ours->get(), to_d2d(destination), 1.0f, D2D1_BITMAP_INTERPOLATION_MODE_LINEAR, &from);
}

void d2d_render_backend::draw_text(const rect_f& box, std::u16string_view text, const text_style& style,
                                   const color& fill) {
  const com_ptr<IDWriteTextLayout> layout = text_->layout(text, style, box.width(), box.height());
  if (!layout) {
    return;
  }
  text_brush_->SetColor(to_d2d(fill));
  target().DrawTextLayout({box.left, box.top}, layout.get(), text_brush_.get(), D2D1_DRAW_TEXT_OPTIONS_NONE);
}

size_f d2d_render_backend::measure_text(std::u16string_view text, const text_style& style, size_f maximum) {
  const float width = maximum.width == 0.0f ? FLT_MAX : maximum.width;
  const float height = maximum.height == 0.0f ? FLT_MAX : maximum.height;
  const com_ptr<IDWriteTextLayout> layout = text_->layout(text, style, width, height);
  DWRITE_TEXT_METRICS metrics{};
  if (!layout || FAILED(layout->GetMetrics(&metrics))) {
    return {};
  }
  return {metrics.widthIncludingTrailingWhitespace, metrics.height};
}

void d2d_render_backend::fill_shadow_corner(const rect_f& square, point_f centre, float radius) {
  corner_brush_->SetCenter(to_d2d(centre));
  corner_brush_->SetGradientOriginOffset({0.0f, 0.0f});
  corner_brush_->SetRadiusX(radius);
  corner_brush_->SetRadiusY(radius);
  target().FillRectangle(to_d2d(square), corner_brush_.get());
}

void d2d_render_backend::fill_shadow_band(const rect_f& band, point_f opaque_edge, point_f clear_edge) {
  band_brush_->SetStartPoint(to_d2d(opaque_edge));
  band_brush_->SetEndPoint(to_d2d(clear_edge));
  target().FillRectangle(to_d2d(band), band_brush_.get());
}

void d2d_render_backend::fill_shadow_inside(const rect_f& area) {
  target().FillRectangle(to_d2d(area), shadow_brush_.get());
}

std::unique_ptr<device_bitmap> d2d_render_backend::make_device_bitmap(const decoded_image& picture) {
  const auto* decoded = dynamic_cast<const wic_decoded_image*>(&picture);
  if (decoded == nullptr || decoded->bitmap() == nullptr) {
    throw std::runtime_error("unable to create a bitmap from a WIC bitmap");
  }
  com_ptr<ID2D1Bitmap> bitmap;
  check(target().CreateBitmapFromWicBitmap(decoded->bitmap(), nullptr, bitmap.put()),
        "unable to create a bitmap from a WIC bitmap");
  com_ptr<ID2D1Bitmap> shared;
  check(target().CreateSharedBitmap(__uuidof(ID2D1Bitmap), bitmap.get(), nullptr, shared.put()),
        "unable to create a shared bitmap");
  return std::make_unique<d2d_device_bitmap>(std::move(shared));
}

std::unique_ptr<rich_layout> d2d_render_backend::make_rich_layout(std::u16string_view text, const text_style& base,
                                                                  std::span<const text_run_format> runs,
                                                                  size_f maximum) {
  com_ptr<IDWriteTextLayout> layout = text_->format_layout(text, base, maximum.width, maximum.height);
  if (!layout) {
    return nullptr;
  }
  // Faces the system lacks are drawn in the substitute, as plain text is.
  std::vector<text_run_format> resolved(runs.begin(), runs.end());
  for (text_run_format& run : resolved) {
    if (run.family) run.family = text_->family_for(*run.family);
  }
  return std::make_unique<d2d_rich_layout>(std::move(layout), target(), resolved);
}

void d2d_render_backend::draw_rich_layout(rich_layout& layout, point_f at, const color& default_colour) {
  const auto& laid_out = dynamic_cast<const d2d_rich_layout&>(layout);
  rich_text_brush_->SetColor(to_d2d(default_colour));
  target().DrawTextLayout(to_d2d(at), laid_out.layout(), rich_text_brush_.get(), D2D1_DRAW_TEXT_OPTIONS_NONE);
}

}  // namespace hbsdk::ui::win32
