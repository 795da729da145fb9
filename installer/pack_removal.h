#pragma once
// Removes what an installation record names below its target folder, and
// nothing else. A file goes only when it is unchanged since it was installed
// (same size, last-write time and CRC-32); a changed one is the user's now
// and stays. Directories go, deepest first, only when they were created by
// the installation and end empty. The target is walked the way extraction
// walks it (target_folder): by handle, one level at a time, never through a
// link; a link in the way is reported and left alone. A file that cannot be
// removed (in use, read-only, refused) is reported and kept, never forced,
// and stays in the record that is left, so the removal can run again.

#include <cstdint>
#include <string>
#include <vector>

#include "installer/installation_record.h"

namespace installer {

struct kept_file {
  std::string name;    // relative to the target, slash separators
  std::string reason;  // in plain words
};

struct removal_report {
  std::uint32_t removed_files = 0;
  std::uint32_t removed_directories = 0;
  std::vector<std::string> changed;  // kept: changed since they were installed, no longer recorded
  std::vector<std::string> links;    // kept: a link stands at the name or on the way to it
  std::vector<kept_file> failed;     // kept and still recorded: could not be removed
  // What is still installed: the failed files and the recorded directories
  // that hold them. Empty when the removal is complete.
  installation_record remaining;

  bool complete() const noexcept { return remaining.empty(); }
};

// Removes the files and directories of record below record.target.
// remaining keeps record's version and target. Never throws but for memory.
removal_report remove_installation(const installation_record& record);

// The part of old that a new installation no longer covers: with the same
// target (the same folder however spelled), old's files and directories that
// installed does not name; with another target, all of old (the installation moves, see record_keeper.h).
// A directory of old stays covered while the new installation has anything
// inside it.
installation_record superseded_part(const installation_record& old, const installation_record& installed);

// Whether two targets are one folder, however spelled (case, a trailing
// separator, a link on the way): taking the same folder for another would
// remove the files just installed there.
bool same_target(const hbsdk::filesystem::file_path& left, const hbsdk::filesystem::file_path& right);

}  // namespace installer
