#include "hbsdk/ui/testing/recording_render_backend.h"

#include <algorithm>

namespace hbsdk::ui::test_support {
namespace {

class recorded_bitmap final : public device_bitmap {};

draw_call of(draw_kind kind) {
  draw_call call;
  call.kind = kind;
  return call;
}

float advance(const text_style& style) { return style.size / 2.0f; }
float line_height(const text_style& style) { return style.size + 1.0f; }

}  // namespace

recording_render_backend::~recording_render_backend() {
  if (on_destroyed) {
    on_destroyed();
  }
}

void recording_render_backend::record(draw_call call) {
  call.scope = scopes_.empty() ? nullptr : scopes_.back();
  calls_.push_back(std::move(call));
}

void recording_render_backend::resize(std::int32_t width, std::int32_t height) {
  width_ = width;
  height_ = height;
}

void recording_render_backend::begin_frame() {
  ++frames_;
  record(of(draw_kind::begin_frame));
}

void recording_render_backend::end_frame() { record(of(draw_kind::end_frame)); }

void recording_render_backend::push_scope(const widget& painted, point_f translation, const rect_f& clip) {
  scopes_.push_back(&painted);
  draw_call call = of(draw_kind::push_scope);
  call.source = clip;
  call.translation = translation;
  record(std::move(call));
}

void recording_render_backend::pop_scope() {
  record(of(draw_kind::pop_scope));
  if (!scopes_.empty()) {
    scopes_.pop_back();
  }
}

void recording_render_backend::fill_rect(const rect_f& area, const color& fill) {
  draw_call call = of(draw_kind::fill_rect);
  call.area = area;
  call.colour = fill;
  record(std::move(call));
}

void recording_render_backend::stroke_rect(const rect_f& edges, const color& line, float width, bool dotted) {
  draw_call call = of(draw_kind::stroke_rect);
  call.area = edges;
  call.colour = line;
  call.width = width;
  call.dotted = dotted;
  record(std::move(call));
}

void recording_render_backend::stroke_line(point_f from, point_f to, const color& line, float width, bool dotted) {
  draw_call call = of(draw_kind::stroke_line);
  call.area = {from.x, from.y, to.x, to.y};
  call.colour = line;
  call.width = width;
  call.dotted = dotted;
  record(std::move(call));
}

void recording_render_backend::draw_bitmap(device_bitmap&, const rect_f& source, const rect_f& destination) {
  draw_call call = of(draw_kind::bitmap);
  call.area = destination;
  call.source = source;
  record(std::move(call));
}

void recording_render_backend::draw_text(const rect_f& box, std::u16string_view text, const text_style& style,
                                         const color& fill) {
  draw_call call = of(draw_kind::text);
  call.area = box;
  call.colour = fill;
  call.text = std::u16string(text);
  call.style = style;
  record(std::move(call));
}

std::vector<std::u16string> recording_render_backend::lines(std::u16string_view text, const text_style& style,
                                                            float max_width) {
  std::vector<std::u16string> result;
  const float unit = advance(style);
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find(u'\n', start);
    std::u16string_view paragraph = text.substr(start, end == std::u16string_view::npos ? text.npos : end - start);
    std::u16string line;
    std::size_t i = 0;
    // Breaking anywhere: as many characters as fit on each line, at least one.
    const std::size_t per_line =
        max_width > 0.0f ? std::max<std::size_t>(1, static_cast<std::size_t>(max_width / unit)) : paragraph.size() + 1;
    while (style.wrapping == text_wrapping::anywhere && paragraph.size() - i > per_line) {
      result.emplace_back(paragraph.substr(i, per_line));
      i += per_line;
    }
    while (i < paragraph.size()) {
      // The next word with the spaces that follow it.
      std::size_t word_end = paragraph.find(u' ', i);
      word_end = word_end == std::u16string_view::npos ? paragraph.size() : word_end;
      std::size_t next = paragraph.find_first_not_of(u' ', word_end);
      next = next == std::u16string_view::npos ? paragraph.size() : next;
      const std::u16string_view word = paragraph.substr(i, word_end - i);
      const float wanted = static_cast<float>(line.size() + word.size()) * unit;
      if (max_width > 0.0f && !line.empty() && wanted > max_width) {
        while (!line.empty() && line.back() == u' ') line.pop_back();  // spaces at a wrap do not count
        result.push_back(line);
        line.clear();
      }
      line.append(paragraph.substr(i, next - i));
      i = next;
    }
    result.push_back(line);
    if (end == std::u16string_view::npos) {
      break;
    }
    start = end + 1;
  }
  return result;
}

size_f recording_render_backend::measure_text(std::u16string_view text, const text_style& style, size_f maximum) {
  const std::vector<std::u16string> laid_out = lines(text, style, maximum.width);
  std::size_t widest = 0;
  for (const std::u16string& line : laid_out) {
    widest = std::max(widest, line.size());
  }
  return {static_cast<float>(widest) * advance(style), static_cast<float>(laid_out.size()) * line_height(style)};
}

void recording_render_backend::fill_shadow_corner(const rect_f& square, point_f centre, float radius) {
  draw_call call = of(draw_kind::shadow_corner);
  call.area = square;
  call.translation = centre;
  call.width = radius;
  record(std::move(call));
}

void recording_render_backend::fill_shadow_band(const rect_f& band, point_f opaque_edge, point_f clear_edge) {
  draw_call call = of(draw_kind::shadow_band);
  call.area = band;
  call.source = {opaque_edge.x, opaque_edge.y, clear_edge.x, clear_edge.y};
  record(std::move(call));
}

void recording_render_backend::fill_shadow_inside(const rect_f& area) {
  draw_call call = of(draw_kind::shadow_inside);
  call.area = area;
  call.colour = {0.0f, 0.0f, 0.0f, 1.0f};
  record(std::move(call));
}

std::unique_ptr<device_bitmap> recording_render_backend::make_device_bitmap(const decoded_image&) {
  ++bitmaps_made_;
  return std::make_unique<recorded_bitmap>();
}

std::unique_ptr<rich_layout> recording_render_backend::make_rich_layout(std::u16string_view text,
                                                                        const text_style& base,
                                                                        std::span<const text_run_format> runs,
                                                                        size_f maximum) {
  ++rich_layouts_made_;
  auto layout = std::make_unique<recorded_rich_layout>();
  layout->text = std::u16string(text);
  layout->base = base;
  layout->runs.assign(runs.begin(), runs.end());
  layout->maximum = maximum;
  return layout;
}

void recording_render_backend::draw_rich_layout(rich_layout& layout, point_f at, const color& default_colour) {
  const auto& recorded = dynamic_cast<const recorded_rich_layout&>(layout);
  draw_call call = of(draw_kind::rich_text);
  call.area = {at.x, at.y, at.x + recorded.maximum.width, at.y + recorded.maximum.height};
  call.colour = default_colour;
  call.text = recorded.text;
  call.style = recorded.base;
  call.runs = recorded.runs;
  record(std::move(call));
}

std::vector<draw_call> recording_render_backend::calls_of(const widget& painted) const {
  std::vector<draw_call> result;
  for (const draw_call& call : calls_) {
    if (call.scope == &painted && call.kind != draw_kind::push_scope && call.kind != draw_kind::pop_scope &&
        call.kind != draw_kind::begin_frame && call.kind != draw_kind::end_frame) {
      result.push_back(call);
    }
  }
  return result;
}

}  // namespace hbsdk::ui::test_support
