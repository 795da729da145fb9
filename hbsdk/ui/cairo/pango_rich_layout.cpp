#include "hbsdk/ui/cairo/pango_rich_layout.h"

#include <pango/pangocairo.h>

#include <cmath>
#include <algorithm>
#include <array>
#include <optional>
#include <string>

namespace hbsdk::ui {
namespace {

float dips(int units) { return static_cast<float>(units) / static_cast<float>(PANGO_SCALE); }

bool is_high_surrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool is_low_surrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

guint16 channel(float value) {
  const float clamped = value < 0.0f ? 0.0f : (value > 1.0f ? 1.0f : value);
  return static_cast<guint16>(std::lround(clamped * 65535.0f));
}

// One property over the text: the value each UTF-16 unit ends with after
// every run that sets it, applied in order; then one attribute per stretch
// of equal values.
template <class Value, class Make>
void apply(PangoAttrList* list, const std::vector<std::size_t>& offsets, std::span<const text_run_format> runs,
           std::optional<Value> (*read)(const text_run_format&), Make make) {
  const std::size_t length = offsets.size() - 1;
  std::vector<std::optional<Value>> values(length);
  for (const text_run_format& run : runs) {
    const std::optional<Value> value = read(run);
    if (!value) continue;
    const std::size_t end = std::min<std::size_t>(length, std::size_t{run.start} + run.length);
    for (std::size_t i = run.start; i < end; ++i) values[i] = value;
  }
  std::size_t i = 0;
  while (i < length) {
    std::size_t j = i + 1;
    while (j < length && values[j] == values[i]) ++j;
    if (values[i]) {
      PangoAttribute* attribute = make(*values[i]);
      attribute->start_index = static_cast<guint>(offsets[i]);
      attribute->end_index = static_cast<guint>(offsets[j]);
      pango_attr_list_insert(list, attribute);
    }
    i = j;
  }
}

std::optional<std::int32_t> weight_of(const text_run_format& run) { return run.weight; }
std::optional<bool> underline_of(const text_run_format& run) {
  return run.underline ? std::optional<bool>(true) : std::nullopt;
}
std::optional<std::u16string> family_of(const text_run_format& run) { return run.family; }
std::optional<float> size_of(const text_run_format& run) {
  return run.size && *run.size > 0.0f ? run.size : std::nullopt;
}
std::optional<std::array<float, 3>> colour_of(const text_run_format& run) {
  if (!run.colour) return std::nullopt;
  return std::array<float, 3>{run.colour->red, run.colour->green, run.colour->blue};
}

}  // namespace

std::vector<std::size_t> utf8_offsets(std::u16string_view text) {
  std::vector<std::size_t> offsets(text.size() + 1);
  std::size_t bytes = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    offsets[i] = bytes;
    const char16_t unit = text[i];
    if (is_high_surrogate(unit) && i + 1 < text.size() && is_low_surrogate(text[i + 1])) {
      offsets[i + 1] = bytes;  // inside the pair: the character's start
      bytes += 4;
      ++i;
    } else if (unit < 0x80) {
      bytes += 1;
    } else if (unit < 0x800) {
      bytes += 2;
    } else {
      bytes += 3;  // also a lone surrogate, written as U+FFFD
    }
  }
  offsets[text.size()] = bytes;
  return offsets;
}

pango_rich_layout::pango_rich_layout(const pango_text_context& text, std::u16string_view content,
                                     const text_style& base, std::span<const text_run_format> runs, size_f maximum)
    : layout_(text.make_layout(content, base, maximum.width)), vertical_(base.vertical), height_(maximum.height) {
  // make_layout stops at a zero unit, as pango_text does.
  const std::u16string_view shown = content.substr(0, content.find(u'\0'));
  const std::vector<std::size_t> offsets = utf8_offsets(shown);
  PangoAttrList* list = pango_attr_list_new();
  apply<std::int32_t>(list, offsets, runs, weight_of,
                      [](std::int32_t weight) { return pango_attr_weight_new(static_cast<PangoWeight>(weight)); });
  apply<bool>(list, offsets, runs, underline_of, [](bool) { return pango_attr_underline_new(PANGO_UNDERLINE_SINGLE); });
  apply<std::u16string>(list, offsets, runs, family_of,
                        [](const std::u16string& family) { return pango_attr_family_new(pango_text(family).c_str()); });
  apply<float>(list, offsets, runs, size_of, [](float size) {
    return pango_attr_size_new_absolute(static_cast<int>(std::lround(static_cast<double>(size) * PANGO_SCALE)));
  });
  apply<std::array<float, 3>>(list, offsets, runs, colour_of, [](const std::array<float, 3>& c) {
    return pango_attr_foreground_new(channel(c[0]), channel(c[1]), channel(c[2]));
  });
  pango_layout_set_attributes(layout_.get(), list);
  pango_attr_list_unref(list);
}

void pango_rich_layout::draw(cairo_t* context, point_f at) const {
  PangoRectangle logical{};
  pango_layout_get_extents(layout_.get(), nullptr, &logical);
  float top = at.y - dips(logical.y);
  const float free_height = height_ - dips(logical.height);
  if (height_ > 0.0f && vertical_ == vertical_alignment::centre) {
    top += free_height / 2.0f;
  } else if (height_ > 0.0f && vertical_ == vertical_alignment::bottom) {
    top += free_height;
  }
  cairo_move_to(context, static_cast<double>(at.x), static_cast<double>(top));
  pango_cairo_show_layout(context, layout_.get());
}

}  // namespace hbsdk::ui
