#include "hbsdk/ui/testing/headless_window_backend.h"
#include "hbsdk/ui/testing/recording_render_backend.h"
#include "hbsdk/ui/testing/test_platform.h"
#include "hbsdk/ui/virtual_key.h"
#include "hbsdk/ui/widgets/message_popup.h"
#include "hbsdk/ui/window_message.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

namespace ui = hbsdk::ui;
namespace support = hbsdk::ui::test_support;

namespace {

// An owner window whose outer rectangle is (100, 100)-(700, 500). In the
// recording metrics a 12-dip Tahoma character is 6 wide and a line 13 high,
// so a message of n characters on one line measures (6n + 1) x 14.
class message_popup_test : public ::testing::Test {
protected:
  message_popup_test() { owner.create("Owner", {100, 100, 600, 400}); }

  support::headless_window_backend& native_of(ui::window& w) { return platform.backend_of(w); }

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

TEST_F(message_popup_test, is_sized_to_its_message_with_the_buttons_of_its_type) {
  struct size_case {
    std::string message;
    std::int32_t type;
    ui::rect client;            // position centred on the owner
    ui::rect first, second;     // an empty rectangle: not created
    const char* captions[2];
  };
  const size_case cases[] = {
      {"Short message", 1, {220, 248, 360, 104}, {130, 54, 100, 30}, {240, 54, 100, 30}, {"OK", "Cancel"}},
      {std::string(60, 'w'), 2, {199, 248, 401, 104}, {171, 54, 100, 30}, {281, 54, 100, 30}, {"Yes", "No"}},
      {"First line\nSecond line", 1, {220, 241, 360, 117}, {130, 67, 100, 30}, {240, 67, 100, 30}, {"OK", "Cancel"}},
      {"Done", 0, {220, 248, 360, 104}, {240, 54, 100, 30}, {}, {"OK", ""}},
      {"", 7, {220, 255, 360, 90}, {}, {}, {"", ""}},
  };
  for (const size_case& c : cases) {
    SCOPED_TRACE(c.message);
    ui::MessagePopup p;
    p.build(&owner, "Title", c.message, c.type);
    EXPECT_EQ(p.native().client_rect(), c.client);
    EXPECT_EQ(p.message_rect(), (ui::rect{20, 20, c.client.width - 40, c.client.height - 90}));
    EXPECT_EQ(p.first_button().is_created() ? p.first_button().bounds() : ui::rect{}, c.first);
    EXPECT_EQ(p.second_button().is_created() ? p.second_button().bounds() : ui::rect{}, c.second);
    EXPECT_EQ(p.first_button().caption, c.captions[0]);
    EXPECT_EQ(p.second_button().caption, c.captions[1]);
  }
}

TEST_F(message_popup_test, is_owned_titled_hidden_and_holds_a_hidden_disabled_check_box) {
  popup.build(&owner, "Exit Installer", "Short message", ui::MessagePopup::ok_cancel);
  EXPECT_EQ(native_of(popup).title(), u"Exit Installer");
  EXPECT_EQ(native_of(popup).request().owner, &native_of(owner));
  EXPECT_FALSE(native_of(popup).is_visible());
  const ui::CheckBox& box = popup.check_box();
  EXPECT_TRUE(box.is_created() && !box.own_visible() && !box.is_enabled() && !box.checked);
  EXPECT_EQ(box.caption(), "Do not show this again");
  EXPECT_EQ(box.bounds(), (ui::rect{20, 44, 360, 0}));
  EXPECT_THROW(popup.build(&owner, "Again", "", 0), std::logic_error);
}

TEST_F(message_popup_test, paints_its_own_copy_of_the_message_over_its_background) {
  std::string title = "Failed to install";
  std::string message = "Installation failed";
  popup.build(&owner, title, message, ui::MessagePopup::yes_no);
  title.assign(title.size(), '#');  // the caller's buffers change or die after build
  message.assign(message.size(), '#');
  EXPECT_EQ(popup.title(), "Failed to install");
  EXPECT_EQ(popup.root.bounds(), (ui::rect{0, 0, 360, 104}));  // move_resize's WM_SIZE resized the root
  popup.set_message_alignment(2);
  popup.paint_tree(popup.root, {0, 0, 360, 104});

  const auto& drawing = platform.drawing_of(popup);
  const auto calls = drawing.calls_of(popup.root);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].area, (ui::rect_f{0, 0, 360, 104}));
  EXPECT_EQ(calls[0].colour, (ui::color{0.2313f, 0.2313f, 0.2549f, 1}));
  EXPECT_EQ(calls[1].text, u"Installation failed");
  EXPECT_EQ(calls[1].area, (ui::rect_f{20, 20, 340, 34}));
  EXPECT_EQ(calls[1].colour, (ui::color{0.882f, 0.882f, 0.882f, 1}));
  EXPECT_EQ(calls[1].style.family, u"Tahoma");
  EXPECT_EQ(calls[1].style.size, 12.0f);
  EXPECT_EQ(calls[1].style.horizontal, ui::horizontal_alignment::trailing);
  EXPECT_EQ(calls[1].style.vertical, ui::vertical_alignment::top);
  EXPECT_EQ(drawing.calls_of(popup.first_button()).back().text, u"Yes");
  EXPECT_TRUE(drawing.calls_of(popup.check_box()).empty());
}

