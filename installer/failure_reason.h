#pragma once
// Why a run failed, as a class a person or a deployment tool can act on and
// as plain words for the failure question and the log.

#include <cstdint>
#include <string>

#include "installer/install_outcome.h"

namespace installer {

// The class of a run's failure from its final status (2, 100, or ten times
// the extraction code), its extraction code, the system's error beside it
// and whether the destination could be opened as a folder afterwards. A
// file or folder that could not be written in a destination that is not a
// usable folder counts as a bad destination; a write refused for lack of
// space (by the system error) as a full disk.
failure_kind classify_failure(std::int32_t status, std::int32_t extraction_code, std::int32_t system_error,
                              bool destination_usable) noexcept;

// One or two sentences saying what went wrong, naming the file or link
// involved when the outcome carries its name; empty for a success.
std::string failure_reason(const install_outcome& outcome);

// "outcome: status N, ..." with the extraction code, the system's error and
// the reason, for the log.
std::string outcome_line(const install_outcome& outcome);

}  // namespace installer
