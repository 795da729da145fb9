// The wizard on the headless platform, with the worker's steps scripted:
// its widgets and looks, the page flow, the polling ticks and their texts,
// retries, Cancel and Finish, and the close box.
#include "installer/installer_ui.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <string>
#include <thread>

#include "hbsdk/filesystem/display_text.h"
#include "hbsdk/filesystem/std_path.h"
#include "hbsdk/ui/widgets/message_popup.h"
#include "installer/asset_library.h"
#include "installer/destination_check.h"
#include "installer/progress_bar.h"
#include "hbsdk/ui/testing/headless_window_backend.h"
#include "hbsdk/ui/testing/recording_render_backend.h"
#include "hbsdk/ui/testing/test_platform.h"
#include "hbsdk/ui/theme_overrides.h"
#include "hbsdk/ui/window_message.h"
#include "installer/install_status.h"
#include "installer/run_installer.h"
#include "scoped_variable.h"
#include "settings_sandbox.h"

namespace ui = hbsdk::ui;
namespace fs = hbsdk::filesystem;
namespace support = hbsdk::ui::test_support;
namespace msg = hbsdk::ui::message;
using installer::InstallerUI;

namespace {

const std::uint8_t archive_bytes[] = {0x68, 0x62, 0x5E, 0x1A};

// The worker's steps: each run waits inside the extraction until the test
// lets it finish with the next code of its list.
class scripted_worker {
public:
  installer::install_steps steps() {
    return {[](const fs::file_path&) {},
            []() -> std::optional<installer::payload_view> {
              return installer::payload_view{archive_bytes, sizeof archive_bytes};
            },
            [this](const std::uint8_t*, std::uint64_t, const fs::file_path& target) {
              std::unique_lock lock(mutex_);
              ++runs_;
              targets_.push_back(target);
              released_.wait(lock, [this] { return !codes_.empty(); });
              const std::int32_t code = codes_.front();
              codes_.pop_front();
              ++finished_;
              return code;
            }};
  }
  // Lets the next run end with this extraction code.
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
  int finished() {
    std::lock_guard lock(mutex_);
    return finished_;
  }
  fs::file_path target(std::size_t run) {
    std::lock_guard lock(mutex_);
    return targets_.at(run);
  }

private:
  std::mutex mutex_;
  std::condition_variable released_;
  std::deque<std::int32_t> codes_;
  std::vector<fs::file_path> targets_;
  int runs_ = 0;
  int finished_ = 0;
};

constexpr ui::point back_at{242, 335}, next_at{332, 335}, cancel_at{447, 335};

class wizard_test : public ::testing::Test {
protected:
  explicit wizard_test(const char* folder = "/library/orrery") : folder_variable_("ORRERY_USER_PATH", folder) {}

  void SetUp() override {
    wizard = std::make_unique<InstallerUI>(worker.steps());
    platform.on_idle = [this] { next_step(); };
  }
  void TearDown() override {
    // A run still held must end before the wizard goes.
    for (int i = 0; i < 4; ++i) worker.finish_with(0);
    wizard.reset();
  }

  // Steps run one at a time whenever a modal loop (the wizard's or a
  // pop-up's) has nothing else to do.
  void then(std::function<void()> step) { steps.push_back(std::move(step)); }
  void next_step() {
    if (steps.empty()) {
      ADD_FAILURE() << "the loop waits and the test has no step left";
      platform.post(*wizard, {msg::close, 0, 0});
      return;
    }
    auto step = std::move(steps.front());
    steps.pop_front();
    step();
  }
  void click(ui::point at, int button = 0) { platform.post_click(wizard->native(), at, button); }
  // The newest native window: a pop-up while one is open.
  ui::native_window& top() { return platform.backends().back()->owner(); }
  void click_popup(ui::point at) { platform.post_click(top(), at); }
  void close_popup() { platform.post(top(), {msg::close, 0, 0}); }
  // The pop-up's buttons (100 x 30, 20 from the bottom right, 10 apart).
  ui::point popup_button(int which) {
    const ui::rect area = top().client_rect();
    const int x = which == 1 ? area.width - 220 + 50 : area.width - 120 + 50;
    return {x, area.height - 50 + 15};
  }
  std::string progress() const { return wizard->progress_label.text(); }
  void tick() { platform.elapse(200); }
  // Waits (outside any loop) until the worker is inside a run's extraction.
  void wait_for_runs(int count) {
    while (worker.runs() < count) std::this_thread::yield();
  }
  // Waits until the current run has published its outcome.
  void wait_done() {
    while (!wizard->system.done()) std::this_thread::yield();
  }
  int run() { return (wizard->run_modal(), wizard->result()); }

