#pragma once
// The installer's wizard: one fixed-size window with the pack's banner at the
// left, a title line, three pages of which one is visible at a time, and
// the buttons Back, Next and Cancel. Page 0 welcomes the user, page 1 shows
// the folder the pack goes into (found once, when the wizard is made), page
// 2 runs the installation on a worker thread, watches it every 200 ms and
// reports the outcome: success, or a question whether to try again.
//
//   page  Back      Next      Cancel
//   0     disabled  enabled   asks, then closes
//   1     enabled   enabled   asks, then closes
//   2     disabled  disabled  asks while installing; "Finish" once the
//                             outcome is final, which closes at once
//
// Keyboard: Tab and Shift+Tab move among the enabled buttons; Enter or Space
// presses the focused one; Enter with no button focused presses Next (or
// Finish); Escape acts as Cancel (or Finish). Showing a page focuses Next
// (Cancel on the installing page, which becomes Finish); the pop-ups open on
// their safe answer (Cancel in the exit question, Yes in the retry
// question). The arrow, page and Home/End keys scroll the summary.
//
// The title bar's close box ends the wizard on every page without asking.
// Destroying the wizard waits for a running worker, so the process never
// ends in the middle of writing files.

#include "hbsdk/filesystem/file_path.h"
#include "hbsdk/ui/event_info.h"
#include "hbsdk/ui/event_object.h"
#include "hbsdk/ui/image.h"
#include "hbsdk/ui/widgets/generic_panel.h"
#include "hbsdk/ui/widgets/scroll_bar.h"
#include "hbsdk/ui/widgets/text_label.h"
#include "hbsdk/ui/window.h"
#include "installer/command_line.h"
#include "installer/destination_check.h"
#include "installer/installer_button.h"
#include "installer/install_steps.h"
#include "installer/progress_bar.h"
#include "installer/system.h"

#include <array>
#include <functional>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace installer {

class InstallerUI : public hbsdk::ui::window {
public:
  // A wizard whose installations run the given steps (the platform's: record
  // the folder, find the payload in this executable, extract it).
  explicit InstallerUI(install_steps steps) : InstallerUI(std::move(steps), command_line{}) {}
  // The same, for a command line: its destination replaces the folder found,
  // and in silent mode Cancel is disabled and the wizard closes itself once
  // the run is over, without the failure question.
  InstallerUI(install_steps steps, const command_line& line);
  ~InstallerUI() override;

  void show_page(std::uint32_t index);
  void on_button(const hbsdk::ui::event_info& event);
  void start_install();
  void on_tick();
  void paint_background();

  // What the user sees, for tests and screenshots.
  std::uint32_t page() const noexcept { return current_page; }
  bool is_finished() const noexcept { return finished; }
  const hbsdk::filesystem::file_path& folder() const noexcept { return target_folder; }
  // What keeps a run into the folder from starting (no folder, too little
  // free space); ok when nothing does. The summary page shows it and Next
  // stays disabled there.
  const destination_check& start_check() const noexcept { return start_check_; }

  // Asks every quarter second whether a second start wants the wizard (the
  // one-installation lock's summoned) and brings the window to the front
  // when one did.
  void answer_summons(std::function<bool()> asked);

  // The window's fixed geometry: client area (500 x 360) at (600, 200).
  static constexpr hbsdk::ui::rect placement{600, 200, 500, 360};
  static constexpr hbsdk::ui::color background{0.176f, 0.176f, 0.176f, 1.0f};
  static constexpr hbsdk::ui::color band{0.275f, 0.275f, 0.275f, 1.0f};
  static constexpr hbsdk::ui::color separator{0.392f, 0.392f, 0.392f, 1.0f};

  // The status text for a status value: "" (not started), "Installing
  // Assets" with the dots (running), "Assets installed.\n" (success) or
  // "Assets failed to install!\n" (any failure).
  static std::string status_text(std::int32_t status, std::uint32_t dots);

private:
  void build_pages(std::int32_t image_width);
  bool confirm_cancel();
  void on_key_down(const hbsdk::ui::event_info& event);
  void scroll_summary(std::int32_t key);
  bool is_wizard_button(const hbsdk::ui::widget* candidate) const;
  // The outcome is final: Cancel becomes Finish and takes the focus.
  void show_finish();
  // The run is over: stop watching it and show its outcome.
  void finish_run(std::int32_t status);
  void stop_polling();

  // The pack's installed size, measured before the steps move into system.
  std::optional<std::uint64_t> pack_bytes_;

public:
  // The install engine, the banner and the widgets; the window owns them,
  // the widget tree only refers to them.
  System system;
  hbsdk::ui::image side_image;
  std::array<hbsdk::ui::GenericPanel, 3> pages;
  hbsdk::ui::TextLabel title_label;
  hbsdk::ui::TextLabel intro_label;
  hbsdk::ui::TextLabel summary_hint_label;
  hbsdk::ui::TextLabel summary_label;
  hbsdk::ui::TextLabel install_headline;
  InstallerButton back_button;
  InstallerButton next_button;
  InstallerButton cancel_button;
  hbsdk::ui::GenericPanel summary_panel;
  hbsdk::ui::ScrollBar summary_scroll;
  hbsdk::ui::TextLabel progress_label;
  // Under the status text, at y 180 of the installing page; it stays after
  // the outcome (full after a success, where the run stopped after a failure).
  ProgressBar progress_bar;

private:
  destination_check start_check_;
  std::uint32_t current_page = 0;
  hbsdk::filesystem::file_path target_folder;
  bool finished = false;
  bool silent_ = false;
  std::uint32_t poll_timer_ = 0;  // the polling timer of the run being watched; 0 for none
  std::function<bool()> summoned_;
  hbsdk::ui::event_object summons_timer_;  // the target of the timer that asks summoned_

  void on_summons_tick();
};

// The product's texts.
namespace texts {
inline constexpr const char* pack = "Tidewater Kit Pack";
inline constexpr const char* pack_short = "Tidewater Kit";
inline constexpr const char* window_title = "Tidewater Kit Pack Installer";
}  // namespace texts

}  // namespace installer
