// The wizard driven by keys alone on the headless platform: Tab order and
// the default buttons, Enter, Space and Escape on every page and in both
// questions, auto-repeats, the focus cue that appears only after a key, and
// the summary scrolled by keys.
#include "installer/installer_ui.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "hbsdk/ui/testing/headless_window_backend.h"
#include "hbsdk/ui/testing/recording_render_backend.h"
#include "hbsdk/ui/testing/test_platform.h"
#include "hbsdk/ui/virtual_key.h"
#include "hbsdk/ui/widgets/message_popup.h"
#include "hbsdk/ui/window_message.h"
#include "scoped_variable.h"
#include "settings_sandbox.h"

namespace ui = hbsdk::ui;
namespace fs = hbsdk::filesystem;
namespace support = hbsdk::ui::test_support;
namespace msg = hbsdk::ui::message;
namespace vk = hbsdk::ui::virtual_key;
using installer::InstallerButton;
using installer::InstallerUI;

namespace {

const std::uint8_t archive_bytes[] = {0x68, 0x62, 0x5E, 0x1A};
constexpr std::int64_t repeat_bit = std::int64_t{1} << 30;

// Each run waits inside the extraction until the test hands it a code.
class held_worker {
public:
  installer::install_steps steps() {
    return {[](const fs::file_path&) {},
            []() -> std::optional<installer::payload_view> {
              return installer::payload_view{archive_bytes, sizeof archive_bytes};
            },
            [this](const std::uint8_t*, std::uint64_t, const fs::file_path&) {
              std::unique_lock lock(mutex_);
              ++runs_;
              released_.wait(lock, [this] { return !codes_.empty(); });
              const std::int32_t code = codes_.front();
              codes_.pop_front();
              return code;
            }};
  }
  void finish_with(std::int32_t code) {
    {
      std::lock_guard lock(mutex_);
      codes_.push_back(code);
    }
    released_.notify_all();
  }
  int runs() {
    std::lock_guard lock(mutex_);
    return runs_;
  }

private:
  std::mutex mutex_;
  std::condition_variable released_;
  std::deque<std::int32_t> codes_;
  int runs_ = 0;
};

class keys_test : public ::testing::Test {
protected:
  explicit keys_test(const char* folder = "/library/orrery") : folder_(("ORRERY_USER_PATH"), folder) {}

  void SetUp() override {
    wizard = std::make_unique<InstallerUI>(worker.steps());
    platform.on_idle = [this] {
      platform.set_key(vk::shift, false);  // a Shift+Tab of the last step is over
      if (steps.empty()) {
        ADD_FAILURE() << "the loop waits and the test has no step left";
        platform.post(*wizard, {msg::close, 0, 0});
        return;
      }
      auto step = std::move(steps.front());
      steps.pop_front();
      step();
    };
  }
  void TearDown() override {
    for (int i = 0; i < 4; ++i) worker.finish_with(0);
    wizard.reset();
  }

  void then(std::function<void()> step) { steps.push_back(std::move(step)); }
  // The newest native window: a pop-up while one is open.
  ui::native_window& top() { return platform.backends().back()->owner(); }
  ui::window& top_window() { return *top().owner_window(); }
  // A key as a keyboard sends it to the window on top: down, its character
  // when it has one, up.
  void press(std::int32_t key, bool repeated = false) {
    ui::native_window& target = top();
    platform.post(target, {msg::key_down, static_cast<std::uint64_t>(key), repeated ? repeat_bit : 0});
    if (key == vk::enter || key == vk::escape || key == vk::space || key == vk::tab) {
      platform.post(target, {msg::character, static_cast<std::uint64_t>(key), repeated ? repeat_bit : 0});
    }
    platform.post(target, {msg::key_up, static_cast<std::uint64_t>(key), 0});
  }
  void tab() { press(vk::tab); }
  // Shift stays down until the loop waits again.
  void shift_tab() {
    platform.set_key(vk::shift, true);
    press(vk::tab);
  }
  void finish_run(std::int32_t code) {
    worker.finish_with(code);
    while (!wizard->system.done()) std::this_thread::yield();
    platform.elapse(200);
  }
  void wait_for_runs(int count) {
    while (worker.runs() < count) std::this_thread::yield();
  }
  void click_title() { platform.post_click(wizard->native(), {300, 20}); }
  int run() { return (wizard->run_modal(), wizard->result()); }
  const ui::widget* popup_focus() { return top_window().focused(); }
  const ui::MessagePopup& popup() { return dynamic_cast<const ui::MessagePopup&>(top_window()); }

