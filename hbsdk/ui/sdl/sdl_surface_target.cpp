#include "hbsdk/ui/sdl/sdl_surface_target.h"

#include <stdexcept>

namespace hbsdk::ui {

sdl_surface_target::sdl_surface_target(SDL_Window* window)
    : window_(window), empty_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, 0, 0)) {}

sdl_surface_target::~sdl_surface_target() {
  if (copy_source_ != nullptr) {
    SDL_FreeSurface(copy_source_);
  }
}

void sdl_surface_target::resize(std::int32_t, std::int32_t) { stale_ = true; }

void sdl_surface_target::wrap(SDL_Surface* pixels) {
  if (copy_source_ != nullptr) {
    SDL_FreeSurface(copy_source_);
    copy_source_ = nullptr;
  }
  cairo_.reset();
  wrapped_ = pixels;
  wrapped_pixels_ = pixels->pixels;
  stale_ = false;
  const Uint32 format = pixels->format->format;
  direct_ = (format == SDL_PIXELFORMAT_XRGB8888 || format == SDL_PIXELFORMAT_ARGB8888) && pixels->pitch % 4 == 0;
  if (direct_) {
    cairo_.reset(cairo_image_surface_create_for_data(static_cast<unsigned char*>(pixels->pixels), CAIRO_FORMAT_RGB24,
                                                     pixels->w, pixels->h, pixels->pitch));
  } else {
    cairo_.reset(cairo_image_surface_create(CAIRO_FORMAT_RGB24, pixels->w, pixels->h));
    if (cairo_surface_status(cairo_.get()) == CAIRO_STATUS_SUCCESS) {
      copy_source_ = SDL_CreateRGBSurfaceWithFormatFrom(cairo_image_surface_get_data(cairo_.get()), pixels->w,
                                                        pixels->h, 32, cairo_image_surface_get_stride(cairo_.get()),
                                                        SDL_PIXELFORMAT_XRGB8888);
    }
  }
  if (cairo_surface_status(cairo_.get()) != CAIRO_STATUS_SUCCESS || (!direct_ && copy_source_ == nullptr)) {
    cairo_.reset();
    wrapped_ = nullptr;
    throw std::runtime_error("unable to create a cairo surface for the window");
  }
}

cairo_surface_t* sdl_surface_target::begin_frame() {
  if (window_ == nullptr) {
    return empty_.get();
  }
  SDL_Surface* pixels = SDL_GetWindowSurface(window_);
  if (pixels == nullptr) {
    return empty_.get();
  }
  if (stale_ || pixels != wrapped_ || pixels->pixels != wrapped_pixels_) {
    wrap(pixels);
  }
  locked_ = direct_ && SDL_MUSTLOCK(pixels) && SDL_LockSurface(pixels) == 0;
  return cairo_.get();
}

void sdl_surface_target::end_frame(const edge_rect& changed) {
  if (window_ == nullptr || wrapped_ == nullptr) {
    return;
  }
  if (locked_) {
    SDL_UnlockSurface(wrapped_);
    locked_ = false;
  }
  if (changed.right <= changed.left || changed.bottom <= changed.top) {
    return;
  }
  SDL_Rect area{changed.left, changed.top, changed.right - changed.left, changed.bottom - changed.top};
  if (!direct_) {
    SDL_Rect target = area;
    SDL_BlitSurface(copy_source_, &area, wrapped_, &target);
  }
  SDL_UpdateWindowSurfaceRects(window_, &area, 1);
}

}  // namespace hbsdk::ui
