// The check run against the plain reference over decks built to be hard:
// lines of 198, 199, 200 and 450 bytes, keywords across the 199-byte cut
// and across the reader's block boundaries, CR LF, tabs, NUL bytes, no
// final newline, and every keyword of both profiles.
#include "checker/check_run.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/reference_check.h"
#include "tests/support/temp_deck.h"
#include "writers/text_writer.h"

namespace torvex {
namespace {

using testing::reference_report;
using testing::TempDeck;

class HardDeck {
 public:
  explicit HardDeck(unsigned seed) : random_(seed) {}

  std::string build(std::size_t size) {
    crlf_ = random_() % 3 == 0;
    std::size_t boundary = 1 << 20;  // where the reader's blocks end
    while (deck_.size() < size) {
      std::string line = next_line();
      if (deck_.size() + line.size() + 250 > boundary && deck_.size() < boundary) {
        // A card line that starts a few bytes before the block boundary,
        // on it, or that ends exactly on it.
        std::string card = keyword_line();
        std::size_t keyword_size =
            card.find(' ') == std::string::npos ? card.size() : card.find(' ');
        std::size_t offsets[] = {0, 1, 2, 3, 5, keyword_size, keyword_size - 1};
        std::size_t before = offsets[random_() % std::size(offsets)];
        std::size_t filler = boundary - before - deck_.size();
        deck_ += "$" + std::string(filler - 2, 'f') + "\n";
        deck_ += card;
        boundary += 1 << 20;
        continue;
      }
      deck_ += line;
    }
    if (random_() % 2) deck_ += "EIGRL 1 2 3";  // no final newline
    return deck_;
  }

 private:
  std::string pick(std::initializer_list<const char*> choices) {
    return *(choices.begin() + random_() % choices.size());
  }
  std::string node() {
    return pick({"0", "7", "900", "901", "901x", "ALL", "99999999999"});
  }
  std::string end() { return crlf_ ? "\r\n" : "\n"; }
  std::string blank() { return pick({" ", "  ", "\t", "        ", " \t "}); }

  std::string keyword_line() {
    switch (random_() % 22) {
      case 0:
        return "CONM2" + blank() + "600" + blank() + node() + " 0 2.5" + end();
      case 1:
        return "RBE2 10 " + node() + blank() + pick({"0", "1", "2", "3", "123", "-1"}) +
               blank() + node() + end();
      case 2:
        return "SPC 1 " + node() + " " + pick({"123456", "3", "x"}) + end();
      case 3:
        return "SPC1" + blank() + "1 123" + end();
      case 4:
        return "FORCE 1 901 0 1.0 " + pick({"1.0 0.0 0.0", "0.0 -1.0", ""}) + end();
      case 5:
        return "RLOAD2 30 35" + end();
      case 6:
        return pick({"$ Constraint", "$ Constraint SPC 1 901 3"}) + end();
      case 7:
        return "EIGRL" + blank() + "10" + blank() + pick({"", "0.1 500.0 "}) + "20" +
               end();
      case 8:
        return "TSTEP 1 " + pick({"1000", "x", "-3"}) + " " +
               pick({".001", "1.-3", "0", "2.5E-4", "1.0D-3", "abc"}) + end();
      case 9:
        return pick({"BEGIN BULK", "begin bulk", "BEGIN BULK TSTEP 1 5 .1"}) + end();
      case 10:
        return pick({"SOL SEMFREQ", "SOL SEMTRAN"}) + end();
      case 11:
        return "SET 1 = 901" + end();
      case 12:
        return pick({"ACCELERATION(SORT1,PRINT,PHASE) = 1",
                     "ACCELERATION(SORT1,PRINT) = 1"}) +
               end();
      case 13:
        return pick({"FREQ1 20 5.0", "TABLED2 36", "TABDMP1 40"}) + end();
      case 14:
        return "GRAV 1 0 9810.0" + end();
      case 15:
        return std::string("EIGRL 1\0 2 20", 13) + end();
      default:
        return pick({"SPC", "RBE2", "FORCE", "EIGRL", "TSTEP", "CONM2"}) + end();
    }
  }

  std::string filler(std::size_t size) {
    std::string text = "GRID";
    while (text.size() < size) text += random_() % 5 ? "1.5E+02 " : "\t";
    text.resize(size);
    return text;
  }

  std::string next_line() {
    std::uint32_t kind = random_() % 10;
    if (kind < 5) return filler(pick({"20", "60", "79"}).size() * 20 % 70 + 10) + end();
    if (kind < 7) {
      // Lines around the 199-byte cut, some with a keyword across it.
      std::size_t size = std::stoul(pick({"198", "199", "200", "450"}));
      if (random_() % 2) return filler(size) + end();
      std::string card = keyword_line();
      std::size_t at = 199 - 1 - random_() % 4;
      return filler(at) + card;
    }
    return keyword_line();
  }

