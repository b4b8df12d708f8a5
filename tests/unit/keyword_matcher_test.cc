#include "checker/keyword_matcher.h"

#include <gtest/gtest.h>

#include <string>

namespace torvex {
namespace {

TEST(KeywordMatcher, FindsEveryKeywordAnywhereInTheLine) {
  KeywordMatcher matcher;
  matcher.add(0, "Constraint");
  matcher.add(1, "SOL SEMFREQ");
  matcher.add(2, "SET 1 =");
  matcher.add(5, "SPC");
  matcher.add(20, "RLOAD2");
  struct Case {
    std::string line;
    std::uint32_t found;
  } cases[] = {
      {"SPC     1       901     123456\n", 1u << 5},
      {"$ Constraint of SPC1 and SPCADD\n", 1u << 0 | 1u << 5},
      {"12345678901234567890SPC", 1u << 5},  // at the very end
      {"SP", 0},
      {"SPc SOL SEMFRE SET 1 = 4", 1u << 2},
      {"xRLOAD2SOL SEMFREQ", 1u << 20 | 1u << 1},
      {std::string("\0SPC\xc3\xa9RLOAD2", 12), 1u << 5 | 1u << 20},
      {"constraint spc rload2", 0},
      {"", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(matcher.match(c.line), c.found) << c.line;
}

TEST(KeywordMatcher, KeywordsStartingBelowALetterAreFoundToo) {
  KeywordMatcher matcher;
  matcher.add(3, "$ X");
  matcher.add(4, "1 =");
  EXPECT_EQ(matcher.match("SET 1 = $ X"), 1u << 3 | 1u << 4);
  EXPECT_EQ(matcher.match("SET 1 ="), 1u << 4);
  EXPECT_EQ(matcher.match("$X 1="), 0u);
}

}  // namespace
}  // namespace torvex