  support::test_platform platform;
  installer::testing::settings_sandbox sandbox;
  installer::testing::scoped_variable folder_;
  held_worker worker;
  std::unique_ptr<InstallerUI> wizard;
  std::deque<std::function<void()>> steps;
};

}  // namespace

TEST_F(keys_test, tab_enter_space_and_escape_walk_from_welcome_to_finish) {
  EXPECT_EQ(wizard->focused(), &wizard->next_button);  // the page's default button
  EXPECT_FALSE(wizard->keyboard_cues());
  then([&] { press(vk::enter); });
  then([&] {
    EXPECT_EQ(wizard->page(), 1u);
    EXPECT_TRUE(wizard->keyboard_cues());
    EXPECT_EQ(wizard->focused(), &wizard->next_button);
    tab();
  });
  then([&] {
    EXPECT_EQ(wizard->focused(), &wizard->cancel_button);
    tab();  // wraps past the end to the first button
  });
  then([&] {
    EXPECT_EQ(wizard->focused(), &wizard->back_button);
    shift_tab();
  });
  then([&] {
    EXPECT_EQ(wizard->focused(), &wizard->cancel_button);
    shift_tab();
  });
  then([&] {
    EXPECT_EQ(wizard->focused(), &wizard->next_button);
    press(vk::space);
  });
  then([&] {
    EXPECT_EQ(wizard->page(), 2u);
    EXPECT_EQ(wizard->focused(), &wizard->cancel_button);
    tab();  // Back and Next are disabled: Cancel is the only stop
  });
  then([&] {
    EXPECT_EQ(wizard->focused(), &wizard->cancel_button);
    wait_for_runs(1);
    finish_run(0);
  });
  then([&] {
    EXPECT_TRUE(wizard->is_finished());
    EXPECT_EQ(wizard->cancel_button.text, "Finish");
    EXPECT_EQ(wizard->focused(), &wizard->cancel_button);
    press(vk::escape);  // Escape acts as Finish
  });
  EXPECT_EQ(run(), 1);
  EXPECT_EQ(worker.runs(), 1);
}

TEST_F(keys_test, escape_asks_on_cancel_and_the_key_that_answers_never_reaches_the_wizard) {
  then([&] { press(vk::escape); });
  then([&] {
    ASSERT_EQ(platform.backends().size(), 2u);
    EXPECT_EQ(popup().title(), "Exit Installer");
    EXPECT_EQ(popup_focus(), &popup().second_button());  // Cancel, the safe answer
    // Enter answers Cancel; then the key stays held: its repeats, its
    // character and its release reach the wizard, whose Next has the focus.
    platform.post(top(), {msg::key_down, static_cast<std::uint64_t>(vk::enter), 0});
    platform.post(wizard->native(), {msg::key_down, static_cast<std::uint64_t>(vk::enter), repeat_bit});
    platform.post(wizard->native(), {msg::key_down, static_cast<std::uint64_t>(vk::enter), repeat_bit});
    platform.post(wizard->native(), {msg::character, static_cast<std::uint64_t>(vk::enter), repeat_bit});
    platform.post(wizard->native(), {msg::key_up, static_cast<std::uint64_t>(vk::enter), 0});
  });
  then([&] {
    EXPECT_EQ(platform.backends().size(), 1u);
    EXPECT_EQ(wizard->page(), 0u);  // nothing pressed Next
    EXPECT_EQ(wizard->focused(), &wizard->next_button);
    press(vk::escape);
  });
  then([&] { press(vk::escape); });  // Escape in the question: Cancel again
  then([&] {
    EXPECT_EQ(platform.backends().size(), 1u);
    press(vk::escape);
  });
  then([&] { tab(); });  // to OK
  then([&] {
    EXPECT_EQ(popup_focus(), &popup().first_button());
    press(vk::space);
  });
  EXPECT_EQ(run(), 1);
  EXPECT_EQ(worker.runs(), 0);
}

