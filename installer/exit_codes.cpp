#include "installer/exit_codes.h"

namespace installer {

int exit_code(exit_reason reason, exit_platform platform) noexcept {
  for (const exit_code_row& row : exit_code_table) {
    if (row.reason == reason) return platform == exit_platform::windows ? row.windows_code : row.linux_code;
  }
  return platform == exit_platform::windows ? 1603 : 1;
}

exit_reason exit_reason_for(failure_kind kind) noexcept {
  switch (kind) {
    case failure_kind::none:
      return exit_reason::success;
    case failure_kind::disk_full:
      return exit_reason::disk_full;
    case failure_kind::cannot_write:
      return exit_reason::cannot_write;
    case failure_kind::link_refused:
      return exit_reason::link_refused;
    case failure_kind::damaged_payload:
      return exit_reason::damaged_payload;
    case failure_kind::bad_destination:
      return exit_reason::bad_destination;
  }
  return exit_reason::cannot_run;
}

}  // namespace installer
