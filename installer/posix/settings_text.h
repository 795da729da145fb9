#pragma once
// The text of the Linux settings file: the registry's keys and values kept as
// an INI-like list of lines, UTF-8, for example
//
//   [SOFTWARE\Halbrook]
//   OrreryUserPath=C:\Users\ann\Documents\Orrery
//
// A line "[key]" opens the section of that key; "name=value" lines below it
// hold its values, the value being everything after the first '='. Blank
// lines and lines starting with '#' or ';' are comments. Key and value names
// compare without regard to ASCII case, as registry names do. A '%' followed
// by two hex digits stands for that byte, so keys, names and values can hold
// any text: '%', line breaks, and in names '=' and a leading '[', '#' or ';'
// are written that way. Changing a value keeps every other line as it was;
// the text is written back with LF line ends.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace installer {

class settings_text {
public:
  explicit settings_text(std::string_view text = {});

  bool has_key(std::string_view key) const;
  // The first value called name in the section of key, decoded.
  std::optional<std::string> value(std::string_view key, std::string_view name) const;
  // Replaces that value, or adds it at the end of the section, or adds the
  // section at the end of the text.
  void set_value(std::string_view key, std::string_view name, std::string_view value);

  std::string text() const;

private:
  struct position {
    std::size_t section_end = 0;                // one past the section's last line
    std::optional<std::size_t> value_line;      // the line holding the value
  };
  std::optional<std::size_t> find_section(std::string_view key) const;
  position find_value(std::size_t section, std::string_view name) const;

  std::vector<std::string> lines_;  // without their line breaks (LF or CRLF)
};

}  // namespace installer
