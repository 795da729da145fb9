#include "hbsdk/ui/rich_text.h"

#include "hbsdk/ui/renderer.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>
#include <string>

namespace hbsdk::ui {
namespace {

// The value after the first occurrence of the marker, up to the next double
// quote or the end; nothing when the marker is not there.
std::optional<std::u16string_view> attribute_value(std::u16string_view attributes, std::u16string_view marker) {
  const std::size_t found = attributes.find(marker);
  if (found == std::u16string_view::npos) {
    return std::nullopt;
  }
  std::u16string_view rest = attributes.substr(found + marker.size());
  return rest.substr(0, rest.find(u'"'));
}

int hex_digit(char16_t unit) {
  if (unit >= u'0' && unit <= u'9') return unit - u'0';
  if (unit >= u'a' && unit <= u'f') return unit - u'a' + 10;
  if (unit >= u'A' && unit <= u'F') return unit - u'A' + 10;
  return -1;
}

// The leading hexadecimal digits of a two-character field (fewer characters
// when the value ends early); no digits read 0.
float colour_component(std::u16string_view value, std::size_t at) {
  int result = 0;
  for (std::size_t i = at; i < at + 2 && i < value.size(); ++i) {
    const int digit = hex_digit(value[i]);
    if (digit < 0) break;
    result = result * 16 + digit;
  }
  return static_cast<float>(result) / 255.0f;
}

}  // namespace

color parse_colour_value(std::u16string_view value) {
  return {colour_component(value, 1), colour_component(value, 3), colour_component(value, 5), 1.0f};
}

float parse_size_value(std::u16string_view value) {
  std::string narrow;
  std::size_t i = 0;
  while (i < value.size() && (value[i] == u' ' || value[i] == u'\t')) ++i;
  for (; i < value.size() && value[i] < 0x80 && narrow.size() < 64; ++i) {
    narrow.push_back(static_cast<char>(value[i]));
  }
  std::size_t start = 0;
  if (!narrow.empty() && narrow[0] == '+') start = 1;
  float result = 0.0f;
  const auto parsed = std::from_chars(narrow.data() + start, narrow.data() + narrow.size(), result,
                                      std::chars_format::general);
  if (!(result == result) || result > 1e6f || result < -1e6f) {
    return 0.0f;  // not a number, or no size any font has
  }
  if (parsed.ec != std::errc()) {
    return 0.0f;
  }
  return result;
}

text_run_format resolve_run(const rich_run& run) {
  text_run_format format;
  format.start = run.start;
  format.length = run.length;
  if (run.tag == u"b") {
    format.weight = 700;
  } else if (run.tag == u"u") {
    format.underline = true;
  } else if (run.tag == u"font") {
    if (const auto face = attribute_value(run.attributes, u"face=\"")) {
      format.family = std::u16string(*face);
    }
    if (const auto size = attribute_value(run.attributes, u"size=\"")) {
      format.size = parse_size_value(*size);
    }
    if (const auto colour = attribute_value(run.attributes, u"color=\"")) {
      format.colour = parse_colour_value(*colour);
    }
  }
  return format;
}

rich_text::rich_text(std::u16string text, std::vector<rich_run> runs) : text_(std::move(text)), runs_(std::move(runs)) {}

void rich_text::set(std::u16string text, std::vector<rich_run> runs) {
  text_ = std::move(text);
  runs_ = std::move(runs);
  layout_.reset();
  layout_valid_ = false;
}

rich_layout& rich_text::get_layout(renderer& target, float max_width, float max_height) {
  render_backend& backend = target.backend();
  if (layout_valid_ && layout_ != nullptr && layout_backend_ == backend.serial() && cached_maximum_.width == max_width &&
      cached_maximum_.height == max_height) {
    return *layout_;
  }
  layout_.reset();
  layout_valid_ = false;
  // The layout starts from the default family and size, not the renderer's
  // current font; only the alignment is the renderer's.
  text_style base;
  base.family = u"Verdana";
  base.size = 12.0f;
  base.weight = 400;
  base.italic = false;
  base.horizontal = target.current_text_style().horizontal;
  base.vertical = target.current_text_style().vertical;
  // A run that reaches past the text is cut at its end.
  std::vector<text_run_format> formats;
  formats.reserve(runs_.size());
  const auto length = static_cast<std::uint32_t>(text_.size());
  for (const rich_run& run : runs_) {
    text_run_format format = resolve_run(run);
    if (format.start >= length) continue;
    format.length = std::min(format.length, length - format.start);
    formats.push_back(std::move(format));
  }
  layout_ = backend.make_rich_layout(text_, base, formats, {max_width, max_height});
  if (layout_ == nullptr) {
    throw std::runtime_error("unable to initialize a new layout");
  }
  layout_valid_ = true;
  cached_maximum_ = {max_width, max_height};
  layout_backend_ = backend.serial();
  return *layout_;
}

}  // namespace hbsdk::ui
