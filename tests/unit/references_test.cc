// The reference checks within the check run: its search hands over only
// the lines that may hold an entry read here, and must find the same
// unresolved references as the reference checks fed every line, on decks
// of every field format, with continuations, across the reader's blocks,
// at every search level.
#include "checker/references.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "checker/check_run.h"
#include "console/including_deck.h"
#include "tests/support/references_every_line.h"
#include "tests/support/temp_deck.h"

namespace torvex {
namespace {

using testing::ReferenceRecorder;
using testing::TempDeck;

// A deck whose every definition is the only one of its ID: each ID
// looked up is defined once, by an entry of a kind picked from those that
// would do, before or after the lookup, or not at all. A search that
// missed the lines of one kind would leave references unresolved.
class ReferenceDeck {
 public:
  explicit ReferenceDeck(unsigned seed) : random_(seed), seed_(seed) {}

  // A deck of seed 4 has no BEGIN BULK: all of it is case control.
  std::string build(std::size_t size) {
    // The report's keywords of the control sections are there, so that
    // the search of those sections keeps to few triggers.
    std::string deck = "SOL SEMFREQ\nASSIGN OUTPUT2='run.op2',UNIT=12\nMETHOD = " +
                       std::to_string(next_id_++) + "\n";
    deck +=
        pick({"CEND\n", "cenD $ end of executive\n", "  CenD\n", "ceNd\n", "cend\n", ""});
    const std::pair<const char*, std::vector<const char*>> commands[] = {
        {"METHOD", {"EIGRL", "EIGR"}},
        {"FREQ", {"FREQ", "FREQ1", "FREQ2", "FREQ3", "FREQ4", "FREQ5"}},
        {"TSTEP", {"TSTEP"}},
        {"DLOAD", {"DLOAD", "RLOAD1", "RLOAD2", "TLOAD1", "TLOAD2"}},
        {"SDAMP(STRUCTURE)", {"TABDMP1"}},
        {"SPC", {"SPC", "SPC1", "SPCADD"}}};
    for (int subcase = 0; subcase < 3; ++subcase) {
      deck += "SUBCASE " + std::to_string(subcase + 1) +
              "\nTITLE = RUN 5\nSET 1 = 901\nACCELERATION(SORT1,PRINT,PHASE) = 1\n";
      for (const auto& [command, kinds] : commands) {
        deck += std::string(command) + pick({" = ", "=", "\t=\t", " =+"}) +
                look_up(kinds) + pick({"\n", " $ a comment\n", "\r\n"});
        deck += pick({"$ METHOD = 99\n", "DISP(PLOT) = ALL\n", "", ""});
      }
    }
    if (seed_ == 4) return deck + mesh(size);
    deck +=
        pick({"BEGIN BULK\n", "begin bulk\n", "  Begin  BulK $ bulk\n", "begin buLk\n"});
    std::size_t mesh_bytes = 0;
    while (mesh_bytes < size) {
      std::string line = mesh_line();
      mesh_bytes += line.size();
      mesh_.push_back(line);
      if (random_() % 16 == 0) source_entry();
    }
    // Entries among the mesh, in any order.
    std::shuffle(entries_.begin(), entries_.end(), random_);
    std::size_t next_entry = 0;
    for (const std::string& line : mesh_) {
      deck += line;
      if (next_entry < entries_.size() && random_() % 8 == 0)
        deck += entries_[next_entry++];
    }
    while (next_entry < entries_.size()) deck += entries_[next_entry++];
    if (random_() % 2) deck += "ENDDATA\nEIGRL   " + std::to_string(next_id_) + "\n";
    return deck;
  }

