// libFuzzer target for the rich text markup parser: every input must give a
// plain text with runs inside it, and every run must resolve (tags and
// attribute values are read without reading past their ends).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string_view>

#include "hbsdk/ui/markup_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view markup(reinterpret_cast<const char*>(data), size);
  const hbsdk::ui::parsed_markup parsed = hbsdk::ui::parse_markup(markup);
  for (const hbsdk::ui::rich_run& run : parsed.runs) {
    if (run.start > parsed.text.size() || run.length > parsed.text.size() - run.start) {
      std::cerr << "run " << run.start << "+" << run.length << " outside a text of " << parsed.text.size() << '\n';
      std::abort();
    }
    (void)hbsdk::ui::resolve_run(run);
  }
  if (parsed.text.size() > size) {
    std::cerr << "the plain text is longer than the markup\n";
    std::abort();
  }
  return 0;
}
