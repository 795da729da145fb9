// Toolkit windows on SDL's offscreen driver (no display): placement, paint,
// timers, the close box, a disabled owner and the pointer.
#include "sdl_fixture.h"

#include <chrono>

namespace {

TEST_F(sdl_platform, a_window_is_made_hidden_with_its_title_place_and_client_size) {
  probe_window win("Fen\xC3\xAAtre \xE2\x9C\x93");
  ASSERT_NE(win.sdl(), nullptr);
  EXPECT_STREQ(SDL_GetWindowTitle(win.sdl()), "Fen\xC3\xAAtre \xE2\x9C\x93");
  EXPECT_NE(SDL_GetWindowFlags(win.sdl()) & SDL_WINDOW_HIDDEN, 0u);
  EXPECT_FALSE(win.native().backend().is_visible());
  EXPECT_EQ(win.native().client_rect(), (ui::rect{100, 100, 400, 300}));
  int width = 0, height = 0;
  SDL_GetWindowSize(win.sdl(), &width, &height);
  EXPECT_EQ(width, 400);
  EXPECT_EQ(height, 300);
  EXPECT_EQ(win.native().backend().frame_insets(ui::native_window::default_style, 0), ui::edge_rect{});
  const ui::edge_rect work = win.native().backend().work_area();
  EXPECT_GT(work.right - work.left, 0);

  // A new size reaches the tree as WM_SIZE, and the next paint draws on the
  // window's new surface.
  win.native().backend().show();
  win.native().backend().update();
  deliver_all();
  win.native().move_resize({50, 60, 500, 350});
  deliver_all();
  EXPECT_EQ(win.native().client_rect(), (ui::rect{50, 60, 500, 350}));
  EXPECT_EQ(win.root.width(), 500);
  EXPECT_EQ(win.background.height(), 350);
  EXPECT_EQ(pixel(win.sdl(), 450, 320), 0x0000FFu);
  EXPECT_EQ(pixel(win.sdl(), 50, 320), 0x0000FFu);  // below the left panel, which keeps its height
  EXPECT_EQ(pixel(win.sdl(), 50, 290), 0xFF0000u);
}

TEST_F(sdl_platform, showing_paints_the_tree_into_the_window_and_repaints_are_coalesced) {
  probe_window win;
  win.native().backend().show();
  EXPECT_NE(SDL_GetWindowFlags(win.sdl()) & SDL_WINDOW_SHOWN, 0u);
  win.native().backend().update();
  EXPECT_EQ(pixel(win.sdl(), 50, 150), 0xFF0000u);
  EXPECT_EQ(pixel(win.sdl(), 300, 150), 0x00FF00u);
  deliver_all();  // what showing queued (an exposure repaints the window once more)

  win.left.paints = win.right.paints = 0;
  win.left.fill = green;
  win.left.invalidate();
  win.right.fill = red;
  win.right.invalidate();
  EXPECT_EQ(win.native().backend().update_rect(), (ui::edge_rect{0, 0, 400, 300}));
  ASSERT_TRUE(services().take_message());
  services().dispatch_message();
  EXPECT_FALSE(services().take_message());  // one WM_PAINT for both
  EXPECT_EQ(win.left.paints, 1);
  EXPECT_EQ(win.right.paints, 1);
  EXPECT_EQ(pixel(win.sdl(), 50, 150), 0x00FF00u);
  EXPECT_EQ(pixel(win.sdl(), 300, 150), 0xFF0000u);

  // A hidden window waits to be painted but gets no WM_PAINT.
  win.native().backend().hide();
  win.left.invalidate();
  EXPECT_FALSE(services().take_message());
  EXPECT_EQ(win.left.paints, 1);
}

TEST_F(sdl_platform, timers_fire_in_the_loop_a_one_shot_once_and_a_repeating_one_until_killed) {
  probe_window win;
  int one_shot = 0;
  int repeating = 0;
  ui::connect(&win, event_type::timer, [&](const ui::event_info& info) {
    if (info.value == 7) ++one_shot;
    if (info.value == 8 && ++repeating == 3) win.native().kill_timer(&win, 8);
    if (info.value == 9) win.close(1);
    if (info.value == 99) win.close(99);  // the deadline, should the others never come
  });
  win.native().set_timer(&win, 7, 20, true);
  win.native().set_timer(&win, 8, 15, false);
  win.native().set_timer(&win, 9, 250, true);
  win.native().set_timer(&win, 99, 10000, true);
  EXPECT_EQ(win.run_modal(), 1);
  EXPECT_EQ(one_shot, 1);
  EXPECT_EQ(repeating, 3);
  EXPECT_EQ(win.native().timer_count(), 1u);  // the deadline
  EXPECT_EQ(services().timers().running(), 1u);
}

TEST_F(sdl_platform, a_due_timer_comes_after_pending_paints_and_the_wait_ends_when_it_is_due) {
  probe_window win;
  win.native().backend().show();
  deliver_all();
  int ticks = 0;
  ui::connect(&win, event_type::timer, [&](const ui::event_info&) { ++ticks; });
  win.native().set_timer(&win, 1, 30, true);
  const auto started = std::chrono::steady_clock::now();
  services().wait_message();  // nothing but the timer: returns when it is due
  EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(25));
  win.left.invalidate();
  ASSERT_TRUE(services().take_message());
  services().dispatch_message();
  EXPECT_EQ(ticks, 0);  // the paint came first
  ASSERT_TRUE(services().take_message());
  services().dispatch_message();
  EXPECT_EQ(ticks, 1);
  EXPECT_FALSE(services().take_message());
  EXPECT_EQ(services().timers().running(), 0u);  // one-shot
}

