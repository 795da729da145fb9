#pragma once
// The held test build's observer of a run: it passes everything on to the
// tracker as the installer's does and, once the tracker counts one of the
// given numbers of files done, waits for as long as that point's hold file
// exists ("<hold file>-<files>"). A test takes screenshots of the wizard
// while the run stands still there, then deletes the file.

#include <cstdint>
#include <filesystem>
#include <set>
#include <string_view>

#include "installer/tracker_observer.h"

namespace installer_tests {

class held_observer final : public installer::tracker_observer {
public:
  held_observer(installer::install_tracker& tracker, std::filesystem::path hold_file, std::set<std::uint32_t> points);

  // "40,100" -> {40, 100}; anything that is not a number is left out.
  static std::set<std::uint32_t> parse_points(std::string_view text);

  void completed() override;

private:
  std::filesystem::path hold_file_;
  std::set<std::uint32_t> points_;
};

}  // namespace installer_tests
