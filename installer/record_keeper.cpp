#include "installer/record_keeper.h"

#include <algorithm>

#include "installer/record_file.h"

namespace installer {

namespace {

void add_missing(std::vector<std::string>& list, const std::string& name) {
  if (std::find(list.begin(), list.end(), name) == list.end()) list.push_back(name);
}

std::size_t depth(const std::string& name) { return static_cast<std::size_t>(std::count(name.begin(), name.end(), '/')); }

}  // namespace

record_update update_installation_record(const hbsdk::filesystem::file_path& file,
                                         const installation_record& installed) {
  record_update update;
  installation_record merged = installed;
  const record_read old = read_record_file(file);
  if (old.outcome == record_read::result::failed) update.error = old.error;
  if (old.outcome == record_read::result::read) {
    update.had_record = true;
    const installation_record part = superseded_part(old.record, installed);
    update.superseded = remove_installation(part);
    if (same_target(old.record.target, installed.target)) {
      // Directories the old installation created that the new one still
      // uses (it found them there) stay recorded as created.
      for (const std::string& directory : old.record.directories) {
        if (std::find(part.directories.begin(), part.directories.end(), directory) == part.directories.end()) {
          add_missing(merged.directories, directory);
        }
      }
      for (const std::string& directory : update.superseded.remaining.directories) add_missing(merged.directories, directory);
      for (const recorded_file& kept : update.superseded.remaining.files) merged.files.push_back(kept);
      std::stable_sort(merged.directories.begin(), merged.directories.end(),
                       [](const std::string& a, const std::string& b) { return depth(a) < depth(b); });
    }
  }
  update.written = write_record_file(file, merged);
  return update;
}

std::vector<std::string> describe(const record_update& update) {
  std::vector<std::string> lines;
  if (!update.error.empty()) lines.push_back("The previous record was not used: " + update.error);
  const removal_report& report = update.superseded;
  if (update.had_record) {
    lines.push_back("Files of the previous installation no longer installed, removed: " +
                    std::to_string(report.removed_files));
  }
  for (const std::string& name : report.changed) lines.push_back("Kept, changed since installed: " + name);
  for (const std::string& name : report.links) lines.push_back("Kept, a link stands in the way: " + name);
  for (const kept_file& kept : report.failed) lines.push_back("Kept, " + kept.reason + ": " + kept.name);
  lines.push_back(update.written ? "The record of the installation was written."
                                 : "The record of the installation could not be written.");
  return lines;
}

}  // namespace installer
