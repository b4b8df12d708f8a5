#include "console/tokens.h"

#include <gtest/gtest.h>

#include <string>

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

}  // namespace
}  // namespace torvex
