// A whole run in an executable built without the payload object.
#include <gtest/gtest.h>

#include "installer/asset_library.h"
#include "installer/payload_locator.h"
#include "installer/system.h"
#include "settings_sandbox.h"
#include "support/temp_folder.h"

using installer::testing::settings_sandbox;
using hb_test::temp_folder;

TEST(no_payload, the_locator_finds_nothing) { EXPECT_FALSE(installer::find_payload().has_value()); }

TEST(no_payload, a_run_ends_with_100_and_records_nothing) {
  const settings_sandbox sandbox;
  const temp_folder folder;
  ASSERT_TRUE(installer::record_asset_library("OrreryUserPath", hbsdk::filesystem::file_path("/earlier/library")));
  installer::System system;
  ASSERT_TRUE(system.start(folder.file_path()));
  system.join();
  EXPECT_TRUE(system.done());
  EXPECT_EQ(system.status(), installer::install_status::payload_missing);
  EXPECT_EQ(system.outcome().kind, installer::failure_kind::damaged_payload);
  EXPECT_EQ(installer::find_asset_library("OrreryUserPath", "ORRERY_USER_PATH"),
            hbsdk::filesystem::file_path("/earlier/library"))
      << "a failed run leaves the stored folder as it was";
  EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}
