#include "hbsdk/ui/win32/window_class.h"

#include "hbsdk/ui/win32/native_window_procedure.h"

#include <windows.h>

#include <stdexcept>

namespace hbsdk::ui::win32 {
namespace {

constexpr std::size_t longest_class_name = 255;

std::wstring register_class() {
  HINSTANCE module = GetModuleHandleW(nullptr);
  const std::wstring name = free_class_name(base_class_name, [module](const std::wstring& candidate) {
    WNDCLASSW existing{};
    return GetClassInfoW(module, candidate.c_str(), &existing) != FALSE;
  });
  WNDCLASSEXW fields{};
  fields.cbSize = sizeof(fields);
  fields.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  fields.lpfnWndProc = native_window_procedure;
  fields.hInstance = module;
  fields.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  fields.lpszClassName = name.c_str();
  // A failed registration shows as windows that cannot be made (no handle).
  RegisterClassExW(&fields);
  return name;
}

}  // namespace

std::wstring free_class_name(std::wstring_view base, const std::function<bool(const std::wstring&)>& taken) {
  std::wstring name(base);
  while (taken(name)) {
    if (name.size() >= longest_class_name) {
      throw std::runtime_error("no free window class name");
    }
    name += L'0';
  }
  return name;
}

const wchar_t* window_class_name() {
  static const std::wstring registered = register_class();
  return registered.c_str();
}

}  // namespace hbsdk::ui::win32