  support::test_platform platform;
  installer::testing::settings_sandbox sandbox;
  installer::testing::scoped_variable folder_variable_;
  scripted_worker worker;
  std::unique_ptr<InstallerUI> wizard;
  std::deque<std::function<void()>> steps;
};

}  // namespace

TEST_F(wizard_test, the_window_and_its_widgets_are_where_the_look_puts_them) {
  const auto& request = platform.backend_of(*wizard).request();
  EXPECT_EQ(request.x, 600);
  EXPECT_EQ(request.y, 200);
  EXPECT_EQ(platform.backend_of(*wizard).title(), u"Tidewater Kit Pack Installer");
  EXPECT_EQ(wizard->root.bounds(), (ui::rect{0, 0, 500, 360}));
  EXPECT_EQ(wizard->side_image.width(), 160);
  EXPECT_EQ(wizard->side_image.height(), 310);

  struct placed {
    const char* name;
    const ui::widget& w;
    const ui::widget& parent;
    ui::rect bounds;
  };
  const placed table[] = {
      {"title", wizard->title_label, wizard->root, {170, 0, 320, 50}},
      {"page 0", wizard->pages[0], wizard->root, {170, 50, 320, 250}},
      {"intro", wizard->intro_label, wizard->pages[0], {10, 20, 320, 200}},
      {"page 1", wizard->pages[1], wizard->root, {170, 50, 320, 250}},
      {"hint", wizard->summary_hint_label, wizard->pages[1], {0, 15, 320, 40}},
      {"summary panel", wizard->summary_panel, wizard->pages[1], {0, 60, 320, 190}},
      {"scroll", wizard->summary_scroll, wizard->summary_panel, {305, 0, 15, 190}},
      // Placed at (10, 10); set_target then puts the scrolled content at offset 0.
      {"summary", wizard->summary_label, wizard->summary_panel, {10, 0, 285, 800}},
      {"page 2", wizard->pages[2], wizard->root, {170, 50, 320, 250}},
      {"headline", wizard->install_headline, wizard->pages[2], {0, 0, 320, 25}},
      {"progress", wizard->progress_label, wizard->pages[2], {0, 50, 300, 120}},
      {"progress bar", wizard->progress_bar, wizard->pages[2], {0, 180, 300, 14}},
      {"back", wizard->back_button, wizard->root, {200, 320, 85, 30}},
      {"next", wizard->next_button, wizard->root, {290, 320, 85, 30}},
      {"cancel", wizard->cancel_button, wizard->root, {405, 320, 85, 30}},
  };
  for (const placed& p : table) {
    SCOPED_TRACE(p.name);
    EXPECT_EQ(p.w.bounds(), p.bounds);
    EXPECT_EQ(p.w.parent(), &p.parent);
  }
  // Children in the order they were added (also their drawing order).
  EXPECT_EQ(wizard->root.children(),
            (std::vector<ui::widget*>{&wizard->title_label, &wizard->pages[0], &wizard->pages[1], &wizard->pages[2],
                                      &wizard->back_button, &wizard->next_button, &wizard->cancel_button}));
  EXPECT_EQ(wizard->summary_panel.children(),
            (std::vector<ui::widget*>{&wizard->summary_scroll, &wizard->summary_label}));

  EXPECT_EQ(wizard->root.style.get_style_color("default_back_color"), (ui::color{0.176f, 0.176f, 0.176f, 1}));
  EXPECT_EQ(wizard->summary_panel.style.get_style_color("default_back_color"), (ui::color{0.118f, 0.118f, 0.118f, 1}));
  EXPECT_EQ(wizard->title_label.style.get_style_float("label_font_size"), 15.0f);
  EXPECT_EQ(wizard->title_label.style.get_style_int("label_font_weight"), 2);
  EXPECT_EQ(wizard->intro_label.style.get_style_int("label_text_valign"), 1);
  EXPECT_EQ(wizard->summary_label.style.get_style_float("label_font_size"), 10.0f);
  EXPECT_EQ(wizard->summary_label.wrapping(), ui::text_wrapping::anywhere);  // a long path shows whole
  EXPECT_EQ(wizard->install_headline.style.get_style_int("label_font_weight"), 2);
  EXPECT_EQ(wizard->intro_label.style.get_style_string("label_font_name"), "verdana");
  EXPECT_EQ(ui::theme_overrides().size(), 12u);

  EXPECT_EQ(wizard->title_label.text(), "Tidewater Kit Pack Installer");
  EXPECT_EQ(wizard->intro_label.text(),
            "This will install Tidewater Kit on your computer.\n\nIt is recommended that you close all other "
            "applications before continuing.\n\nClick Next to continue, or Cancel to exit the installer.");
  EXPECT_EQ(wizard->install_headline.text(), "Installing Tidewater Kit Pack, please wait...");
  EXPECT_EQ(wizard->back_button.text, "< Back");
  EXPECT_EQ(wizard->next_button.text, "Next >");
  EXPECT_EQ(wizard->cancel_button.text, "Cancel");
}

