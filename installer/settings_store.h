#pragma once
// The machine's small store of named text values: the registry on Windows
// (HKEY_LOCAL_MACHINE, 64-bit view), a text file on Linux. The installer keeps
// one value in it, the asset library folder, under settings_key.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace installer {

inline constexpr std::u16string_view settings_key = u"SOFTWARE\\Halbrook";

class settings_store {
public:
  enum class mode { read, write };

  // Opens key for reading, or for writing (opening it, and creating it when it
  // cannot be opened). Nothing when the key is missing (reading) or can be
  // neither opened nor created (writing).
  static std::optional<settings_store> open(std::u16string_view key, mode how);

  settings_store(settings_store&&) noexcept;
  settings_store& operator=(settings_store&&) noexcept;
  ~settings_store();

  // Stores value as text under name, replacing an earlier value. False when
  // the store could not be written; the store is then left as it was.
  bool write_text(std::u16string_view name, std::u16string_view value);

  // The text stored under name. Nothing when the value is missing, is not
  // text, or holds more than max_units UTF-16 units.
  std::optional<std::u16string> read_text(std::u16string_view name, std::size_t max_units) const;

private:
  struct state;
  explicit settings_store(std::unique_ptr<state> opened) noexcept;
  std::unique_ptr<state> state_;
};

}  // namespace installer
