// The settings sandbox on Windows: saves and clears the asset library value
// under HKEY_LOCAL_MACHINE\SOFTWARE\Halbrook (64-bit view), then restores it;
// the same for the record of the installation under Program Files.
#include "settings_sandbox.h"

#include <windows.h>

#include <optional>
#include <vector>

#include "installer/installation_record.h"
#include "installer/record_file.h"
#include "installer/record_location.h"

namespace installer::testing {
namespace {

constexpr const wchar_t* key_path = L"SOFTWARE\\Halbrook";
constexpr const wchar_t* value_name = L"OrreryUserPath";

}  // namespace

struct settings_sandbox::saved {
  bool key_existed = false;
  bool value_existed = false;
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
  std::optional<installer::installation_record> record;
};

settings_sandbox::settings_sandbox() : saved_(std::make_unique<saved>()) {
  if (const auto file = installer::record_file_location()) {
    const installer::record_read read = installer::read_record_file(*file);
    if (read.outcome == installer::record_read::result::read) saved_->record = read.record;
    (void)installer::remove_record_file(*file);
  }
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key_path, 0, KEY_READ | KEY_WRITE | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS) {
    return;
  }
  saved_->key_existed = true;
  DWORD size = 0;
  if (RegQueryValueExW(key, value_name, nullptr, &saved_->type, nullptr, &size) == ERROR_SUCCESS) {
    saved_->data.resize(size);
    saved_->value_existed = RegQueryValueExW(key, value_name, nullptr, &saved_->type, saved_->data.data(), &size) ==
                            ERROR_SUCCESS;
    saved_->data.resize(size);
    RegDeleteValueW(key, value_name);
  }
  RegCloseKey(key);
}

settings_sandbox::~settings_sandbox() {
  if (const auto file = installer::record_file_location()) {
    (void)installer::write_record_file(*file, saved_->record.value_or(installer::installation_record{}));
  }
  if (!saved_->key_existed) {
    // Everything below the key was made by the test.
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, key_path, KEY_WOW64_64KEY, 0);
    return;
  }
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key_path, 0, KEY_WRITE | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS) return;
  if (saved_->value_existed) {
    RegSetValueExW(key, value_name, 0, saved_->type, saved_->data.data(), static_cast<DWORD>(saved_->data.size()));
  } else {
    RegDeleteValueW(key, value_name);
  }
  RegCloseKey(key);
}

}  // namespace installer::testing