  std::mt19937 random_;
  bool crlf_ = false;
  std::string deck_;
};

std::string fast_report(const TempDeck& file, int analysis_type,
                        std::size_t record_memory = ReportRecord::kMemoryBytes) {
  auto deck = std::make_unique<Deck>();
  std::string reason;
  EXPECT_TRUE(deck->open(file.path(), &reason)) << reason;
  CheckState state;
  std::string report;
  {
    Output out(&report);
    TextWriter writer(out);
    check_run(static_cast<Profile>(analysis_type), *deck, writer, state, record_memory);
  }
  EXPECT_EQ(state.record_error, 0);
  return report;
}

TEST(CheckRun, LinesToReportKeptInATemporaryFileGiveTheSameReport) {
  // A record of a few dozen bytes in memory: nearly every line to report
  // goes through the temporary file, and entries straddle its reads.
  for (unsigned seed = 1; seed <= 3; ++seed) {
    std::string bytes = HardDeck(seed).build(400'000);
    TempDeck file(bytes);
    for (int type : {1, 2}) {
      for (std::size_t memory : {std::size_t{1}, std::size_t{97}, std::size_t{4096}}) {
        ASSERT_EQ(fast_report(file, type, memory), reference_report(bytes, type))
            << "seed " << seed << ", type " << type << ", memory " << memory;
      }
    }
  }
}

TEST(CheckRun, ReadsADeckThroughAPipeOnce) {
  for (unsigned seed = 1; seed <= 2; ++seed) {
    std::string bytes = HardDeck(seed).build(seed == 1 ? 3'300'000 : 300'000);
    for (int type : {1, 2}) {
      for (std::size_t memory : {std::size_t{512}, ReportRecord::kMemoryBytes}) {
        int ends[2];
        ASSERT_EQ(::pipe(ends), 0);
        std::thread writer([&] {
          for (std::size_t done = 0; done < bytes.size();) {
            ssize_t n = ::write(ends[1], bytes.data() + done, bytes.size() - done);
            if (n <= 0) break;
            done += static_cast<std::size_t>(n);
          }
          ::close(ends[1]);
        });
        auto deck = std::make_unique<Deck>();
        std::string reason;
        ASSERT_TRUE(deck->open_descriptor(ends[0], &reason)) << reason;
        CheckState state;
        std::string report;
        {
          Output out(&report);
          TextWriter text(out);
          check_run(static_cast<Profile>(type), *deck, text, state, memory);
        }
        writer.join();
        EXPECT_FALSE(deck->failed());
        ASSERT_EQ(report, reference_report(bytes, type))
            << "seed " << seed << ", type " << type << ", memory " << memory;
      }
    }
  }
}

TEST(CheckRun, ATemporaryFolderThatCannotHoldTheRecordStopsTheCheck) {
  std::string bytes = "SOL SEMFREQ\n$ Constraint\n";
  for (int i = 0; i < 200; ++i) bytes += "SPC 1 " + std::to_string(i) + " 123456\n";
  TempDeck file(bytes);
  const char* saved = std::getenv("TMPDIR");
  std::string kept = saved ? saved : "";
  ::setenv("TMPDIR", "/nonexistent-torvex-folder", 1);
  auto deck = std::make_unique<Deck>();
  std::string reason;
  ASSERT_TRUE(deck->open(file.path(), &reason)) << reason;
  CheckState state;
  std::string report;
  {
    Output out(&report);
    TextWriter writer(out);
    check_run(Profile::kFrequencyResponse, *deck, writer, state, 64);
  }
  if (saved) {
    ::setenv("TMPDIR", kept.c_str(), 1);
  } else {
    ::unsetenv("TMPDIR");
  }
  EXPECT_EQ(state.record_error, ENOENT);
  // No card report and no verdict: what was read cannot be reported.
  EXPECT_EQ(report.find("Node ="), std::string::npos);
  EXPECT_EQ(report.find("not found"), std::string::npos);
}

TEST(CheckRun, WritesTheReferenceReportOnHardDecks) {
  for (unsigned seed = 1; seed <= 6; ++seed) {
    std::string bytes = HardDeck(seed).build(seed <= 2 ? 3'300'000 : 200'000);
    TempDeck file(bytes);
    for (int type : {1, 2}) {
      std::string expected = reference_report(bytes, type);
      for (ScanLevel level : {ScanLevel::kPortable, ScanLevel::kSse2, ScanLevel::kAvx2}) {
        set_scan_level(level);
        std::string actual = fast_report(file, type);
        ASSERT_EQ(actual, expected) << "seed " << seed << ", type " << type << ", level "
                                    << static_cast<int>(level);
      }
    }
  }
  set_scan_level(best_scan_level());
}

// Records the line of every finding that has one, by the card it names.
struct LineRecorder {
  static constexpr bool kNeedsLines = true;
  std::vector<LineNumber> point_masses, eigenvalues;
  void write(const PointMassNode& f) { point_masses.push_back(f.at.line); }
  void write(const Eigenvalues& f) { eigenvalues.push_back(f.at.line); }
  void write(const auto&) {}
};

TEST(CheckRun, FindingsCarryThePhysicalLineOnHardDecks) {
  for (unsigned seed = 1; seed <= 4; ++seed) {
    std::string bytes = HardDeck(seed).build(seed <= 2 ? 3'300'000 : 200'000);
    TempDeck file(bytes);
    // Every piece that holds the keyword is reported, with the number of
    // the physical line it was cut from.
    std::vector<LineNumber> conm2, eigrl;
    LineNumber physical = 1;
    for (const std::string& piece : testing::reference_lines(bytes)) {
      if (piece.find("CONM2") != std::string::npos) conm2.push_back(physical);
      if (piece.find("EIGRL") != std::string::npos) eigrl.push_back(physical);
      if (piece.back() == '\n') ++physical;
    }
    for (ScanLevel level : {ScanLevel::kPortable, ScanLevel::kSse2, ScanLevel::kAvx2}) {
      set_scan_level(level);
      auto deck = std::make_unique<Deck>();
      std::string reason;
      ASSERT_TRUE(deck->open(file.path(), &reason)) << reason;
      LineRecorder recorder;
      CheckState state;
      check_run(Profile::kModalTransient, *deck, recorder, state);
      EXPECT_EQ(recorder.point_masses, conm2) << "seed " << seed;
      EXPECT_EQ(recorder.eigenvalues, eigrl) << "seed " << seed;
      // The same through a reader that follows INCLUDE statements, which
      // counts lines while it looks for them.
      auto including = std::make_unique<IncludingDeck>(IncludeSearch{});
      ASSERT_TRUE(including->open(file.path(), &reason)) << reason;
      LineRecorder followed;
      CheckState followed_state;
      check_run(Profile::kModalTransient, *including, followed, followed_state);
      EXPECT_EQ(followed.point_masses, conm2) << "seed " << seed;
      EXPECT_EQ(followed.eigenvalues, eigrl) << "seed " << seed;
    }
  }
  set_scan_level(best_scan_level());
}

TEST(CheckRun, LinesCountedWhileLookingForIncludeStatements) {
  // Long stretches without a statement or a report, as in large meshes;
  // lines of every length up to and past the 199-byte cut.
  std::mt19937 random(5);
  std::string bytes = "SOL SEMFREQ\nEIGRL 1 2 3\n";
  LineNumber lines = 2;
  std::vector<LineNumber> eigrl = {2};
  while (bytes.size() < 2'500'000) {
    bytes += "GRID " + std::string(random() % 260, '1') + "\n";
    ++lines;
    if (random() % 20000 == 0) {
      bytes += "EIGRL 1 2 3\n";
      eigrl.push_back(++lines);
    }
  }
  bytes += "CONM2 1 7 0 1.0\n";
  TempDeck file(bytes);
  for (ScanLevel level : {ScanLevel::kPortable, ScanLevel::kSse2, ScanLevel::kAvx2}) {
    set_scan_level(level);
    auto deck = std::make_unique<IncludingDeck>(IncludeSearch{});
    std::string reason;
    ASSERT_TRUE(deck->open(file.path(), &reason)) << reason;
    LineRecorder recorder;
    CheckState state;
    check_run(Profile::kFrequencyResponse, *deck, recorder, state);
    EXPECT_EQ(recorder.point_masses, std::vector<LineNumber>{lines + 1});
    EXPECT_EQ(recorder.eigenvalues, eigrl);
  }
  set_scan_level(best_scan_level());
}

TEST(CheckRun, ReadsDecksPastFourGibibytesToTheirEnd) {
  // A sparse deck: the cards stand past 2 GiB and past 4 GiB.
  TempDeck file("SOL SEMFREQ\n");
  int fd = ::open(file.path().c_str(), O_WRONLY);
  ASSERT_GE(fd, 0);
  const std::string past_2 = "\nCONM2 1 4242 0 1.0\n";
  const std::string past_4 = "\nEIGRL 1 2 77\n$ Constraint\nSPC 1 4242 6\n";
  ASSERT_EQ(::pwrite(fd, past_2.data(), past_2.size(), (2LL << 30) + 5),
            static_cast<ssize_t>(past_2.size()));
  ASSERT_EQ(::pwrite(fd, past_4.data(), past_4.size(), (4LL << 30) + 7),
            static_cast<ssize_t>(past_4.size()));
  ::close(fd);
  std::string report = fast_report(file, 1);
  EXPECT_NE(report.find("\n point mass node = 4242\n"), std::string::npos);
  EXPECT_NE(report.find("Number of eigenvalues = 2 \n"), std::string::npos);
  EXPECT_NE(report.find("\n Mass Node = 4242 constrained at 6 \n"), std::string::npos);
  EXPECT_EQ(report.find("warning"), std::string::npos);
}

}  // namespace
}  // namespace torvex
