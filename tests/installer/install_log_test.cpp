// The installation log: where it may be opened, what a line looks like, and
// that each line is in the file as soon as it is written.
#include "installer/install_log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "hbsdk/filesystem/std_path.h"
#include "support/temp_folder.h"

namespace fs = hbsdk::filesystem;
namespace stdfs = std::filesystem;
using hb_test::temp_folder;

namespace {

std::string contents(const stdfs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

TEST(install_log, each_line_reaches_the_file_at_once_with_its_time) {
  const temp_folder folder;
  const stdfs::path file = folder.path() / "install.log";
  installer::install_log log;
  ASSERT_TRUE(log.open(fs::from_std_path(file)));
  EXPECT_TRUE(log.is_open());
  log.line("version 1.2.3");
  // Read while the log is still open: a killed run leaves this much.
  const std::string first = contents(file);
  EXPECT_TRUE(std::regex_match(first, std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d version 1\.2\.3\n)"))) << first;
  log.line("two\nlines\r\nin one");
  const std::string both = contents(file);
  EXPECT_EQ(both.substr(first.size() + 20), "two lines  in one\n");
}

TEST(install_log, opening_replaces_an_earlier_log) {
  const temp_folder folder;
  const stdfs::path file = folder.path() / "install.log";
  std::ofstream(file) << "an older and much longer log\n";
  installer::install_log log;
  ASSERT_TRUE(log.open(fs::from_std_path(file)));
  log.line("new");
  EXPECT_EQ(contents(file).substr(20), "new\n");
}

TEST(install_log, refuses_places_it_cannot_open_safely) {
  const temp_folder folder;
  stdfs::create_directory(folder.path() / "a-folder");
  struct case_t {
    const char* label;
    fs::file_path file;
  };
  const std::vector<case_t> cases = {
      {"relative", fs::file_path("install.log")},
      {"empty", fs::file_path()},
      {"missing folder", fs::from_std_path(folder.path() / "missing" / "install.log")},
      {"a folder at the name", fs::from_std_path(folder.path() / "a-folder")},
      {"ends in a separator", fs::from_std_path(folder.path() / "a-folder" / "")},
  };
  for (const auto& c : cases) {
    installer::install_log log;
    EXPECT_FALSE(log.open(c.file)) << c.label;
    EXPECT_FALSE(log.is_open()) << c.label;
    log.line("goes nowhere");  // harmless when not open
  }
}

TEST(install_log, a_link_at_its_name_is_refused_and_its_target_kept) {
  const temp_folder folder;
  const stdfs::path target = folder.path() / "precious.txt";
  std::ofstream(target) << "keep me";
  const stdfs::path link = folder.path() / "install.log";
  std::error_code error;
  stdfs::create_symlink(target, link, error);
  if (error) GTEST_SKIP() << "no symbolic links here: " << error.message();
  installer::install_log log;
  EXPECT_FALSE(log.open(fs::from_std_path(link)));
  log.line("must not reach the target");
  EXPECT_EQ(contents(target), "keep me");
}

TEST(install_log, lines_from_two_threads_stay_whole) {
  const temp_folder folder;
  const stdfs::path file = folder.path() / "install.log";
  installer::install_log log;
  ASSERT_TRUE(log.open(fs::from_std_path(file)));
  constexpr int per_thread = 300;
  const auto writer = [&log](char letter) {
    for (int i = 0; i < per_thread; ++i) log.line(std::string(40, letter));
  };
  std::thread worker(writer, 'w');
  writer('u');
  worker.join();
  std::istringstream lines(contents(file));
  int whole = 0;
  for (std::string line; std::getline(lines, line); ++whole) {
    ASSERT_EQ(line.size(), 60u) << line;
    EXPECT_TRUE(line.substr(20) == std::string(40, 'w') || line.substr(20) == std::string(40, 'u')) << line;
  }
  EXPECT_EQ(whole, 2 * per_thread);
}
