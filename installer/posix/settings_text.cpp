#include "installer/posix/settings_text.h"

#include <algorithm>

namespace installer {
namespace {

constexpr char hex_digits[] = "0123456789ABCDEF";

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Escapes '%', CR and LF everywhere, and the characters of also_anywhere and
// of also_first (at the first position only).
std::string encode(std::string_view text, std::string_view also_anywhere = {}, std::string_view also_first = {}) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const bool special = c == '%' || c == '\n' || c == '\r' || also_anywhere.find(c) != std::string_view::npos ||
                         (i == 0 && also_first.find(c) != std::string_view::npos);
    if (special) {
      const auto byte = static_cast<unsigned char>(c);
      out += '%';
      out += hex_digits[byte >> 4];
      out += hex_digits[byte & 0x0F];
    } else {
      out += c;
    }
  }
  return out;
}

// Undoes encode; a '%' not followed by two hex digits stands for itself.
std::string decode(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && hex_value(text[i + 1]) >= 0 && hex_value(text[i + 2]) >= 0) {
      out += static_cast<char>(hex_value(text[i + 1]) * 16 + hex_value(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string encode_name(std::string_view name) { return encode(name, "=", "[#;"); }

bool same_name(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) { return lower(x) == lower(y); });
}

bool is_comment(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos || line.front() == '#' || line.front() == ';';
}

// The key a section line opens, still encoded, or nothing for other lines.
std::optional<std::string_view> section_of(std::string_view line) {
  if (line.size() < 2 || line.front() != '[' || line.back() != ']') return std::nullopt;
  return line.substr(1, line.size() - 2);
}

}  // namespace

settings_text::settings_text(std::string_view text) {
  if (text.ends_with('\n')) text.remove_suffix(1);
  if (text.empty()) return;
  for (;;) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines_.emplace_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
}

std::optional<std::size_t> settings_text::find_section(std::string_view key) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (const auto section = section_of(lines_[i]); section && same_name(decode(*section), key)) return i;
  }
  return std::nullopt;
}

settings_text::position settings_text::find_value(std::size_t section, std::string_view name) const {
  position found;
  std::size_t i = section + 1;
  for (; i < lines_.size() && !section_of(lines_[i]); ++i) {
    const std::string& line = lines_[i];
    const std::size_t equals = line.find('=');
    if (is_comment(line) || equals == std::string::npos) continue;
    if (!found.value_line && same_name(decode(std::string_view(line).substr(0, equals)), name)) found.value_line = i;
  }
  // New values go after the section's last line that is not blank.
  while (i > section + 1 && lines_[i - 1].find_first_not_of(" \t") == std::string::npos) --i;
  found.section_end = i;
  return found;
}

bool settings_text::has_key(std::string_view key) const { return find_section(key).has_value(); }

std::optional<std::string> settings_text::value(std::string_view key, std::string_view name) const {
  const auto section = find_section(key);
  if (!section) return std::nullopt;
  const auto line = find_value(*section, name).value_line;
  if (!line) return std::nullopt;
  const std::string& text = lines_[*line];
  return decode(std::string_view(text).substr(text.find('=') + 1));
}

void settings_text::set_value(std::string_view key, std::string_view name, std::string_view value) {
  const std::string line = encode_name(name) + '=' + encode(value);
  const auto section = find_section(key);
  if (!section) {
    if (!lines_.empty() && !lines_.back().empty()) lines_.emplace_back();
    lines_.push_back('[' + encode(key) + ']');
    lines_.push_back(line);
    return;
  }
  const position found = find_value(*section, name);
  if (found.value_line) {
    lines_[*found.value_line] = line;
  } else {
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(found.section_end), line);
  }
}

std::string settings_text::text() const {
  std::string out;
  for (const std::string& line : lines_) {
    out += line;
    out += '\n';
  }
  return out;
}

}  // namespace installer
