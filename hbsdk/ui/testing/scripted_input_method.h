#pragma once
// An input method for tests: its answers are fields the test sets, and it
// counts what the text-input context asked of it.

#include "hbsdk/ui/input_method.h"

#include <map>

namespace hbsdk::ui::test_support {

class scripted_input_method final : public input_method {
public:
  void associate(bool attach) override { attached = attach; ++associations; }
  std::uint32_t keyboard_layout() override { return layout; }
  bool is_ime(std::uint32_t) override { return ime; }
  bool open_context() override {
    if (has_context) ++open_contexts;
    return has_context;
  }
  void close_context() override { --open_contexts; }
  std::int32_t string_bytes(std::uint32_t kind) override;
  std::u16string read_string(std::uint32_t kind, std::int32_t bytes) override;
  std::vector<std::uint8_t> attributes() override { return clause_attributes; }
  std::int32_t cursor_position() override { return cursor; }
  void complete() override { ++completions; }
  void place_candidates(const rect& area) override { candidates = area; }
  std::uint64_t virtual_key() override { return key; }
  std::uint8_t key_character(std::uint64_t) override { return character; }
  void create_caret() override { caret = true; }
  void destroy_caret() override { caret = false; }

  // What it answers.
  std::uint32_t layout = 0x0409;
  bool ime = false;
  bool has_context = true;
  std::map<std::uint32_t, std::u16string> strings;  // by kind
  std::vector<std::uint8_t> clause_attributes;
  std::int32_t cursor = 0;
  std::uint64_t key = 0;
  std::uint8_t character = 0;

  // What it was asked.
  bool attached = true;
  int associations = 0;
  int open_contexts = 0;  // opened and not closed yet
  int completions = 0;
  rect candidates;
  bool caret = false;
};

}  // namespace hbsdk::ui::test_support