TEST_F(message_popup_test, the_first_button_returns_1_with_the_owner_disabled_meanwhile) {
  popup.build(&owner, "Exit Installer", "Really?", ui::MessagePopup::ok_cancel);
  const int focus_before = native_of(owner).focus_requests();
  bool owner_enabled_during = true;
  bool shown_during = false;
  EXPECT_EQ(run([&] {
              owner_enabled_during = native_of(owner).enabled();
              shown_during = native_of(popup).is_visible();
              post_click_on(popup.first_button());
            }),
            1);
  EXPECT_FALSE(owner_enabled_during);
  EXPECT_TRUE(shown_during);
  EXPECT_TRUE(native_of(owner).enabled());
  EXPECT_EQ(native_of(owner).focus_requests(), focus_before + 1);
  EXPECT_FALSE(native_of(popup).is_visible());
  EXPECT_FALSE(popup.check_box().checked || popup.check_box().own_visible());
}

TEST_F(message_popup_test, the_second_button_and_the_close_box_return_0_and_tab_enter_returns_1) {
  popup.build(&owner, "Failed to install", "Retry?", ui::MessagePopup::yes_no);
  EXPECT_EQ(run([&] { post_click_on(popup.second_button()); }), 0);

  // The close box ends the loop without a close: the result stays the 0 the loop started with.
  native_of(owner).set_enabled(false);  // disabled by someone else before
  EXPECT_EQ(run([&] { platform.post(popup, {ui::message::close, 0, 0}); }), 0);
  EXPECT_TRUE(native_of(owner).enabled());

  EXPECT_EQ(run([&] {
              platform.post(popup, {ui::message::character, 9, 0});  // Tab to the first button
              platform.post(popup, {ui::message::key_down, static_cast<std::uint64_t>(ui::virtual_key::enter), 0});
            }),
            1);
  EXPECT_EQ(run([&] { platform.post(popup, {ui::message::close, 0, 0}); }), 0);  // each run starts from 0
}

TEST(message_popup, without_an_owner_it_centres_on_the_screen) {
  support::test_platform platform;
  ui::MessagePopup popup;
  popup.build(nullptr, "Notice", "Short message", ui::MessagePopup::ok);
  EXPECT_EQ(popup.native().client_rect(), (ui::rect{460, 460, 360, 104}));  // (1280 - 360) / 2, (1024 - 104) / 2
}

TEST_F(message_popup_test, a_title_or_message_that_is_not_utf8_is_shown_with_replacement_characters) {
  popup.build(&owner, "Bad \xff title \xc3", "Bad \xfe message", ui::MessagePopup::ok);
  EXPECT_TRUE(popup.is_created() && popup.first_button().is_created());
  EXPECT_EQ(native_of(popup).title(), u"Bad \uFFFD title \uFFFD");
  EXPECT_EQ(popup.title(), "Bad \xEF\xBF\xBD title \xEF\xBF\xBD");
  EXPECT_EQ(popup.native().client_rect().width, 360);
  popup.paint_tree(popup.root, {0, 0, 360, 104});
  EXPECT_EQ(platform.drawing_of(popup).calls_of(popup.root).at(1).text, u"Bad \uFFFD message");
  EXPECT_EQ(run([&] { post_click_on(popup.first_button()); }), 1);  // a whole, working pop-up
}

