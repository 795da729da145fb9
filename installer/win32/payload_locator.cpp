// The payload on Windows: resource 200 of type RCDATA in this executable.
#include "installer/payload_locator.h"

#include <windows.h>

namespace installer {

std::optional<payload_view> find_payload() {
  const HMODULE module = GetModuleHandleW(nullptr);
  const HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(200), RT_RCDATA);
  if (resource == nullptr) return std::nullopt;
  const HGLOBAL loaded = LoadResource(module, resource);
  if (loaded == nullptr) return std::nullopt;
  const void* bytes = LockResource(loaded);
  if (bytes == nullptr) return std::nullopt;
  return payload_view{static_cast<const std::uint8_t*>(bytes), SizeofResource(module, resource)};
}

}  // namespace installer
