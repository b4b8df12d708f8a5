#include "console/tokens.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <string>
#include <vector>

namespace torvex {
namespace {

TEST(Tokenise, SplitsAtWhiteSpaceOnly) {
  TokenFields t;
  t.tokenise("  SPC\t1 \v901\f123456\r\n", 8);
  EXPECT_EQ(t[1], "SPC");
  EXPECT_EQ(t[2], "1");
  EXPECT_EQ(t[3], "901");
  EXPECT_EQ(t[4], "123456");
  // Commas are not separators: a free-field card is one token.
  t.tokenise("FORCE,1,901,0,1.0,1.0,0.0,0.0\n", 8);
  EXPECT_EQ(t[1], "FORCE,1,901,0,1.0,1.0,0.0,0.0");
  EXPECT_EQ(t[2], "1");
}

TEST(Tokenise, FieldsKeepTheirTextWhenALineHasFewerTokens) {
  TokenFields t;
  t.tokenise("A B C D E F G H\n", 8);
  t.tokenise("SPC 1 7\n", 5);
  EXPECT_EQ(t[1], "SPC");
  EXPECT_EQ(t[3], "7");
  EXPECT_EQ(t[4], "D");
  EXPECT_EQ(t[5], "E");
  // Tokenise(4) never writes T5 to T8, whatever the line holds.
  t.tokenise("1 2 3 4 5 6 7 8\n", 4);
  EXPECT_EQ(t[4], "4");
  EXPECT_EQ(t[5], "E");
  // A blank line writes nothing.
  t.tokenise(" \r\n", 8);
  EXPECT_EQ(t[1], "1");
}

TEST(Tokenise, KeepsLongTokensAndNulBytesWhole) {
  TokenFields t;
  std::string long_token(199, 'x');
  t.tokenise(long_token, 8);
  EXPECT_EQ(t[1], long_token);
  std::string with_nul("EIGRL 1\0 2 20", 13);
  t.tokenise(with_nul, 4);
  EXPECT_EQ(t[2], std::string("1\0", 2));
  EXPECT_EQ(t[4], "20");
  EXPECT_TRUE(TokenFields()[8].empty());
}

// Every line length around the sixteen-byte steps and the 64-byte limit
// of the bit search, with white-space bytes, their neighbours (backspace,
// shift out), NUL and bytes above 127, split by a plain reference.
TEST(Tokenise, AgreesWithAPlainSplitForEveryLengthAndByteClass) {
  const std::string alphabet("  \t\n\v\f\rA1\0\x08\x0e\x80\xff", 14);
  std::uint32_t seed = 12345;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u, seed >> 16; };
  for (std::size_t size = 0; size <= 90; ++size) {
    for (int round = 0; round < 40; ++round) {
      std::string line;
      for (std::size_t i = 0; i < size; ++i) line += alphabet[next() % alphabet.size()];
      std::vector<std::string> expected(8, "old");
      std::size_t at = 0;
      for (int n = 0; n < 8; ++n) {
        while (at < size && std::isspace(static_cast<unsigned char>(line[at]))) ++at;
        if (at == size) break;
        std::size_t start = at;
        while (at < size && !std::isspace(static_cast<unsigned char>(line[at]))) ++at;
        expected[n] = line.substr(start, at - start);
      }
      TokenFields t;
      t.tokenise("old old old old old old old old", 8);
      t.tokenise(line, 8);
      for (int n = 1; n <= 8; ++n) {
        ASSERT_EQ(t[n], expected[n - 1]) << "size " << size << " field " << n;
      }
    }
  }
}

}  // namespace
}  // namespace torvex
