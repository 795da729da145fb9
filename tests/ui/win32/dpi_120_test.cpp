// Windows at 120 DPI. Wine reads the screen DPI (HKCU\Control Panel\Desktop,
// LogPixels) when a process starts and reports it even to programs that
// declare no DPI awareness, so the test sets 120 for the prefix's user and
// runs its checks in a child process of itself, then restores the value.
// Windows takes a new DPI only at the next sign-in: there the test is skipped.
#include "ui/win32/native_window_fixture.h"
#include "ui/win32/wine_detection.h"

#include "hbsdk/ui/cursor_position.h"

#include <optional>
#include <string>

using namespace hb_test;

namespace {

constexpr const wchar_t* child_variable = L"HB_DPI_120_CHILD";
constexpr const wchar_t* desktop_key = L"Control Panel\\Desktop";

bool in_child() { return GetEnvironmentVariableW(child_variable, nullptr, 0) > 0; }

// Sets LogPixels for the current user while it lives.
class logpixels_override {
public:
  explicit logpixels_override(DWORD dpi) {
    RegCreateKeyExW(HKEY_CURRENT_USER, desktop_key, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_,
                    nullptr);
    DWORD old = 0;
    DWORD size = sizeof(old);
    DWORD type = 0;
    if (RegQueryValueExW(key_, L"LogPixels", nullptr, &type, reinterpret_cast<BYTE*>(&old), &size) == ERROR_SUCCESS &&
        type == REG_DWORD) {
      previous_ = old;
    }
    RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof(dpi));
  }
  ~logpixels_override() {
    if (previous_) {
      RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&*previous_), sizeof(DWORD));
    } else {
      RegDeleteValueW(key_, L"LogPixels");
    }
    RegCloseKey(key_);
  }
  logpixels_override(const logpixels_override&) = delete;
  logpixels_override& operator=(const logpixels_override&) = delete;

private:
  HKEY key_ = nullptr;
  std::optional<DWORD> previous_;
};

// Runs this executable's child tests; their exit code.
DWORD run_child_tests() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(path) + L"\" --gtest_filter=dpi_120_child.*";
  SetEnvironmentVariableW(child_variable, L"1");
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  const BOOL started =
      CreateProcessW(path, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
  SetEnvironmentVariableW(child_variable, nullptr);
  if (!started) {
    return 0xFFFFFFFF;
  }
  WaitForSingleObject(process.hProcess, 120000);
  DWORD code = 0xFFFFFFFF;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

class dpi_120_child : public native_window_test {
protected:
  void SetUp() override {
    if (!in_child()) GTEST_SKIP() << "runs in the child process that dpi_120 starts";
    ASSERT_EQ(ui::platform().screen_dpi(), (ui::point{120, 120}));
  }
};

}  // namespace

TEST(dpi_120, a_process_started_at_120_dpi_scales_its_windows) {
  if (in_child()) GTEST_SKIP() << "the child runs the checks";
  if (!running_under_wine()) GTEST_SKIP() << "Windows takes a new DPI only at the next sign-in";
  const logpixels_override dpi(120);
  EXPECT_EQ(run_child_tests(), 0u) << "the checks at 120 DPI failed (see the child's output above)";
}

TEST_F(dpi_120_child, the_client_area_is_scaled_and_the_position_is_not) {
  panel_window probe;
  RECT client{};
  GetClientRect(probe.hwnd(), &client);
  EXPECT_EQ(client.right, 500);
  EXPECT_EQ(client.bottom, 375);
  RECT outer{};
  GetWindowRect(probe.hwnd(), &outer);
  EXPECT_EQ(outer.left, 100);
  EXPECT_EQ(outer.top, 120);
  const ui::rect area = probe.native().client_rect();
  EXPECT_EQ(area.width, 400);
  EXPECT_EQ(area.height, 300);
}

TEST_F(dpi_120_child, the_pointer_is_read_in_dips) {
  panel_window probe;
  const ui::rect client = probe.native().client_rect();
  ASSERT_TRUE(SetCursorPos(client.x + 250, client.y + 50));
  EXPECT_EQ(ui::cursor_position(&probe.root), (ui::point{200, 40}));
  EXPECT_EQ(probe.hit_test(ui::cursor_position(&probe.root)), &probe.right);
}

TEST_F(dpi_120_child, repaint_areas_are_scaled_between_dips_and_pixels) {
  panel_window probe;
  show(probe);
  ASSERT_TRUE(pump_until([&] { return probe.left.paints >= 5; }));
  probe.right.invalidate();  // (200, 0)-(400, 300) dips
  RECT pending{};
  ASSERT_TRUE(GetUpdateRect(probe.hwnd(), &pending, FALSE));
  EXPECT_EQ(pending.left, 250);
  EXPECT_EQ(pending.right, 500);
  EXPECT_EQ(pending.bottom, 375);
  EXPECT_EQ(probe.native().backend().update_rect(), (ui::edge_rect{200, 0, 400, 300}));
  const int right_before = probe.right.paints;
  UpdateWindow(probe.hwnd());
  EXPECT_EQ(probe.right.paints, right_before + 1);
  EXPECT_FALSE(GetUpdateRect(probe.hwnd(), &pending, FALSE));
}

TEST_F(dpi_120_child, the_sizing_limits_are_scaled) {
  panel_window probe;
  RECT frame{};
  AdjustWindowRectEx(&frame, ui::native_window::default_style, FALSE, 0);
  MINMAXINFO info{};
  SendMessageW(probe.hwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  // Limit plus frame, through dips and back, with the system's own MulDiv.
  const auto round_trip = [](int limit, int frame_size) { return MulDiv(MulDiv(limit + frame_size, 96, 120), 120, 96); };
  EXPECT_EQ(info.ptMinTrackSize.x, round_trip(0, frame.right - frame.left));
  EXPECT_EQ(info.ptMinTrackSize.y, round_trip(0, frame.bottom - frame.top));
  EXPECT_EQ(info.ptMaxTrackSize.x, round_trip(100000, frame.right - frame.left));
  EXPECT_EQ(info.ptMaxTrackSize.y, round_trip(100000, frame.bottom - frame.top));
}
