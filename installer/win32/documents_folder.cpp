// The Documents folder on Windows: the shell's personal folder.
#include "installer/documents_folder.h"

#include <windows.h>
#include <shlobj.h>

#include "hbsdk/filesystem/win32/win32_path.h"

namespace installer {

hbsdk::filesystem::file_path documents_folder() {
  wchar_t buffer[MAX_PATH] = {};
  if (SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, buffer) != S_OK) return {};
  return hbsdk::filesystem::from_win32(buffer);
}

}  // namespace installer
