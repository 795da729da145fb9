// The command line: the switch table in both spellings, refused lines, the
// elevation marker and its rule for values, and the quoting the first
// instance uses to pass switches on to the elevated one.
#include "installer/command_line.h"

#include <gtest/gtest.h>

#include "hbsdk/filesystem/encoding.h"

#include <string>
#include <vector>


namespace fs = hbsdk::filesystem;
using installer::command_line;
using installer::run_mode;

namespace {

command_line windows(std::u16string_view text) { return installer::parse_windows_command_line(text); }
command_line gnu(std::vector<std::string> arguments) { return installer::parse_gnu_arguments(arguments); }

struct accepted_case {
  std::u16string windows_line;
  std::vector<std::string> gnu_arguments;
  run_mode mode;
  bool help;
  std::u16string destination;  // empty: none
  std::u16string log;          // empty: none
};

}  // namespace

TEST(command_line_table, every_switch_is_read_in_both_spellings) {
  const std::vector<accepted_case> cases = {
      {u"", {}, run_mode::interactive, false, u"", u""},
      {u"/SILENT", {"--silent"}, run_mode::silent, false, u"", u""},
      {u"/silent", {"--silent"}, run_mode::silent, false, u"", u""},
      {u"/VerySilent", {"--very-silent"}, run_mode::very_silent, false, u"", u""},
      {u"/HELP", {"--help"}, run_mode::interactive, true, u"", u""},
      {u"/?", {"-h"}, run_mode::interactive, true, u"", u""},
      {u"/DIR=C:\\Packs", {"--dir=/packs"}, run_mode::interactive, false, u"C:\\Packs", u""},
      {u"/dir=\"C:\\My Packs\\\\\"", {"--dir", "/my packs/"}, run_mode::interactive, false, u"C:\\My Packs\\", u""},
      {u"/VERYSILENT /LOG=C:\\l.txt /DIR=D:\\x", {"--very-silent", "--log=/l.txt", "--dir", "/x"},
       run_mode::very_silent, false, u"D:\\x", u"C:\\l.txt"},
  };
  for (const accepted_case& c : cases) {
    SCOPED_TRACE(fs::to_utf8(c.windows_line));
    const command_line w = windows(c.windows_line);
    const command_line g = gnu(c.gnu_arguments);
    for (const command_line* line : {&w, &g}) {
      EXPECT_TRUE(line->ok()) << line->error;
      EXPECT_EQ(line->mode, c.mode);
      EXPECT_EQ(line->help, c.help);
      EXPECT_EQ(line->destination.has_value(), !c.destination.empty());
      EXPECT_EQ(line->log_file.has_value(), !c.log.empty());
      EXPECT_FALSE(line->elevated);
    }
    if (!c.destination.empty()) {
      EXPECT_EQ(w.destination->text(), c.destination);
    }
    if (!c.log.empty()) {
      EXPECT_EQ(w.log_file->text(), c.log);
    }
  }
  for (const command_line& line : {windows(u"/uninstall /VERYSILENT"), gnu({"--uninstall", "--very-silent"})}) {
    EXPECT_TRUE(line.ok()) << line.error;
    EXPECT_TRUE(line.uninstall);
    EXPECT_TRUE(line.has_switches());
    EXPECT_EQ(line.mode, run_mode::very_silent);
  }
  EXPECT_FALSE(windows(u"/SILENT").uninstall);
  // Linux paths are held with backslashes, like every file_path.
  EXPECT_EQ(gnu({"--dir", "/my packs/"}).destination->text(), u"\\my packs\\");
}

TEST(command_line_table, bad_lines_are_refused_with_a_sentence_naming_the_fault) {
  const std::vector<std::pair<std::u16string, std::string>> windows_cases = {
      {u"/QUIET", "/QUIET"},
      {u"/DIR", "/DIR"},
      {u"/DIR=", "/DIR"},
      {u"/SILENT=yes", "/SILENT"},
      {u"/SILENT /VERYSILENT", "/VERYSILENT"},
      {u"/DIR=a /DIR=b", "twice"},
      {u"stray", "stray"},
      {u"/uac", "/uac"},  // the marker is case-sensitive, so this is a switch nobody knows
      {u"/UNINSTALL /DIR=C:\\x", "destination"},
      {u"/DIR=C:\\x /Uninstall", "destination"},
      {u"/UNINSTALL=1", "/UNINSTALL"},
  };
  for (const auto& [text, named] : windows_cases) {
    SCOPED_TRACE(fs::to_utf8(text));
    const command_line line = windows(text);
    EXPECT_FALSE(line.ok());
    EXPECT_NE(line.error.find(named), std::string::npos) << line.error;
  }
  const std::vector<std::pair<std::vector<std::string>, std::string>> gnu_cases = {
      {{"--quiet"}, "--quiet"}, {{"--dir"}, "--dir"},         {{"--dir="}, "--dir"},
      {{"--help=1"}, "--help"}, {{"-x"}, "-x"},               {{"--silent", "--very-silent"}, "--very-silent"},
      {{"/SILENT"}, "/SILENT"}, {{"--dir=\xff"}, "UTF-8"}, {{"--uninstall", "--dir=/x"}, "destination"},
  };
  for (const auto& [arguments, named] : gnu_cases) {
    SCOPED_TRACE(arguments.front());
    const command_line line = gnu(arguments);
    EXPECT_FALSE(line.ok());
    EXPECT_NE(line.error.find(named), std::string::npos) << line.error;
  }
}

