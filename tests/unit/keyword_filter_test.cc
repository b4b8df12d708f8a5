#include "checker/keyword_filter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "checker/profiles.h"

namespace torvex {
namespace {

// The keywords searched at the start of a reading and once the markers and
// most presence flags are known, for both profiles.
std::vector<std::vector<std::string_view>> keyword_sets() {
  std::vector<std::vector<std::string_view>> sets;
  for (Profile profile : {Profile::kFrequencyResponse, Profile::kModalTransient}) {
    std::vector<std::string_view> all = {kConstraintMarkerText, kDynamicLoadMarkerText};
    for (int k = 1; k <= slot_count_of(profile); ++k)
      all.push_back(keyword_of(profile, k));
    sets.push_back(all);
    std::vector<std::string_view> reports = {"EIGRL", "SPC", "RBE2", "FORCE", "GRAV"};
    if (profile == Profile::kModalTransient) reports.push_back("TSTEP");
    sets.push_back(reports);
  }
  sets.push_back({"CONM2"});
  return sets;
}

TEST(KeywordFilter, EveryKeywordIsFoundAmongOrdinaryLines) {
  const std::string ordinary =
      "GRID    100123          -12.5   3.25E+0 0.4375\n"
      "CQUAD4  200123  12      100123  100124  100224  100223\n";
  for (const auto& set : keyword_sets()) {
    KeywordList list;
    for (std::string_view keyword : set) list.add(keyword);
    KeywordFilter filter(list);
    ASSERT_NE(filter.pairs(), nullptr);
    EXPECT_EQ(filter.pairs()->find(ordinary.data(), ordinary.size()), ordinary.size());
    for (std::string_view keyword : set) {
      std::string deck = ordinary + "$ " + std::string(keyword) + "\n" + ordinary;
      std::size_t hit = filter.pairs()->find(deck.data(), deck.size());
      std::size_t at = ordinary.size() + 2;
      EXPECT_TRUE(hit >= at && hit + 2 <= at + keyword.size()) << keyword;
    }
  }
}

// Once the markers are known, the search looks every byte up in one
// table: a frequent report keyword must not push it onto two.
TEST(KeywordFilter, ReportKeywordsFitOneLookupTable) {
  for (const auto& set : keyword_sets()) {
    if (set.size() > 6) continue;
    KeywordList list;
    for (std::string_view keyword : set) list.add(keyword);
    KeywordFilter filter(list);
    ASSERT_NE(filter.pairs(), nullptr);
    EXPECT_EQ(filter.pairs()->lookup_tables(), 1) << set.size() << " keywords";
  }
}

}  // namespace
}  // namespace torvex

namespace torvex {
namespace {

TEST(KeywordFilter, TheDecksOwnBytesSteerTheTriggerAway) {
  // Without samples RBE2 triggers on a byte that shell meshes hold rarely;
  // in a mesh of bars and beams that byte is on every line.
  char ordinary = anchor_of("RBE2").pair[anchor_of("RBE2").trigger_on_second ? 1 : 0];
  DeckBytes seen;
  std::string mesh;
  for (int i = 0; i < 200; ++i)
    mesh += "CBAR    1       2       3       4\nCBEAM   5 6 7 8\n";
  seen.add(mesh);
  Anchor anchor = anchor_of("RBE2", &seen);
  char trigger = anchor.pair[anchor.trigger_on_second ? 1 : 0];
  EXPECT_EQ(ordinary, 'B');
  EXPECT_NE(trigger, 'B');
  EXPECT_EQ(mesh.find(anchor.pair), std::string::npos) << anchor.pair;
}

}  // namespace
}  // namespace torvex
