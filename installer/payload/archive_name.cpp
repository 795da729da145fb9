#include "installer/payload/archive_name.h"

#include <array>
#include <stdexcept>
#include <string>

#include "hbsdk/filesystem/encoding.h"

namespace installer {
namespace {

char16_t upper(char16_t unit) { return unit >= u'a' && unit <= u'z' ? static_cast<char16_t>(unit - 32) : unit; }

// CON, PRN, AUX, NUL, COM1-COM9 and LPT1-LPT9 name devices on Windows, with
// any extension and trailing spaces.
bool is_device_name(std::u16string_view component) {
  std::u16string_view base = component.substr(0, component.find(u'.'));
  while (!base.empty() && base.back() == u' ') base.remove_suffix(1);
  std::u16string name;
  for (const char16_t unit : base) name.push_back(upper(unit));
  static constexpr std::array<std::u16string_view, 4> plain = {u"CON", u"PRN", u"AUX", u"NUL"};
  for (const auto device : plain) {
    if (name == device) return true;
  }
  return name.size() == 4 && (name.starts_with(u"COM") || name.starts_with(u"LPT")) && name[3] >= u'1' &&
         name[3] <= u'9';
}

// Windows drops trailing dots and spaces from a name when it goes through a
// whole path ("a." opens "a", ". ." acts as ".."), while an open by name below
// a folder keeps them and makes a name Windows programs cannot open: such a
// name means different things on different routes, so it is refused.
bool ends_in_dot_or_space(std::u16string_view component) {
  return component.back() == u'.' || component.back() == u' ';
}

bool is_safe_component(std::u16string_view component) {
  return !component.empty() && !ends_in_dot_or_space(component) && !is_device_name(component);
}

bool is_safe_relative(std::u16string_view text) {
  if (text.empty() || text.size() > longest_archive_name) return false;
  if (text.find(u':') != std::u16string_view::npos) return false;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find_first_of(u"/\\", start);
    if (!is_safe_component(text.substr(start, end - start))) return false;
    if (end == std::u16string_view::npos) return true;
    start = end + 1;
  }
}

}  // namespace

extract_code archive_name_to_path(std::string_view name, hbsdk::filesystem::file_path& relative) {
  name = name.substr(0, name.find('\0'));  // a name ends at its first zero byte
  if (name.size() > 3 * longest_archive_name) return extract_code::unsafe_name;  // before decoding it
  std::u16string wide;
  try {
    wide = hbsdk::filesystem::to_wide(name);
  } catch (const std::range_error&) {
    return extract_code::name_not_utf8;
  }
  if (!is_safe_relative(wide)) return extract_code::unsafe_name;
  relative = hbsdk::filesystem::file_path(std::u16string_view(wide));
  return extract_code::ok;
}

relative_parts split_relative(const hbsdk::filesystem::file_path& relative) {
  const std::u16string_view text = relative.text();
  const std::size_t separator = text.rfind(u'\\');
  if (separator == std::u16string_view::npos) return {std::u16string_view(), text};
  return {text.substr(0, separator), text.substr(separator + 1)};
}

}  // namespace installer
