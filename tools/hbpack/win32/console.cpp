#include "tools/hbpack/console.h"

#include <windows.h>
#include <shellapi.h>
#include <io.h>

#include <cstdio>

#include "hbsdk/filesystem/encoding.h"

namespace hbpack {

std::vector<std::string> utf8_arguments(int /*argc*/, char** /*argv*/) {
  // argv is in the ANSI code page; the wide command line holds every name.
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  if (wide == nullptr) return arguments;
  for (int i = 1; i < count; ++i) {
    arguments.push_back(hbsdk::filesystem::to_utf8(reinterpret_cast<const char16_t*>(wide[i])));
  }
  LocalFree(wide);
  return arguments;
}

bool stderr_is_terminal() { return _isatty(_fileno(stderr)) != 0; }

}  // namespace hbpack
