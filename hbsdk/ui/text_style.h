#pragma once
// How the renderer lays out text: the font (family, size in dips, weight,
// style) and the alignment inside the layout box. The renderer keeps one of
// these as its current text state; backends lay text out with it.

#include <cstdint>
#include <string>

namespace hbsdk::ui {

enum class horizontal_alignment : std::int32_t { leading = 0, centre = 1, trailing = 2 };
// Near is the top and far the bottom of the box.
enum class vertical_alignment : std::int32_t { centre = 0, top = 1, bottom = 2 };
// Where a line may break: between words (a word wider than the box is
// broken where the library sees fit), or between any two characters, with
// nothing added at the break, for text such as paths that must read exactly.
enum class text_wrapping : std::int32_t { words = 0, anywhere = 1 };

struct text_style {
  std::u16string family;  // empty: the platform's default family
  float size = 12.0f;     // dips
  std::int32_t weight = 400;  // 300, 400 or 700
  bool italic = false;
  horizontal_alignment horizontal = horizontal_alignment::leading;
  vertical_alignment vertical = vertical_alignment::top;
  text_wrapping wrapping = text_wrapping::words;

  friend bool operator==(const text_style&, const text_style&) = default;
};

// The weight for a weight kind of the style table: 1 light (300), 2 bold
// (700), anything else normal (400).
constexpr std::int32_t weight_for_kind(std::int32_t kind) noexcept {
  return kind == 1 ? 300 : kind == 2 ? 700 : 400;
}
// Style kind 1 is italic; anything else upright.
constexpr bool italic_for_kind(std::int32_t kind) noexcept { return kind == 1; }
// Horizontal kinds: 0 leading, 1 centre, 2 trailing, anything else centre.
constexpr horizontal_alignment horizontal_for_kind(std::int32_t kind) noexcept {
  return kind == 0 ? horizontal_alignment::leading
         : kind == 2 ? horizontal_alignment::trailing
                     : horizontal_alignment::centre;
}
// Vertical kinds: 0 centre, 1 near (top), 2 far (bottom), anything else centre.
constexpr vertical_alignment vertical_for_kind(std::int32_t kind) noexcept {
  return kind == 1 ? vertical_alignment::top : kind == 2 ? vertical_alignment::bottom : vertical_alignment::centre;
}

}  // namespace hbsdk::ui
