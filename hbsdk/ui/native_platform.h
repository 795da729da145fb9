#pragma once
// The platform services of the system the program was built for: Win32 with
// Direct2D on Windows, SDL2 with cairo on Linux. A program makes one before
// its first window; it is installed while it lives.

#include "hbsdk/ui/non_copyable_non_moveable.h"
#include "hbsdk/ui/platform_services.h"

#include <memory>

namespace hbsdk::ui {

// Defined by the platform's backend library (hbsdk_ui_native). Raises
// std::runtime_error when the platform cannot be used (no display).
std::unique_ptr<platform_services> create_native_platform_services();

class native_platform : non_copyable_non_moveable {
public:
  native_platform() : services_(create_native_platform_services()), previous_(set_platform_services(services_.get())) {}
  ~native_platform() { set_platform_services(previous_); }

  platform_services& services() noexcept { return *services_; }

private:
  std::unique_ptr<platform_services> services_;
  platform_services* previous_;
};

}  // namespace hbsdk::ui
