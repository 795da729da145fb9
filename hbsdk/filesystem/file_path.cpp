#include "hbsdk/filesystem/file_path.h"

#include <algorithm>

#include "hbsdk/filesystem/encoding.h"

namespace hbsdk::filesystem {
namespace {

std::u16string with_backslashes(std::u16string text) {
  std::replace(text.begin(), text.end(), u'/', u'\\');
  return text;
}

}  // namespace

file_path::file_path(std::u16string_view wide)
    : text_(with_backslashes(std::u16string(wide.substr(0, wide.find(u'\0'))))) {}

file_path::file_path(std::string_view utf8) : text_(with_backslashes(to_wide(utf8))) {}

std::string file_path::to_utf8() const { return hbsdk::filesystem::to_utf8(text_); }

file_path join(const file_path& left, const file_path& right) {
  if (right.empty()) return left;
  std::u16string text = left.text();
  if (!text.empty() && text.back() != u'\\') text.push_back(u'\\');
  std::u16string_view tail = right.text();
  if (tail.front() == u'\\') tail.remove_prefix(1);
  text.append(tail);
  return file_path(std::u16string_view(text));
}

}  // namespace hbsdk::filesystem
