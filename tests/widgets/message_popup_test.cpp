#include "hbsdk/ui/event_registry.h"
#include "hbsdk/ui/testing/headless_window_backend.h"
#include "hbsdk/ui/testing/recording_render_backend.h"
#include "hbsdk/ui/testing/test_platform.h"
#include "hbsdk/ui/virtual_key.h"
#include "hbsdk/ui/widgets/message_popup.h"
#include "hbsdk/ui/window_message.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace ui = hbsdk::ui;
namespace support = hbsdk::ui::test_support;
using support::draw_kind;

namespace {

// An owner window whose outer rectangle is (100, 100)-(700, 500). In the
// recording metrics a 12-dip Tahoma character is 6 wide and a line 13 high,
// so a message of n characters on one line measures (6n + 1) x 14.
class message_popup_test : public ::testing::Test {
protected:
  message_popup_test() { owner.create("Owner", {100, 100, 600, 400}); }

  support::headless_window_backend& native_of(ui::window& w) { return platform.backend_of(w); }

  // What a platform reports after move_resize changed the client size.
  void report_client_size() {
    const ui::rect client = popup.native().client_rect();
    platform.send(popup, {ui::message::size, 0, ui::make_lparam(client.width, client.height)});
  }

  std::vector<support::draw_call> paint(const ui::widget& w) {
    platform.drawing_of(popup).clear();
    popup.paint_tree(popup.root, {0, 0, 1000, 1000});
    return platform.drawing_of(popup).calls_of(w);
  }

  // Runs the popup modally; the first time its loop waits for a message,
  // act runs inside the loop (and posts what the user does).
  std::int32_t run(const std::function<void()>& act) {
    bool acted = false;
    platform.on_idle = [&] {
      if (!acted) {
        acted = true;
        act();
      }
    };
    const std::int32_t result = popup.run_modal();
    platform.on_idle = nullptr;
    return result;
  }

  // A left click in the middle of a widget of the popup, as queued messages.
  void post_click_on(const ui::widget& target) {
    const ui::rect client = popup.native().client_rect();
    const ui::point at = target.window_origin();
    platform.set_pointer({client.x + at.x + target.width() / 2, client.y + at.y + target.height() / 2});
    platform.post(popup, {ui::message::left_button_down, 0, 0});
    platform.post(popup, {ui::message::left_button_up, 0, 0});
  }

  support::test_platform platform;
  ui::window owner;
  ui::MessagePopup popup;
};

}  // namespace

TEST_F(message_popup_test, a_short_message_gives_a_360_wide_popup_centred_on_its_owner) {
  popup.build(&owner, "Exit Installer", "Short message", ui::MessagePopup::ok_cancel);
  EXPECT_EQ(native_of(popup).title(), u"Exit Installer");
  EXPECT_EQ(native_of(popup).spec().owner, &native_of(owner));
  const ui::rect client = popup.native().client_rect();
  EXPECT_EQ(client, (ui::rect{220, 248, 360, 104}));  // 14 + 90 high; 100 + (600 - 360) / 2, 100 + (400 - 104) / 2
  EXPECT_EQ(popup.message_rect(), (ui::rect{20, 20, 320, 14}));
  EXPECT_EQ(popup.first_button().bounds(), (ui::rect{130, 54, 100, 30}));
  EXPECT_EQ(popup.second_button().bounds(), (ui::rect{240, 54, 100, 30}));
  EXPECT_EQ(popup.first_button().caption, "OK");
  EXPECT_EQ(popup.second_button().caption, "Cancel");
  EXPECT_FALSE(native_of(popup).is_visible());
}

TEST_F(message_popup_test, a_wide_message_widens_the_popup_and_two_lines_heighten_it) {
  popup.build(&owner, "Title", std::string(60, 'w'), ui::MessagePopup::yes_no);  // 361 wide
  EXPECT_EQ(popup.native().client_rect().width, 401);
  EXPECT_EQ(popup.message_rect(), (ui::rect{20, 20, 361, 14}));
  EXPECT_EQ(popup.first_button().bounds(), (ui::rect{171, 54, 100, 30}));
  EXPECT_EQ(popup.second_button().bounds(), (ui::rect{281, 54, 100, 30}));
  EXPECT_EQ(popup.first_button().caption, "Yes");
  EXPECT_EQ(popup.second_button().caption, "No");

  ui::MessagePopup two_lines;
  two_lines.build(&owner, "Title", "First line\nSecond line", ui::MessagePopup::ok_cancel);
  EXPECT_EQ(two_lines.native().client_rect().height, 27 + 90);
  EXPECT_EQ(two_lines.first_button().y(), 27 + 90 - 50);
  EXPECT_EQ(two_lines.second_button().y(), 27 + 90 - 50);
}

TEST_F(message_popup_test, a_single_ok_button_sits_at_the_right_and_unknown_types_have_none) {
  popup.build(&owner, "Title", "Done", ui::MessagePopup::ok);
  EXPECT_EQ(popup.first_button().bounds(), (ui::rect{240, 54, 100, 30}));  // width - 120
  EXPECT_TRUE(popup.first_button().is_created());
  EXPECT_FALSE(popup.second_button().is_created());

  ui::MessagePopup none;
  none.build(&owner, "Title", "", 7);
  EXPECT_FALSE(none.first_button().is_created());
  EXPECT_FALSE(none.second_button().is_created());
  EXPECT_EQ(none.native().client_rect().height, 90);
}

