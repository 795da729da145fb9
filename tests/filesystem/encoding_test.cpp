#include "hbsdk/filesystem/encoding.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace fs = hbsdk::filesystem;
using namespace std::string_literals;

namespace {

struct valid_case {
  const char* label;
  std::string utf8;
  std::u16string wide;
};

const valid_case valid_cases[] = {
    {"empty", "", u""},
    {"ascii", "Tidewater_AcUnit_01.orx", u"Tidewater_AcUnit_01.orx"},
    {"two bytes", "\xC3\xA9", u"\u00E9"},
    {"lowest two-byte", "\xC2\x80", u"\u0080"},
    {"highest two-byte", "\xDF\xBF", u"\u07FF"},
    {"lowest three-byte", "\xE0\xA0\x80", u"\u0800"},
    {"highest BMP unit", "\xEF\xBF\xBF", std::u16string(1, char16_t(0xFFFF))},
    {"byte-order mark is kept", "\xEF\xBB\xBF" "a", u"\uFEFFa"},
    {"four bytes become a pair", "\xF0\x9F\x98\x80", u"\U0001F600"},
    {"highest code point", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
    {"mixed", "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z", u"a\u00E9\u20AC\U0001F600z"},
};

struct invalid_case {
  const char* label;
  std::string utf8;
};

const invalid_case invalid_cases[] = {
    {"lone continuation byte", "\x80"},
    {"continuation at the start", "\xBF" "abc"},
    {"lead without continuation", "\xC3"},
    {"lead followed by ascii", "\xC3" "a"},
    {"three-byte sequence cut short", "\xE2\x82"},
    {"four-byte sequence cut short", "\xF0\x9F\x98"},
    {"overlong slash", "\xC0\xAF"},
    {"overlong two-byte", "\xC1\xBF"},
    {"overlong three-byte", "\xE0\x80\xAF"},
    {"overlong four-byte", "\xF0\x80\x80\xAF"},
    {"encoded high surrogate", "\xED\xA0\x80"},
    {"encoded low surrogate", "\xED\xBF\xBF"},
    {"above U+10FFFF", "\xF4\x90\x80\x80"},
    {"lead byte F8", "\xF8\x88\x80\x80\x80"},
    {"lead byte FF", "\xFF"},
    {"bad byte after good text", "good\x80"},
};

}  // namespace

TEST(encoding, converts_valid_text_both_ways) {
  for (const auto& c : valid_cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(fs::to_wide(c.utf8), c.wide);
    EXPECT_EQ(fs::to_utf8(c.wide), c.utf8);
  }
}

TEST(encoding, rejects_malformed_utf8_with_bad_conversion) {
  for (const auto& c : invalid_cases) {
    SCOPED_TRACE(c.label);
    try {
      (void)fs::to_wide(c.utf8);
      ADD_FAILURE() << "no error";
    } catch (const std::range_error& e) {
      EXPECT_STREQ(e.what(), "bad conversion");
    }
  }
}

TEST(encoding, stops_at_the_first_zero) {
  EXPECT_EQ(fs::to_wide("ab\0cd"s), u"ab");
  EXPECT_EQ(fs::to_wide("\0\x80"s), u"");  // the bad byte after the zero is never read
  EXPECT_EQ(fs::to_utf8(u"ab\0cd"s), "ab");
  EXPECT_EQ(fs::to_wide(static_cast<const char*>("plain C string")), u"plain C string");
}

TEST(encoding, writes_lone_surrogates_as_three_bytes) {
  EXPECT_EQ(fs::to_utf8(std::u16string(1, char16_t(0xD800))), "\xED\xA0\x80");
  EXPECT_EQ(fs::to_utf8(std::u16string(1, char16_t(0xDC00))), "\xED\xB0\x80");
  // A high surrogate followed by a plain unit is not a pair.
  EXPECT_EQ(fs::to_utf8(std::u16string{char16_t(0xD83D), u'a'}), "\xED\xA0\xBD" "a");
}

TEST(encoding, every_bmp_unit_round_trips) {
  for (std::uint32_t unit = 1; unit <= 0xFFFF; ++unit) {
    if (unit >= 0xD800 && unit <= 0xDFFF) continue;
    const std::u16string wide(1, static_cast<char16_t>(unit));
    ASSERT_EQ(fs::to_wide(fs::to_utf8(wide)), wide) << "unit " << unit;
  }
}

TEST(encoding, is_safe_from_several_threads_at_once) {
  // Each thread converts its own texts many times; a shared converter or any
  // shared scratch state would garble results (and trip ThreadSanitizer).
  constexpr int thread_count = 8;
  constexpr int rounds = 2000;
  std::vector<std::thread> threads;
  std::vector<int> failures(thread_count, 0);
  for (int t = 0; t < thread_count; ++t) {
    threads.emplace_back([t, &failures] {
      const std::string utf8 = "Halbrook/Models/\xC3\xA9t\xC3\xA9_" + std::to_string(t) + "\xF0\x9F\x98\x80";
      const std::u16string wide = u"Halbrook/Models/\u00E9t\u00E9_" + std::u16string(1, char16_t(u'0' + t)) + u"\U0001F600";
      for (int i = 0; i < rounds; ++i) {
        if (fs::to_wide(utf8) != wide || fs::to_utf8(wide) != utf8) ++failures[static_cast<std::size_t>(t)];
        try {
          (void)fs::to_wide("x\xC3");
          ++failures[static_cast<std::size_t>(t)];
        } catch (const std::range_error&) {
        }
      }
    });
  }
  for (auto& thread : threads) thread.join();
  for (int t = 0; t < thread_count; ++t) EXPECT_EQ(failures[static_cast<std::size_t>(t)], 0) << "thread " << t;
}
