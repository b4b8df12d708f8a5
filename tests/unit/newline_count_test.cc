// Newline counting and the search for lines that may be INCLUDE
// statements, at every level, against plain loops.
#include "console/newline_count.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "console/pair_scan.h"

namespace torvex {
namespace {

TEST(NewlineCount, EveryLevelAgreesWithAPlainLoop) {
  std::mt19937 random(11);
  const char bytes[] = {'\n', '\n', 'I', 'i', ' ', '\t', 'x', ')', '\0', '\xc9'};
  for (int round = 0; round < 3000; ++round) {
    std::string text(random() % 300, 'x');
    for (char& c : text) c = bytes[random() % sizeof bytes];
    // The first newline followed by a blank, a tab, I or i.
    std::size_t expected = text.size();
    for (std::size_t j = 1; j < text.size(); ++j) {
      char c = text[j];
      if (text[j - 1] == '\n' && (c == ' ' || c == '\t' || c == 'I' || c == 'i')) {
        expected = j;
        break;
      }
    }
    std::size_t expected_newlines = static_cast<std::size_t>(std::count(
        text.begin(), text.begin() + static_cast<std::ptrdiff_t>(expected), '\n'));
    for (ScanLevel level : {ScanLevel::kPortable, ScanLevel::kSse2, ScanLevel::kAvx2}) {
      set_scan_level(level);
      EXPECT_EQ(count_newlines(text.data(), text.size()),
                static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')));
      std::size_t newlines = 0;
      ASSERT_EQ(find_possible_statement(text.data(), text.size(), &newlines), expected)
          << "round " << round << ", level " << static_cast<int>(level);
      EXPECT_EQ(newlines, expected_newlines)
          << "round " << round << ", level " << static_cast<int>(level);
    }
  }
  set_scan_level(best_scan_level());
}

}  // namespace
}  // namespace torvex
