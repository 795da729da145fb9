#include "installer/installer_ui.h"

#include "hbsdk/filesystem/display_text.h"
#include "hbsdk/ui/event_registry.h"
#include "hbsdk/ui/renderer.h"
#include "hbsdk/ui/virtual_key.h"
#include "hbsdk/ui/widgets/message_popup.h"
#include "installer/failure_reason.h"
#include "installer/free_space.h"
#include "installer/payload/archive_size.h"
#include "installer/run_installer.h"
#include "installer/install_status.h"
#include "installer/installer_theme.h"
#include "resources/embedded.h"

#include <algorithm>
#include <system_error>
#include <utility>

namespace installer {
namespace ui = hbsdk::ui;
using ui::event_type;

namespace {

// Drives the animated dots of the progress text: 0, 1, 2, 3, 0, ... full
// stops, one step per tick of any run; never reset.
std::uint32_t dot_count = 0;

constexpr std::uint32_t poll_milliseconds = 200;
constexpr std::uint32_t poll_key = 1;
constexpr std::uint32_t summons_key = 2;
constexpr std::uint32_t summons_milliseconds = 250;

const std::string back_text = "< Back";
const std::string next_text = "Next >";

std::string pack(const char* before, const char* after) { return std::string(before) + texts::pack + after; }

std::optional<std::uint64_t> measure_pack(const install_steps& steps) {
  if (!steps.find_payload) return std::nullopt;
  const auto payload = steps.find_payload();
  if (!payload) return std::nullopt;
  return payload_size(*payload);
}

}  // namespace

std::string InstallerUI::status_text(std::int32_t status, std::uint32_t dots) {
  switch (status) {
    case install_status::not_started:
      return "";
    case install_status::running:
      return "Installing Assets" + std::string(dots, '.') + "\n";
    case install_status::succeeded:
      return "Assets installed.\n";
    default:
      return "Assets failed to install!\n";
  }
}

InstallerUI::InstallerUI(install_steps steps, const command_line& line)
    : pack_bytes_(measure_pack(steps)), system(std::move(steps)), silent_(line.mode == run_mode::silent) {
  create(texts::window_title, placement);
  apply_installer_theme();
  root.style.set_style_color("default_back_color", background);
  ui::connect(&root, event_type::paint, this, &InstallerUI::paint_background);

  // The banner's width places everything else; without it the layout starts at the left edge.
  std::int32_t image_width = 0;
  if (side_image.load_from_memory(hb::resources::banner_png, hb::resources::banner_png_size, 1.0f)) {
    image_width = side_image.width();
  }
  build_pages(image_width);
  target_folder = choose_destination(line).folder;
  start_check_ = check_destination(target_folder, pack_bytes_,
                                   target_folder.empty() ? std::nullopt : free_space(target_folder));

  const std::int32_t width = root.width();
  const std::int32_t height = root.height();
  back_button.create(root, {width - 300, height - 40, 85, 30});
  next_button.create(root, {width - 210, height - 40, 85, 30});
  cancel_button.create(root, {width - 95, height - 40, 85, 30});
  back_button.set_text(back_text);
  next_button.set_text(next_text);
  cancel_button.set_text("Cancel");
  for (InstallerButton* button : {&back_button, &next_button, &cancel_button}) {
    ui::connect(button, event_type::mouse_up, this, &InstallerUI::on_button);
    ui::connect(button, event_type::clicked, this, &InstallerUI::on_button);
  }
  ui::connect(this, event_type::key_down, this, &InstallerUI::on_key_down);
  show_page(0);
  // A silent run cannot be stopped: the worker cannot be interrupted.
  if (silent_) cancel_button.set_enabled(false);
}

// The widget tree of the title line and the three pages, with their
// colours, style redirections and first texts. iw is the banner's width;
// a page is as wide as the room right of the banner less 20, and 110 less
// high than the window (the title line above, the button band below).
void InstallerUI::build_pages(std::int32_t iw) {
  const std::int32_t width = root.width();
  const std::int32_t height = root.height();
  const std::int32_t page_width = width - iw - 20;
  const std::int32_t page_height = height - 110;
  const ui::color clear{0, 0, 0, 0};
  const ui::color clear_white{1, 1, 1, 0};

  title_label.create(root, {iw + 10, 0, width - iw - 20, 50});
  title_label.style.set_style_color("default_back_color", clear);
  title_label.style.set_style_alias("label_font_size", "title_font_size");
  title_label.style.set_style_alias("label_font_weight", "title_font_weight");
  title_label.set_text(texts::window_title, false);

  // Every page fills the area right of the banner and starts hidden.
  const auto create_page = [&](std::size_t index, const ui::color& back) {
    pages[index].create(root, {iw + 10, 50, page_width, page_height});
    pages[index].set_visible(false);
    pages[index].style.set_style_color("default_back_color", back);
  };

  create_page(0, clear);
  intro_label.create(pages[0], {10, 20, page_width, 200});
  intro_label.style.set_style_color("default_back_color", clear);
  intro_label.style.set_style_alias("label_text_valign", "label_intro_text_valign");
  intro_label.set_text(std::string("This will install ") + texts::pack_short + " " +
                           "on your computer.\n\nIt is recommended that you close all other applications before "
                           "continuing.\n\nClick Next to continue, or Cancel to exit the installer.",
                       false);

  create_page(1, {0, 0, 1, 0});
  summary_hint_label.create(pages[1], {0, 15, page_width, 40});
  summary_hint_label.style.set_style_color("default_back_color", clear_white);
  summary_hint_label.style.set_style_alias("label_text_valign", "label_intro_text_valign");
  summary_hint_label.set_text(
      "Click Next to continue with the installation, or click Back if you want to review or change any settings.\n",
      false);
  summary_panel.create(pages[1], {0, 60, page_width, page_height - 60});
  summary_panel.style.set_style_color("default_back_color", {0.118f, 0.118f, 0.118f, 1.0f});
  summary_scroll.create(summary_panel, {page_width - 15, 0, 15, page_height - 60});
  summary_scroll.style.set_style_color("default_back_color", {0.208f, 0.208f, 0.208f, 1.0f});
  summary_label.create(summary_panel, {10, 10, page_width - 35, 800});
  summary_label.style.set_style_color("default_back_color", {0.118f, 0.118f, 0.118f, 1.0f});
  summary_label.style.set_style_alias("label_font_size", "label_path_font_size");
  summary_label.style.set_style_alias("label_text_valign", "label_path_text_valign");
  summary_label.set_wrapping(hbsdk::ui::text_wrapping::anywhere);
  summary_scroll.set_target(&summary_label);

  create_page(2, clear);
  install_headline.create(pages[2], {0, 0, page_width, 25});
  install_headline.style.set_style_color("default_back_color", clear_white);
  install_headline.style.set_style_alias("label_font_weight", "label_install_weight");
  install_headline.set_text(pack("Installing ", ", please wait..."), false);
  // The status text ends 10 above the progress bar, so no text of the page
  // ever reaches the bar: its longest text is four lines.
  progress_label.create(pages[2], {0, 50, width - iw - 40, 120});
  progress_label.style.set_style_color("default_back_color", clear_white);
  progress_label.style.set_style_alias("label_text_valign", "label_path_text_valign");
  progress_bar.create(pages[2], {0, 180, width - iw - 40, 14});
}

InstallerUI::~InstallerUI() {
  native().kill_timers_of(&summons_timer_);
  // A run is never abandoned half-way: wait for the worker before the
  // widgets go.
  system.join();
}

void InstallerUI::answer_summons(std::function<bool()> asked) {
  summoned_ = std::move(asked);
  native().set_timer(&summons_timer_, summons_key, summons_milliseconds, false);
  ui::connect(&summons_timer_, event_type::timer, this, &InstallerUI::on_summons_tick);
}

void InstallerUI::on_summons_tick() {
  // set_focus raises the window and gives it the keyboard.
  if (summoned_ && summoned_()) native().backend().set_focus();
}

void InstallerUI::show_page(std::uint32_t index) {
  if (index >= pages.size()) {
    return;
  }
  if (index == 0) {
    back_button.set_enabled(false);
    next_button.set_enabled(true);
  } else if (index == 1) {
    const std::string held_back = start_check_.ok() ? "" : start_check_.text + "\n";
    summary_label.set_text(std::string("Installing ") + texts::pack_short + " on:\n\n" +
                               hbsdk::filesystem::display_text(target_folder) + "\n\n" + held_back,
                           true);
    back_button.set_enabled(true);
    // A run that must fail is not started.
    next_button.set_enabled(start_check_.ok());
  } else {
    back_button.set_enabled(false);
    next_button.set_enabled(false);
    start_install();
  }
  back_button.set_text(back_text);
  next_button.set_text(next_text);
  pages[current_page].set_visible(false);
  pages[index].set_visible(true);
  current_page = index;
  // The page gives the focus to its default button: Next, or Cancel while
  // installing (it turns into Finish there).
  next_button.is_default = index < 2;
  cancel_button.is_default = index == 2;
  set_focus(index < 2 ? &next_button : &cancel_button, ui::focus_reason::popup_default);
}

// Acts on a release of any mouse button over an enabled button; where the
// press began does not matter.
void InstallerUI::on_button(const ui::event_info& event) {
  if (event.sender == &back_button) {
    if (current_page > 0) show_page(current_page - 1);
  } else if (event.sender == &next_button) {
    show_page(current_page + 1);
  } else if (event.sender == &cancel_button) {
    if (finished) {
      close(1);
      return;
    }
    ui::MessagePopup confirmation;
    confirmation.build(this, "Exit Installer", pack("Are you sure you want to cancel ", " installation?"), 1);
    confirmation.focus_button(2);  // Cancel: keep installing
    const std::int32_t answer = confirmation.run_modal();
    if (answer != 0) {
      close(answer);
    }
  }
}

void InstallerUI::start_install() {
  progress_bar.set_progress(0, 0);
  poll_timer_ = native().set_timer(&pages[2], poll_key, poll_milliseconds, false);
  ui::connect(&pages[2], event_type::timer, this, &InstallerUI::on_tick);
  try {
    system.start(target_folder);
  } catch (const std::system_error&) {
    // No thread could be made: the run happens here instead, and the next
    // tick shows its outcome.
    system.install(target_folder);
  }
}

void InstallerUI::stop_polling() {
  ui::disconnect_all(&pages[2], event_type::timer);
  // The timer of a finished run is stopped, so after any number of retries
  // only one timer fires.
  if (poll_timer_ != 0) {
    native().kill_timer(&pages[2], poll_key);
    poll_timer_ = 0;
  }
}

void InstallerUI::on_tick() {
  const std::uint32_t dots = dot_count;
  const bool done = system.done();
  const std::int32_t status = system.status();
  const std::string text = status_text(status, dots);
  progress_label.set_text(text, false);
  const install_progress progress = system.progress();
  progress_bar.set_progress(progress.bytes_done, progress.bytes_total);
  if (done && status == install_status::succeeded) progress_bar.set_progress(1, 1);
  if (done) {
    stop_polling();
    system.join();
    finish_run(status);
    progress_label.set_text(text + "\n\nClick Finish to close the installer.", false);
  }
  dot_count = dot_count + 1 > 3 ? 0 : dot_count + 1;
}

void InstallerUI::finish_run(std::int32_t status) {
  if (silent_) {
    finished = true;
    close(status == install_status::succeeded ? 1 : 0);
    return;
  }
  if (status == install_status::succeeded) {
    install_headline.set_text(pack("", " was successfully installed."), false);
    show_finish();
    return;
  }
  // Yes and No need a question to answer: the pop-up asks one.
  ui::MessagePopup question;
  // The question names the reason first when there is one.
  const std::string reason = failure_reason(system.outcome());
  const std::string said = reason.empty() ? "" : reason + "\n\n";
  question.build(this, "Failed to install",
                 std::string(texts::pack) + " could not be installed.\n\n" + said + "Do you want to try again?", 2);
  question.focus_button(1);  // Yes: try again
  if (question.run_modal() == 1) {
    start_install();  // the next tick shows the new run
    return;
  }
  install_headline.set_text(pack("Some components of ", " were not correctly installed."), false);
  show_finish();
}

void InstallerUI::show_finish() {
  cancel_button.set_text("Finish");
  finished = true;
  set_focus(&cancel_button, ui::focus_reason::popup_default);
}

bool InstallerUI::is_wizard_button(const ui::widget* candidate) const {
  return candidate == &back_button || candidate == &next_button || candidate == &cancel_button;
}

// Keys the page acts on whichever widget has the focus; the focused button
// has already had the key (Enter and Space press it). A held key's repeats
// do nothing.
//
//   Escape                     Cancel (its question), or Finish at the end
//   Enter, no button focused   Next when it is enabled, else Finish at the end
//   Up, Down                   summary page: scrolls the folder text by a step
//   Page Up, Page Down         summary page: by the panel's height less a step
//   Home, End                  summary page: to the start or the end
void InstallerUI::on_key_down(const ui::event_info& event) {
  if (key_repeat()) {
    return;
  }
  const auto key = static_cast<std::int32_t>(event.value);
  const auto press = [](InstallerButton& button) {
    if (button.is_enabled() && button.is_visible()) {
      ui::fire(&button, event_type::clicked, 0);
    }
  };
  if (key == ui::virtual_key::escape) {
    press(cancel_button);
    return;
  }
  if (key == ui::virtual_key::enter) {
    const ui::widget* target = focused();
    if (is_wizard_button(target) && target->is_enabled()) {
      return;
    }
    if (next_button.is_enabled()) {
      press(next_button);
    } else if (finished) {
      press(cancel_button);
    }
    return;
  }
  if (current_page == 1) {
    scroll_summary(key);
  }
}

void InstallerUI::scroll_summary(std::int32_t key) {
  const std::int32_t step = summary_scroll.step();
  const std::int32_t page = std::max(step, summary_panel.height() - step);
  switch (key) {
    case ui::virtual_key::up:
      summary_scroll.scroll_by(step);
      break;
    case ui::virtual_key::down:
      summary_scroll.scroll_by(-step);
      break;
    case ui::virtual_key::page_up:
      summary_scroll.scroll_by(page);
      break;
    case ui::virtual_key::page_down:
      summary_scroll.scroll_by(-page);
      break;
    case ui::virtual_key::home:
      summary_scroll.set_position(0, false);
      break;
    case ui::virtual_key::end:
      summary_scroll.set_position(summary_scroll.range(), false);
      break;
    default:
      break;
  }
}

void InstallerUI::paint_background() {
  ui::renderer& r = renderer();
  const std::int32_t width = root.width();
  const std::int32_t height = root.height();
  r.fill_color = root.style.get_style_color("default_back_color");
  r.fill_rectangle({0, 0, width, height});
  r.fill_color = band;
  r.fill_rectangle({0, height - 50, width, 50});
  r.line_color = separator;
  r.line_width = 1.0f;
  r.dotted = 0;
  r.draw_line({0, height - 50}, {width, height - 50});
  if (side_image.loaded()) {
    r.draw_image({0, 0}, side_image);
  }
}

}  // namespace installer
