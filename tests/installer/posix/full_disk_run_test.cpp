// A run into a volume that fills up for real (a 64 KiB tmpfs mounted for the
// test): its outcome carries ENOSPC and says the disk is full. Mounting needs
// root (CI runs as root); elsewhere the test is skipped and says why.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "installer/failure_reason.h"
#include "installer/free_space.h"
#include "installer/payload/archive_size.h"
#include "installer/system.h"
#include "support/temp_folder.h"
#include "tools/hbpack/archive_writer.h"

TEST(full_disk_run, ends_as_a_full_disk_with_the_file_named) {
  if (::geteuid() != 0) GTEST_SKIP() << "mounting a small tmpfs needs root; not running as root";
  hb_test::temp_folder mount_point;
  if (::mount("tmpfs", mount_point.path().c_str(), "tmpfs", 0, "size=64k") != 0) {
    GTEST_SKIP() << "cannot mount a small tmpfs here: " << std::strerror(errno);
  }
  hbpack::archive_writer writer;
  writer.add_directory("d");
  writer.add_file("d/small.txt", std::vector<std::uint8_t>(4, 's'), 1'470'000'000, 1'470'000'000);
  writer.add_file("d/large.bin", std::vector<std::uint8_t>(1 << 20, 'L'), 1'470'000'000, 1'470'000'000);
  const std::vector<std::uint8_t> archive = writer.build();

  // Before the run: the pack does not fit, and that can be told.
  const auto space = installer::free_space(mount_point.file_path());
  const auto needed = installer::payload_size({archive.data(), archive.size()});

  installer::install_steps steps = installer::platform_install_steps();
  steps.record_folder = [](const hbsdk::filesystem::file_path&) {};
  steps.find_payload = [&archive] { return std::optional(installer::payload_view{archive.data(), archive.size()}); };
  installer::System system(std::move(steps));
  system.install(mount_point.file_path());
  const installer::install_outcome outcome = system.outcome();
  ::umount2(mount_point.path().c_str(), MNT_DETACH);

  ASSERT_TRUE(space.has_value());
  ASSERT_TRUE(needed.has_value());
  EXPECT_LE(*space, 64u * 1024u);
  EXPECT_GT(*needed, *space);
  EXPECT_EQ(outcome.status, 230);
  EXPECT_EQ(outcome.system_error, ENOSPC);
  EXPECT_EQ(outcome.kind, installer::failure_kind::disk_full);
  EXPECT_EQ(outcome.name, "d/large.bin");
  EXPECT_EQ(installer::failure_reason(outcome), "The disk is full.");
}
