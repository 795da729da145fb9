#pragma once
// Gives one test the settings store to itself, with no asset library value in
// it. On Linux the store is a fresh file in a temporary folder (named through
// HB_SETTINGS_FILE); on Windows it is the real registry of the machine (under
// Wine, of its prefix), whose value is saved and removed at the start and put
// back, or removed again, at the end.

#include <memory>

namespace installer::testing {

class settings_sandbox {
public:
  settings_sandbox();
  ~settings_sandbox();
  settings_sandbox(const settings_sandbox&) = delete;
  settings_sandbox& operator=(const settings_sandbox&) = delete;

private:
  struct saved;
  std::unique_ptr<saved> saved_;
};

}  // namespace installer::testing
