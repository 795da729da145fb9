#include "installer/record_file.h"

#include <filesystem>
#include <system_error>

#include "hbsdk/filesystem/directory_handle.h"
#include "hbsdk/filesystem/file_ops.h"
#include "hbsdk/filesystem/input_file.h"
#include "hbsdk/filesystem/path_kind.h"
#include "hbsdk/filesystem/std_path.h"

namespace installer {

namespace fs = hbsdk::filesystem;

namespace {

// A record is small; anything larger than this is not one.
constexpr std::size_t largest_record = 256u << 20;

struct split_path {
  fs::file_path folder;
  std::u16string name;
};

std::optional<split_path> split(const fs::file_path& file) {
  if (!fs::is_absolute(file)) return std::nullopt;
  const std::u16string& text = file.text();
  const std::size_t cut = text.rfind(u'\\');
  if (cut == std::u16string::npos || cut + 1 == text.size()) return std::nullopt;
  std::u16string folder = text.substr(0, cut);
  // A root keeps its backslash ("\" or "C:\").
  if (folder.empty() || folder.back() == u':') folder.push_back(u'\\');
  return split_path{fs::file_path(std::u16string_view(folder)), text.substr(cut + 1)};
}

}  // namespace

record_read read_record_file(const fs::file_path& file) {
  record_read read;
  const auto parts = split(file);
  if (!parts) {
    read.error = "The record's place is not an absolute path.";
    return read;
  }
  fs::directory_handle folder;
  if (!folder.open(parts->folder)) {
    read.outcome = fs::kind_of(parts->folder) == fs::path_kind::unknown ? record_read::result::missing
                                                                         : record_read::result::failed;
    read.error = "The record's folder cannot be opened.";
    return read;
  }
  fs::input_file input;
  const fs::open_result opened = input.open_in(folder, parts->name);
  if (opened != fs::open_result::opened) {
    if (opened == fs::open_result::failed && input.missing()) {
      read.outcome = record_read::result::missing;
      return read;
    }
    read.error = opened == fs::open_result::link ? "A link stands where the record should be."
                                                 : "The record cannot be opened.";
    return read;
  }
  std::string text;
  char buffer[16 * 1024];
  for (;;) {
    const auto count = input.read(reinterpret_cast<std::uint8_t*>(buffer), sizeof buffer);
    if (!count) {
      read.error = "The record cannot be read.";
      return read;
    }
    if (*count == 0) break;
    text.append(buffer, *count);
    if (text.size() > largest_record) {
      read.error = "The record is too large to be one.";
      return read;
    }
  }
  auto record = parse_record(text, read.error);
  if (!record) return read;
  read.record = std::move(*record);
  read.outcome = record_read::result::read;
  return read;
}

bool write_record_file(const fs::file_path& file, const installation_record& record) {
  if (record.empty()) return remove_record_file(file);
  const auto parts = split(file);
  if (!parts) return false;
  std::error_code ignored;
  std::filesystem::create_directories(fs::to_std_path(parts->folder), ignored);
  fs::directory_handle folder;
  if (!folder.open(parts->folder)) return false;
  const std::string text = format_record(record);
  const std::u16string temporary = parts->name + u".new";
  fs::output_file output;
  if (output.open_in(folder, temporary) != fs::open_result::opened) return false;
  const bool written = output.write(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()) &&
                       output.sync() && output.close();
  if (written && fs::rename_in(folder, temporary, parts->name)) return true;
  (void)output.close();
  fs::input_file left;
  if (left.open_in(folder, temporary) == fs::open_result::opened) (void)left.remove();
  return false;
}

bool remove_record_file(const fs::file_path& file) {
  const auto parts = split(file);
  if (!parts) return false;
  fs::directory_handle folder;
  if (!folder.open(parts->folder)) return fs::kind_of(parts->folder) == fs::path_kind::unknown;
  fs::input_file input;
  const fs::open_result opened = input.open_in(folder, parts->name);
  if (opened != fs::open_result::opened) return opened == fs::open_result::failed && input.missing();
  const fs::remove_result removed = input.remove();
  return removed == fs::remove_result::removed || removed == fs::remove_result::missing;
}

}  // namespace installer
