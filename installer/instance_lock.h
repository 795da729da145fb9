#pragma once
// One installation at a time: the lock an installing instance holds while it
// lives. Windows: the named mutex "Global\TidewaterKitPackInstaller" (one per
// machine). Linux: an flock on the file beside the settings file (its name
// plus ".lock"), so per user, and tests redirect it with HB_SETTINGS_FILE.
//
// A second start that finds the lock held can ask the holder to bring its
// wizard to the front (summon_holder); the holder's wizard asks summoned now
// and then and raises itself when it was asked. Linux: the holder keeps a
// FIFO of its own beside the lock (the lock's name plus ".fifo", mode 0600,
// made afresh when the lock is taken, removed with it); a second start writes
// one byte into it, only when the FIFO is there, has a reader and belongs to
// the same user. Windows raises the running wizard from the second start
// itself (its window is found by title, installer/win32/main.cpp), so there
// summon_holder and summoned are always false.

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

  // (A second start) Asks the instance holding the lock to bring its wizard
  // to the front. False when no holder could be asked.
  bool summon_holder();
  // (The holder) Whether a second start asked for the wizard since the last
  // call; never blocks.
  bool summoned();

private:
  std::intptr_t handle_ = -1;
  std::intptr_t summons_ = -1;  // Linux: the read end of the holder's FIFO
};

}  // namespace installer
