#include "hbsdk/ui/text_input_context.h"

#include "hbsdk/ui/event_type.h"
#include "hbsdk/ui/native_window.h"
#include "hbsdk/ui/virtual_key.h"
#include "hbsdk/ui/window.h"

#include <utility>

namespace hbsdk::ui {
namespace {

constexpr std::uint64_t key_end = 0x23;
constexpr std::uint64_t key_home = 0x24;

// Brackets a use of the window's input-method context.
class context_scope {
public:
  explicit context_scope(input_method* method) : method_(method), open_(method != nullptr && method->open_context()) {}
  ~context_scope() {
    if (open_) method_->close_context();
  }
  context_scope(const context_scope&) = delete;
  context_scope& operator=(const context_scope&) = delete;
  bool open() const noexcept { return open_; }

private:
  input_method* method_;
  bool open_;
};

}  // namespace

text_input_context::text_input_context(native_window& target, std::unique_ptr<input_method> method)
    : target_(target), method_(std::move(method)) {
  if (method_ != nullptr) {
    method_->associate(false);
  }
}

void text_input_context::attach(bool on) {
  if (method_ != nullptr) {
    method_->associate(on);
  }
}

void text_input_context::notify(std::uint64_t value) {
  if (window* owner = target_.owner_window(); owner != nullptr) {
    owner->dispatch(event_type::text_composition, value);
  }
}

void text_input_context::input_language_changed() {
  if (method_ == nullptr) {
    return;
  }
  const std::uint32_t layout = method_->keyboard_layout();
  language = static_cast<std::uint16_t>(layout & 0xFFFF);
  is_ime = method_->is_ime(layout);
  if (composing) {
    const context_scope context(method_.get());
    if (context.open()) {
      method_->complete();
    }
  }
}

void text_input_context::start_composition() {
  if (composing) {
    return;
  }
  if (method_ != nullptr) {
    method_->create_caret();
  }
  place_candidate_window();
  composing = true;
  notify(0);
}

void text_input_context::place_candidate_window() {
  const context_scope context(method_.get());
  if (context.open()) {
    method_->place_candidates(candidate_area);
  }
}

void text_input_context::key_pressed() {
  if (method_ == nullptr) {
    return;
  }
  last_key = method_->virtual_key();
  last_key_character = method_->key_character(last_key);
}

void text_input_context::read_composition(std::uint32_t kind) {
  const std::int32_t bytes = method_->string_bytes(kind);
  text = bytes > 0 ? method_->read_string(kind, bytes) : std::u16string();
}

// Korean input and results keep the cursor at the end; in a converted clause
// the arrow, Home and End keys move it; otherwise the input method says.
void text_input_context::apply_cursor_rule(std::uint32_t kind) {
  const auto length = static_cast<std::int32_t>(text.size());
  if (kind == composition::result_string || korean()) {
    cursor = length;
  } else if (target_converted) {
    if (last_key == key_end) {
      cursor = length;
    } else if (last_key == key_home) {
      cursor = 0;
    } else if (last_key == static_cast<std::uint64_t>(virtual_key::left)) {
      if (cursor > 0) --cursor;
    } else if (last_key == static_cast<std::uint64_t>(virtual_key::right)) {
      if (cursor < length) ++cursor;
    }
  } else {
    cursor = method_->cursor_position();
  }
}

void text_input_context::composition(std::uint64_t flags) {
  // A character typed at the end of a converted clause commits what is there
  // and starts anew.
  if (target_converted && cursor == static_cast<std::int32_t>(text.size()) && last_key_character != 0 &&
      last_key != static_cast<std::uint64_t>(virtual_key::back) &&
      last_key != static_cast<std::uint64_t>(virtual_key::enter) &&
      last_key != static_cast<std::uint64_t>(virtual_key::space)) {
    notify(2);
    notify(0);
  }
  target_converted = false;
  if (korean() && (flags & composition::result_string) != 0 && last_key_character != 0) {
    notify(0);
  }
  bool updated = false;
  {
    const context_scope context(method_.get());
    if (!context.open()) {
      return;
    }
    if ((flags & composition::comp_string) != 0) {
      read_composition(composition::comp_string);
      if ((flags & composition::comp_attribute) != 0) {
        for (const std::uint8_t attribute : method_->attributes()) {
          if (attribute == composition::target_converted) {
            target_converted = true;
          }
        }
      }
      apply_cursor_rule(composition::comp_string);
      updated = true;
    }
  }
  if (updated) {
    notify(1);
  }
}

void text_input_context::end_composition() {
  if (!composing) {
    return;
  }
  {
    const context_scope context(method_.get());
    if (context.open()) {
      read_composition(composition::result_string);
      target_converted = false;
      cursor = static_cast<std::int32_t>(text.size());
      notify(2);
    }
  }
  if (method_ != nullptr) {
    method_->destroy_caret();
  }
  composing = false;
}

}  // namespace hbsdk::ui
