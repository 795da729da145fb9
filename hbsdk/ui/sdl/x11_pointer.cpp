#include "hbsdk/ui/sdl/x11_pointer.h"

#include <SDL_syswm.h>

namespace hbsdk::ui {

std::optional<point> x11_pointer_position(SDL_Window* window) {
  if (window == nullptr) {
    return std::nullopt;
  }
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) {
    return std::nullopt;
  }
  ::Window root = 0;
  ::Window child = 0;
  int root_x = 0;
  int root_y = 0;
  int window_x = 0;
  int window_y = 0;
  unsigned int buttons = 0;
  if (XQueryPointer(info.info.x11.display, info.info.x11.window, &root, &child, &root_x, &root_y, &window_x,
                    &window_y, &buttons) == False) {
    return std::nullopt;
  }
  return point{root_x, root_y};
}

}  // namespace hbsdk::ui
