#include "installer/posix/user_dirs.h"

namespace installer {
namespace {

constexpr std::string_view documents_variable = "XDG_DOCUMENTS_DIR";

// The text between the double quotes of value, each backslash escape undone,
// or nothing when value is not one quoted string.
std::optional<std::string> unquote(std::string_view value) {
  if (value.size() < 2 || value.front() != '"') return std::nullopt;
  std::string text;
  for (std::size_t i = 1; i < value.size(); ++i) {
    const char c = value[i];
    if (c == '"') {
      const std::string_view rest = value.substr(i + 1);
      if (rest.find_first_not_of(" \t\r") != std::string_view::npos) return std::nullopt;
      return text;
    }
    if (c == '\\' && i + 1 < value.size()) ++i;  // an escaped character stands for itself
    text.push_back(value[i]);
  }
  return std::nullopt;  // no closing quote
}

std::optional<std::string> expand_home(const std::string& path, std::string_view home) {
  constexpr std::string_view home_variable = "$HOME";
  if (path.starts_with('/')) return path;
  if (home.empty()) return std::nullopt;
  if (path == home_variable) return std::string(home);
  if (!path.starts_with("$HOME/")) return std::nullopt;
  // A home of "/" must not give "//x".
  while (home.ends_with('/')) home.remove_suffix(1);
  return std::string(home) + path.substr(home_variable.size());
}

}  // namespace

std::optional<std::string> documents_dir_from_user_dirs(std::string_view text, std::string_view home) {
  std::optional<std::string> found;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);

    line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
    if (!line.starts_with(documents_variable)) continue;
    line.remove_prefix(documents_variable.size());
    if (!line.starts_with('=')) continue;
    const auto path = unquote(line.substr(1));
    if (!path) continue;
    if (auto expanded = expand_home(*path, home)) found = std::move(expanded);
  }
  return found;
}

}  // namespace installer
