// How the markup parser's time grows with the number of tags.
//
//   bench_markup [TAGS]
//
// Parses three kinds of markup of TAGS tags (default 20000) and of twice as
// many, and prints the time of each and the ratio of the two: about 2 means
// the time grows linearly with the markup. The kinds are opening tags that
// never close, closing tags with nothing open under other open names, and
// tags closed in order.
#include "hbsdk/ui/markup_parser.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using clock_type = std::chrono::steady_clock;

std::string unclosed(std::size_t tags) {
  std::string markup;
  for (std::size_t i = 0; i < tags; ++i) markup += "<b>x";
  return markup;
}

std::string unmatched_closings(std::size_t tags) {
  std::string markup;
  for (std::size_t i = 0; i < tags / 2; ++i) markup += "<b>x";
  for (std::size_t i = 0; i < tags / 2; ++i) markup += "</u>y";
  return markup;
}

std::string balanced(std::size_t tags) {
  std::string markup;
  for (std::size_t i = 0; i < tags / 2; ++i) markup += "<font color=\"#FF0000\">x</font>";
  return markup;
}

double parse_milliseconds(const std::string& markup) {
  const auto start = clock_type::now();
  const hbsdk::ui::parsed_markup parsed = hbsdk::ui::parse_markup(markup);
  const double elapsed = std::chrono::duration<double, std::milli>(clock_type::now() - start).count();
  if (parsed.text.empty()) std::printf("(no text)\n");
  return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
  const std::size_t tags = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 20000;
  const struct {
    const char* name;
    std::string (*make)(std::size_t);
  } kinds[] = {{"unclosed opening tags", unclosed},
               {"unmatched closing tags", unmatched_closings},
               {"balanced tags", balanced}};
  for (const auto& kind : kinds) {
    const double once = parse_milliseconds(kind.make(tags));
    const double twice = parse_milliseconds(kind.make(tags * 2));
    std::printf("%-24s %7zu tags %8.2f ms, %7zu tags %8.2f ms, ratio %.2f\n", kind.name, tags, once, tags * 2,
                twice, once > 0.0 ? twice / once : 0.0);
  }
  return 0;
}