TEST_F(sdl_platform, the_close_box_ends_the_loop_with_result_0_and_keeps_the_window) {
  probe_window win;
  events.watch(&win, "window", {event_type::shown, event_type::hidden});
  push_window_event(win.id(), SDL_WINDOWEVENT_CLOSE);
  EXPECT_EQ(win.run_modal(), 0);
  EXPECT_EQ(events.names(), (strings{"window:shown"}));
  EXPECT_FALSE(win.native().backend().is_visible());
  EXPECT_NE(SDL_GetWindowFromID(win.id()), nullptr);
}

TEST_F(sdl_platform, an_owner_gets_no_input_while_its_pop_up_runs) {
  probe_window owner("owner");
  events.watch(&owner, "owner", {event_type::key_down});
  events.watch(&owner.root, "owner.root", {event_type::key_char});
  events.watch(&owner.left, "owner.left", {event_type::mouse_down, event_type::mouse_enter});
  probe_window popup("popup", &owner);
  events.watch(&popup, "popup", {event_type::key_down});
  owner.native().backend().show();
  deliver_all();

  // Queued before the pop-up's loop starts, taken while it runs.
  push_key(owner.id(), SDLK_a);
  push_window_event(owner.id(), SDL_WINDOWEVENT_ENTER);
  push_motion(owner.id(), 50, 50);
  push_motion(owner.id(), 60, 50);
  push_button(owner.id(), SDL_MOUSEBUTTONDOWN, 60, 50);
  push_window_event(owner.id(), SDL_WINDOWEVENT_LEAVE);
  push_window_event(owner.id(), SDL_WINDOWEVENT_CLOSE);
  push_key(popup.id(), SDLK_b);
  push_window_event(popup.id(), SDL_WINDOWEVENT_CLOSE);
  EXPECT_EQ(popup.run_modal(), 0);
  EXPECT_EQ(events.names(), (strings{"popup:key_down"}));
  EXPECT_EQ(events.events().back().value, static_cast<std::uint64_t>('B'));

  // Enabled again afterwards.
  EXPECT_TRUE(dynamic_cast<ui::sdl_window_backend&>(owner.native().backend()).enabled());
  // What hiding the pop-up queued is taken first, as the owner's loop would.
  deliver_all();
  events.clear();
  push_key(owner.id(), SDLK_RETURN);
  deliver_all();
  EXPECT_EQ(events.names(), (strings{"owner:key_down", "owner.root:key_char"}));
}

TEST_F(sdl_platform, the_pointer_moves_between_widgets_and_leaves_once_it_was_tracked) {
  probe_window win;
  for (auto [w, label] : {std::pair{&win.left, "left"}, {&win.right, "right"}}) {
    events.watch(w, label, {event_type::mouse_enter, event_type::mouse_leave, event_type::mouse_move,
                            event_type::mouse_down, event_type::mouse_up});
  }
  win.native().backend().show();
  deliver_all();

  push_window_event(win.id(), SDL_WINDOWEVENT_ENTER);
  push_motion(win.id(), 50, 50);
  deliver_all();
  EXPECT_TRUE(events.names().empty());  // the first move only starts tracking
  push_motion(win.id(), 60, 50);
  push_motion(win.id(), 61, 50);
  push_motion(win.id(), 300, 50);
  deliver_all();
  EXPECT_EQ(ui::cursor_position(&win.root), (ui::point{300, 50}));
  push_button(win.id(), SDL_MOUSEBUTTONDOWN, 300, 50);
  push_button(win.id(), SDL_MOUSEBUTTONUP, 300, 50);
  push_window_event(win.id(), SDL_WINDOWEVENT_LEAVE);
  push_window_event(win.id(), SDL_WINDOWEVENT_LEAVE);  // no leave was asked for again
  deliver_all();
  EXPECT_EQ(events.names(), (strings{"left:mouse_enter", "left:mouse_move", "left:mouse_leave", "right:mouse_enter",
                                     "right:mouse_down", "right:mouse_up", "right:mouse_leave"}));
  EXPECT_FALSE(win.mouse_tracking);
}

}  // namespace
