#pragma once
// The cairo target of an SDL window: cairo draws straight into the pixels of
// the window surface (SDL_GetWindowSurface, XRGB8888 on every driver here),
// and the end of a frame shows the changed area with
// SDL_UpdateWindowSurfaceRects. The surface is fetched again after a size
// change. A window surface of another pixel format is drawn through an image
// surface of our own and copied with SDL_BlitSurface.

#include "hbsdk/ui/cairo/cairo_handles.h"
#include "hbsdk/ui/cairo/cairo_target.h"

#include <SDL.h>

namespace hbsdk::ui {

class sdl_surface_target final : public cairo_target {
public:
  // A null window gives empty frames (a window SDL could not make).
  explicit sdl_surface_target(SDL_Window* window);
  ~sdl_surface_target() override;

  void resize(std::int32_t width, std::int32_t height) override;
  cairo_surface_t* begin_frame() override;
  void end_frame(const edge_rect& changed) override;

  // Whether cairo draws into the window surface itself (true for XRGB8888).
  bool draws_directly() const noexcept { return direct_; }

private:
  void wrap(SDL_Surface* pixels);

  SDL_Window* window_;
  SDL_Surface* wrapped_ = nullptr;  // the window surface cairo_ was made for
  void* wrapped_pixels_ = nullptr;
  bool stale_ = true;
  bool direct_ = false;
  bool locked_ = false;
  cairo_handles::surface cairo_;
  SDL_Surface* copy_source_ = nullptr;  // our image surface as SDL sees it (indirect drawing)
  cairo_handles::surface empty_;
};

}  // namespace hbsdk::ui
