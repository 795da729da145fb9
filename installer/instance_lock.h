#pragma once
// One installation at a time: the lock an installing instance holds while it
// lives. Windows: the named mutex "Global\TidewaterKitPackInstaller" (one per
// machine). Linux: an flock on the file beside the settings file (its name
// plus ".lock"), so per user, and tests redirect it with HB_SETTINGS_FILE.

#include <cstdint>

namespace installer {

class instance_lock {
public:
  enum class state {
    acquired,     // this instance holds the lock
    held,         // another instance holds it
    unavailable,  // no lock could be made; the run goes on without one
  };

  instance_lock() = default;
  ~instance_lock();
  instance_lock(const instance_lock&) = delete;
  instance_lock& operator=(const instance_lock&) = delete;

  state acquire();

private:
  std::intptr_t handle_ = -1;
};

}  // namespace installer
