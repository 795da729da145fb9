// The record on Windows lives beside the uninstaller under Program Files,
// which only an administrator can write; no variable moves it, since the
// elevated installer must not write where the user's environment points.
#include "installer/record_location.h"

#include <windows.h>
#include <shlobj.h>

#include "hbsdk/filesystem/win32/win32_path.h"

namespace installer {

std::optional<hbsdk::filesystem::file_path> record_file_location() {
  PWSTR folder = nullptr;
  if (SHGetKnownFolderPath(FOLDERID_ProgramFiles, 0, nullptr, &folder) != S_OK) {
    CoTaskMemFree(folder);
    return std::nullopt;
  }
  const hbsdk::filesystem::file_path base = hbsdk::filesystem::from_win32(folder);
  CoTaskMemFree(folder);
  return hbsdk::filesystem::join(base, hbsdk::filesystem::file_path(u"Halbrook\\Tidewater Kit Pack\\installation.record"));
}

}  // namespace installer