 private:
  std::string pick(const std::vector<const char*>& choices) {
    return choices[random_() % choices.size()];
  }
  std::string field(const std::string& text, std::size_t width = 8) {
    std::string padded = text;
    padded.resize(width, ' ');
    return padded;
  }
  std::string mesh_line() {
    std::string n = std::to_string(100000 + random_() % 900000);
    return pick({"GRID    ", "CQUAD4  ", "CBAR    ", "RBE3    ", "CHEXA   ", "CELAS1  ",
                 "$ RLOAD2 ", "XDAREA  ", "eigr    "}) +
           n + "  12      " + n + "  1.25E+02" + pick({"\n", "\r\n"});
  }
  // A fresh ID, defined once by an entry of one of kinds, or not at all.
  std::string look_up(const std::vector<const char*>& kinds) {
    std::string id = std::to_string(next_id_++);
    if (random_() % 3 != 0) {
      std::string kind = pick(kinds);
      if (kind == "LSEQ") {
        entries_.push_back(entry(kind, {std::to_string(next_id_++), id, "1"}));
      } else {
        entries_.push_back(entry(kind, {id, "1", "1.0"}));
      }
    }
    return id;
  }
  // An entry that looks IDs up, with its own ID defined by nobody.
  void source_entry() {
    const std::vector<const char*> excitations = {
        "DAREA", "FORCE",  "FORCE1", "FORCE2", "MOMENT", "MOMENT1", "MOMENT2",
        "PLOAD", "PLOAD1", "PLOAD2", "PLOAD4", "SPCD",   "LSEQ"};
    const std::vector<const char*> tables = {"TABLED1", "TABLED2", "TABLED3", "TABLED4"};
    std::string sid = std::to_string(next_id_++);
    std::string name = pick({"RLOAD1", "RLOAD2", "TLOAD1", "TLOAD2", "DLOAD", "SPCADD"});
    std::vector<std::string> data = {sid};
    if (name == "DLOAD" || name == "SPCADD") {
      if (name == "DLOAD") data.push_back("1.0");
      int count = 1 + static_cast<int>(random_() % 9);
      for (int i = 0; i < count; ++i) {
        if (name == "DLOAD") {
          data.push_back("0.5");
          data.push_back(look_up({"RLOAD1", "RLOAD2", "TLOAD1", "TLOAD2"}));
        } else {
          data.push_back(look_up({"SPC", "SPC1"}));
        }
      }
    } else {
      data.push_back(look_up(excitations));
      data.push_back("");
      data.push_back("0.1");
      data.push_back(random_() % 4 ? look_up(tables) : pick({"0", "", "1.5"}));
      if (name != "TLOAD2") data.push_back(look_up(tables));
    }
    entries_.push_back(entry(name, data));
  }
  // The entry in one of the field formats, continued where it is long.
  std::string entry(const std::string& name, const std::vector<std::string>& data) {
    switch (random_() % 4) {
      case 0: {  // free field, continued by comma lines
        std::string text = name;
        for (std::size_t i = 0; i < data.size(); ++i) {
          if (i > 0 && i % 8 == 0) text += "\n$ between\n";
          text += "," + data[i];
        }
        return text + "\n";
      }
      case 1: {  // large field, continued by star lines
        std::string text = field(name + pick({"*", "  *"}));
        for (std::size_t i = 0; i < data.size(); ++i) {
          if (i > 0 && i % 4 == 0) text += "\n" + field("*");
          text += field(data[i], 16);
        }
        return text + "\n";
      }
      case 2: {  // small field with tabs
        std::string text = name;
        for (std::size_t i = 0; i < data.size(); ++i) {
          if (i > 0 && i % 8 == 0) text += "\n\t";
          text += "\t" + data[i];
        }
        return text + "\n";
      }
      default: {  // small field, continued by plus lines and blank names
        std::string text = field(name);
        for (std::size_t i = 0; i < data.size(); ++i) {
          if (i > 0 && i % 8 == 0) text += "\n" + field(pick({"+", "", "+C"}));
          text += field(data[i]);
        }
        return text + "\n";
      }
    }
  }

  std::string mesh(std::size_t size) {
    std::string lines;
    while (lines.size() < size) lines += mesh_line();
    return lines;
  }

  std::mt19937 random_;
  unsigned seed_;
  int next_id_ = 1;
  std::vector<std::string> mesh_;
  std::vector<std::string> entries_;
};

template <class DeckType>
std::vector<std::string> references_of_check_run(DeckType& deck, Profile profile) {
  ReferenceRecorder recorder;
  CheckState state;
  ReferenceCheck references(profile);
  check_run(profile, deck, recorder, state, references);
  EXPECT_EQ(references.unresolved(), recorder.references.size());
  return recorder.references;
}

TEST(References, TheSearchFindsWhatEveryLineGives) {
  for (unsigned seed = 1; seed <= 4; ++seed) {
    std::string bytes = ReferenceDeck(seed).build(seed == 1 ? 2'500'000 : 150'000);
    TempDeck file(bytes);
    for (Profile profile : {Profile::kFrequencyResponse, Profile::kModalTransient}) {
      std::vector<std::string> expected =
          testing::references_every_line(file.path(), profile);
      ASSERT_GT(expected.size(), 3u);
      for (ScanLevel level : {ScanLevel::kPortable, ScanLevel::kSse2, ScanLevel::kAvx2}) {
        set_scan_level(level);
        auto deck = std::make_unique<Deck>();
        std::string reason;
        ASSERT_TRUE(deck->open(file.path(), &reason)) << reason;
        EXPECT_EQ(references_of_check_run(*deck, profile), expected)
            << "seed " << seed << ", level " << static_cast<int>(level);
        auto including = std::make_unique<IncludingDeck>(IncludeSearch{});
        ASSERT_TRUE(including->open(file.path(), &reason)) << reason;
        EXPECT_EQ(references_of_check_run(*including, profile), expected)
            << "seed " << seed << ", level " << static_cast<int>(level);
      }
    }
  }
  set_scan_level(best_scan_level());
}

}  // namespace
}  // namespace torvex