TEST_F(message_popup_test, the_check_box_row_is_hidden_disabled_and_empty) {
  popup.build(&owner, "Title", "Short message", ui::MessagePopup::ok_cancel);
  const ui::CheckBox& box = popup.check_box();
  EXPECT_TRUE(box.is_created());
  EXPECT_FALSE(box.own_visible());
  EXPECT_FALSE(box.is_enabled());
  EXPECT_FALSE(box.checked);
  EXPECT_EQ(box.caption(), "Do not show this again");
  EXPECT_EQ(box.layout(), 0);
  EXPECT_EQ(box.bounds(), (ui::rect{20, 44, 360, 0}));
  report_client_size();
  EXPECT_TRUE(paint(box).empty());
}

TEST_F(message_popup_test, paints_its_background_and_message_and_keeps_copies_of_its_texts) {
  std::string title = "Failed to install";
  std::string message = "Installation failed";
  popup.build(&owner, title, message, ui::MessagePopup::yes_no);
  title.assign(title.size(), '#');  // the caller's buffers change or die after build
  message.assign(message.size(), '#');
  EXPECT_EQ(popup.title(), "Failed to install");
  report_client_size();
  ASSERT_EQ(popup.root.bounds(), (ui::rect{0, 0, 360, 104}));

  const auto calls = paint(popup.root);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].kind, draw_kind::fill_rect);
  EXPECT_EQ(calls[0].area, (ui::rect_f{0, 0, 360, 104}));
  EXPECT_EQ(calls[0].colour, (ui::color{0.2313f, 0.2313f, 0.2549f, 1}));
  EXPECT_EQ(calls[1].kind, draw_kind::text);
  EXPECT_EQ(calls[1].text, u"Installation failed");
  EXPECT_EQ(calls[1].area, (ui::rect_f{20, 20, 340, 34}));
  EXPECT_EQ(calls[1].colour, (ui::color{0.882f, 0.882f, 0.882f, 1}));
  EXPECT_EQ(calls[1].style.family, u"Tahoma");
  EXPECT_EQ(calls[1].style.size, 12.0f);
  EXPECT_EQ(calls[1].style.weight, 400);
  EXPECT_EQ(calls[1].style.horizontal, ui::horizontal_alignment::leading);
  EXPECT_EQ(calls[1].style.vertical, ui::vertical_alignment::near);

  const auto yes = paint(popup.first_button());
  ASSERT_FALSE(yes.empty());
  EXPECT_EQ(yes.back().text, u"Yes");

  popup.set_message_alignment(2);
  EXPECT_EQ(paint(popup.root).at(1).style.horizontal, ui::horizontal_alignment::trailing);
  popup.set_message_alignment(9);
  EXPECT_EQ(paint(popup.root).at(1).style.horizontal, ui::horizontal_alignment::centre);
}

TEST_F(message_popup_test, the_first_button_returns_1_with_the_owner_disabled_meanwhile) {
  popup.build(&owner, "Exit Installer", "Really?", ui::MessagePopup::ok_cancel);
  const int focus_before = native_of(owner).focus_requests();
  bool owner_enabled_during = true;
  bool shown_during = false;
  const std::int32_t result = run([&] {
    owner_enabled_during = native_of(owner).enabled();
    shown_during = native_of(popup).is_visible();
    post_click_on(popup.first_button());
  });
  EXPECT_EQ(result, 1);
  EXPECT_FALSE(owner_enabled_during);
  EXPECT_TRUE(shown_during);
  EXPECT_TRUE(native_of(owner).enabled());
  EXPECT_EQ(native_of(owner).focus_requests(), focus_before + 1);
  EXPECT_FALSE(native_of(popup).is_visible());
  EXPECT_FALSE(popup.check_box().checked);
  EXPECT_FALSE(popup.check_box().own_visible());
}

TEST_F(message_popup_test, the_second_button_and_the_close_box_return_0) {
  popup.build(&owner, "Failed to install", "Retry?", ui::MessagePopup::yes_no);
  EXPECT_EQ(run([&] { post_click_on(popup.second_button()); }), 0);

  // The close box ends the loop without a close: the result stays the 0 the loop started with.
  native_of(owner).set_enabled(false);  // disabled by someone else before
  EXPECT_EQ(run([&] { platform.post(popup, {ui::message::close, 0, 0}); }), 0);
  EXPECT_TRUE(native_of(owner).enabled());

  // Run again after a first-button answer: the next run starts from 0 anew.
  EXPECT_EQ(run([&] { post_click_on(popup.first_button()); }), 1);
  EXPECT_EQ(run([&] { platform.post(popup, {ui::message::close, 0, 0}); }), 0);
}

TEST_F(message_popup_test, tab_then_enter_answers_with_the_first_button) {
  popup.build(&owner, "Exit Installer", "Really?", ui::MessagePopup::ok_cancel);
  const std::int32_t result = run([&] {
    platform.post(popup, {ui::message::character, 9, 0});
    platform.post(popup, {ui::message::key_down, static_cast<std::uint64_t>(ui::virtual_key::enter), 0});
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(popup.focused(), &popup.first_button());
}

TEST(message_popup, without_an_owner_it_centres_on_the_screen) {
  support::test_platform platform;
  ui::MessagePopup popup;
  popup.build(nullptr, "Notice", "Short message", ui::MessagePopup::ok);
  EXPECT_EQ(popup.native().client_rect(), (ui::rect{460, 460, 360, 104}));  // (1280 - 360) / 2, (1024 - 104) / 2
  EXPECT_THROW(popup.build(nullptr, "Notice", "Again", ui::MessagePopup::ok), std::logic_error);
}
