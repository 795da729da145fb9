// The Windows platform services: the pointer in client dips, and the pure
// arithmetic of class names and sizing limits.
#include "ui/win32/native_window_fixture.h"

#include "hbsdk/ui/cursor_position.h"
#include "hbsdk/ui/win32/tracking_limits.h"
#include "hbsdk/ui/win32/window_class.h"

#include <algorithm>
#include <set>
#include <stdexcept>

using namespace hb_test;

TEST_F(native_window_test, the_pointer_is_read_in_the_client_dips_of_a_widget) {
  panel_window probe;
  const ui::rect client = probe.native().client_rect();
  ASSERT_TRUE(SetCursorPos(client.x + 230, client.y + 40));
  EXPECT_EQ(ui::cursor_position(&probe.root), (ui::point{230, 40}));
  EXPECT_EQ(ui::cursor_position(&probe.right), (ui::point{30, 40}));
  EXPECT_EQ(probe.hit_test(ui::cursor_position(&probe.root)), &probe.right);
}

TEST(window_class_name, appends_zeros_until_a_name_is_free) {
  std::set<std::wstring> taken;
  const auto is_taken = [&](const std::wstring& name) { return taken.contains(name); };
  EXPECT_EQ(ui::win32::free_class_name(L"HBSDK_WINDOW_CLASS", is_taken), L"HBSDK_WINDOW_CLASS");
  taken = {L"HBSDK_WINDOW_CLASS", L"HBSDK_WINDOW_CLASS0"};
  EXPECT_EQ(ui::win32::free_class_name(L"HBSDK_WINDOW_CLASS", is_taken), L"HBSDK_WINDOW_CLASS00");
}

TEST(window_class_name, gives_up_when_every_name_up_to_the_longest_is_taken) {
  std::size_t longest_asked = 0;
  const auto always_taken = [&](const std::wstring& name) {
    longest_asked = std::max(longest_asked, name.size());
    return true;
  };
  EXPECT_THROW(ui::win32::free_class_name(L"HBSDK_WINDOW_CLASS", always_taken), std::runtime_error);
  EXPECT_EQ(longest_asked, 255u);
}

TEST(tracking_limits, take_the_client_limit_plus_the_frame_through_dips_and_back) {
  const ui::edge_rect frame{-3, -22, 3, 3};  // 6 wide, 25 high
  const auto at_96 = ui::win32::tracking_limits_for({0, 0, 100000, 100000}, frame, {96, 96});
  EXPECT_EQ(at_96.minimum, (ui::point{6, 25}));
  EXPECT_EQ(at_96.maximum, (ui::point{100006, 100025}));
  // Sizes where rounding half away from zero and truncation part ways: at
  // 120 DPI 402 -> 321.6 -> 322 -> 402.5 -> 403 (truncating: 401); at 144
  // DPI 400 -> 266.7 -> 267 -> 400.5 -> 401 (truncating: 399).
  const auto at_120 = ui::win32::tracking_limits_for({395, 377, 99981, 100000}, frame, {120, 120});
  EXPECT_EQ(at_120.minimum, (ui::point{401, 403}));
  EXPECT_EQ(at_120.maximum, (ui::point{99988, 100025}));
  const auto at_144 = ui::win32::tracking_limits_for({394, 276, 800, 600}, frame, {144, 144});
  EXPECT_EQ(at_144.minimum, (ui::point{401, 302}));
  EXPECT_EQ(at_144.maximum, (ui::point{806, 626}));
}
