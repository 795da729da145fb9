// A module that has classes named "HBSDK_WINDOW_CLASS" and
// "HBSDK_WINDOW_CLASS0" already: the toolkit registers its class as
// "HBSDK_WINDOW_CLASS00" and every window shares it. The class is registered
// once per process, so this test has an executable of its own.
#include "hbsdk/ui/native_platform.h"
#include "hbsdk/ui/window.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace ui = hbsdk::ui;

namespace {

std::wstring class_of(const ui::window& target) {
  wchar_t name[256] = {};
  GetClassNameW(static_cast<HWND>(target.native().handle()), name, 256);
  return name;
}

}  // namespace

TEST(taken_class_name, the_toolkit_registers_its_class_under_the_first_free_name) {
  for (const wchar_t* taken : {L"HBSDK_WINDOW_CLASS", L"HBSDK_WINDOW_CLASS0"}) {
    WNDCLASSW other{};
    other.lpfnWndProc = DefWindowProcW;
    other.hInstance = GetModuleHandleW(nullptr);
    other.lpszClassName = taken;
    ASSERT_NE(RegisterClassW(&other), 0);
  }
  ui::native_platform platform;
  ui::window first;
  first.create("first", {0, 0, 100, 80});
  ui::window second;
  second.create("second", {0, 0, 100, 80});
  EXPECT_EQ(class_of(first), L"HBSDK_WINDOW_CLASS00");
  EXPECT_EQ(class_of(second), L"HBSDK_WINDOW_CLASS00");
  // The other classes are left as they were.
  WNDCLASSW other{};
  ASSERT_TRUE(GetClassInfoW(GetModuleHandleW(nullptr), L"HBSDK_WINDOW_CLASS", &other));
  EXPECT_EQ(other.style, 0u);
  EXPECT_EQ(other.hCursor, nullptr);
}
