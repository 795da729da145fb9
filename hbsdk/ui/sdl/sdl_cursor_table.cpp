#include "hbsdk/ui/sdl/sdl_cursor_table.h"

#include <cstddef>

namespace hbsdk::ui {
namespace {

// In shape order; 4 and 7 are the same system cursor.
constexpr SDL_SystemCursor system_cursors[cursor_shape_count] = {
    SDL_SYSTEM_CURSOR_ARROW,    SDL_SYSTEM_CURSOR_CROSSHAIR, SDL_SYSTEM_CURSOR_SIZEWE,
    SDL_SYSTEM_CURSOR_SIZENS,   SDL_SYSTEM_CURSOR_SIZENWSE,  SDL_SYSTEM_CURSOR_IBEAM,
    SDL_SYSTEM_CURSOR_HAND,     SDL_SYSTEM_CURSOR_SIZENWSE,  SDL_SYSTEM_CURSOR_SIZENESW,
};

std::size_t index_of(cursor_shape shape) { return static_cast<std::size_t>(shape); }

}  // namespace

sdl_cursor_table::sdl_cursor_table() {
  for (std::size_t i = 0; i < cursors_.size(); ++i) {
    cursors_[i] = SDL_CreateSystemCursor(system_cursors[i]);
  }
}

sdl_cursor_table::~sdl_cursor_table() {
  for (SDL_Cursor* made : cursors_) {
    if (made != nullptr) {
      SDL_FreeCursor(made);
    }
  }
}

SDL_Cursor* sdl_cursor_table::cursor(cursor_shape shape) const noexcept {
  const std::size_t index = index_of(shape);
  return index < cursors_.size() ? cursors_[index] : nullptr;
}

void sdl_cursor_table::show(cursor_shape shape) {
  SDL_Cursor* wanted = cursor(shape);
  if (wanted != nullptr && SDL_GetCursor() != wanted) {
    SDL_SetCursor(wanted);
  }
}

}  // namespace hbsdk::ui