TEST_F(wizard_test, the_background_band_and_separator_follow_the_root_size) {
  wizard->paint_tree(wizard->root, {0, 0, 500, 360});
  const auto calls = platform.drawing_of(*wizard).calls_of(wizard->root);
  ASSERT_GE(calls.size(), 4u);
  EXPECT_EQ(calls[0].area, (ui::rect_f{0, 0, 500, 360}));
  EXPECT_EQ(calls[0].colour, InstallerUI::background);
  EXPECT_EQ(calls[1].area, (ui::rect_f{0, 310, 500, 360}));
  EXPECT_EQ(calls[1].colour, InstallerUI::band);
  EXPECT_EQ(calls[2].area, (ui::rect_f{0.5f, 310.5f, 500.5f, 310.5f}));
  EXPECT_EQ(calls[2].colour, InstallerUI::separator);
  EXPECT_EQ(calls[3].kind, support::draw_kind::bitmap);
  EXPECT_EQ(calls[3].area, (ui::rect_f{0, 0, 160, 310}));

  wizard->root.set_bounds({0, 0, 600, 400});
  platform.drawing_of(*wizard).clear();
  wizard->paint_tree(wizard->root, {0, 0, 600, 400});
  EXPECT_EQ(platform.drawing_of(*wizard).calls_of(wizard->root)[1].area, (ui::rect_f{0, 350, 600, 400}));
}

TEST_F(wizard_test, next_and_back_walk_the_pages_and_rebuild_the_summary) {
  EXPECT_EQ(wizard->page(), 0u);
  EXPECT_TRUE(wizard->pages[0].is_visible());
  EXPECT_FALSE(wizard->pages[1].is_visible() || wizard->pages[2].is_visible());
  EXPECT_FALSE(wizard->back_button.is_enabled());
  // The folder as the platform writes it.
  const std::string summary =
      "Installing Tidewater Kit on:\n\n" + hbsdk::filesystem::display_text(fs::file_path("/library/orrery")) + "\n\n";
  then([&] { click(back_at); });  // disabled: nothing happens
  then([&] {
    EXPECT_EQ(wizard->page(), 0u);
    click(next_at, 2);  // any mouse button acts
  });
  then([&] {
    EXPECT_EQ(wizard->page(), 1u);
    EXPECT_TRUE(wizard->pages[1].is_visible());
    EXPECT_FALSE(wizard->pages[0].is_visible());
    EXPECT_TRUE(wizard->back_button.is_enabled());
    EXPECT_EQ(wizard->summary_label.text(), summary);
    EXPECT_EQ(wizard->summary_label.height(), 5 * 11 + 1);  // fitted: five lines of the recording metrics
    click(back_at);
  });
  then([&] {
    EXPECT_EQ(wizard->page(), 0u);
    EXPECT_FALSE(wizard->back_button.is_enabled());
    click(next_at, 1);
  });
  then([&] {
    EXPECT_EQ(wizard->summary_label.text(), summary);
    platform.post(*wizard, {msg::close, 0, 0});  // the close box, without a question
  });
  EXPECT_EQ(run(), 0);
  EXPECT_EQ(worker.runs(), 0);
}

