// The settings store on Linux: one text file (see settings_location.h for
// where, settings_text.h for its format). Every write reads the file afresh,
// changes one line and replaces the file atomically, so values written by
// others are kept and a crash never leaves it half written. A file that is
// missing or cannot be read holds no values.
#include "installer/settings_store.h"

#include <stdexcept>

#include "hbsdk/filesystem/encoding.h"
#include "installer/posix/file_io.h"
#include "installer/posix/settings_location.h"
#include "installer/posix/settings_text.h"

namespace installer {

namespace fs = hbsdk::filesystem;

struct settings_store::state {
  std::string file;
  std::string key;                      // UTF-8
  std::optional<settings_text> loaded;  // the file as it was when opened for reading
};

settings_store::settings_store(std::unique_ptr<state> opened) noexcept : state_(std::move(opened)) {}
settings_store::settings_store(settings_store&&) noexcept = default;
settings_store& settings_store::operator=(settings_store&&) noexcept = default;
settings_store::~settings_store() = default;

std::optional<settings_store> settings_store::open(std::u16string_view key, mode how) {
  auto file = settings_file_location();
  if (!file) return std::nullopt;
  auto opened = std::make_unique<state>(state{std::move(*file), fs::to_utf8(key), std::nullopt});
  if (how == mode::read) {
    const file_contents contents = read_whole_file(opened->file);
    if (contents.outcome != file_contents::result::read) return std::nullopt;
    opened->loaded.emplace(contents.text);
    if (!opened->loaded->has_key(opened->key)) return std::nullopt;
  }
  return settings_store(std::move(opened));
}

bool settings_store::write_text(std::u16string_view name, std::u16string_view value) {
  if (!state_) return false;
  const file_contents contents = read_whole_file(state_->file);
  // A file that exists but cannot be read is left alone rather than replaced
  // by one that has lost its other values.
  if (contents.outcome == file_contents::result::failed) return false;
  settings_text text(contents.text);
  text.set_value(state_->key, fs::to_utf8(name), fs::to_utf8(value));
  if (!replace_file_atomically(state_->file, text.text())) return false;
  state_->loaded = std::move(text);
  return true;
}

std::optional<std::u16string> settings_store::read_text(std::u16string_view name, std::size_t max_units) const {
  if (!state_) return std::nullopt;
  std::optional<settings_text> fresh;
  if (!state_->loaded) {
    const file_contents contents = read_whole_file(state_->file);
    if (contents.outcome != file_contents::result::read) return std::nullopt;
    fresh.emplace(contents.text);
  }
  const settings_text& text = state_->loaded ? *state_->loaded : *fresh;
  const auto stored = text.value(state_->key, fs::to_utf8(name));
  if (!stored) return std::nullopt;
  try {
    std::u16string wide = fs::to_wide(*stored);
    if (wide.size() > max_units) return std::nullopt;
    return wide;
  } catch (const std::range_error&) {
    return std::nullopt;  // not UTF-8: not text this store wrote
  }
}

}  // namespace installer
