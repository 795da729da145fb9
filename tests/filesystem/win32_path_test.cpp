#include "hbsdk/filesystem/win32/win32_path.h"

#include <gtest/gtest.h>

#include <cwchar>

namespace fs = hbsdk::filesystem;

TEST(win32_path, native_text_is_the_stored_utf16) {
  const fs::file_path path("C:/Biblioth\xC3\xA8que");
  EXPECT_EQ(std::wcscmp(fs::to_win32(path), L"C:\\Biblioth\u00E8que"), 0);
  EXPECT_EQ(fs::from_win32(L"C:/x/y"), fs::file_path(u"C:\\x\\y"));
}