TEST_F(wizard_test, an_installation_polls_with_dots_and_ends_with_finish) {
  then([&] { click(next_at); click(next_at); });
  then([&] {
    EXPECT_EQ(wizard->page(), 2u);
    EXPECT_FALSE(wizard->back_button.is_enabled());
    EXPECT_FALSE(wizard->next_button.is_enabled());
    EXPECT_TRUE(wizard->cancel_button.is_enabled());
    EXPECT_EQ(wizard->native().timer_count(), 1u);
    EXPECT_EQ(progress(), "");
    wait_for_runs(1);
    tick();
  });
  std::vector<std::string> seen;
  for (int i = 0; i < 5; ++i) {
    then([&] {
      seen.push_back(progress());
      tick();
    });
  }
  then([&] {
    worker.finish_with(0);
    wait_done();
    tick();
  });
  then([&] {
    EXPECT_EQ(wizard->install_headline.text(), "Tidewater Kit Pack was successfully installed.");
    EXPECT_EQ(wizard->cancel_button.text, "Finish");
    EXPECT_TRUE(wizard->is_finished());
    EXPECT_EQ(progress(), "Assets installed.\n\n\nClick Finish to close the installer.");
    EXPECT_EQ(wizard->native().timer_count(), 0u);  // the polling timer is stopped
    EXPECT_FALSE(wizard->system.joinable());
    click(cancel_at);  // Finish closes at once
  });
  EXPECT_EQ(run(), 1);
  ASSERT_EQ(seen.size(), 5u);
  // The counter is shared by every tick: whatever it starts at, it steps 0..3.
  for (std::size_t i = 1; i < seen.size(); ++i) {
    const auto dots = [](const std::string& text) { return text.size() - std::string("Installing Assets\n").size(); };
    EXPECT_EQ(seen[i].substr(0, 17), "Installing Assets");
    EXPECT_EQ(dots(seen[i]), (dots(seen[i - 1]) + 1) % 4) << seen[i - 1] << " then " << seen[i];
  }
  EXPECT_EQ(worker.target(0).text(), u"\\library\\orrery");
}

TEST_F(wizard_test, a_failure_answered_yes_runs_again_and_no_shows_the_failure) {
  then([&] { click(next_at); click(next_at); });
  then([&] {
    wait_for_runs(1);
    worker.finish_with(20);
    wait_done();
    tick();
  });
  then([&] {  // the question is open: Yes
    EXPECT_EQ(platform.backends().size(), 2u);
    EXPECT_FALSE(platform.backend_of(*wizard).enabled());
    click_popup(popup_button(1));
  });
  then([&] {
    EXPECT_EQ(worker.runs() >= 1, true);
    EXPECT_FALSE(wizard->is_finished());
    EXPECT_EQ(wizard->cancel_button.text, "Cancel");
    EXPECT_EQ(progress(), "Assets failed to install!\n\n\nClick Finish to close the installer.");
    EXPECT_EQ(wizard->native().timer_count(), 1u);  // one timer after a retry
    wait_for_runs(2);
    worker.finish_with(24);
    wait_done();
    tick();
  });
  then([&] { click_popup(popup_button(2)); });  // No
  then([&] {
    EXPECT_EQ(wizard->install_headline.text(), "Some components of Tidewater Kit Pack were not correctly installed.");
    EXPECT_EQ(wizard->cancel_button.text, "Finish");
    EXPECT_TRUE(wizard->is_finished());
    EXPECT_EQ(progress(), "Assets failed to install!\n\n\nClick Finish to close the installer.");
    EXPECT_EQ(wizard->native().timer_count(), 0u);
    click(cancel_at);
  });
  EXPECT_EQ(run(), 1);
  EXPECT_EQ(worker.runs(), 2);
}

TEST_F(wizard_test, closing_the_failure_question_counts_as_no) {
  then([&] { click(next_at); click(next_at); });
  then([&] {
    wait_for_runs(1);
    worker.finish_with(11);
    wait_done();
    tick();
  });
  then([&] { close_popup(); });
  then([&] {
    EXPECT_TRUE(wizard->is_finished());
    EXPECT_EQ(worker.runs(), 1);
    platform.post(*wizard, {msg::close, 0, 0});
  });
  run();
}

