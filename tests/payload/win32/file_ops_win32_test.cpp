#include <gtest/gtest.h>
#include <windows.h>

#include "hbsdk/filesystem/file_ops.h"
#include "payload_test_support.h"

namespace fs = hbsdk::filesystem;

TEST(file_ops_win32, absolute_paths_name_a_drive_or_a_server) {
  struct absolute_case {
    const char16_t* path;
    bool absolute;
  };
  const absolute_case cases[] = {
      {u"C:\\Lib", true},  {u"z:\\", true},     {u"\\\\server\\share", true}, {u"\\\\?\\C:\\x", true},
      {u"C:/Lib", true},   {u"", false},         {u"C:", false},               {u"C:Lib", false},
      {u"\\Lib", false},   {u"Lib\\x", false},   {u"1:\\x", false},            {u".", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(fs::file_path(c.path).to_utf8());
    EXPECT_EQ(fs::is_absolute(fs::file_path(c.path)), c.absolute);
  }
}

namespace {

// Wine on a Linux file system keeps no creation time: it reports the
// last-write time in its place.
bool running_under_wine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace

TEST(file_ops_win32, creation_and_last_write_times_are_both_set) {
  payload_test::temp_folder folder;
  payload_test::write_text(folder.path() / "f", "x");
  const fs::file_path path = folder.file_path() / fs::file_path("f");
  ASSERT_TRUE(fs::stamp_file_times(path, 1'469'664'000, 1'471'478'399));
  const auto times = fs::read_file_times(path);
  ASSERT_TRUE(times.has_value());
  EXPECT_EQ(times->last_write, 1'471'478'399u);
  if (running_under_wine()) GTEST_SKIP() << "Wine on Linux keeps no creation time; last-write time checked only";
  EXPECT_EQ(times->creation, 1'469'664'000u);
}