TEST_F(keys_test, the_failure_question_opens_on_yes_and_escape_answers_no) {
  then([&] {
    press(vk::enter);
    press(vk::enter);
  });
  then([&] {
    EXPECT_EQ(wizard->page(), 2u);
    wait_for_runs(1);
    finish_run(20);
  });
  then([&] {
    ASSERT_EQ(platform.backends().size(), 2u);
    EXPECT_EQ(popup().title(), "Failed to install");
    EXPECT_EQ(popup_focus(), &popup().first_button());  // Yes: try again
    press(vk::enter);
  });
  then([&] {
    EXPECT_FALSE(wizard->is_finished());
    wait_for_runs(2);
    finish_run(24);
  });
  then([&] { press(vk::escape); });  // No
  then([&] {
    EXPECT_TRUE(wizard->is_finished());
    EXPECT_EQ(wizard->focused(), &wizard->cancel_button);
    press(vk::enter);  // the focused Finish
  });
  EXPECT_EQ(run(), 1);
  EXPECT_EQ(worker.runs(), 2);
}

TEST_F(keys_test, enter_without_a_focused_button_presses_next_and_then_finish_only) {
  then([&] { click_title(); });
  then([&] {
    EXPECT_EQ(wizard->focused(), &wizard->title_label);
    press(vk::enter);
  });
  then([&] {
    EXPECT_EQ(wizard->page(), 1u);
    click_title();
    press(vk::enter);
  });
  then([&] {
    EXPECT_EQ(wizard->page(), 2u);
    click_title();
    press(vk::enter);  // installing: Next is disabled and Cancel is no default
    press(vk::space);  // Space presses only a focused button
  });
  then([&] {
    EXPECT_EQ(platform.backends().size(), 1u);
    wait_for_runs(1);
    click_title();  // the focus leaves Cancel before Finish appears
  });
  then([&] { finish_run(0); });
  then([&] {
    EXPECT_EQ(wizard->focused(), &wizard->cancel_button);  // Finish takes the focus
    click_title();
    press(vk::enter);
  });
  EXPECT_EQ(run(), 1);
}

TEST_F(keys_test, the_focus_cue_is_drawn_only_after_a_key_inside_the_focused_enabled_button) {
  auto& drawing = platform.drawing_of(*wizard);
  const auto paint = [&](const ui::widget& button) {
    drawing.clear();
    wizard->paint_tree(wizard->root, {0, 0, 500, 360});
    return drawing.calls_of(button);
  };
  const auto dotted = [](const std::vector<support::draw_call>& calls) {
    std::vector<support::draw_call> found;
    for (const auto& call : calls) {
      if (call.kind == support::draw_kind::stroke_rect && call.dotted) found.push_back(call);
    }
    return found;
  };
  // Before any key a focused button draws exactly what an unfocused one does.
  ASSERT_EQ(wizard->focused(), &wizard->next_button);
  const auto focused_calls = paint(wizard->next_button);
  wizard->set_focus(&wizard->root, ui::focus_reason::mouse);
  const auto unfocused_calls = paint(wizard->next_button);
  ASSERT_EQ(focused_calls.size(), unfocused_calls.size());
  for (std::size_t i = 0; i < focused_calls.size(); ++i) {
    EXPECT_EQ(focused_calls[i].kind, unfocused_calls[i].kind);
    EXPECT_EQ(focused_calls[i].area, unfocused_calls[i].area);
    EXPECT_EQ(focused_calls[i].colour, unfocused_calls[i].colour);
    EXPECT_EQ(focused_calls[i].dotted, unfocused_calls[i].dotted);
  }
  EXPECT_TRUE(dotted(focused_calls).empty());

  // Any key turns the cues on and asks for a repaint of the whole window.
  wizard->set_focus(&wizard->next_button, ui::focus_reason::mouse);
  platform.clear_repaints();
  platform.send(*wizard, {msg::key_down, static_cast<std::uint64_t>(vk::shift), 0});
  EXPECT_TRUE(wizard->keyboard_cues());
  ASSERT_FALSE(platform.repaints().empty());
  EXPECT_EQ(platform.repaints().front().area, (ui::edge_rect{0, 0, 500, 360}));

  const auto cue = dotted(paint(wizard->next_button));
  ASSERT_EQ(cue.size(), 1u);
  // 4 inside the 85 x 30 button, through pixel centres: columns 4..80, rows 4..25.
  EXPECT_EQ(cue[0].area, (ui::rect_f{4.5f, 4.5f, 80.5f, 25.5f}));
  EXPECT_EQ(cue[0].colour, InstallerButton::border_hover);
  EXPECT_TRUE(dotted(paint(wizard->cancel_button)).empty());
  EXPECT_TRUE(dotted(paint(wizard->back_button)).empty());

  // A focus change repaints the buttons it concerns, and a disabled button shows no cue.
  platform.clear_repaints();
  wizard->set_focus(&wizard->back_button, ui::focus_reason::keyboard);
  EXPECT_FALSE(platform.repaints().empty());
  EXPECT_TRUE(dotted(paint(wizard->back_button)).empty());  // Back is disabled on the first page
  EXPECT_TRUE(dotted(paint(wizard->next_button)).empty());
}

