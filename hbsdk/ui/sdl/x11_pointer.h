#pragma once
// Where X has the pointer now, asked of the X server itself. SDL's own idea
// of the pointer comes from the events its windows receive, and while a
// drag from another program goes on a window receives none (the drag source
// holds the pointer).

#include "hbsdk/ui/geometry.h"

#include <SDL.h>

#include <optional>

namespace hbsdk::ui {

// The pointer in screen pixels, when the window is an X11 window on the
// pointer's screen; nothing with other video drivers.
std::optional<point> x11_pointer_position(SDL_Window* window);

}  // namespace hbsdk::ui
