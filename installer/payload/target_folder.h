#pragma once
// The target folder as extraction reaches below it. The folder itself is
// opened once by its path, and links that lead to it are followed (a
// Documents folder redirected elsewhere is normal). Everything below it is
// reached one level at a time from that handle and never through a symbolic
// link, junction or other reparse point: one standing in the way ends the run
// with link_in_the_way, and nothing is created, entered or written through it;
// neither is a file that has other hard links written.
// Since every step starts from a handle already held, a link swapped in while
// the run goes on cannot redirect it either. The folder that holds the latest
// file stays open, because files come grouped by folder.

#include <cstdint>
#include <string>
#include <string_view>

#include "hbsdk/filesystem/directory_handle.h"
#include "hbsdk/filesystem/file_ops.h"
#include "hbsdk/filesystem/file_path.h"
#include "installer/payload/extract_code.h"

namespace installer {

class target_folder {
public:
  // Opens the folder; a failure shows later, as directories that cannot be
  // made and files that cannot be opened.
  explicit target_folder(const hbsdk::filesystem::file_path& path);

  // Creates the last level of a relative path (from archive_name_to_path),
  // whose parents must exist: ok also when it cannot be made, as its files
  // then fail to open; link_in_the_way when a link stands at any level.
  // created tells whether this call made it (it was not there before).
  extract_code make_directory(const hbsdk::filesystem::file_path& relative, bool* created = nullptr);

  // Opens a relative path for writing, creating or truncating the file:
  // cannot_open_output when it or its folder cannot be opened,
  // link_in_the_way when a link stands at any level or the file has other
  // hard links.
  extract_code open_file(const hbsdk::filesystem::file_path& relative, hbsdk::filesystem::output_file& file);

  // The open directory for a relative folder ("" is the target itself;
  // levels separated by backslashes), or what stopped the walk to it (then
  // folder is null). The folder stays valid until the next call.
  struct entered {
    const hbsdk::filesystem::directory_handle* folder = nullptr;
    hbsdk::filesystem::open_result result = hbsdk::filesystem::open_result::failed;
  };
  entered enter(std::u16string_view folder);

  // Closes the folder kept open since the last enter, so that it can be
  // removed (Windows removes a directory only once no handle holds it).
  void release() noexcept;

private:
  hbsdk::filesystem::directory_handle root_;
  std::u16string kept_name_;
  hbsdk::filesystem::directory_handle kept_;  // the folder last entered, by its relative name
};

}  // namespace installer
