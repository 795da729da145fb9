// The text-input context's input-method logic, with the platform's input
// method replaced by a scripted one: compositions, the cursor rules, the
// Korean rule, the commit by typing, and what happens without a context.
#include "window_fixture.h"

#include "hbsdk/ui/input_method.h"
#include "hbsdk/ui/testing/scripted_input_method.h"
#include "hbsdk/ui/virtual_key.h"

using ui::event_type;
namespace gcs = ui::composition;

namespace {

class text_input_test : public window_test {
protected:
  text_input_test() {
    events.watch(&win.root, "root", {event_type::text_composition});
  }
  support::scripted_input_method& ime() { return *native().ime(); }
  ui::text_input_context& context() { return win.text_input(); }
  std::vector<std::uint64_t> values() const {
    std::vector<std::uint64_t> result;
    for (const auto& e : events.events()) result.push_back(e.value);
    return result;
  }
  void compose(const std::u16string& text, std::vector<std::uint8_t> attributes = {}, std::int32_t cursor = 0) {
    ime().strings[gcs::comp_string] = text;
    ime().clause_attributes = std::move(attributes);
    ime().cursor = cursor;
    std::uint64_t flags = gcs::comp_string | gcs::cursor_position;
    if (!ime().clause_attributes.empty()) flags |= gcs::comp_attribute;
    send(msg::ime_composition, 0, static_cast<std::int64_t>(flags));
  }
  void press(std::uint64_t key, std::uint8_t character = 0) {
    ime().key = key;
    ime().character = character;
    context().key_pressed();
  }
};

}  // namespace

TEST_F(text_input_test, the_context_starts_detached_and_attach_associates_it) {
  EXPECT_FALSE(ime().attached);
  context().attach(true);
  EXPECT_TRUE(ime().attached);
}

TEST_F(text_input_test, a_composition_starts_updates_and_ends_with_a_result) {
  context().candidate_area = {10, 20, 30, 15};
  send(msg::ime_start_composition);
  send(msg::ime_start_composition);  // already composing: ignored
  EXPECT_TRUE(context().composing);
  EXPECT_TRUE(ime().caret);
  EXPECT_EQ(ime().candidates, (ui::rect{10, 20, 30, 15}));
  compose(u"nihon", {}, 3);
  EXPECT_EQ(context().text, u"nihon");
  EXPECT_EQ(context().cursor, 3);  // the input method's cursor outside converted clauses
  ime().strings[gcs::result_string] = u"\u65E5\u672C";
  send(msg::ime_end_composition);
  EXPECT_EQ(context().text, u"\u65E5\u672C");
  EXPECT_EQ(context().cursor, 2);
  EXPECT_FALSE(context().composing);
  EXPECT_FALSE(ime().caret);
  EXPECT_EQ(values(), (std::vector<std::uint64_t>{0, 1, 2}));
  EXPECT_EQ(ime().open_contexts, 0);  // every context use was released
  send(msg::ime_end_composition);  // not composing: ignored
  EXPECT_EQ(values().size(), 3u);
}

TEST_F(text_input_test, in_a_converted_clause_arrows_home_and_end_move_the_cursor) {
  send(msg::ime_start_composition);
  compose(u"abcd", {0, 1, 1, 0}, 0);
  ASSERT_TRUE(context().target_converted);
  EXPECT_EQ(context().cursor, 0);  // the first update came from the input method
  const std::pair<std::int32_t, std::int32_t> steps[] = {
      {ui::virtual_key::right, 1}, {ui::virtual_key::left, 0}, {ui::virtual_key::left, 0},  // not below 0
      {0x23, 4},                                                                           // End
      {ui::virtual_key::right, 4},                                                         // not past the end
      {0x24, 0},                                                                           // Home
  };
  for (const auto& [key, expected] : steps) {
    press(static_cast<std::uint64_t>(key));
    compose(u"abcd", {0, 1, 1, 0});
    EXPECT_EQ(context().cursor, expected) << key;
  }
}

TEST_F(text_input_test, a_korean_layout_keeps_the_cursor_at_the_end) {
  ime().layout = 0x04120412;
  send(msg::input_language_change);
  EXPECT_EQ(context().language, 0x0412);
  send(msg::ime_start_composition);
  compose(u"\uD55C\uAE00", {}, 0);
  EXPECT_EQ(context().cursor, 2);
  // A result typed with a character key restarts the composition first.
  events.clear();
  press('A', 'a');
  send(msg::ime_composition, 0, gcs::result_string);
  EXPECT_EQ(values(), std::vector<std::uint64_t>{0});
}

TEST_F(text_input_test, typing_at_the_end_of_a_converted_clause_commits_then_restarts) {
  send(msg::ime_start_composition);
  compose(u"abc", {1, 1, 1}, 3);
  press(0x23);  // End
  compose(u"abc", {1, 1, 1});
  ASSERT_EQ(context().cursor, 3);
  events.clear();
  press('K', 'k');
  compose(u"k", {0});
  EXPECT_EQ(values(), (std::vector<std::uint64_t>{2, 0, 1}));
  // Space, Return and Backspace do not commit.
  compose(u"ka", {1, 1}, 2);
  press(0x23);
  compose(u"ka", {1, 1});
  events.clear();
  press(ui::virtual_key::space, ' ');
  compose(u"ka", {1, 1});
  EXPECT_EQ(values(), std::vector<std::uint64_t>{1});
}

TEST_F(text_input_test, without_an_input_method_context_only_the_start_is_reported) {
  ime().has_context = false;
  send(msg::ime_start_composition);
  compose(u"abc");
  ime().strings[gcs::result_string] = u"x";
  send(msg::ime_end_composition);
  EXPECT_EQ(values(), std::vector<std::uint64_t>{0});
  EXPECT_EQ(context().text, u"");
  EXPECT_FALSE(context().composing);
}

TEST_F(text_input_test, a_disabled_focused_widget_hears_nothing_but_the_state_follows) {
  win.root.set_enabled(false);
  send(msg::ime_start_composition);
  compose(u"xy", {}, 1);
  EXPECT_TRUE(events.events().empty());
  EXPECT_EQ(context().text, u"xy");
  EXPECT_EQ(context().cursor, 1);
}

TEST_F(text_input_test, a_language_change_during_a_composition_asks_to_complete_it) {
  ime().layout = 0x04110411;
  ime().ime = true;
  send(msg::input_language_change);
  EXPECT_TRUE(context().is_ime);
  EXPECT_EQ(ime().completions, 0);
  send(msg::ime_start_composition);
  send(msg::input_language_change);
  EXPECT_EQ(ime().completions, 1);
}

TEST_F(text_input_test, the_modal_loop_records_a_key_before_delivering_it_only_while_composing) {
  ime().key = ui::virtual_key::left;
  ime().character = 0;
  std::vector<std::uint64_t> seen;  // the recorded key when each key_down is delivered
  ui::connect(&win, event_type::key_down, [&](const ui::event_info&) { seen.push_back(context().last_key); });
  platform.post(win, {msg::key_down, ui::virtual_key::left, 1});
  platform.post(win, {msg::ime_start_composition, 0, 0});
  platform.post(win, {msg::key_down, ui::virtual_key::left, 1});
  platform.post(win, {msg::close, 0, 0});
  EXPECT_EQ(win.run_modal(), 0);
  EXPECT_EQ(seen, (std::vector<std::uint64_t>{0, ui::virtual_key::left}));
}
