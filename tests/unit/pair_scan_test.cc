#include "console/pair_scan.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace torvex {
namespace {

class PairScanTest : public ::testing::TestWithParam<ScanLevel> {
 protected:
  void SetUp() override { set_scan_level(GetParam()); }
  void TearDown() override { set_scan_level(best_scan_level()); }
};

std::size_t slow_find(const PairSet& pairs, const std::string& text,
                      const std::string& wanted) {
  (void)pairs;
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    for (std::size_t j = 0; j + 1 < wanted.size(); j += 2) {
      if (text[i] == wanted[j] && text[i + 1] == wanted[j + 1]) return i;
    }
  }
  return text.size();
}

TEST_P(PairScanTest, FindsTheFirstSequenceAtEveryOffset) {
  // Up to sixteen sequences (two rounds of the AVX2 search), including
  // bytes above 127 and NUL.
  const std::string all =
      std::string("SPEIRBCOFOTSEGCoRLMFAVBL", 24) + std::string("\xc3\xa9\0A", 4) + "Z\n";
  // Some of them compared whole, alone or beside triggered ones.
  for (std::size_t count : {1u, 3u, 4u, 5u, 8u, 9u, 15u}) {
    for (std::size_t whole : {0u, 1u, 3u}) {
      if (whole > count) continue;
      std::string wanted = all.substr(0, 2 * count);
      PairSet pairs;
      for (std::size_t j = 0; j < wanted.size(); j += 2) {
        if (j / 2 < whole) {
          ASSERT_TRUE(pairs.add_whole(wanted[j], wanted[j + 1]));
        } else {
          ASSERT_TRUE(pairs.add(wanted[j], wanted[j + 1], j % 4 == 2));
        }
      }
      std::mt19937 random(static_cast<unsigned>(count));
      for (int trial = 0; trial < 300; ++trial) {
        std::string text(random() % 200, ' ');
        for (char& c : text) c = all[random() % all.size()] + (random() % 4 == 0);
        EXPECT_EQ(pairs.find(text.data(), text.size()), slow_find(pairs, text, wanted))
            << count << " sequences, " << whole << " whole, in '" << text << "'";
      }
    }
  }
}

TEST_P(PairScanTest, EveryKindOfTriggerSetFindsTheSame) {
  // Trigger sets that one lookup table holds, that need two (low nibbles
  // shared), that need the nibble buckets (three bytes with one low
  // nibble, or a byte above 127), and sets triggered on either byte.
  const std::string sets[] = {"AB", "SPFLBV", "ScsS", "SCScs", "S\xd3P"};
  std::mt19937 random(11);
  for (const std::string& triggers : sets) {
    for (bool on_second : {false, true}) {
      PairSet pairs;
      std::string wanted;
      for (char t : triggers) {
        char other = static_cast<char>('a' + (t & 7));
        on_second ? pairs.add(other, t, true) : pairs.add(t, other);
        wanted += on_second ? std::string{other, t} : std::string{t, other};
      }
      const std::string alphabet = triggers + "abcdefgh 0\n";
      for (int trial = 0; trial < 400; ++trial) {
        std::string text(random() % 300, ' ');
        for (char& c : text) c = alphabet[random() % alphabet.size()];
        EXPECT_EQ(pairs.find(text.data(), text.size()), slow_find(pairs, text, wanted))
            << triggers << " in '" << text << "'";
      }
    }
  }
}

TEST_P(PairScanTest, ASequenceNeedsBothBytesInsideTheRange) {
  for (bool trigger_on_second : {false, true}) {
    PairSet pairs;
    pairs.add('S', 'P', trigger_on_second);
    for (std::size_t at : {0u, 15u, 31u, 63u, 64u, 95u}) {
      std::string text(at + 1, ' ');
      text[at] = 'S';
      EXPECT_EQ(pairs.find(text.data(), text.size()), text.size());
      text += 'P';
      EXPECT_EQ(pairs.find(text.data(), text.size()), at);
      text = 'P' + text;  // a second byte before the first is no sequence
      EXPECT_EQ(pairs.find(text.data(), text.size()), at + 1);
    }
  }
  EXPECT_EQ(PairSet().find("SP", 2), 2u);
}

TEST_P(PairScanTest, AWholeSequenceAcrossTheSearchBlocks) {
  // Its first byte ends a block of 16, 32 or 64 bytes, or the text.
  for (bool with_trigger : {false, true}) {
    PairSet pairs;
    ASSERT_TRUE(pairs.add_whole('D', 'A'));
    if (with_trigger) pairs.add('Z', 'Q');
    for (std::size_t at : {0u, 14u, 15u, 16u, 31u, 32u, 63u, 64u, 65u, 127u, 128u}) {
      std::string text(at, 'A');
      text += 'D';
      EXPECT_EQ(pairs.find(text.data(), text.size()), text.size()) << at;
      text += 'A';
      EXPECT_EQ(pairs.find(text.data(), text.size()), at) << at;
      text += std::string(70, 'D');
      EXPECT_EQ(pairs.find(text.data(), text.size()), at) << at;
    }
  }
}

std::string level_name(const ::testing::TestParamInfo<ScanLevel>& info) {
  switch (info.param) {
    case ScanLevel::kPortable:
      return "portable";
    case ScanLevel::kSse2:
      return "sse2";
    case ScanLevel::kAvx2:
      return "avx2";
  }
  return "unknown";
}

INSTANTIATE_TEST_SUITE_P(EveryLevel, PairScanTest,
                         ::testing::Values(ScanLevel::kPortable, ScanLevel::kSse2,
                                           ScanLevel::kAvx2),
                         level_name);

TEST(PairSet, HoldsSixteenTriggersAndFourWholeSequences) {
  PairSet pairs;
  for (char c = 'a'; c < 'a' + 16; ++c) EXPECT_TRUE(pairs.add(c, c));
  EXPECT_TRUE(pairs.add('a', 'a'));  // already there
  EXPECT_TRUE(pairs.add('a', 'b'));  // a trigger already there
  EXPECT_FALSE(pairs.add('z', 'z'));
  EXPECT_EQ(pairs.size(), 17);
  for (char c = 'A'; c < 'A' + 4; ++c) EXPECT_TRUE(pairs.add_whole(c, c));
  EXPECT_TRUE(pairs.add_whole('A', 'A'));
  EXPECT_FALSE(pairs.add_whole('Z', 'Z'));
  EXPECT_EQ(pairs.size(), 21);
}

}  // namespace
}  // namespace torvex
