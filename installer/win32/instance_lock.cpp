#include "installer/instance_lock.h"

#include <windows.h>


namespace installer {

instance_lock::~instance_lock() {
  if (handle_ != -1) CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

instance_lock::state instance_lock::acquire() {
  HANDLE mutex = CreateMutexW(nullptr, FALSE, L"Global\\TidewaterKitPackInstaller");
  const DWORD error = GetLastError();
  if (mutex == nullptr) {
    // A mutex of that name made by another user (or elevated) may refuse us.
    return error == ERROR_ACCESS_DENIED ? state::held : state::unavailable;
  }
  if (error == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    return state::held;
  }
  handle_ = reinterpret_cast<std::intptr_t>(mutex);
  return state::acquired;
}

// Windows raises the running wizard from the second start itself, found by
// its title (installer/win32/main.cpp): no holder is asked.
bool instance_lock::summon_holder() { return false; }

bool instance_lock::summoned() { return false; }

}  // namespace installer
