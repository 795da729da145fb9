// The settings store on Windows: keys under HKEY_LOCAL_MACHINE in the 64-bit
// view of the registry, values of type REG_SZ.
#include "installer/settings_store.h"

#include <windows.h>
#include <shlwapi.h>

#include <limits>
#include <vector>

namespace installer {
namespace {

const wchar_t* wide(const std::u16string& text) noexcept {
  static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 wide text is UTF-16");
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

}  // namespace

struct settings_store::state {
  explicit state(HKEY opened) noexcept : key(opened) {}
  ~state() { RegCloseKey(key); }
  state(const state&) = delete;
  state& operator=(const state&) = delete;
  HKEY key;
};

settings_store::settings_store(std::unique_ptr<state> opened) noexcept : state_(std::move(opened)) {}
settings_store::settings_store(settings_store&&) noexcept = default;
settings_store& settings_store::operator=(settings_store&&) noexcept = default;
settings_store::~settings_store() = default;

std::optional<settings_store> settings_store::open(std::u16string_view key, mode how) {
  const std::u16string path(key);
  HKEY opened = nullptr;
  if (how == mode::read) {
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, wide(path), 0, KEY_READ | KEY_WOW64_64KEY, &opened) != ERROR_SUCCESS) {
      return std::nullopt;
    }
  } else {
    const REGSAM access = KEY_WRITE | KEY_WOW64_64KEY;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, wide(path), 0, access, &opened) != ERROR_SUCCESS &&
        RegCreateKeyExW(HKEY_LOCAL_MACHINE, wide(path), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                        &opened, nullptr) != ERROR_SUCCESS) {
      return std::nullopt;
    }
  }
  return settings_store(std::make_unique<state>(opened));
}

bool settings_store::write_text(std::u16string_view name, std::u16string_view value) {
  if (!state_) return false;
  const std::u16string value_name(name);
  const std::u16string data(value);
  // REG_SZ data includes its terminating zero: (characters + 1) x 2 bytes.
  if (data.size() >= std::numeric_limits<DWORD>::max() / sizeof(wchar_t)) return false;
  const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(state_->key, wide(value_name), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                        bytes) == ERROR_SUCCESS;
}

std::optional<std::u16string> settings_store::read_text(std::u16string_view name, std::size_t max_units) const {
  if (!state_ || max_units >= std::numeric_limits<DWORD>::max() / sizeof(wchar_t) - 1) return std::nullopt;
  const std::u16string value_name(name);
  // First the size the value needs, then a buffer of that size; the value may
  // grow between the two calls, so ERROR_MORE_DATA asks again with the new size.
  // SHRegGetValueW never cuts a value and always terminates it.
  DWORD bytes = 0;
  LSTATUS result = SHRegGetValueW(state_->key, nullptr, wide(value_name), SRRF_RT_REG_SZ, nullptr, nullptr, &bytes);
  std::vector<wchar_t> buffer;
  for (int attempt = 0; attempt < 4 && result == ERROR_SUCCESS; ++attempt) {
    // More than max_units and the terminating zero: skipped as too long.
    if (bytes > (max_units + 1) * sizeof(wchar_t)) return std::nullopt;
    buffer.assign(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    result = SHRegGetValueW(state_->key, nullptr, wide(value_name), SRRF_RT_REG_SZ, nullptr, buffer.data(), &bytes);
    if (result == ERROR_SUCCESS) {
      buffer.back() = L'\0';
      std::u16string text(reinterpret_cast<const char16_t*>(buffer.data()));
      if (text.size() > max_units) return std::nullopt;
      return text;
    }
    if (result == ERROR_MORE_DATA) result = ERROR_SUCCESS;  // bytes holds the new size
  }
  return std::nullopt;
}

}  // namespace installer
