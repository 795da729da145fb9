#include "hbsdk/ui/cairo/application_fonts.h"

#include <fontconfig/fontconfig.h>

namespace hbsdk::ui {
namespace {

constexpr const char* font_files[] = {
    "/usr/share/wine/fonts/tahoma.ttf",
    "/usr/share/wine/fonts/tahomabd.ttf",
};

std::vector<std::string> add_font_files() {
  std::vector<std::string> added;
  for (const char* file : font_files) {
    const auto* name = reinterpret_cast<const FcChar8*>(file);
    if (FcConfigAppFontAddFile(nullptr, name) == FcTrue) {
      added.emplace_back(file);
    }
  }
  return added;
}

}  // namespace

const std::vector<std::string>& register_application_fonts() {
  // A function-local static: thread-safe, and done before the first caller
  // goes on to pango.
  static const std::vector<std::string> added = add_font_files();
  return added;
}

}  // namespace hbsdk::ui
