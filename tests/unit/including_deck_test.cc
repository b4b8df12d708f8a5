// INCLUDE statements: the statement and name rules, and a deck with
// statements anywhere read as the one file it stands for.
#include "console/including_deck.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "checker/check_run.h"
#include "tests/support/reference_check.h"
#include "writers/text_writer.h"

namespace torvex {
namespace {

TEST(IncludeStatement, FirstWordInAnyCaseThenTheName) {
  const struct {
    const char* line;
    Statement statement;
    const char* name;
  } cases[] = {
      {"INCLUDE 'mesh.bdf'\n", Statement::kComplete, "mesh.bdf"},
      {"  \tinclude '  mesh.bdf  '  $ the mesh\r\n", Statement::kComplete, "mesh.bdf"},
      {"InClUdE mesh.bdf\n", Statement::kComplete, "mesh.bdf"},
      {"INCLUDE'mesh.bdf'", Statement::kComplete, "mesh.bdf"},
      {"INCLUDE 'parts/\n", Statement::kContinued, "parts/"},
      {"INCLUDE\n", Statement::kComplete, ""},
      {"INCLUDED 'mesh.bdf'\n", Statement::kNone, ""},
      {"$ INCLUDE 'mesh.bdf'\n", Statement::kNone, ""},
      {"XINCLUDE 'mesh.bdf'\n", Statement::kNone, ""},
      {"INCLUD\n", Statement::kNone, ""},
  };
  for (const auto& c : cases) {
    std::string name;
    EXPECT_EQ(read_include_statement(c.line, &name), c.statement) << c.line;
    if (c.statement != Statement::kNone) {
      EXPECT_EQ(name, c.name) << c.line;
    }
  }
  std::string name = "parts/";
  EXPECT_FALSE(continue_include_name("   sub/  \n", &name));
  EXPECT_TRUE(continue_include_name("   links.bdf'  \n", &name));
  EXPECT_EQ(name, "parts/sub/links.bdf");
}

TEST(IncludeNames, CandidatesInTheSolversOrder) {
  ::setenv("TORVEX_TEST_PARTS", "parts", 1);
  ::unsetenv("TORVEX_TEST_UNSET");
  IncludeSearch search{{"/lib/a", "lib/b/"}, {{"MODELS", "/data/models"}}};
  using List = std::vector<std::string>;
  const struct {
    const char* name;
    List candidates;
    const char* failure;
  } cases[] = {
      {"mesh.bdf",
       List{"run/sub/mesh.bdf", "run/mesh.bdf", "/lib/a/mesh.bdf", "lib/b/mesh.bdf"}, ""},
      {"/abs/mesh.bdf", List{"/abs/mesh.bdf"}, ""},
      {"parts\\links\\rbe2.bdf",
       List{"run/sub/parts/links/rbe2.bdf", "run/parts/links/rbe2.bdf",
            "/lib/a/parts/links/rbe2.bdf", "lib/b/parts/links/rbe2.bdf"},
       ""},
      {"$TORVEX_TEST_PARTS/x.bdf",
       List{"run/sub/parts/x.bdf", "run/parts/x.bdf", "/lib/a/parts/x.bdf",
            "lib/b/parts/x.bdf"},
       ""},
      {"${TORVEX_TEST_PARTS}x.bdf",
       List{"run/sub/partsx.bdf", "run/partsx.bdf", "/lib/a/partsx.bdf",
            "lib/b/partsx.bdf"},
       ""},
      {"models:wing/mesh.bdf", List{"/data/models/wing/mesh.bdf"}, ""},
      {"OTHER:mesh.bdf",
       List{"run/sub/OTHER:mesh.bdf", "run/OTHER:mesh.bdf", "/lib/a/OTHER:mesh.bdf",
            "lib/b/OTHER:mesh.bdf"},
       ""},
      {"$TORVEX_TEST_UNSET/x.bdf", List{},
       "environment variable TORVEX_TEST_UNSET is not set"},
      {"${TORVEX_TEST_PARTS", List{}, "no closing brace after ${"},
      {"", List{}, "no file name"},
  };
  for (const auto& c : cases) {
    std::string failure;
    EXPECT_EQ(include_candidates(c.name, "run/sub/", "run/", search, &failure),
              c.candidates)
        << c.name;
    EXPECT_EQ(failure, c.failure) << c.name;
  }
  // The top deck's folder is tried once when it is the including one.
  std::string failure;
  EXPECT_EQ(include_candidates("m.bdf", "", "", IncludeSearch{}, &failure),
            List{"m.bdf"});
  EXPECT_EQ(folder_of("a/b/top.nas"), "a/b/");
  EXPECT_EQ(folder_of("top.nas"), "");
}

// A folder of its own for the files of one test.
class TempFolder {
 public:
  TempFolder() {
    const char* dir = std::getenv("TMPDIR");
    path_ = std::string(dir ? dir : "/tmp") + "/torvex-include-XXXXXX";
    if (::mkdtemp(path_.data()) == nullptr) std::abort();
  }
  ~TempFolder() {
    for (const std::string& file : files_) ::unlink(file.c_str());
    ::rmdir(path_.c_str());
  }
  std::string write(const std::string& name, const std::string& bytes) {
    std::string file = path_ + "/" + name;
    std::ofstream(file, std::ios::binary) << bytes;
    files_.push_back(file);
    return file;
  }

