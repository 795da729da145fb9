#include "installer/failure_reason.h"

#include "installer/disk_full.h"
#include "installer/install_status.h"
#include "installer/payload/extract_code.h"

namespace installer {

namespace {

constexpr std::int32_t bad_target = to_int(extract_code::bad_target);
constexpr std::int32_t out_of_memory = to_int(extract_code::out_of_memory);
constexpr std::int32_t link_in_the_way = to_int(extract_code::link_in_the_way);
constexpr std::int32_t cannot_open_output = to_int(extract_code::cannot_open_output);
constexpr std::int32_t write_failed = to_int(extract_code::write_failed);
constexpr std::int32_t inflate_init_failed = to_int(extract_code::inflate_init_failed);

std::string with_name(std::string sentence, const std::string& name) {
  if (!name.empty()) sentence += ": " + name;
  return sentence + ".";
}

}  // namespace

failure_kind classify_failure(std::int32_t status, std::int32_t extraction_code, std::int32_t system_error,
                              bool destination_usable) noexcept {
  if (status == install_status::succeeded) return failure_kind::none;
  if (status == install_status::payload_missing) return failure_kind::damaged_payload;
  switch (extraction_code) {
    case bad_target: return failure_kind::bad_destination;
    case link_in_the_way: return failure_kind::link_refused;
    case cannot_open_output:
    case write_failed:
      if (is_disk_full_error(system_error)) return failure_kind::disk_full;
      return destination_usable ? failure_kind::cannot_write : failure_kind::bad_destination;
    // Memory for a path or for the inflate stream ran out: nothing is wrong
    // with the pack, and the files could not be written.
    case out_of_memory:
    case inflate_init_failed: return failure_kind::cannot_write;
    default: return failure_kind::damaged_payload;  // every other code is a fault in the archive's bytes
  }
}

std::string failure_reason(const install_outcome& outcome) {
  switch (outcome.kind) {
    case failure_kind::none: return {};
    case failure_kind::disk_full: return "The disk is full.";
    case failure_kind::cannot_write:
      if (outcome.extraction_code == out_of_memory || outcome.extraction_code == inflate_init_failed) {
        return "There was not enough memory to write the files.";
      }
      return with_name("A file in the folder could not be written", outcome.name);
    case failure_kind::link_refused: return with_name("A link in the folder was refused", outcome.name);
    case failure_kind::damaged_payload: return "The installer file is damaged. Download it again.";
    case failure_kind::bad_destination:
      if (outcome.extraction_code == bad_target) return "The folder is not a complete path.";
      return "The folder does not exist or cannot be used.";
  }
  return {};
}

std::string outcome_line(const install_outcome& outcome) {
  std::string line = "outcome: status " + std::to_string(outcome.status);
  if (outcome.kind == failure_kind::none) return line + ", installed";
  line += ", extraction code " + std::to_string(outcome.extraction_code);
  if (outcome.system_error != 0) line += ", system error " + std::to_string(outcome.system_error);
  return line + ", " + failure_reason(outcome);
}

}  // namespace installer
