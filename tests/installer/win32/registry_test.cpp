// The settings store on Windows against the real registry (under Wine, the
// registry of the test prefix): what is written, in which view, and what the
// asset library lookup makes of values it cannot use.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "hbsdk/filesystem/encoding.h"
#include "installer/asset_library.h"
#include "installer/documents_folder.h"
#include "scoped_variable.h"
#include "settings_sandbox.h"

namespace fs = hbsdk::filesystem;
using installer::testing::scoped_variable;
using installer::testing::settings_sandbox;

namespace {

struct raw_value {
  LSTATUS result = ERROR_FILE_NOT_FOUND;
  DWORD type = REG_NONE;
  DWORD bytes = 0;
  std::wstring text;
};

raw_value query(REGSAM view) {
  raw_value value;
  HKEY key = nullptr;
  value.result = RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Halbrook", 0, KEY_READ | view, &key);
  if (value.result != ERROR_SUCCESS) return value;
  wchar_t buffer[512] = {};
  value.bytes = sizeof buffer;
  value.result = RegQueryValueExW(key, L"OrreryUserPath", nullptr, &value.type, reinterpret_cast<BYTE*>(buffer),
                                  &value.bytes);
  value.text = buffer;
  RegCloseKey(key);
  return value;
}

void put_dword(DWORD data) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Halbrook", 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_WRITE | KEY_WOW64_64KEY, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(key, L"OrreryUserPath", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
  RegCloseKey(key);
}

}  // namespace

TEST(registry_store, writes_reg_sz_with_its_terminating_zero_in_the_64_bit_view) {
  struct case_t {
    std::u16string folder;
    DWORD bytes;
  };
  const case_t cases[] = {{u"", 2}, {u"C:\\Lib", 14}, {u"C:\\Biblioth\u00E8que", 32}};
  for (const auto& c : cases) {
    const settings_sandbox sandbox;
    ASSERT_TRUE(installer::record_asset_library("OrreryUserPath", fs::file_path(std::u16string_view(c.folder))));
    const raw_value value = query(KEY_WOW64_64KEY);
    ASSERT_EQ(value.result, ERROR_SUCCESS);
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(value.bytes, c.bytes) << fs::to_utf8(c.folder);
    EXPECT_EQ(value.text, std::wstring(reinterpret_cast<const wchar_t*>(c.folder.c_str())));
  }
}

TEST(registry_store, the_32_bit_view_does_not_see_the_value) {
  const settings_sandbox sandbox;
  ASSERT_TRUE(installer::record_asset_library("OrreryUserPath", fs::file_path("C:/Lib")));
  const raw_value value = query(KEY_WOW64_32KEY);
  EXPECT_TRUE(value.result != ERROR_SUCCESS || value.text != L"C:\\Lib");
}

TEST(registry_store, a_value_of_another_type_is_passed_over) {
  const settings_sandbox sandbox;
  put_dword(7);
  {
    const scoped_variable variable("ORRERY_USER_PATH", "E:/env");
    EXPECT_EQ(installer::find_asset_library("OrreryUserPath", "ORRERY_USER_PATH"), fs::file_path("E:/env"));
  }
  const scoped_variable variable("ORRERY_USER_PATH", std::nullopt);
  EXPECT_EQ(installer::find_asset_library("OrreryUserPath", "ORRERY_USER_PATH"), installer::documents_folder());
}
