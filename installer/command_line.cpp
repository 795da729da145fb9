#include "installer/command_line.h"

#include "hbsdk/filesystem/encoding.h"

namespace installer {

namespace fs = hbsdk::filesystem;

namespace {

constexpr std::u16string_view marker = u"/UAC";
constexpr std::string_view marker_utf8 = "/UAC";

char16_t upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

bool same_ignoring_case(std::u16string_view left, std::u16string_view right) {
  if (left.size() != right.size()) return false;
  for (std::size_t i = 0; i < left.size(); ++i) {
    if (upper(left[i]) != upper(right[i])) return false;
  }
  return true;
}

const switch_entry* find_windows(std::u16string_view name) {
  for (const switch_entry& entry : switch_table) {
    if (same_ignoring_case(entry.windows_name, name)) return &entry;
  }
  return nullptr;
}

const switch_entry* find_long(std::string_view name) {
  for (const switch_entry& entry : switch_table) {
    if (!entry.long_name.empty() && entry.long_name == name) return &entry;
  }
  return nullptr;
}

const switch_entry* find_short(char name) {
  for (const switch_entry& entry : switch_table) {
    if (entry.short_name != 0 && entry.short_name == name) return &entry;
  }
  return nullptr;
}

// Applies one recognised switch to the record; the first fault found is kept.
void apply(command_line& line, const switch_entry& entry, std::optional<fs::file_path> value, const std::string& shown) {
  if (!line.ok()) return;
  const auto refuse = [&](const std::string& why) { line.error = why; };
  switch (entry.id) {
    case switch_id::silent:
    case switch_id::very_silent: {
      const run_mode mode = entry.id == switch_id::silent ? run_mode::silent : run_mode::very_silent;
      if (line.mode != run_mode::interactive) {
        refuse("Only one of the silent switches may be given (" + shown + " follows another).");
        return;
      }
      line.mode = mode;
      return;
    }
    case switch_id::help:
      line.help = true;
      return;
    case switch_id::uninstall:
      if (line.destination) refuse("A removal takes no destination: the record of the installation names it.");
      line.uninstall = true;
      return;
    case switch_id::destination:
    case switch_id::log: {
      auto& field = entry.id == switch_id::destination ? line.destination : line.log_file;
      if (field) {
        refuse("The switch " + shown + " is given twice.");
      } else if (entry.id == switch_id::destination && line.uninstall) {
        refuse("A removal takes no destination: the record of the installation names it.");
      } else if (!value || value->empty()) {
        refuse("The switch " + shown + " needs a value.");
      } else {
        field = std::move(value);
      }
      return;
    }
  }
}

}  // namespace

std::vector<std::u16string> split_windows_arguments(std::u16string_view line) {
  std::vector<std::u16string> arguments;
  std::size_t i = 0;
  const auto blank = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; };
  while (i < line.size()) {
    while (i < line.size() && blank(line[i])) ++i;
    if (i >= line.size()) break;
    std::u16string argument;
    bool quoted = false;
    while (i < line.size() && (quoted || !blank(line[i]))) {
      if (line[i] == u'\\') {
        std::size_t slashes = 0;
        while (i < line.size() && line[i] == u'\\') {
          ++slashes;
          ++i;
        }
        if (i < line.size() && line[i] == u'"') {
          argument.append(slashes / 2, u'\\');
          if (slashes % 2 == 1) {
            argument.push_back(u'"');
            ++i;
          }
          // An even count leaves the quote to the branch below.
        } else {
          argument.append(slashes, u'\\');
        }
        continue;
      }
      if (line[i] == u'"') {
        if (quoted && i + 1 < line.size() && line[i + 1] == u'"') {
          argument.push_back(u'"');
          i += 2;
          continue;
        }
        quoted = !quoted;
        ++i;
        continue;
      }
      argument.push_back(line[i]);
      ++i;
    }
    arguments.push_back(std::move(argument));
  }
  return arguments;
}

std::u16string quote_windows_argument(std::u16string_view argument) {
  if (!argument.empty() && argument.find_first_of(u" \t\n\r\"") == std::u16string_view::npos) {
    return std::u16string(argument);
  }
  std::u16string quoted = u"\"";
  std::size_t slashes = 0;
  for (const char16_t c : argument) {
    if (c == u'\\') {
      ++slashes;
      continue;
    }
    if (c == u'"') {
      // The backslashes before a quote are doubled, and the quote escaped.
      quoted.append(slashes * 2 + 1, u'\\');
    } else {
      quoted.append(slashes, u'\\');
    }
    slashes = 0;
    quoted.push_back(c);
  }
  // Backslashes before the closing quote are doubled so it stays a quote.
  quoted.append(slashes * 2, u'\\');
  quoted.push_back(u'"');
  return quoted;
}

