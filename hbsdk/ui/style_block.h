#pragma once
// The style block every widget carries: its own entries and its aliases.
// A lookup applies at most one alias, then searches the own entries, the
// theme overrides and the built-in defaults, nearest first; a key found
// nowhere reads as the empty value (transparent black, 0, false, "", no
// picture). Each setter fires style_changed on the owner with the address
// of the key's text, also when the value does not change.

#include "hbsdk/ui/color.h"
#include "hbsdk/ui/non_copyable_non_moveable.h"
#include "hbsdk/ui/style_key.h"
#include "hbsdk/ui/style_table.h"
#include "hbsdk/ui/style_value.h"

#include <cstdint>
#include <string>

namespace hbsdk::ui {

class event_object;

class style_block : non_copyable_non_moveable {
public:
  // The owner receives style_changed; none fires nothing.
  explicit style_block(event_object* owner) noexcept : owner_(owner) {}

  void set_style_color(style_key key, const color& value);
  // Makes every lookup of key use target instead (one redirection only).
  void set_style_alias(style_key key, style_key target);

  // A copy of the value the key resolves to.
  style_value lookup(style_key key) const;

  color get_style_color(style_key key) const { return lookup(key).as_color(); }
  float get_style_float(style_key key) const { return lookup(key).as_float(); }
  std::int32_t get_style_int(style_key key) const { return lookup(key).as_int(); }
  bool get_style_flag(style_key key) const { return lookup(key).as_flag(); }
  std::string get_style_string(style_key key) const { return lookup(key).as_string(); }
  style_image get_style_image(style_key key) const { return lookup(key).as_image(); }

  const style_table& own_entries() const noexcept { return own_; }
  const style_alias_table& aliases() const noexcept { return aliases_; }

private:
  void notify(style_key key);

  style_table own_;
  style_alias_table aliases_;
  event_object* owner_;
};

}  // namespace hbsdk::ui