TEST_F(wizard_test, cancel_then_cancel_changes_nothing_even_while_installing) {
  then([&] { click(cancel_at); });
  then([&] {
    EXPECT_EQ(platform.backends().size(), 2u);  // the confirmation is open
    click_popup(popup_button(2));
  });
  then([&] {
    EXPECT_EQ(wizard->page(), 0u);
    EXPECT_TRUE(platform.backend_of(*wizard).enabled());
    click(next_at);
    click(next_at);
  });
  then([&] {
    wait_for_runs(1);
    click(cancel_at);
  });
  then([&] {
    tick();  // ticks still arrive while the confirmation is open
  });
  then([&] {
    EXPECT_EQ(progress().substr(0, 17), "Installing Assets");
    click_popup(popup_button(2));
  });
  then([&] {
    EXPECT_EQ(wizard->page(), 2u);
    EXPECT_FALSE(wizard->is_finished());
    worker.finish_with(0);
    wait_done();
    tick();
  });
  then([&] {
    EXPECT_TRUE(wizard->is_finished());
    click(cancel_at);
  });
  EXPECT_EQ(run(), 1);
}

TEST_F(wizard_test, cancel_then_ok_during_an_installation_closes_and_destruction_waits_for_the_worker) {
  then([&] { click(next_at); click(next_at); });
  then([&] {
    wait_for_runs(1);
    click(cancel_at);
  });
  then([&] { click_popup(popup_button(1)); });  // OK
  EXPECT_EQ(run(), 1);
  EXPECT_EQ(worker.finished(), 0);  // the worker is still writing
  std::thread releaser([&] { worker.finish_with(0); });
  wizard.reset();  // returns only after the worker has finished
  EXPECT_EQ(worker.finished(), 1);
  releaser.join();
}

TEST_F(wizard_test, the_close_box_ends_the_wizard_on_every_page_without_a_question) {
  for (std::uint32_t page = 0; page < 3; ++page) {
    SCOPED_TRACE(page);
    if (page > 0) then([&] { click(next_at); });
    then([&] {
      platform.post(*wizard, {msg::close, 0, 0});
    });
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(wizard->page(), page);
    EXPECT_EQ(platform.backends().size(), 1u);
  }
}

namespace {

class wizard_without_folder_test : public wizard_test {
protected:
  wizard_without_folder_test() : wizard_test("") {}
};

}  // namespace

TEST_F(wizard_without_folder_test, the_folder_found_is_shown_and_passed_on_unchanged) {
  // Neither the store nor the variable names a folder: the Documents folder
  // is used when there is one, the empty path otherwise.
  then([&] { click(next_at); });
  then([&] {
    EXPECT_EQ(wizard->summary_label.text(),
              "Installing Tidewater Kit on:\n\n" + hbsdk::filesystem::display_text(wizard->folder()) + "\n\n");
    click(next_at);
  });
  then([&] {
    wait_for_runs(1);
    EXPECT_EQ(worker.target(0).text(), wizard->folder().text());
    platform.post(*wizard, {msg::close, 0, 0});
  });
  run();
}

TEST(entry_point, the_marker_is_a_case_sensitive_substring_of_the_command_line) {
  EXPECT_TRUE(installer::is_elevated_instance(u"/UAC"));
  EXPECT_TRUE(installer::is_elevated_instance(u"--x /UACfoo bar"));  // part of a longer word still counts
  EXPECT_TRUE(installer::is_elevated_instance(u"a/UAC"));
  EXPECT_FALSE(installer::is_elevated_instance(u"/uac"));
  EXPECT_FALSE(installer::is_elevated_instance(u"/UA C"));
  EXPECT_FALSE(installer::is_elevated_instance(u""));
}

TEST(entry_point, a_value_holding_the_marker_does_not_mark_the_elevated_instance) {
  EXPECT_FALSE(installer::is_elevated_instance(u"\"/DIR=D:/UAC files\""));
  EXPECT_TRUE(installer::is_elevated_instance(u"/UAC \"/DIR=D:/UAC files\""));
}

// The progress bar: how much of its inside is filled for a part done, and
// what it draws.
TEST(progress_bar, fills_its_inside_by_the_part_done_and_no_further) {
  support::test_platform platform;
  ui::window host;
  host.create("bar", {0, 0, 200, 50});
  installer::ProgressBar bar;
  bar.create(host.root, {0, 0, 102, 14});  // 100 dips inside the outline
  const struct {
    std::uint64_t done, total;
    std::int32_t filled;
  } cases[] = {{0, 0, 0},      {5, 0, 0},   {0, 10, 0},   {1, 2, 50},  {1, 3, 33},
               {99, 100, 99},  {100, 100, 100}, {250, 100, 100},
               {(1ull << 62) - 1, 1ull << 62, 99}};  // a huge total neither overflows nor rounds up to full
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.done) + " of " + std::to_string(c.total));
    bar.set_progress(c.done, c.total);
    EXPECT_EQ(bar.filled_width(), c.filled);
  }
  bar.set_progress(1, 4);
  host.paint_tree(host.root, {0, 0, 200, 50});
  const auto calls = platform.drawing_of(host).calls_of(bar);
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].colour, installer::ProgressBar::track);
  EXPECT_EQ(calls[1].colour, installer::ProgressBar::fill);
  EXPECT_EQ(calls[1].area, (ui::rect_f{1, 1, 26, 13}));  // 25 dips from the inner left edge
  EXPECT_EQ(calls[2].colour, installer::ProgressBar::outline);
}

