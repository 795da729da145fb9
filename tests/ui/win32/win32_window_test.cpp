// Real Win32 windows of the toolkit: their class, style, owner and title,
// sizes at 96 DPI, centring, the sizing limits, painting within the update
// rectangle, the close box and the destruction of owned windows.
#include "ui/win32/native_window_fixture.h"

#include <memory>
#include <string>

using namespace hb_test;

TEST_F(native_window_test, every_window_shares_the_one_class_with_its_fields) {
  panel_window first;
  panel_window second("second");
  wchar_t name[256] = {};
  ASSERT_GT(GetClassNameW(first.hwnd(), name, 256), 0);
  EXPECT_EQ(std::wstring(name), L"HBSDK_WINDOW_CLASS");
  EXPECT_EQ(GetClassLongPtrW(first.hwnd(), GCW_ATOM), GetClassLongPtrW(second.hwnd(), GCW_ATOM));

  WNDCLASSEXW fields{};
  fields.cbSize = sizeof(fields);
  ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), name, &fields));
  EXPECT_EQ(fields.style, static_cast<UINT>(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS));
  EXPECT_EQ(fields.cbClsExtra, 0);
  EXPECT_EQ(fields.cbWndExtra, 0);
  EXPECT_EQ(fields.hIcon, nullptr);
  EXPECT_EQ(fields.hbrBackground, nullptr);
  EXPECT_EQ(fields.hCursor, LoadCursorW(nullptr, IDC_ARROW));
}

TEST_F(native_window_test, a_window_has_the_fixed_style_its_title_and_its_owner) {
  panel_window owner("Prüfung ✓");
  panel_window popup("popup", &owner);
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(owner.hwnd(), GWL_STYLE));
  EXPECT_EQ(style & 0x02C80000u, 0x02C80000u);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_VISIBLE), 0u);
  wchar_t title[64] = {};
  GetWindowTextW(owner.hwnd(), title, 64);
  EXPECT_EQ(std::wstring(title), L"Pr\u00fcfung \u2713");
  EXPECT_EQ(GetWindow(popup.hwnd(), GW_OWNER), owner.hwnd());
  EXPECT_EQ(GetWindow(owner.hwnd(), GW_OWNER), nullptr);
}

TEST_F(native_window_test, at_96_dpi_the_client_area_has_the_size_in_dips_and_the_position_is_unscaled) {
  ASSERT_EQ(ui::platform().screen_dpi(), (ui::point{96, 96}));
  panel_window probe;
  RECT client{};
  GetClientRect(probe.hwnd(), &client);
  EXPECT_EQ(client.right, 400);
  EXPECT_EQ(client.bottom, 300);
  RECT outer{};
  GetWindowRect(probe.hwnd(), &outer);
  EXPECT_EQ(outer.left, 100);
  EXPECT_EQ(outer.top, 120);
  POINT origin{0, 0};
  ClientToScreen(probe.hwnd(), &origin);
  EXPECT_EQ(probe.native().client_rect(), (ui::rect{origin.x, origin.y, 400, 300}));

  probe.native().move_resize({50, 60, 320, 200});
  GetClientRect(probe.hwnd(), &client);
  GetWindowRect(probe.hwnd(), &outer);
  EXPECT_EQ(client.right, 320);
  EXPECT_EQ(client.bottom, 200);
  EXPECT_EQ(outer.left, 50);
  EXPECT_EQ(outer.top, 60);
}

TEST_F(native_window_test, centre_uses_the_screen_and_keeps_the_window_inside_the_work_area) {
  const ui::edge_rect work = [] {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
    return ui::edge_rect{info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
  }();
  panel_window probe;
  probe.native().centre();
  RECT outer{};
  GetWindowRect(probe.hwnd(), &outer);
  // The client size, not the outer size, is centred on the primary screen.
  EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 400) / 2);
  EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 300) / 2);

  probe.native().move_resize({0, 0, 5000, 4000});
  probe.native().centre();
  GetWindowRect(probe.hwnd(), &outer);
  EXPECT_EQ(outer.left, work.left + 1);
  EXPECT_EQ(outer.top, work.top + 1);
}

TEST_F(native_window_test, the_sizing_limits_are_the_client_limits_plus_the_frame) {
  panel_window probe;
  RECT frame{};
  AdjustWindowRectEx(&frame, ui::native_window::default_style, FALSE, 0);
  MINMAXINFO info{};
  SendMessageW(probe.hwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, frame.right - frame.left);
  EXPECT_EQ(info.ptMinTrackSize.y, frame.bottom - frame.top);
  EXPECT_EQ(info.ptMaxTrackSize.x, 100000 + frame.right - frame.left);
  EXPECT_EQ(info.ptMaxTrackSize.y, 100000 + frame.bottom - frame.top);
}

TEST_F(native_window_test, a_repaint_request_paints_only_the_widgets_in_the_update_rectangle) {
  panel_window probe;
  show(probe);
  // Let the repaints after the first frame run out before counting.
  ASSERT_TRUE(pump_until([&] { return probe.left.paints >= 5; }));
  const int left_before = probe.left.paints;
  const int right_before = probe.right.paints;

  // The right panel starts at x = 200: an area reaching x = 200 would
  // touch it, and a touching widget is painted (into an empty clip).
  probe.native().backend().invalidate({10, 20, 150, 250});
  RECT pending{};
  ASSERT_TRUE(GetUpdateRect(probe.hwnd(), &pending, FALSE));
  EXPECT_EQ(pending.left, 10);
  EXPECT_EQ(pending.top, 20);
  EXPECT_EQ(pending.right, 150);
  EXPECT_EQ(pending.bottom, 250);
  UpdateWindow(probe.hwnd());
  EXPECT_EQ(probe.left.paints, left_before + 1);
  EXPECT_EQ(probe.right.paints, right_before);
  EXPECT_FALSE(GetUpdateRect(probe.hwnd(), &pending, FALSE));
}

TEST_F(native_window_test, a_window_is_repainted_after_its_first_frame) {
  panel_window probe;
  show(probe);
  EXPECT_EQ(probe.left.paints, 1);
  ASSERT_TRUE(pump_until([&] { return probe.left.paints == 5; }));
  // No more after the last of the four repaints.
  const ULONGLONG quiet_until = GetTickCount64() + 700;
  pump_until([&] { return GetTickCount64() > quiet_until; });
  EXPECT_EQ(probe.left.paints, 5);
}

TEST_F(native_window_test, the_close_box_ends_the_loop_but_keeps_the_window) {
  panel_window probe;
  PostMessageW(probe.hwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(probe.run_modal(), 0);
  EXPECT_TRUE(IsWindow(probe.hwnd()));
  EXPECT_FALSE(IsWindowVisible(probe.hwnd()));
}

TEST_F(native_window_test, an_owner_destroyed_first_takes_its_popup_handle_along_safely) {
  auto owner = std::make_unique<panel_window>("owner");
  panel_window popup("popup", owner.get());
  HWND popup_handle = popup.hwnd();
  owner.reset();
  EXPECT_FALSE(IsWindow(popup_handle));
  EXPECT_EQ(popup.native().handle(), nullptr);
}
