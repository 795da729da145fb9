#include "installer/system_account.h"

#include <windows.h>

#include <vector>

namespace installer {

bool running_as_system_account() {
  HANDLE token = nullptr;
  if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token) == FALSE) return false;
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  std::vector<unsigned char> buffer(size);
  bool system = false;
  if (size > 0 && GetTokenInformation(token, TokenUser, buffer.data(), size, &size) != FALSE) {
    const auto* user = reinterpret_cast<const TOKEN_USER*>(buffer.data());
    system = IsWellKnownSid(user->User.Sid, WinLocalSystemSid) != FALSE;
  }
  CloseHandle(token);
  return system;
}

}  // namespace installer