TEST_F(message_popup_test, lays_its_check_box_out_box_first_and_repaints_a_new_alignment) {
  popup.build(&owner, "Exit Installer", "Short message", ui::MessagePopup::ok_cancel);
  const ui::CheckBox& box = popup.check_box();
  EXPECT_EQ(box.layout(), 0);
  EXPECT_EQ(box.gap(), 5);
  EXPECT_EQ(box.box_rect(), (ui::rect{0, 3, 14, 14}));  // laid out while it was 320 x 20
  EXPECT_EQ(box.caption_rect().x, 19);

  platform.clear_repaints();
  popup.set_message_alignment(1);
  const auto& requests = platform.repaints();
  EXPECT_TRUE(std::count(requests.begin(), requests.end(), support::repaint_request{&popup, {0, 0, 360, 104}}) > 0);
}

namespace {
std::uint64_t vk(std::int32_t key) { return static_cast<std::uint64_t>(key); }
constexpr std::int64_t repeat_bit = std::int64_t{1} << 30;
}  // namespace

TEST_F(message_popup_test, keys_escape_answers_as_the_second_button_and_space_presses_the_focused_one) {
  popup.build(&owner, "Exit Installer", "Really?", ui::MessagePopup::ok_cancel);
  popup.focus_button(2);
  EXPECT_EQ(popup.focused(), &popup.second_button());
  // Space on the focused first button answers 1, once Tab has moved there.
  EXPECT_EQ(run([&] {
              platform.post(popup, {ui::message::character, 9, 0});
              platform.post(popup, {ui::message::key_down, vk(ui::virtual_key::space), 0});
            }),
            1);
  popup.focus_button(1);
  EXPECT_EQ(popup.focused(), &popup.first_button());
  // Escape answers 0 even with the first button focused.
  EXPECT_EQ(run([&] { platform.post(popup, {ui::message::key_down, vk(ui::virtual_key::escape), 0}); }), 0);
  // Repeats of a key held since before the popup opened press nothing; the
  // loop ends only at the close box.
  EXPECT_EQ(run([&] {
              platform.post(popup, {ui::message::key_down, vk(ui::virtual_key::enter), repeat_bit});
              platform.post(popup, {ui::message::key_down, vk(ui::virtual_key::space), repeat_bit});
              platform.post(popup, {ui::message::key_down, vk(ui::virtual_key::escape), repeat_bit});
              platform.post(popup, {ui::message::close, 0, 0});
            }),
            0);
  EXPECT_EQ(popup.result(), 0);
}

TEST_F(message_popup_test, focus_button_takes_only_a_button_the_popup_has) {
  popup.build(&owner, "Notice", "Done", ui::MessagePopup::ok);
  ui::widget* before = popup.focused();
  popup.focus_button(2);  // an OK popup has no second button
  popup.focus_button(0);
  EXPECT_EQ(popup.focused(), before);
  popup.focus_button(1);
  EXPECT_EQ(popup.focused(), &popup.first_button());
}

TEST_F(message_popup_test, reads_as_a_dialog_with_its_message_as_static_text_and_its_default_answer) {
  popup.build(&owner, "Question", "Go on?", ui::MessagePopup::yes_no);
  popup.focus_button(2);
  EXPECT_EQ(popup.describe().role, ui::accessible_role::dialog);
  EXPECT_EQ(popup.describe().name, "Question");
  const std::vector<ui::widget*> children = popup.accessible_children();
  ASSERT_EQ(children.size(), 3u);  // the hidden check box is not listed
  const ui::accessible_description message = children[0]->describe();
  EXPECT_EQ(message.role, ui::accessible_role::static_text);
  EXPECT_EQ(message.name, "Go on?");
  EXPECT_EQ(message.bounds, popup.message_rect());
  EXPECT_EQ(children[1]->describe().name, "Yes");
  const ui::accessible_description no = children[2]->describe();
  EXPECT_EQ(no.name, "No");
  EXPECT_TRUE(no.has(ui::accessible_state::default_button));
  EXPECT_TRUE(no.has(ui::accessible_state::focused));
  EXPECT_FALSE(children[1]->describe().has(ui::accessible_state::default_button));

  // The default action of Yes, asked for by a reader, answers 1 from the loop.
  EXPECT_EQ(run([&] { EXPECT_TRUE(popup.request_default_action(2)); }), 1);
}
