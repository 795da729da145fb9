#pragma once
// Files dropped on a toolkit window, whatever brought them (OLE drag and
// drop on Windows, SDL's drop events on Linux): whether the widget under the
// pointer wants them, and their delivery to it as the files_dropped event.

#include <string>
#include <vector>

namespace hbsdk::ui {

class window;

// True when the widget under the pointer exists, is enabled and has a
// files_dropped list: the drag then shows the move effect.
bool drop_wanted(window& target);

// Keeps the dropped paths that name something other than a folder (a path
// whose attributes cannot be read is left out like a folder), and dispatches
// files_dropped with the address of that list, valid during the call only.
// Dispatched also when no path is left. On Windows every "/" is turned into
// "\"; on Linux the paths are kept as the system spells them, so a name that
// holds "\" still names its file.
void deliver_dropped_files(window& target, const std::vector<std::u16string>& paths);

}  // namespace hbsdk::ui
