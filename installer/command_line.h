#pragma once
// The installer's command line, read once into one record that the entry
// point, the wizard and the worker read. The switches are one table; Windows
// spells them /NAME and /NAME=value (any case), Linux as GNU long options
// (--name, --name=value, --name value) plus -h.
//
// The elevation marker "/UAC" is no switch: found anywhere outside a
// switch's value (also inside a longer word) it marks the elevated instance
// on Windows; Linux accepts it and ignores it. A value holding it, such as
// /DIR=D:/UAC files, is just a value.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hbsdk/filesystem/file_path.h"

namespace installer {

enum class run_mode {
  interactive,  // the wizard, page by page
  silent,       // the wizard opens on its installing page and closes itself; no questions
  very_silent,  // no window at all
};

enum class switch_id { silent, very_silent, destination, log, help, uninstall };

struct switch_entry {
  switch_id id;
  std::u16string_view windows_name;  // without the slash, upper case
  std::string_view long_name;        // without the dashes; empty: none
  char short_name;                   // 0: none
  bool takes_value;
};

// Every switch and its spellings. /? is the second Windows spelling of help.
inline constexpr std::array<switch_entry, 7> switch_table{{
    {switch_id::silent, u"SILENT", "silent", 0, false},
    {switch_id::very_silent, u"VERYSILENT", "very-silent", 0, false},
    {switch_id::destination, u"DIR", "dir", 0, true},
    {switch_id::log, u"LOG", "log", 0, true},
    {switch_id::help, u"HELP", "help", 'h', false},
    {switch_id::help, u"?", "", 0, false},
    {switch_id::uninstall, u"UNINSTALL", "uninstall", 0, false},
}};

struct command_line {
  run_mode mode = run_mode::interactive;
  bool help = false;
  bool elevated = false;  // the marker was found
  // Remove the installed pack instead of installing it (with the silent
  // switches and the log; a destination is refused: the record names it).
  bool uninstall = false;
  std::optional<hbsdk::filesystem::file_path> destination;
  std::optional<hbsdk::filesystem::file_path> log_file;
  // Empty when the line was understood; otherwise what is wrong with it, in
  // one sentence. Nothing is installed for a refused line.
  std::string error;

  bool ok() const noexcept { return error.empty(); }
  bool silent() const noexcept { return mode != run_mode::interactive; }
  // Whether any switch (the marker is none) was given.
  bool has_switches() const noexcept { return help || silent() || destination || log_file || uninstall; }
};

// Splits a Windows command line (without the program's name) into arguments
// by the rules of the C runtime: white space separates arguments outside
// quotes; 2n backslashes before a quote give n backslashes and the quote
// opens or closes quoting; 2n+1 give n backslashes and a literal quote; ""
// inside quotes is a literal quote; other backslashes are literal.
std::vector<std::u16string> split_windows_arguments(std::u16string_view line);

// The argument quoted so that split_windows_arguments gives it back whole.
std::u16string quote_windows_argument(std::u16string_view argument);

// Reads the arguments of a Windows command line (without the program's name).
command_line parse_windows_command_line(std::u16string_view line);

// Reads Linux arguments (UTF-8, without the program's name).
command_line parse_gnu_arguments(const std::vector<std::string>& arguments);

// The parameters the elevated instance is started with: the marker first,
// then every switch of the record in its Windows spelling, each quoted.
std::u16string elevated_parameters(const command_line& line);

// The usage text: the switches of the platform (Windows spellings when
// windows is true, GNU spellings otherwise).
std::string help_text(bool windows);

}  // namespace installer
