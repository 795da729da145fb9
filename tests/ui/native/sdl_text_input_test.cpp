// Text input of SDL windows through SDL's own queue (offscreen driver): an
// IME's editing text and result reach the focused widget as compositions,
// keys pressed while composing are recorded, and text stays characters
// while no composition goes on.
#include "sdl_fixture.h"

#include "hbsdk/ui/virtual_key.h"

namespace {

constexpr const char* ni_ho = "\xE3\x81\xAB\xE3\x81\xBB";        // two kana
constexpr const char* nihon = "\xE6\x97\xA5\xE6\x9C\xAC";        // two kanji
constexpr const char16_t* nihon_wide = u"\u65E5\u672C";

class sdl_text_input : public sdl_platform {
protected:
  sdl_text_input() {
    events.watch(&win.left, "left", {event_type::text_composition, event_type::key_char});
    win.set_focus(&win.left, ui::focus_reason::keyboard);
  }
  ui::text_input_context& context() { return win.text_input(); }
  // The events as "label:code value".
  strings heard() const {
    strings out;
    for (const auto& e : events.events()) out.push_back(e.label + ":" + support::event_name(e.type) + " " + std::to_string(e.value));
    return out;
  }
  void push_editing(const char* utf8, Sint32 start) {
    SDL_Event e{};
    e.type = SDL_TEXTEDITING;
    e.edit.windowID = win.id();
    std::strncpy(e.edit.text, utf8, sizeof e.edit.text - 1);
    e.edit.start = start;
    e.edit.length = -1;
    SDL_PushEvent(&e);
  }
  // SDL's event for an editing text longer than 31 bytes; SDL allocates it.
  void push_long_editing(const std::string& utf8, Sint32 start) {
    SDL_Event e{};
    e.type = SDL_TEXTEDITING_EXT;
    e.editExt.windowID = win.id();
    e.editExt.text = SDL_strdup(utf8.c_str());
    e.editExt.start = start;
    e.editExt.length = -1;
    SDL_PushEvent(&e);
  }
  void push_text(const std::string& utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    e.text.windowID = win.id();
    std::strncpy(e.text.text, utf8.c_str(), sizeof e.text.text - 1);
    SDL_PushEvent(&e);
  }

  probe_window win;
};

TEST_F(sdl_text_input, an_attached_window_reports_a_composition_to_the_focused_widget) {
  context().attach(true);
  EXPECT_TRUE(SDL_IsTextInputActive());
  push_editing(ni_ho, 1);
  deliver_all();
  EXPECT_EQ(heard(), (strings{"left:text_composition 0", "left:text_composition 1"}));
  EXPECT_TRUE(context().composing);
  EXPECT_EQ(context().text, u"\u306B\u307B");
  EXPECT_EQ(context().cursor, 1);

  // A long editing text arrives whole, with its cursor.
  std::string long_text;
  for (int i = 0; i < 12; ++i) long_text += nihon;
  push_long_editing(long_text, 23);
  deliver_all();
  EXPECT_EQ(context().text.size(), 24u);
  EXPECT_EQ(context().cursor, 23);

  events.clear();
  push_editing(nihon, -1);
  push_text(nihon);
  push_text("a");
  deliver_all();
  EXPECT_EQ(heard(), (strings{"left:text_composition 1", "left:text_composition 2", "left:key_char 97"}));
  EXPECT_EQ(context().text, nihon_wide);  // the result
  EXPECT_EQ(context().cursor, 2);
  EXPECT_FALSE(context().composing);
}

TEST_F(sdl_text_input, an_emptied_editing_text_ends_the_composition_with_an_empty_result) {
  context().attach(true);
  push_editing("k", 1);
  push_editing("", 0);
  push_text("k");  // no composition any more: a character
  deliver_all();
  EXPECT_EQ(heard(), (strings{"left:text_composition 0", "left:text_composition 1", "left:text_composition 1",
                              "left:text_composition 2", "left:key_char 107"}));
  EXPECT_EQ(context().text, u"");
  EXPECT_FALSE(context().composing);
}

TEST_F(sdl_text_input, keys_pressed_during_a_composition_are_recorded_before_they_are_delivered) {
  context().attach(true);
  std::vector<std::uint64_t> seen;  // the recorded key and character when each key_down is delivered
  ui::connect(&win, event_type::key_down, [&](const ui::event_info&) {
    seen.push_back(context().last_key);
    seen.push_back(context().last_key_character);
  });
  push_key(win.id(), SDLK_LEFT);  // before the composition: not recorded
  push_editing("k", 1);
  push_key(win.id(), SDLK_k);
  push_key(win.id(), SDLK_HOME);
  push_window_event(win.id(), SDL_WINDOWEVENT_CLOSE);
  EXPECT_EQ(win.run_modal(), 0);
  EXPECT_EQ(seen, (std::vector<std::uint64_t>{0, 0, 'K', 'K', 0x24, 0}));
}

TEST_F(sdl_text_input, a_detached_window_ignores_editing_text_and_types_characters) {
  push_editing(ni_ho, 1);  // the context starts detached
  push_text("x");
  deliver_all();
  EXPECT_EQ(heard(), (strings{"left:key_char 120"}));
  EXPECT_FALSE(context().composing);

  // Detaching forgets a composition going on: its result comes as characters.
  context().attach(true);
  push_editing("y", 1);
  deliver_all();
  context().attach(false);
  events.clear();
  push_editing("yz", 2);
  push_text("yz");
  deliver_all();
  EXPECT_EQ(heard(), (strings{"left:key_char 121", "left:key_char 122"}));
}

TEST_F(sdl_text_input, a_long_result_handed_over_in_pieces_is_one_result) {
  context().attach(true);
  push_editing(nihon, 2);
  std::string first;
  for (int i = 0; i < 5; ++i) first += nihon;  // 30 bytes: no room for one more character
  push_text(first);
  push_text(nihon);  // 6 bytes: the last piece
  push_text("z");    // typed afterwards
  deliver_all();
  EXPECT_EQ(heard(), (strings{"left:text_composition 0", "left:text_composition 1", "left:text_composition 2",
                              "left:key_char 122"}));
  EXPECT_EQ(context().text.size(), 12u);
}

}  // namespace
