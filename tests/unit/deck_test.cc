#include "console/deck.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "tests/support/reference_check.h"
#include "tests/support/temp_deck.h"

namespace torvex {
namespace {

using testing::reference_lines;
using testing::TempDeck;

std::vector<std::string> read_lines(Deck& deck, const PairSet* pairs = nullptr) {
  std::vector<std::string> lines;
  std::string_view line;
  while (deck.next_line_with(pairs, &line)) lines.emplace_back(line);
  return lines;
}

std::unique_ptr<Deck> open_deck(const TempDeck& file) {
  auto deck = std::make_unique<Deck>();
  std::string reason;
  EXPECT_TRUE(deck->open(file.path(), &reason)) << reason;
  return deck;
}

TEST(Deck, CutsLinesAtNewlinesAnd199Bytes) {
  struct Case {
    const char* what;
    std::string bytes;
    std::vector<std::string> lines;
  } cases[] = {
      {"empty deck", "", {}},
      {"no final newline", "A\nB", {"A\n", "B"}},
      {"CR LF kept", "A\r\nB\r\n", {"A\r\n", "B\r\n"}},
      {"blank lines", "\n\n", {"\n", "\n"}},
      {"198 bytes and newline",
       std::string(198, 'x') + "\n",
       {std::string(198, 'x') + "\n"}},
      {"199 bytes and newline",
       std::string(199, 'x') + "\n",
       {std::string(199, 'x'), "\n"}},
      {"200 bytes", std::string(200, 'x'), {std::string(199, 'x'), "x"}},
      {"450 bytes and newline",
       std::string(450, 'x') + "\n",
       {std::string(199, 'x'), std::string(199, 'x'), std::string(52, 'x') + "\n"}},
      {"NUL bytes are ordinary",
       std::string("A\0B\n\0\n", 6),
       {std::string("A\0B\n", 4), std::string("\0\n", 2)}},
  };
  for (const Case& c : cases) {
    TempDeck file(c.bytes);
    auto deck = open_deck(file);
    EXPECT_EQ(read_lines(*deck), c.lines) << c.what;
    EXPECT_EQ(reference_lines(c.bytes), c.lines) << c.what;
  }
}

// Decks of several blocks with lines of every length around the cut, so
// that lines and cuts straddle the block boundaries.
std::string random_deck(unsigned seed, std::size_t size) {
  std::mt19937 random(seed);
  const std::size_t lengths[] = {0, 1, 2, 80, 197, 198, 199, 200, 398, 450, 5000};
  std::string bytes;
  while (bytes.size() < size) {
    std::size_t length = lengths[random() % std::size(lengths)];
    for (std::size_t i = 0; i < length; ++i) {
      bytes.push_back("ABCDE \t\r\0"[random() % 9]);
    }
    bytes += random() % 8 ? "\n" : "\r\n";
  }
  if (seed % 2) bytes.pop_back();  // no final newline
  return bytes;
}

TEST(Deck, DeliversEveryLineAcrossBlocksAndAfterRewind) {
  std::string bytes = random_deck(7, 3'500'000);
  TempDeck file(bytes);
  auto deck = open_deck(file);
  std::vector<std::string> expected = reference_lines(bytes);
  EXPECT_EQ(read_lines(*deck), expected);
  deck->rewind();
  EXPECT_EQ(read_lines(*deck), expected);
  EXPECT_FALSE(deck->failed());
}

TEST(Deck, FilteredLinesAreTheLinesThatHoldASequence) {
  PairSet pairs;
  pairs.add('B', 'C');
  pairs.add('E', 'E');
  for (unsigned seed : {1u, 2u, 3u}) {
    for (ScanLevel level : {ScanLevel::kPortable, ScanLevel::kSse2, ScanLevel::kAvx2}) {
      set_scan_level(level);
      std::string bytes = random_deck(seed, 2'300'000);
      TempDeck file(bytes);
      auto deck = open_deck(file);
      std::vector<std::string> delivered = read_lines(*deck, &pairs);
      // Every delivered line is the next line of the deck that holds a
      // sequence, or one that ends with the first byte of a sequence that
      // the next line completes.
      std::vector<std::string> all = reference_lines(bytes);
      std::size_t next = 0;
      for (std::size_t i = 0; i < all.size(); ++i) {
        const std::string& line = all[i];
        bool holds =
            line.find("BC") != std::string::npos || line.find("EE") != std::string::npos;
        bool straddles = i + 1 < all.size() && !line.empty() && !all[i + 1].empty() &&
                         ((line.back() == 'B' && all[i + 1][0] == 'C') ||
                          (line.back() == 'E' && all[i + 1][0] == 'E'));
        if (next < delivered.size() && delivered[next] == line && (holds || straddles)) {
          ++next;
        } else {
          ASSERT_FALSE(holds) << "line " << i << " missed, seed " << seed;
        }
      }
      EXPECT_EQ(next, delivered.size()) << "seed " << seed;
    }
  }
  set_scan_level(best_scan_level());
}

TEST(Deck, ANewlyOpenedDeckStartsWithEmptyTokenFields) {
  TempDeck file("EIGRL 1 2 3\n");
  auto deck = open_deck(file);
  deck->tokens().tokenise("A B C D E F G H", 8);
  std::string reason;
  ASSERT_TRUE(deck->open(file.path(), &reason));
  for (int n = 1; n <= 8; ++n) EXPECT_TRUE(deck->tokens()[n].empty()) << n;
}

TEST(Deck, RefusesWhatIsNotARegularFile) {
  struct Case {
    std::string name;
    std::string reason;
  } cases[] = {
      {"/nonexistent/deck.nas", "No such file or directory"},
      {"/tmp", "Is a directory"},
      {"/dev/null", "not a regular file"},
      {"", "no file name was given"},
      {std::string("deck\0.nas", 9), "the name holds a NUL byte"},
  };
  for (const Case& c : cases) {
    Deck deck;
    std::string reason;
    EXPECT_FALSE(deck.open(c.name, &reason)) << c.name;
    EXPECT_EQ(reason, c.reason);
    std::string_view line;
    EXPECT_FALSE(deck.next_line(&line));
  }
}

}  // namespace
}  // namespace torvex
