#pragma once
// A path held as one wide (UTF-16) string. The backslash is its only
// separator: every slash given to a constructor becomes a backslash. Nothing
// else is normalised and nothing touches the file system, so a file_path is a
// plain value that any thread may copy.

#include <string>
#include <string_view>

namespace hbsdk::filesystem {

class file_path {
public:
  file_path() = default;
  // From wide text, up to its first zero unit.
  explicit file_path(std::u16string_view wide);
  explicit file_path(const char16_t* wide) : file_path(std::u16string_view(wide ? wide : u"")) {}
  // From UTF-8 text, up to its first zero byte; throws like to_wide.
  explicit file_path(std::string_view utf8);
  explicit file_path(const char* utf8) : file_path(std::string_view(utf8 ? utf8 : "")) {}

  // The stored text as UTF-8.
  std::string to_utf8() const;
  // The stored text, zero-terminated, for platform calls.
  const char16_t* native() const noexcept { return text_.c_str(); }
  const std::u16string& text() const noexcept { return text_; }
  bool empty() const noexcept { return text_.empty(); }

  friend bool operator==(const file_path&, const file_path&) = default;

private:
  std::u16string text_;
};

// Joins right below left with exactly one backslash between them: an empty
// right leaves left unchanged, a backslash is added only when left is not
// empty and does not already end in one, and one leading backslash of right is
// dropped. Drive letters and ".." in right are kept as plain text.
file_path join(const file_path& left, const file_path& right);

inline file_path operator/(const file_path& left, const file_path& right) { return join(left, right); }

}  // namespace hbsdk::filesystem