TEST(command_line_marker, is_found_outside_values_only) {
  EXPECT_TRUE(windows(u"/UAC").elevated);
  EXPECT_TRUE(windows(u"/UAC /SILENT").elevated);
  EXPECT_TRUE(windows(u"x/UACy").elevated);  // inside a longer word, outside any value
  EXPECT_TRUE(windows(u"x/UACy").ok());      // and never an unknown switch
  EXPECT_TRUE(windows(u"\"/UAC\" /dir=a").ok());
  // A folder written with forward slashes that holds the marker is only a folder.
  const command_line folder = windows(u"\"/DIR=D:/UAC files\"");
  EXPECT_FALSE(folder.elevated);
  ASSERT_TRUE(folder.destination);
  EXPECT_EQ(folder.destination->text(), u"D:\\UAC files");
  EXPECT_FALSE(windows(u"/LOG=C:/UAC.log").elevated);
  // Linux accepts the marker and it changes nothing else; a value holding it stays a value.
  const command_line linux_marker = gnu({"/UAC", "--silent"});
  EXPECT_TRUE(linux_marker.ok());
  EXPECT_EQ(linux_marker.mode, run_mode::silent);
  EXPECT_FALSE(gnu({"--dir", "/UAC"}).elevated);
}

TEST(command_line_quoting, every_argument_survives_a_round_trip) {
  const std::vector<std::u16string> arguments = {
      u"plain", u"two words", u"C:\\ends in a backslash\\", u"C:\\two\\\\", u"say \"hi\"", u"back\\\"quote",
      u"", u"tab\there", u"\\\\server\\share", u"/DIR=C:\\Program Files\\", u"trailing\\\\\\"};
  std::u16string line;
  for (const auto& argument : arguments) line += installer::quote_windows_argument(argument) + u" ";
  EXPECT_EQ(installer::split_windows_arguments(line), arguments);
  EXPECT_EQ(installer::quote_windows_argument(u"plain"), u"plain");
  EXPECT_EQ(installer::quote_windows_argument(u"a b\\"), u"\"a b\\\\\"");
}

TEST(command_line_quoting, the_splitter_follows_the_runtime_rules) {
  using list = std::vector<std::u16string>;
  EXPECT_EQ(installer::split_windows_arguments(u"  a   b\t\"c d\" "), (list{u"a", u"b", u"c d"}));
  EXPECT_EQ(installer::split_windows_arguments(u"a\\\\b"), (list{u"a\\\\b"}));         // no quote: literal
  EXPECT_EQ(installer::split_windows_arguments(u"a\\\\\"b c\""), (list{u"a\\b c"}));  // 2n: n, then quoting
  EXPECT_EQ(installer::split_windows_arguments(u"a\\\"b"), (list{u"a\"b"}));          // 2n+1: a literal quote
  EXPECT_EQ(installer::split_windows_arguments(u"\"a\"\"b\""), (list{u"a\"b"}));      // "" inside quotes
  EXPECT_EQ(installer::split_windows_arguments(u"\"\""), (list{u""}));
}

TEST(command_line_quoting, the_elevated_instance_reads_back_what_the_first_one_passes) {
  command_line line;
  line.mode = run_mode::very_silent;
  line.destination = fs::file_path(u"C:\\My Packs\\");
  line.log_file = fs::file_path(u"D:\\UAC logs\\run \"1\".log");
  const std::u16string parameters = installer::elevated_parameters(line);
  EXPECT_EQ(parameters.rfind(u"/UAC ", 0), 0u);
  const command_line read = windows(parameters);
  EXPECT_TRUE(read.ok()) << read.error;
  EXPECT_TRUE(read.elevated);
  EXPECT_EQ(read.mode, run_mode::very_silent);
  EXPECT_EQ(read.destination->text(), line.destination->text());
  EXPECT_EQ(read.log_file->text(), line.log_file->text());
  // A removal goes on as one.
  command_line removal;
  removal.uninstall = true;
  removal.mode = run_mode::silent;
  const command_line removal_read = windows(installer::elevated_parameters(removal));
  EXPECT_TRUE(removal_read.uninstall);
  EXPECT_EQ(removal_read.mode, run_mode::silent);
  EXPECT_FALSE(read.uninstall);
  // Without switches only the marker goes.
  EXPECT_EQ(installer::elevated_parameters(command_line{}), u"/UAC");
}

TEST(command_line_help, lists_every_switch_of_the_platform) {
  const std::string on_windows = installer::help_text(true);
  const std::string on_linux = installer::help_text(false);
  for (const auto& entry : installer::switch_table) {
    EXPECT_NE(on_windows.find(std::string(1, '/').append(fs::to_utf8(entry.windows_name))), std::string::npos);
    if (!entry.long_name.empty()) {
      EXPECT_NE(on_linux.find("--" + std::string(entry.long_name)), std::string::npos);
    }
  }
  EXPECT_EQ(on_windows.find("/UAC"), std::string::npos);
}
