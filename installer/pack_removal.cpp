#include "installer/pack_removal.h"

#include <algorithm>
#include <array>
#include <set>

#include <zlib.h>

#include "hbsdk/filesystem/input_file.h"
#include "hbsdk/filesystem/path_kind.h"
#include "hbsdk/filesystem/same_folder.h"
#include "installer/payload/archive_name.h"
#include "installer/payload/target_folder.h"

namespace installer {

namespace fs = hbsdk::filesystem;

namespace {

enum class check { unchanged, changed, failed };

// Compares the open file with its record: size and time first (cheap), then
// the checksum of every byte.
check compare(fs::input_file& file, const recorded_file& recorded) {
  const auto state = file.state();
  if (!state) return check::failed;
  if (state->size != recorded.size || state->last_write != recorded.last_write) return check::changed;
  std::array<std::uint8_t, 64 * 1024> buffer{};
  uLong crc = ::crc32(0L, Z_NULL, 0);
  for (;;) {
    const auto count = file.read(buffer.data(), buffer.size());
    if (!count) return check::failed;
    if (*count == 0) break;
    crc = ::crc32(crc, buffer.data(), static_cast<uInt>(*count));
  }
  return static_cast<std::uint32_t>(crc) == recorded.crc32 ? check::unchanged : check::changed;
}

std::size_t depth(const std::string& name) { return static_cast<std::size_t>(std::count(name.begin(), name.end(), '/')); }

class remover {
public:
  explicit remover(const installation_record& record) : record_(record), target_(record.target) {
    report_.remaining.version = record.version;
    report_.remaining.target = record.target;
  }

  removal_report run() {
    for (const recorded_file& file : record_.files) remove_file(file);
    std::vector<std::string> directories = record_.directories;
    std::stable_sort(directories.begin(), directories.end(),
                     [](const std::string& a, const std::string& b) { return depth(a) > depth(b); });
    for (const std::string& directory : directories) remove_directory(directory);
    // The directories that stay recorded, parents first as in a record.
    std::reverse(report_.remaining.directories.begin(), report_.remaining.directories.end());
    return std::move(report_);
  }

private:
  void keep(const recorded_file& file, std::string reason) {
    report_.failed.push_back({file.name, std::move(reason)});
    report_.remaining.files.push_back(file);
  }

  // Whether a folder below the target that could not be entered is simply
  // not there (then neither is anything of the record inside it). Only
  // looks; nothing is done through the path.
  bool folder_missing(std::u16string_view folder) const {
    return fs::kind_of(fs::join(record_.target, fs::file_path(folder))) == fs::path_kind::unknown;
  }

  void remove_file(const recorded_file& file) {
    fs::file_path relative;
    if (archive_name_to_path(file.name, relative) != extract_code::ok) {
      keep(file, "its name cannot stand below the folder");
      return;
    }
    const relative_parts parts = split_relative(relative);
    const target_folder::entered parent = target_.enter(parts.folder);
    if (parent.folder == nullptr) {
      if (parent.result == fs::open_result::link) {
        report_.links.push_back(file.name);
      } else if (!folder_missing(parts.folder)) {
        keep(file, "its folder cannot be opened");
      }
      return;
    }
    fs::input_file opened;
    switch (opened.open_in(*parent.folder, parts.leaf)) {
      case fs::open_result::link: report_.links.push_back(file.name); return;
      case fs::open_result::failed:
        if (!opened.missing()) keep(file, "it is in use or cannot be read");
        return;
      case fs::open_result::opened: break;
    }
    switch (compare(opened, file)) {
      case check::changed: report_.changed.push_back(file.name); return;
      case check::failed: keep(file, "it cannot be read"); return;
      case check::unchanged: break;
    }
    const auto state = opened.state();
    if (state && state->read_only) {
      keep(file, "it is read-only");
      return;
    }
    switch (opened.remove()) {
      case fs::remove_result::removed: ++report_.removed_files; return;
      case fs::remove_result::missing: return;
      case fs::remove_result::link: report_.links.push_back(file.name); return;
      case fs::remove_result::not_empty:
      case fs::remove_result::failed: keep(file, "it is in use or the system refused to remove it"); return;
    }
  }

  void remove_directory(const std::string& name) {
    fs::file_path relative;
    if (archive_name_to_path(name, relative) != extract_code::ok) return;
    const relative_parts parts = split_relative(relative);
    target_.release();  // no handle of ours may hold the directory
    const target_folder::entered parent = target_.enter(parts.folder);
    if (parent.folder == nullptr) {
      if (parent.result == fs::open_result::link) report_.links.push_back(name);
      return;
    }
    switch (fs::remove_directory_in(*parent.folder, parts.leaf)) {
      case fs::remove_result::removed: ++report_.removed_directories; return;
      case fs::remove_result::missing: return;
      case fs::remove_result::link: report_.links.push_back(name); return;
      case fs::remove_result::not_empty:
      case fs::remove_result::failed:
        // Still recorded only while it holds a file that is: other things
        // left in it (the user's, changed files) make it the user's folder.
        if (holds_remaining(name)) report_.remaining.directories.push_back(name);
        return;
    }
  }

  bool holds_remaining(const std::string& directory) const {
    const std::string prefix = directory + "/";
    return std::any_of(report_.remaining.files.begin(), report_.remaining.files.end(),
                       [&](const recorded_file& file) { return file.name.starts_with(prefix); });
  }

  const installation_record& record_;
  target_folder target_;
  removal_report report_;
};

}  // namespace

removal_report remove_installation(const installation_record& record) {
  if (record.target.empty() || !fs::is_absolute(record.target)) {
    removal_report report;
    report.remaining = record;
    for (const recorded_file& file : record.files) report.failed.push_back({file.name, "the folder is not absolute"});
    return report;
  }
  return remover(record).run();
}

bool same_target(const fs::file_path& left, const fs::file_path& right) {
  return left == right || fs::same_folder(left, right);
}

installation_record superseded_part(const installation_record& old, const installation_record& installed) {
  if (!same_target(old.target, installed.target)) return old;
  installation_record part;
  part.version = old.version;
  part.target = old.target;
  // A directory is still covered when the new pack has anything inside it
  // (it found the directory there, so it did not record it as created).
  std::set<std::string> files;
  std::set<std::string> folders(installed.directories.begin(), installed.directories.end());
  const auto add_parents = [&](const std::string& name) {
    for (std::size_t slash = name.find('/'); slash != std::string::npos; slash = name.find('/', slash + 1)) {
      folders.insert(name.substr(0, slash));
    }
  };
  for (const recorded_file& file : installed.files) {
    files.insert(file.name);
    add_parents(file.name);
  }
  for (const std::string& directory : installed.directories) add_parents(directory);
  for (const recorded_file& file : old.files) {
    if (!files.contains(file.name)) part.files.push_back(file);
  }
  for (const std::string& directory : old.directories) {
    if (!folders.contains(directory)) part.directories.push_back(directory);
  }
  return part;
}

}  // namespace installer
