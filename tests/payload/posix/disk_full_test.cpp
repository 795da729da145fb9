// A full disk for real: a 64 KiB tmpfs mounted for the test. Mounting needs
// root (CI runs as root); elsewhere the test is skipped and says why.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "installer/payload/extract_archive.h"
#include "installer/payload/extract_code.h"
#include "payload_test_support.h"
#include "tools/hbpack/archive_writer.h"

using namespace payload_test;

TEST(disk_full, running_out_of_space_is_23) {
  if (::geteuid() != 0) GTEST_SKIP() << "mounting a small tmpfs needs root; not running as root";
  temp_folder mount_point;
  if (::mount("tmpfs", mount_point.path().c_str(), "tmpfs", 0, "size=64k") != 0) {
    GTEST_SKIP() << "cannot mount a small tmpfs here: " << std::strerror(errno);
  }
  hbpack::archive_writer writer;
  writer.add_directory("d");
  writer.add_file("d/small.txt", bytes_of("fits"), 1'470'000'000, 1'470'000'000);
  writer.add_file("d/large.bin", bytes_of(std::string(1 << 20, 'L')), 1'470'000'000, 1'470'000'000);
  const bytes archive = writer.build();
  const std::int32_t result = installer::extract_archive(archive.data(), archive.size(), mount_point.file_path());
  const std::string small = read_text(mount_point.path() / "d/small.txt");
  const auto partial = std::filesystem::file_size(mount_point.path() / "d/large.bin");
  ::umount2(mount_point.path().c_str(), MNT_DETACH);

  EXPECT_EQ(static_cast<installer::extract_code>(result), installer::extract_code::write_failed);
  EXPECT_EQ(small, "fits");
  EXPECT_GT(partial, 0u);
  EXPECT_LT(partial, 1u << 20);
}
