// The class and the words of each way a run can end.
#include "installer/failure_reason.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "disk_full_errors.h"
#include "installer/install_status.h"

using installer::classify_failure;
using installer::failure_kind;
using installer::install_outcome;

namespace {

install_outcome outcome_of(std::int32_t status, std::int32_t code, std::int32_t error, const char* name,
                           failure_kind kind) {
  install_outcome outcome;
  outcome.status = status;
  outcome.extraction_code = code;
  outcome.system_error = error;
  outcome.name = name;
  outcome.kind = kind;
  return outcome;
}

}  // namespace

TEST(failure_reason, every_extraction_code_and_a_missing_payload_have_a_class) {
  struct case_t {
    std::int32_t code;
    failure_kind kind;
  };
  const std::vector<case_t> cases = {
      {0, failure_kind::none},
      {11, failure_kind::damaged_payload},   {12, failure_kind::damaged_payload},
      {13, failure_kind::damaged_payload},   {14, failure_kind::damaged_payload},
      {15, failure_kind::damaged_payload},   {16, failure_kind::bad_destination},
      {17, failure_kind::cannot_write},      {18, failure_kind::link_refused},
      {20, failure_kind::cannot_write},      {22, failure_kind::damaged_payload},
      {23, failure_kind::cannot_write},      {24, failure_kind::damaged_payload},
      {30, failure_kind::damaged_payload},   {100, failure_kind::cannot_write},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(classify_failure(installer::install_status::from_extraction(c.code), c.code, 0, true), c.kind)
        << "code " << c.code;
  }
  EXPECT_EQ(classify_failure(installer::install_status::payload_missing, 0, 0, true), failure_kind::damaged_payload);
}

TEST(failure_reason, the_system_error_tells_a_full_disk_from_other_write_failures) {
  for (const std::int32_t code : {20, 23}) {
    const std::int32_t status = code * 10;
    for (const std::int32_t full : installer::testing::disk_full_errors()) {
      EXPECT_EQ(classify_failure(status, code, full, true), failure_kind::disk_full) << code << " / " << full;
      EXPECT_EQ(classify_failure(status, code, full, false), failure_kind::disk_full) << code << " / " << full;
    }
    for (const std::int32_t other : installer::testing::other_write_errors()) {
      EXPECT_EQ(classify_failure(status, code, other, true), failure_kind::cannot_write) << code << " / " << other;
    }
    EXPECT_EQ(classify_failure(status, code, 0, false), failure_kind::bad_destination)
        << code << ": the destination is not a usable folder";
  }
  // A full disk means nothing beside a fault in the archive or a link.
  EXPECT_EQ(classify_failure(180, 18, installer::testing::disk_full_errors()[0], true), failure_kind::link_refused);
  EXPECT_EQ(classify_failure(220, 22, installer::testing::disk_full_errors()[0], true),
            failure_kind::damaged_payload);
}

TEST(failure_reason, words_for_each_class) {
  struct case_t {
    install_outcome outcome;
    std::string words;
  };
  const std::vector<case_t> cases = {
      {outcome_of(2, 0, 0, "", failure_kind::none), ""},
      {outcome_of(230, 23, 28, "d/big.bin", failure_kind::disk_full), "The disk is full."},
      {outcome_of(200, 20, 13, "d/x.txt", failure_kind::cannot_write), "A file in the folder could not be written: d/x.txt."},
      {outcome_of(200, 20, 0, "", failure_kind::cannot_write), "A file in the folder could not be written."},
      {outcome_of(170, 17, 0, "d/x.txt", failure_kind::cannot_write), "There was not enough memory to write the files."},
      {outcome_of(180, 18, 0, "d/linked", failure_kind::link_refused), "A link in the folder was refused: d/linked."},
      {outcome_of(110, 11, 0, "", failure_kind::damaged_payload), "The installer file is damaged. Download it again."},
      {outcome_of(100, 0, 0, "", failure_kind::damaged_payload), "The installer file is damaged. Download it again."},
      {outcome_of(200, 20, 2, "d/x.txt", failure_kind::bad_destination), "The folder does not exist or cannot be used."},
      {outcome_of(160, 16, 0, "", failure_kind::bad_destination), "The folder is not a complete path."},
  };
  for (const auto& c : cases) EXPECT_EQ(installer::failure_reason(c.outcome), c.words) << c.outcome.status;
}

TEST(failure_reason, the_outcome_line_carries_codes_and_reason) {
  EXPECT_EQ(installer::outcome_line(outcome_of(2, 0, 0, "", failure_kind::none)), "outcome: status 2, installed");
  EXPECT_EQ(installer::outcome_line(outcome_of(230, 23, 28, "d/big.bin", failure_kind::disk_full)),
            "outcome: status 230, extraction code 23, system error 28, The disk is full.");
  EXPECT_EQ(installer::outcome_line(outcome_of(180, 18, 0, "a", failure_kind::link_refused)),
            "outcome: status 180, extraction code 18, A link in the folder was refused: a.");
}
