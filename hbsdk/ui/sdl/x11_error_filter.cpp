#include "hbsdk/ui/sdl/x11_error_filter.h"

#include <X11/Xlib.h>
#include <X11/Xproto.h>


namespace hbsdk::ui {
namespace {

XErrorHandler previous_handler = nullptr;

int filter_error(Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow && error->request_code == X_SendEvent) {
    return 0;
  }
  return previous_handler != nullptr ? previous_handler(display, error) : 0;
}

}  // namespace

void install_x11_error_filter() {
  static const bool installed = [] {
    previous_handler = XSetErrorHandler(filter_error);
    return true;
  }();
  (void)installed;
}

}  // namespace hbsdk::ui