 private:
  std::string path_;
  std::vector<std::string> files_;
};

// The places of the EIGRL lines, in the order reported.
struct EigenvaluePlaces {
  static constexpr bool kNeedsLines = true;
  std::vector<std::pair<std::string, LineNumber>> places;
  void write(const Eigenvalues& f) { places.emplace_back(f.at.file, f.at.line); }
  void write(const auto&) {}
};

std::string report_of(IncludingDeck& deck, const std::string& top, int analysis_type) {
  std::string reason;
  EXPECT_TRUE(deck.open(top, &reason)) << reason;
  CheckState state;
  std::string report;
  {
    Output out(&report);
    TextWriter writer(out);
    check_run(static_cast<Profile>(analysis_type), deck, writer, state);
  }
  EXPECT_TRUE(deck.read_whole());
  return report;
}

TEST(IncludingDeck, ReadsStatementsAnywhereAsTheOneFile) {
  // The included file: report keywords, and a last line without newline.
  const std::string part =
      "$ Constraint\nSPC 1 7 123\nEIGRL 1 2 30\nFORCE 1 7 0 1. 2. 3. 4.";
  std::mt19937 random(7);
  auto pick = [&](std::vector<std::string> choices) {
    return choices[random() % choices.size()];
  };
  for (int round = 0; round < 2; ++round) {
    TempFolder folder;
    std::string part_path = folder.write("part.bdf", part);
    std::string top, one_file;
    std::size_t boundary = 1 << 20;
    // Where each EIGRL line stands: in the top deck, or line 3 of part.bdf.
    std::vector<std::pair<std::string, LineNumber>> eigenvalue_places;
    LineNumber top_lines = 0;
    auto add = [&](const std::string& line, bool statement) {
      if (line.find("EIGRL") != std::string::npos) {
        eigenvalue_places.emplace_back("", top_lines + 1);
      }
      top_lines += static_cast<LineNumber>(std::count(line.begin(), line.end(), '\n'));
      top += line;
      one_file += line;
      if (statement) {
        one_file += part + "\n";
        eigenvalue_places.emplace_back(part_path, 3);
      }
    };
    add("SOL SEMFREQ\nRLOAD2 1\nCONM2 1 7 0 1.0\n", false);
    while (top.size() < 2'200'000) {
      // Statements just before, on and after each block boundary of the
      // top deck's reader.
      if (top.size() + 300 > boundary) {
        std::size_t before = random() % 24;
        std::size_t filler = boundary - before - top.size();
        add("$" + std::string(filler - 2, 'f') + "\n", false);
        add(pick({"INCLUDE 'part.bdf'\n", "  include part.bdf\n",
                  "\tInClUdE 'part.bdf'\n"}),
            true);
        boundary += 1 << 20;
        continue;
      }
      switch (random() % 50) {
        case 0:
          add(pick({"INCLUDE 'part.bdf'\n", "  include part.bdf\n",
                    " \t INCLUDE 'part.bdf'\r\n", "include 'part\n     .bdf'\n"}),
              true);
          break;
        case 1:
          // Not statements: a comment, a longer word, a piece after the
          // 199-byte cut, a statement word not first.
          add(pick({"$ INCLUDE 'part.bdf'\n", "INCLUDED 'part.bdf'\n",
                    std::string(199, 'x') + "INCLUDE 'part.bdf'\n",
                    "X INCLUDE part.bdf\n", "        INCLUDX\n"}),
              false);
          break;
        case 2:
        case 3:
        case 4:
          add(pick({"SPC 1 7 456\n", "EIGRL 2 3 9\n", "GRAV 1\n", "RBE2 1 7 3 8\n"}),
              false);
          break;
        default:
          add(pick({"GRID 1 0 1.0 2.0 3.0\n", "CQUAD4 1 2 3 4 5 6\n", "+ 1 2 3\n",
                    "        1       2       3\n", "$ comment\n"}),
              false);
      }
    }
    std::string path = folder.write("top.nas", top);
    IncludingDeck deck{IncludeSearch{}};
    for (int type : {1, 2}) {
      std::string expected = testing::reference_report(one_file, type);
      for (ScanLevel level : {ScanLevel::kPortable, ScanLevel::kSse2, ScanLevel::kAvx2}) {
        set_scan_level(level);
        ASSERT_EQ(report_of(deck, path, type), expected)
            << "round " << round << ", type " << type << ", level "
            << static_cast<int>(level);
      }
    }
    // Lines counted in both readings: each file's own line numbers.
    for (ScanLevel level : {ScanLevel::kPortable, ScanLevel::kSse2, ScanLevel::kAvx2}) {
      set_scan_level(level);
      std::string reason;
      ASSERT_TRUE(deck.open(path, &reason)) << reason;
      EigenvaluePlaces recorder;
      CheckState state;
      check_run(Profile::kFrequencyResponse, deck, recorder, state);
      EXPECT_EQ(recorder.places, eigenvalue_places)
          << "round " << round << ", level " << static_cast<int>(level);
    }
  }
  set_scan_level(best_scan_level());
}

TEST(IncludingDeck, FailuresAreKeptAtTheStatementAndTheReadingGoesOn) {
  TempFolder folder;
  folder.write("self.bdf", "EIGRL 1 2 3\nINCLUDE self.bdf\n");
  std::string top = folder.write(
      "top.nas",
      "SOL 111\nINCLUDE 'missing.bdf'\nINCLUDE self.bdf\n$ end\nINCLUDE 'open\n");
  for (bool counted : {false, true}) {
    IncludingDeck deck{IncludeSearch{}};
    std::string reason;
    ASSERT_TRUE(deck.open(top, &reason)) << reason;
    deck.count_lines(counted);
    std::vector<std::string> lines;
    std::string_view line;
    while (deck.next_line(&line)) lines.emplace_back(line);
    EXPECT_EQ(lines,
              (std::vector<std::string>{
                  "SOL 111\n", "INCLUDE 'missing.bdf'\n", "INCLUDE self.bdf\n",
                  "EIGRL 1 2 3\n", "INCLUDE self.bdf\n", "$ end\n", "INCLUDE 'open\n"}));
    EXPECT_FALSE(deck.read_whole());
    FailedInclude failure;
    std::vector<std::string> failures;
    while (deck.take_failure(&failure)) {
      failures.push_back(std::string(failure.at.file) + ":" +
                         std::to_string(failure.at.line) + " " +
                         std::string(failure.name) + ": " + std::string(failure.reason));
    }
    std::string self = folder_of(top) + "self.bdf";
    EXPECT_EQ(failures,
              (std::vector<std::string>{
                  ":2 missing.bdf: No such file or directory",
                  self + ":2 self.bdf: it is already being read (an include cycle)",
                  ":5 open: the file ends before the name's closing quote"}))
        << "lines counted: " << counted;
  }
}

TEST(IncludingDeck, NestingDeeperThanTheLimitIsAFailureAtItsStatement) {
  // top.nas includes level1.bdf, which includes level2.bdf, and so on.
  TempFolder folder;
  const int levels = IncludingDeck::kMaxNesting + 2;
  for (int level = 1; level <= levels; ++level) {
    folder.write("level" + std::to_string(level) + ".bdf",
                 "$ level " + std::to_string(level) + "\nINCLUDE level" +
                     std::to_string(level + 1) + ".bdf\n");
  }
  std::string top = folder.write("top.nas", "SOL 111\nINCLUDE level1.bdf\n");
  IncludingDeck deck{IncludeSearch{}};
  std::string reason;
  ASSERT_TRUE(deck.open(top, &reason)) << reason;
  std::string_view line;
  int comments = 0;
  while (deck.next_line(&line)) comments += line.substr(0, 7) == "$ level";
  // The top deck and eight included files are read; the ninth is not.
  EXPECT_EQ(comments, IncludingDeck::kMaxNesting);
  FailedInclude failure;
  ASSERT_TRUE(deck.take_failure(&failure));
  EXPECT_EQ(failure.name, "level9.bdf");
  EXPECT_EQ(failure.at.line, 2);
  EXPECT_EQ(failure.reason, "included files nest deeper than 8");
  EXPECT_FALSE(deck.take_failure(&failure));
}

}  // namespace
}  // namespace torvex
