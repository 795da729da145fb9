#include "hbsdk/ui/testing/scripted_input_method.h"

namespace hbsdk::ui::test_support {

std::int32_t scripted_input_method::string_bytes(std::uint32_t kind) {
  const auto found = strings.find(kind);
  return found == strings.end() ? 0 : static_cast<std::int32_t>(found->second.size() * 2);
}

// Like the platform call, the string is read into a buffer of bytes / 2 + 1
// units and ends at its first zero.
std::u16string scripted_input_method::read_string(std::uint32_t kind, std::int32_t bytes) {
  const auto found = strings.find(kind);
  if (found == strings.end() || bytes <= 0) return {};
  std::u16string text = found->second.substr(0, static_cast<std::size_t>(bytes) / 2);
  return text.substr(0, text.find(u'\0'));
}

}  // namespace hbsdk::ui::test_support
