#include "hbsdk/ui/unpaired_surrogates.h"

namespace hbsdk::ui {
namespace {

bool is_high(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool is_low(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

std::u16string replace_unpaired_surrogates(std::u16string_view text) {
  std::u16string result(text);
  for (std::size_t i = 0; i < result.size(); ++i) {
    if (is_high(result[i]) && i + 1 < result.size() && is_low(result[i + 1])) {
      ++i;  // a pair: one character, kept
    } else if (is_high(result[i]) || is_low(result[i])) {
      result[i] = u'\uFFFD';
    }
  }
  return result;
}

}  // namespace hbsdk::ui
