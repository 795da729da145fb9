// Modal loops on the headless platform: pop-ups of one owner, messages
// around the end of a loop, a close before the loop starts, and exceptions
// that leave a loop.
#include "window_fixture.h"

#include "hbsdk/ui/event_info.h"

#include <stdexcept>

using ui::event_type;

namespace {

class modal_loop_test : public window_test {
protected:
  // A pop-up of the test window, created and ready to run.
  struct popup_window : ui::window {
    popup_window(ui::window& owner, const char* title) {
      parent = &owner;
      create(title, {0, 0, 100, 60});
    }
  };
};

}  // namespace

// The wizard's case: the Cancel question is open, the run fails, and the
// failure question opens inside it. Answering the failure question must not
// give the wizard back its input while the Cancel question still runs.
TEST_F(modal_loop_test, the_owner_stays_disabled_while_another_of_its_pop_ups_runs) {
  popup_window cancel_question(win, "cancel");
  popup_window failure_question(win, "failure");
  auto& cancel_native = platform.backend_of(cancel_question);
  bool owner_enabled_after_inner = true;
  int cancel_focus_after_inner = 0;
  ui::connect(&cancel_question, event_type::timer, [&](const ui::event_info&) {
    const int focus_before = cancel_native.focus_requests();
    EXPECT_EQ(failure_question.run_modal(), 2);
    owner_enabled_after_inner = native().enabled();
    cancel_focus_after_inner = cancel_native.focus_requests() - focus_before;
  });
  ui::connect(&failure_question, event_type::key_down, [&](const ui::event_info&) { failure_question.close(2); });
  ui::connect(&cancel_question, event_type::key_down, [&](const ui::event_info&) { cancel_question.close(1); });
  int idle = 0;
  platform.on_idle = [&] {
    switch (idle++) {
      case 0: cancel_question.native().set_timer(&cancel_question, 1, 10, true); platform.elapse(10); break;
      case 1: platform.post(failure_question, {msg::key_down, 'N', 0}); break;
      default: platform.post(cancel_question, {msg::key_down, 'Y', 0}); break;
    }
  };
  const int owner_focus_before = native().focus_requests();
  EXPECT_EQ(cancel_question.run_modal(), 1);
  EXPECT_FALSE(owner_enabled_after_inner);
  EXPECT_EQ(cancel_focus_after_inner, 1);  // the pop-up still running gets the focus
  EXPECT_TRUE(native().enabled());         // the last pop-up gives the owner back
  EXPECT_EQ(native().focus_requests(), owner_focus_before + 1);
}

TEST_F(modal_loop_test, input_right_after_a_pop_up_closes_reaches_the_outer_loop) {
  popup_window popup(win, "popup");
  std::vector<std::string> seen;
  ui::connect(&win, event_type::timer, [&](const ui::event_info&) { seen.push_back("popup " + std::to_string(popup.run_modal())); });
  ui::connect(&popup, event_type::key_down, [&](const ui::event_info&) {
    popup.close(4);
    // Queued while the pop-up's loop is still in its callback.
    platform.post(win, {msg::key_down, 'K', 0});
  });
  ui::connect(&win, event_type::key_down, [&](const ui::event_info& e) {
    seen.push_back("key " + std::string(1, static_cast<char>(e.value)));
    win.close(0);
  });
  int idle = 0;
  platform.on_idle = [&] {
    switch (idle++) {
      case 0: win.native().set_timer(&win, 1, 10, true); platform.elapse(10); break;
      case 1: platform.post(popup, {msg::key_down, 'P', 0}); break;
      default:  // the key was lost: end the test's loop
        win.close(0);
        platform.post(win, {msg::paint, 0, 0});
        break;
    }
  };
  win.run_modal();
  EXPECT_EQ(seen, (strings{"popup 4", "key K"}));
}

TEST_F(modal_loop_test, a_close_from_a_shown_callback_ends_the_loop_at_once) {
  popup_window popup(win, "popup");
  ui::connect(&popup, event_type::shown, [&](const ui::event_info&) { popup.close(6); });
  platform.on_idle = [] { ADD_FAILURE() << "the loop waited for a message"; };
  EXPECT_EQ(popup.run_modal(), 6);
  EXPECT_FALSE(popup.native().running());
  EXPECT_FALSE(platform.backend_of(popup).is_visible());
  EXPECT_TRUE(native().enabled());

  // The next run is an ordinary one.
  ui::disconnect_all(&popup, event_type::shown);
  platform.on_idle = [&] { platform.post(popup, {msg::close, 0, 0}); };
  EXPECT_EQ(popup.run_modal(), 0);
}

TEST_F(modal_loop_test, an_exception_out_of_a_nested_loop_ends_it_as_if_closed) {
  popup_window popup(win, "popup");
  ui::connect(&popup, event_type::key_down, [](const ui::event_info&) { throw std::out_of_range("inner"); });
  platform.on_idle = [&] { platform.post(popup, {msg::key_down, 'E', 0}); };
  EXPECT_THROW(popup.run_modal(), std::out_of_range);
  EXPECT_FALSE(popup.native().running());
  EXPECT_FALSE(platform.backend_of(popup).is_visible());
  EXPECT_TRUE(native().enabled());

  // The owner's own loop still takes input and ends normally.
  int keys = 0;
  ui::connect(&win, event_type::key_down, [&](const ui::event_info&) {
    if (++keys == 1) win.close(9);
  });
  int idle = 0;
  platform.on_idle = [&] {
    if (idle++ == 0) {
      platform.post(win, {msg::key_down, 'A', 0});
    } else {  // the key did not arrive: end the test's loop
      win.close(-1);
      platform.post(win, {msg::paint, 0, 0});
    }
  };
  EXPECT_EQ(win.run_modal(), 9);
}

TEST_F(modal_loop_test, a_throwing_one_shot_timer_is_removed_and_others_keep_firing) {
  int repeating = 0;
  ui::connect(&win, event_type::timer, [&](const ui::event_info& e) {
    if (e.value == 1) throw std::runtime_error("timer failed");
    if (++repeating == 2) win.close(0);
  });
  win.native().set_timer(&win, 1, 10, true);
  win.native().set_timer(&win, 2, 30, false);
  platform.on_idle = [&] { platform.elapse(30); };
  EXPECT_THROW(win.run_modal(), std::runtime_error);
  EXPECT_EQ(win.native().timer_count(), 1u);  // only the repeating one is left
  EXPECT_EQ(native().timers().size(), 1u);
  win.run_modal();
  EXPECT_EQ(repeating, 2);
}
