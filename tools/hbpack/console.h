#pragma once
// What the tools need from the console, per platform: the command line as
// UTF-8 and whether standard error is a terminal to draw progress on.

#include <string>
#include <vector>

namespace hbpack {

// The arguments after the program name, as UTF-8 (on Windows from the wide
// command line, so that any folder name survives).
std::vector<std::string> utf8_arguments(int argc, char** argv);

bool stderr_is_terminal();

}  // namespace hbpack