TEST_F(wizard_test, the_bar_is_full_after_a_success_and_empty_again_when_a_retry_starts) {
  then([&] { click(next_at); click(next_at); });
  then([&] {
    EXPECT_EQ(wizard->progress_bar.filled_width(), 0);
    EXPECT_TRUE(wizard->progress_bar.is_visible());
    wait_for_runs(1);
    worker.finish_with(18);
    wait_done();
    tick();
  });
  then([&] {
    auto* question = dynamic_cast<ui::MessagePopup*>(top().owner_window());
    ASSERT_NE(question, nullptr);
    // The reason comes before the question, which keeps its words.
    EXPECT_EQ(question->message(),
              "Tidewater Kit Pack could not be installed.\n\nA link in the folder was refused.\n\nDo you want to try "
              "again?");
    click_popup(popup_button(1));  // Yes
  });
  then([&] {
    EXPECT_EQ(wizard->progress_bar.filled_width(), 0);
    wait_for_runs(2);
    worker.finish_with(0);
    wait_done();
    tick();
  });
  then([&] {
    EXPECT_EQ(wizard->progress_bar.filled_width(), 298);  // stays, full, after the outcome
    click(cancel_at);
  });
  EXPECT_EQ(run(), 1);
}

TEST_F(wizard_without_folder_test, no_folder_found_is_said_on_the_summary_and_next_cannot_start_a_run) {
  // Empty the Documents lookup too, so no folder is found at all.
  installer::testing::scoped_variable home("HOME", "");
  installer::testing::scoped_variable user_profile("USERPROFILE", "");
  wizard = std::make_unique<InstallerUI>(worker.steps());
  if (!wizard->folder().empty()) GTEST_SKIP() << "this system still names a Documents folder";
  then([&] { click(next_at); });
  then([&] {
    EXPECT_NE(wizard->summary_label.text().find("No folder was found"), std::string::npos);
    EXPECT_FALSE(wizard->next_button.is_enabled());
    click(next_at);  // does nothing
    click(back_at);
  });
  then([&] {
    EXPECT_EQ(wizard->page(), 0u);
    EXPECT_TRUE(wizard->next_button.is_enabled());
    platform.post(*wizard, {msg::close, 0, 0});
  });
  run();
  EXPECT_EQ(worker.runs(), 0);
}

TEST(destination_check, holds_back_a_run_without_a_folder_or_without_room) {
  const fs::file_path folder(u"\\library");
  EXPECT_TRUE(installer::check_destination(folder, 100, 100).ok());
  EXPECT_TRUE(installer::check_destination(folder, std::nullopt, 0).ok());  // unknown sizes hold nothing back
  EXPECT_TRUE(installer::check_destination(folder, 100, std::nullopt).ok());
  const auto small = installer::check_destination(folder, 3 * 1048576 + 1, 3 * 1048576);
  EXPECT_EQ(small.reason, installer::exit_reason::disk_full);
  EXPECT_NE(small.text.find("needs 4 MB"), std::string::npos) << small.text;
  EXPECT_NE(small.text.find("has 3 MB free"), std::string::npos) << small.text;
  EXPECT_EQ(installer::check_destination(fs::file_path(), 1, 100).reason, installer::exit_reason::bad_destination);
}

