#include "installer/environment.h"

#include <gtest/gtest.h>

#include "scoped_variable.h"

using installer::testing::scoped_variable;

TEST(environment, values_are_read_whole_and_empty_is_told_from_missing) {
  struct case_t {
    const char* label;
    std::optional<std::string> set;
    std::optional<std::u16string> expected;
  };
  const case_t cases[] = {
      {"missing", std::nullopt, std::nullopt},
      {"empty", "", u""},
      {"plain", "C:/x", u"C:/x"},
      {"non-ASCII", "D:\\Biblioth\xC3\xA8que", u"D:\\Biblioth\u00E8que"},
      {"499 characters", std::string(499, 'a'), std::u16string(499, u'a')},
      {"500 characters", std::string(500, 'b'), std::u16string(500, u'b')},
      {"4000 characters", std::string(4000, 'c'), std::u16string(4000, u'c')},
  };
  for (const auto& c : cases) {
    const scoped_variable variable("HB_TEST_VARIABLE", c.set);
    EXPECT_EQ(installer::environment_variable(u"HB_TEST_VARIABLE"), c.expected) << c.label;
  }
}
