#pragma once
// The formatting of one range of a rich text, resolved from its tag and
// attribute text: what the run sets, each property optional. Ranges are in
// UTF-16 units of the plain text. Drawing backends apply runs in order, so a
// later run overrides an earlier one property by property where they overlap.

#include "hbsdk/ui/color.h"

#include <cstdint>
#include <optional>
#include <string>

namespace hbsdk::ui {

struct text_run_format {
  std::uint32_t start = 0;
  std::uint32_t length = 0;
  std::optional<std::int32_t> weight;  // 700 for "b"
  bool underline = false;              // "u"
  std::optional<std::u16string> family;
  std::optional<float> size;
  std::optional<color> colour;
};

}  // namespace hbsdk::ui