namespace {

// A folder whose summary text runs far below the panel: words that wrap one
// per line in the recording metrics.
std::string long_folder() {
  std::string folder = "/library";
  for (int i = 0; i < 60; ++i) folder += " segment_number_" + std::to_string(i) + "_of_a_long_folder_name";
  return folder;
}
const std::string long_folder_text = long_folder();

class long_summary_keys_test : public keys_test {
protected:
  long_summary_keys_test() : keys_test(long_folder_text.c_str()) {}
};

}  // namespace

TEST_F(long_summary_keys_test, arrows_pages_home_and_end_scroll_the_summary_only_on_its_page) {
  const auto offset = [&] { return wizard->summary_label.y(); };
  then([&] {
    press(vk::down);  // the welcome page has nothing to scroll
    press(vk::enter);
  });
  then([&] {
    EXPECT_EQ(wizard->page(), 1u);
    ASSERT_GT(wizard->summary_scroll.range(), 300);  // room for a page step and more
    EXPECT_EQ(offset(), 0);
    press(vk::down);
    press(vk::down);
  });
  then([&] {
    EXPECT_EQ(offset(), -20);
    press(vk::up);
  });
  then([&] {
    EXPECT_EQ(offset(), -10);
    press(vk::page_down);
  });
  then([&] {
    EXPECT_EQ(offset(), -10 - 180);  // the panel's 190 less one step
    press(vk::down, true);           // a held arrow keeps scrolling? no: repeats do nothing
  });
  then([&] {
    EXPECT_EQ(offset(), -190);
    press(vk::end);
  });
  then([&] {
    EXPECT_EQ(offset(), -wizard->summary_scroll.range());
    press(vk::down);  // clamped at the end
    press(vk::page_up);
  });
  then([&] {
    EXPECT_EQ(offset(), -wizard->summary_scroll.range() + 180);
    press(vk::home);
  });
  then([&] {
    EXPECT_EQ(offset(), 0);
    press(vk::up);  // clamped at the start
  });
  then([&] {
    EXPECT_EQ(offset(), 0);
    platform.post(*wizard, {msg::close, 0, 0});
  });
  run();
}

TEST_F(keys_test, a_short_summary_does_not_move_by_keys) {
  then([&] { press(vk::enter); });
  then([&] {
    EXPECT_EQ(wizard->summary_scroll.range(), 0);
    press(vk::down);
    press(vk::end);
  });
  then([&] {
    EXPECT_EQ(wizard->summary_label.y(), 0);
    platform.post(*wizard, {msg::close, 0, 0});
  });
  run();
}
