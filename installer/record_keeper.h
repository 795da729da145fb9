#pragma once
// Keeps one record per machine (Windows) or user (Linux) when an
// installation succeeds, whatever was installed before:
// - a reinstall or a newer pack into the same folder: the files of the old
//   record that the new pack no longer has are removed when unchanged (as a
//   removal would), and the record then names the new pack's files and every
//   directory either installation created that is still in use;
// - an installation into another folder moves the installation: the first
//   folder's unchanged files and the directories they leave empty are
//   removed, its changed files stay as the user's, and the record names the
//   new folder only. What could not be removed there is named in the log and
//   no longer recorded (one record names one folder).
// A failed run never comes here: the previous record stays as it was, so a
// removal after it keeps, as changed, any file the failed run rewrote with
// other bytes, and removes those it rewrote identically.

#include <string>
#include <vector>

#include "hbsdk/filesystem/file_path.h"
#include "installer/installation_record.h"
#include "installer/pack_removal.h"

namespace installer {

class install_log;

struct record_update {
  bool had_record = false;
  removal_report superseded;  // the removal of what the new installation no longer covers
  bool written = false;
  std::string error;  // why an old record was not read, or empty
};

// Reads the record in file, removes its superseded part, and writes the
// merged record. Never throws but for memory.
record_update update_installation_record(const hbsdk::filesystem::file_path& file,
                                         const installation_record& installed);

// The log lines for an update: what was removed and what was kept.
std::vector<std::string> describe(const record_update& update);

}  // namespace installer
