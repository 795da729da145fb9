#include "installer/installation_record.h"

#include <charconv>
#include <cstdio>

#include "hbsdk/filesystem/display_text.h"

namespace installer {

namespace {

std::string escaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    if (c == '%') {
      out += "%25";
    } else if (c == '\n') {
      out += "%0A";
    } else if (c == '\r') {
      out += "%0D";
    } else {
      out.push_back(c);
    }
  }
  return out;
}

std::optional<std::string> unescaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out.push_back(text[i]);
      continue;
    }
    const std::string_view code = text.substr(i + 1, 2);
    if (code == "25") {
      out.push_back('%');
    } else if (code == "0A") {
      out.push_back('\n');
    } else if (code == "0D") {
      out.push_back('\r');
    } else {
      return std::nullopt;
    }
    i += 2;
  }
  return out;
}

// Splits off the first space-separated word of rest.
std::string_view take_word(std::string_view& rest) {
  const std::size_t space = rest.find(' ');
  const std::string_view word = rest.substr(0, space);
  rest = space == std::string_view::npos ? std::string_view() : rest.substr(space + 1);
  return word;
}

template <class Number>
bool read_number(std::string_view word, Number& value, int base = 10) {
  if (word.empty()) return false;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value, base);
  return error == std::errc() && end == word.data() + word.size();
}

}  // namespace

std::string format_record(const installation_record& record) {
  std::string text(record_format_line);
  text += "\nversion " + escaped(record.version) + "\n";
  text += "target " + escaped(hbsdk::filesystem::display_text(record.target)) + "\n";
  for (const std::string& directory : record.directories) text += "directory " + escaped(directory) + "\n";
  for (const recorded_file& file : record.files) {
    char crc[9];
    std::snprintf(crc, sizeof crc, "%08x", static_cast<unsigned>(file.crc32));
    text += "file " + std::to_string(file.size) + " " + std::to_string(file.last_write) + " " + crc + " " +
            escaped(file.name) + "\n";
  }
  return text;
}

std::optional<installation_record> parse_record(std::string_view text, std::string& error) {
  installation_record record;
  bool first = true;
  bool has_target = false;
  std::size_t number = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) {
      error = "The record ends in the middle of a line.";
      return std::nullopt;
    }
    std::string_view rest = text.substr(0, end);
    text.remove_prefix(end + 1);
    ++number;
    const auto bad = [&](const char* what) {
      error = "Line " + std::to_string(number) + " of the record " + what + ".";
      return std::nullopt;
    };
    if (first) {
      if (rest != record_format_line) {
        error = "The record is not in a format this installer reads.";
        return std::nullopt;
      }
      first = false;
      continue;
    }
    const std::string_view kind = take_word(rest);
    if (kind == "file") {
      recorded_file file;
      if (!read_number(take_word(rest), file.size) || !read_number(take_word(rest), file.last_write)) {
        return bad("has no valid size and time");
      }
      const std::string_view crc = take_word(rest);
      if (crc.size() != 8 || !read_number(crc, file.crc32, 16)) return bad("has no valid checksum");
      auto name = unescaped(rest);
      if (!name || name->empty()) return bad("names no file");
      file.name = std::move(*name);
      record.files.push_back(std::move(file));
      continue;
    }
    auto value = unescaped(rest);
    if (!value) return bad("holds a malformed escape");
    if (kind == "version") {
      record.version = std::move(*value);
    } else if (kind == "target" && !value->empty()) {
      try {
        record.target = hbsdk::filesystem::file_path(std::string_view(*value));
      } catch (const std::exception&) {
        return bad("names a target that is not UTF-8");
      }
      has_target = true;
    } else if (kind == "directory" && !value->empty()) {
      record.directories.push_back(std::move(*value));
    } else {
      return bad("is not understood");
    }
  }
  if (first || !has_target) {
    error = first ? "The record is empty." : "The record names no target folder.";
    return std::nullopt;
  }
  return record;
}

}  // namespace installer
