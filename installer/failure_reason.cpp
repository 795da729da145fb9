#include "installer/failure_reason.h"

namespace installer {

std::string failure_reason(const install_outcome& outcome) {
  switch (outcome.kind) {
    case failure_kind::none:
      return "";
    case failure_kind::disk_full:
      return "The disk is full.";
    case failure_kind::cannot_write:
      return outcome.name.empty() ? "A file in the folder could not be written."
                                  : "The file " + outcome.name + " in the folder could not be written.";
    case failure_kind::link_refused:
      return "A link in the folder was refused.";
    case failure_kind::damaged_payload:
      return "The installer file is damaged; download it again.";
    case failure_kind::bad_destination:
      return "The folder does not exist.";
  }
  return "";
}

}  // namespace installer
