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

// Every line length around the sixteen-byte steps, keywords at every
// place, bytes above 127: the matcher agrees with a plain search.
TEST(KeywordMatcher, AgreesWithAPlainSearchForEveryLength) {
  const std::string_view keywords[] = {"SPC", "RBE2", "Constraint", "S", "\xc3\xa9X"};
  KeywordMatcher matcher;
  for (int n = 0; n < 5; ++n) matcher.add(n, keywords[n]);
  const std::string pieces[] = {" ",   "1",    "SP",         "SPC",
                                "RBE", "RBE2", "Constraint", "\xc3\xa9",
                                "X",   "\n",   "CONSTRAINT", "."};
  std::uint32_t seed = 4711;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u, seed >> 16; };
  for (int round = 0; round < 4000; ++round) {
    std::string line;
    const std::size_t size = next() % 90;
    while (line.size() < size) line += pieces[next() % std::size(pieces)];
    std::uint32_t expected = 0;
    for (int n = 0; n < 5; ++n) {
      if (line.find(keywords[n]) != std::string::npos) expected |= 1u << n;
    }
    ASSERT_EQ(matcher.match(line), expected) << line;
  }
}

}  // namespace
}  // namespace torvex