namespace {

// The wizard run_installer made, found through the headless platform.
InstallerUI* running_wizard(support::test_platform& platform) {
  if (platform.backends().empty()) return nullptr;
  return dynamic_cast<InstallerUI*>(platform.backends().front()->owner().owner_window());
}

// The whole file; it is closed again before this returns (Windows cannot
// remove an open file).
std::string read_text(const std::filesystem::path& file) {
  std::ifstream stream(file, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
}

installer::command_line silent_line(installer::run_mode mode) {
  installer::command_line line;
  line.mode = mode;
  return line;
}

}  // namespace

TEST_F(wizard_test, silent_mode_installs_at_once_ignores_the_close_box_and_ends_with_the_run_code) {
  wizard.reset();  // run_installer makes its own
  for (const auto& [code, expected] : {std::pair{0, 0}, std::pair{20, 82}}) {
    SCOPED_TRACE(code);
    const int runs_before = worker.runs();
    int idle = 0;
    platform.on_idle = [&, code = code] {
      InstallerUI* silent = running_wizard(platform);
      ASSERT_NE(silent, nullptr);
      switch (idle++) {
        case 0:
          EXPECT_EQ(silent->page(), 2u);  // straight on the installing page
          EXPECT_FALSE(silent->cancel_button.is_enabled());
          platform.post(*silent, {msg::close, 0, 0});  // the close box while the run goes on
          return;
        case 1:
          EXPECT_FALSE(silent->is_finished());
          wait_for_runs(runs_before + 1);
          worker.finish_with(code);
          while (!silent->system.done()) std::this_thread::yield();
          platform.elapse(200);  // the tick that sees the outcome closes the wizard
          return;
        default:
          // Only a wizard that failed to close itself comes here: tick on a
          // while, then stop the whole test rather than hang.
          ADD_FAILURE() << "the silent wizard did not close itself";
          if (idle > 20) std::abort();
          platform.elapse(200);
      }
    };
    installer::command_line line = silent_line(installer::run_mode::silent);
    line.destination = hbsdk::filesystem::from_std_path(std::filesystem::temp_directory_path());
    const int result = installer::run_installer(worker.steps(), line, installer::exit_platform::windows);
    EXPECT_EQ(result, expected);
    EXPECT_EQ(worker.runs(), runs_before + 1);  // no question, so no second run
  }
}

TEST_F(wizard_test, very_silent_mode_shows_no_window_and_writes_the_log_asked_for) {
  wizard.reset();
  const auto folder = std::filesystem::temp_directory_path() / ("hb_very_silent_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  std::filesystem::create_directories(folder);
  installer::command_line line = silent_line(installer::run_mode::very_silent);
  line.destination = hbsdk::filesystem::from_std_path(folder);
  line.log_file = hbsdk::filesystem::from_std_path(folder / "install.log");
  std::thread releaser([&] {
    wait_for_runs(1);
    worker.finish_with(16);
  });
  const int result = installer::run_installer(worker.steps(), line, installer::exit_platform::posix);
  releaser.join();
  EXPECT_EQ(result, 14);  // a bad destination
  EXPECT_TRUE(platform.backends().empty());
  EXPECT_EQ(worker.target(0), *line.destination);
  const std::string text = read_text(folder / "install.log");
  EXPECT_NE(text.find("Tidewater Kit Pack Installer "), std::string::npos) << text;
  EXPECT_NE(text.find("Switches: very silent dir="), std::string::npos) << text;
  EXPECT_NE(text.find("(given by the destination switch)"), std::string::npos) << text;
  EXPECT_NE(text.find("Outcome: failed with status 160: "), std::string::npos) << text;
  EXPECT_NE(text.find("Exit code: 14 after "), std::string::npos) << text;

  // A folder that is not there is refused before any run, and said so.
  line.destination = hbsdk::filesystem::from_std_path(folder / "missing");
  EXPECT_EQ(installer::run_installer(worker.steps(), line, installer::exit_platform::windows), 267);
  EXPECT_EQ(worker.runs(), 1);
  EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
  const std::string refused = read_text(folder / "install.log");
  EXPECT_NE(refused.find("Not started: The folder "), std::string::npos) << refused;
  EXPECT_NE(refused.find("Exit code: 267 after "), std::string::npos) << refused;
  std::filesystem::remove_all(folder);
}

TEST_F(wizard_test, the_destination_says_how_it_was_found) {
  installer::command_line line;
  const installer::destination_choice found = installer::choose_destination(line);
  EXPECT_EQ(found.folder, hbsdk::filesystem::file_path("/library/orrery"));
  EXPECT_EQ(found.source, "the environment variable ORRERY_USER_PATH");
  line.destination = hbsdk::filesystem::file_path("/elsewhere");
  EXPECT_EQ(installer::choose_destination(line).source, "given by the destination switch");
  ASSERT_TRUE(installer::record_asset_library(installer::asset_library_value, hbsdk::filesystem::file_path("/stored")));
  line.destination.reset();
  EXPECT_EQ(installer::choose_destination(line).source, "the stored value");
}

TEST(progress_bar, reads_as_a_progress_bar_whose_value_is_the_whole_percentage_announced_on_change) {
  support::test_platform platform;
  ui::window host;
  host.create("bar", {0, 0, 200, 50});
  installer::ProgressBar bar;
  bar.create(host.root, {0, 0, 102, 14});
  auto& native = platform.backend_of(host);
  native.clear_accessibility_events();
  bar.set_progress(1, 3);
  bar.set_progress(1, 3);       // unchanged: announced once
  bar.set_progress(333, 1000);  // still 33%
  EXPECT_EQ(bar.describe().role, ui::accessible_role::progress_bar);
  EXPECT_EQ(bar.describe().value, "33%");
  bar.set_progress(7, 0);
  EXPECT_EQ(bar.describe().value, "0%");
  bar.set_progress(2, 1);
  EXPECT_EQ(bar.describe().value, "100%");
  EXPECT_EQ(native.accessibility_events().size(), 3u);
}

namespace {

std::vector<std::string> reader_names(const ui::window& target) {
  std::vector<std::string> names;
  for (const ui::widget* child : target.accessible_children()) names.push_back(child->describe().name);
  return names;
}

std::int32_t reader_id(const ui::window& target, const std::string& name) {
  for (const ui::widget* child : target.accessible_children()) {
    if (child->describe().name == name) return target.accessible_id(*child);
  }
  return 0;
}

}  // namespace

TEST_F(wizard_test, a_screen_reader_reads_each_page_and_installs_by_default_actions_alone) {
  using record = support::headless_window_backend::accessibility_record;
  auto& native = platform.backend_of(*wizard);
  const std::string intro = wizard->intro_label.text();
  EXPECT_EQ(wizard->describe().name, "Tidewater Kit Pack Installer");
  EXPECT_EQ(reader_names(*wizard),
            (std::vector<std::string>{"Tidewater Kit Pack Installer", intro, "< Back", "Next >", "Cancel"}));
  const ui::accessible_description next = wizard->next_button.describe();
  EXPECT_TRUE(next.has(ui::accessible_state::default_button));
  EXPECT_TRUE(next.has(ui::accessible_state::focused));
  EXPECT_EQ(next.bounds, (ui::rect{290, 320, 85, 30}));
  EXPECT_TRUE(wizard->back_button.describe().has(ui::accessible_state::unavailable));
  EXPECT_FALSE(wizard->request_default_action(reader_id(*wizard, "< Back")));

  then([&] {
    native.clear_accessibility_events();
    EXPECT_TRUE(wizard->request_default_action(reader_id(*wizard, "Next >")));
  });
  then([&] {
    EXPECT_EQ(wizard->page(), 1u);
    const auto& seen = native.accessibility_events();
    const auto has = [&](record wanted) { return std::find(seen.begin(), seen.end(), wanted) != seen.end(); };
    EXPECT_TRUE(has({ui::accessible_change::structure, 0}));  // the page changed
    EXPECT_TRUE(has({ui::accessible_change::state, reader_id(*wizard, "< Back")}));  // Back enabled
    EXPECT_EQ(reader_names(*wizard).size(), 6u);  // title, hint, folder, three buttons
    EXPECT_TRUE(wizard->request_default_action(reader_id(*wizard, "Next >")));
  });
  then([&] {
    EXPECT_EQ(wizard->page(), 2u);
    EXPECT_TRUE(wizard->cancel_button.describe().has(ui::accessible_state::default_button));
    EXPECT_FALSE(wizard->next_button.describe().has(ui::accessible_state::default_button));
    wait_for_runs(1);
    worker.finish_with(0);
    wait_done();
    native.clear_accessibility_events();
    tick();
  });
  then([&] {
    const auto& seen = native.accessibility_events();
    const std::int32_t finish = reader_id(*wizard, "Finish");
    ASSERT_NE(finish, 0);
    EXPECT_NE(std::find(seen.begin(), seen.end(), record{ui::accessible_change::name, finish}), seen.end());
    EXPECT_NE(std::find(seen.begin(), seen.end(), record{ui::accessible_change::value, reader_id(*wizard, "Progress")}),
              seen.end());
    EXPECT_EQ(wizard->progress_bar.describe().value, "100%");
    EXPECT_TRUE(wizard->request_default_action(finish));
  });
  EXPECT_EQ(run(), 1);
}