command_line parse_windows_command_line(std::u16string_view text) {
  command_line line;
  for (const std::u16string& argument : split_windows_arguments(text)) {
    if (!argument.empty() && argument.front() == u'/') {
      const std::size_t equals = argument.find(u'=');
      const std::u16string_view name = std::u16string_view(argument).substr(1, equals == std::u16string::npos ? std::u16string::npos : equals - 1);
      if (const switch_entry* entry = find_windows(name)) {
        std::string shown(1, '/');
        shown += fs::to_utf8(entry->windows_name);
        if (!entry->takes_value && equals != std::u16string::npos) {
          if (line.ok()) line.error = "The switch " + shown + " takes no value.";
          continue;
        }
        std::optional<fs::file_path> value;
        if (equals != std::u16string::npos) value = fs::file_path(std::u16string_view(argument).substr(equals + 1));
        apply(line, *entry, std::move(value), shown);
        continue;
      }
    }
    // Only now, outside every value, is the marker looked for.
    if (argument.find(marker) != std::u16string::npos) {
      line.elevated = true;
      continue;
    }
    if (line.ok()) {
      line.error = "Unknown switch: " + fs::to_utf8(argument) + ". /? lists the switches.";
    }
  }
  return line;
}

command_line parse_gnu_arguments(const std::vector<std::string>& arguments) {
  command_line line;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const switch_entry* entry = nullptr;
    std::string shown;
    std::optional<std::string> value;
    if (argument.size() > 2 && argument.compare(0, 2, "--") == 0) {
      const std::size_t equals = argument.find('=');
      entry = find_long(std::string_view(argument).substr(2, equals == std::string::npos ? std::string::npos : equals - 2));
      if (equals != std::string::npos) value = argument.substr(equals + 1);
      if (entry != nullptr) shown = "--" + std::string(entry->long_name);
    } else if (argument.size() == 2 && argument[0] == '-') {
      entry = find_short(argument[1]);
      shown = argument;
    }
    if (entry != nullptr) {
      if (!entry->takes_value && value) {
        if (line.ok()) line.error = "The option " + shown + " takes no value.";
        continue;
      }
      // --dir FOLDER: the next argument is the value, whatever it holds.
      if (entry->takes_value && !value && i + 1 < arguments.size()) value = arguments[++i];
      std::optional<fs::file_path> path;
      if (value) {
        try {
          path = fs::file_path(std::string_view(*value));
        } catch (const std::exception&) {
          if (line.ok()) line.error = "The value of " + shown + " is not valid UTF-8.";
          continue;
        }
      }
      apply(line, *entry, std::move(path), shown);
      continue;
    }
    if (argument.find(marker_utf8) != std::string::npos) {
      line.elevated = true;  // accepted and ignored on Linux
      continue;
    }
    if (line.ok()) line.error = "Unknown option: " + argument + ". --help lists the options.";
  }
  return line;
}

std::u16string elevated_parameters(const command_line& line) {
  std::u16string parameters(marker);
  const auto add = [&](std::u16string argument) {
    parameters += u' ';
    parameters += quote_windows_argument(argument);
  };
  if (line.uninstall) add(u"/UNINSTALL");
  if (line.mode == run_mode::silent) add(u"/SILENT");
  if (line.mode == run_mode::very_silent) add(u"/VERYSILENT");
  if (line.destination) add(u"/DIR=" + line.destination->text());
  if (line.log_file) add(u"/LOG=" + line.log_file->text());
  return parameters;
}

std::string help_text(bool windows) {
  if (windows) {
    return "Switches:\n"
           "/SILENT\tinstall without questions, showing only the progress; the window closes itself at the end\n"
           "/VERYSILENT\tinstall without any window\n"
           "/DIR=folder\tinstall into this folder instead of the one found\n"
           "/LOG=file\twrite a log of the installation to this file\n"
           "/UNINSTALL\tremove the installed pack (with /SILENT or /VERYSILENT: without questions)\n"
           "/HELP or /?\tshow this list\n"
           "\nThe exit code says how the installation ended: 0 success, 1602 cancelled, 1618 another installation "
           "is running, 1639 bad command line, 112 disk full, 82 a file or folder could not be written, 1921 a "
           "link was refused, 1620 the installer is damaged, 267 bad destination folder, 1603 the installer could "
           "not run; and a removal: 1605 nothing is installed, 1610 the record of the installation is damaged, "
           "1627 some files could not be removed.\n";
  }
  return "Usage: tidewater-kit-installer [OPTION]...\n"
         "  --silent        install without questions, showing only the progress;\n"
         "                  the window closes itself at the end\n"
         "  --very-silent   install without any window\n"
         "  --dir=FOLDER    install into FOLDER instead of the one found\n"
         "  --log=FILE      write a log of the installation to FILE\n"
         "  --uninstall     remove the installed pack (with --silent or --very-silent:\n"
         "                  without questions)\n"
         "  -h, --help      show this list and end\n"
         "\nExit codes: 0 success, 1 the installer could not run, 2 bad command line,\n"
         "3 no display, 4 another installation is running, 10 disk full,\n"
         "11 a file or folder could not be written, 12 a link was refused,\n"
         "13 the installer is damaged, 14 bad destination folder;\n"
         "and a removal: 20 nothing is installed, 21 some files could not be removed,\n"
         "22 the record of the installation is damaged.\n";
}

}  // namespace installer
