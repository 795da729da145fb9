#pragma once
// The nine toolkit cursors as SDL system cursors, made once and shown on
// request. A driver without system cursors (offscreen, dummy) makes none, and
// showing one then does nothing.

#include "hbsdk/ui/cursor_shape.h"

#include <SDL.h>

#include <array>

namespace hbsdk::ui {

class sdl_cursor_table {
public:
  sdl_cursor_table();
  ~sdl_cursor_table();
  sdl_cursor_table(const sdl_cursor_table&) = delete;
  sdl_cursor_table& operator=(const sdl_cursor_table&) = delete;

  void show(cursor_shape shape);
  SDL_Cursor* cursor(cursor_shape shape) const noexcept;

private:
  std::array<SDL_Cursor*, cursor_shape_count> cursors_{};
};

}  // namespace hbsdk::ui
