// Telling the analysis type from a deck's SOL statement.
#include "command_line/analysis_type.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/support/temp_deck.h"

namespace torvex {
namespace {

TEST(AnalysisType, SolutionNamesAndNumbers) {
  const struct {
    const char* solution;
    bool told;
    Profile profile;
  } cases[] = {
      {"111", true, Profile::kFrequencyResponse},
      {"SEMFREQ", true, Profile::kFrequencyResponse},
      {"semfreq", true, Profile::kFrequencyResponse},
      {"112", true, Profile::kModalTransient},
      {"SemTran", true, Profile::kModalTransient},
      {"101", false, {}},
      {"1111", false, {}},
      {"SEMFREQX", false, {}},
      {"", false, {}},
  };
  for (const auto& c : cases) {
    Profile profile = Profile::kFrequencyResponse;
    EXPECT_EQ(profile_of_solution(c.solution, &profile), c.told) << c.solution;
    if (c.told) {
      EXPECT_EQ(profile, c.profile) << c.solution;
    }
  }
}

TEST(AnalysisType, FirstSolBeforeCendOrBeginBulk) {
  const struct {
    const char* deck;
    bool told;
    Profile profile;
    const char* reason;
  } cases[] = {
      {"SOL 111\nCEND\n", true, Profile::kFrequencyResponse, ""},
      {"ID A\n$ SOL 112\n  \tsol  semtran $ transient\nCEND\n", true,
       Profile::kModalTransient, ""},
      {"SOL 112\r\nCEND\r\n", true, Profile::kModalTransient, ""},
      {"SOL 111\nSOL 112\nCEND\n", true, Profile::kFrequencyResponse, ""},
      {"SOL 103\nCEND\n",
       false,
       {},
       "SOL 103 is not a modal frequency-response or modal transient solution; give "
       "--type"},
      {"SOLUTION 111\nCEND\n",
       false,
       {},
       "no SOL statement before CEND or BEGIN BULK; give --type"},
      {"ID A\nCEND\nSOL 111\n",
       false,
       {},
       "no SOL statement before CEND or BEGIN BULK; give --type"},
      {"begin bulk\nSOL 111\n",
       false,
       {},
       "no SOL statement before CEND or BEGIN BULK; give --type"},
      {"", false, {}, "no SOL statement before CEND or BEGIN BULK; give --type"},
  };
  auto deck = std::make_unique<Deck>();
  for (const auto& c : cases) {
    testing::TempDeck file(c.deck);
    std::string reason;
    ASSERT_TRUE(deck->open(file.path(), &reason)) << reason;
    Profile profile = Profile::kFrequencyResponse;
    reason.clear();
    EXPECT_EQ(profile_of_deck(*deck, &profile, &reason), c.told) << c.deck;
    if (c.told) {
      EXPECT_EQ(profile, c.profile) << c.deck;
    } else {
      EXPECT_EQ(reason, c.reason) << c.deck;
    }
    // The check that follows reads the deck from its first line.
    std::string_view first;
    if (c.deck[0] != '\0') {
      ASSERT_TRUE(deck->next_line(&first));
      EXPECT_EQ(std::string(first), std::string(c.deck).substr(0, first.size()));
    }
  }
}

}  // namespace
}  // namespace torvex
