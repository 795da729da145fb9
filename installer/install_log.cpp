#include "installer/install_log.h"

#include <cstdio>
#include <chrono>
#include <string>

#include "hbsdk/filesystem/directory_handle.h"

namespace installer {
namespace fs = hbsdk::filesystem;

namespace {

// "YYYY-MM-DD HH:MM:SS " for the current time, UTC.
std::string utc_stamp() {
  using namespace std::chrono;
  const auto now = floor<seconds>(system_clock::now());
  const auto day = floor<days>(now);
  const year_month_day date{day};
  const hh_mm_ss<seconds> time{now - day};
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u %02d:%02d:%02d ", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                static_cast<int>(time.seconds().count()));
  return text;
}

}  // namespace

bool install_log::open(const fs::file_path& file) {
  std::lock_guard lock(mutex_);
  (void)file_.close();
  error_ = 0;
  if (!fs::is_absolute(file)) return false;
  const std::u16string& text = file.text();
  const std::size_t split = text.rfind(u'\\');
  if (split == std::u16string::npos || split + 1 == text.size()) return false;
  // The folder keeps its backslash when it is a root ("\" or "C:\").
  std::u16string folder_text = text.substr(0, split);
  if (folder_text.empty() || folder_text.back() == u':') folder_text.push_back(u'\\');
  fs::directory_handle folder;
  if (!folder.open(fs::file_path(std::u16string_view(folder_text)))) return false;
  const fs::open_result opened = file_.open_in(folder, std::u16string_view(text).substr(split + 1));
  error_ = file_.last_error();
  return opened == fs::open_result::opened;
}

bool install_log::is_open() const {
  std::lock_guard lock(mutex_);
  return file_.is_open();
}

void install_log::line(std::string_view text) {
  std::string whole = utc_stamp();
  whole.reserve(whole.size() + text.size() + 1);
  for (const char c : text) whole.push_back(c == '\n' || c == '\r' ? ' ' : c);
  whole.push_back('\n');
  std::lock_guard lock(mutex_);
  if (!file_.is_open()) return;
  if (!file_.write(reinterpret_cast<const std::uint8_t*>(whole.data()), whole.size())) error_ = file_.last_error();
}

int install_log::last_error() const {
  std::lock_guard lock(mutex_);
  return error_;
}

}  // namespace installer
