#include "checker/bulk_fields.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace torvex {
namespace {

struct LineCase {
  const char* what;
  std::string line;
  BulkLine::Kind kind;
  std::string name;
  int capacity;
  std::vector<std::string> fields;  // trimmed of blanks
};

std::string trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
    text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
    text.remove_suffix(1);
  return std::string(text);
}

using K = BulkLine::Kind;

TEST(BulkFields, LinesOfEveryFormat) {
  const std::vector<LineCase> cases = {
      {"small field",
       "RLOAD2  30      35                      36\n",
       K::kEntry,
       "RLOAD2",
       8,
       {"30", "35", "", "", "36"}},
      {"small field cut at column 72, CR LF",
       "SPCADD  1       2       3       4       5       6       7       8       9+C1\r\n",
       K::kEntry,
       "SPCADD",
       8,
       {"1", "2", "3", "4", "5", "6", "7", "8"}},
      {"large field",
       "RLOAD2* 30              35                              \n",
       K::kEntry,
       "RLOAD2",
       4,
       {"30", "35"}},
      {"large field, blanks before the star",
       "DAREA  *             101             901\n",
       K::kEntry,
       "DAREA",
       4,
       {"101", "901"}},
      {"free field",
       "RLOAD2,30,35,,,36\n",
       K::kEntry,
       "RLOAD2",
       8,
       {"30", "35", "", "", "36"}},
      {"free field, blanks around items",
       " TLOAD1 , 7 , 8 ,, 2, 9\n",
       K::kEntry,
       "TLOAD1",
       8,
       {"7", "8", "", "2", "9"}},
      {"free field holds eight items a line",
       "SPCADD,1,2,3,4,5,6,7,8,9,10\n",
       K::kEntry,
       "SPCADD",
       8,
       {"1", "2", "3", "4", "5", "6", "7", "8"}},
      {"free field, large-field name",
       "RLOAD1*,5,6,7,8,9\n",
       K::kEntry,
       "RLOAD1",
       4,
       {"5", "6", "7", "8"}},
      {"tabs advance to the next multiple of 8",
       "DLOAD\t1\t1.0\t\t20\n",
       K::kEntry,
       "DLOAD",
       8,
       {"1", "1.0", "", "20"}},
      {"tab inside a field", "TLOAD2  5\t12\n", K::kEntry, "TLOAD2", 8, {"5", "12"}},
      {"comment after the data", "EIGRL   10      $ 20\n", K::kEntry, "EIGRL", 8, {"10"}},
      {"plus continuation",
       "+       1.0     30\n",
       K::kContinuation,
       "",
       8,
       {"1.0", "30"}},
      {"star continuation is large field",
       "*       7               8\n",
       K::kContinuation,
       "",
       4,
       {"7", "8"}},
      {"comma continuation",
       ",1.0,30,,40\n",
       K::kContinuation,
       "",
       8,
       {"1.0", "30", "", "40"}},
      {"blank name field continuation",
       "        2.0     50\n",
       K::kContinuation,
       "",
       8,
       {"2.0", "50"}},
      {"comment line", "$ RLOAD2 30 35\n", K::kNothing, "", 8, {}},
      {"blank line", "   \t \r\n", K::kNothing, "", 8, {}},
      {"last line without line end", "EIGR    4", K::kEntry, "EIGR", 8, {"4"}},
  };
  std::array<char, kColumnBytes> columns;
  for (const LineCase& c : cases) {
    BulkLine line;
    read_bulk_line(c.line, columns, &line);
    EXPECT_EQ(line.kind, c.kind) << c.what;
    EXPECT_EQ(std::string(line.name), c.name) << c.what;
    EXPECT_EQ(line.capacity, c.capacity) << c.what;
    std::vector<std::string> fields;
    for (int i = 0; i < line.count; ++i) fields.push_back(trimmed(line.fields[i]));
    while (!fields.empty() && fields.back().empty()) fields.pop_back();
    EXPECT_EQ(fields, c.fields) << c.what;
  }
}

TEST(BulkFields, IntegerFields) {
  struct Case {
    const char* field;
    std::optional<std::int64_t> value;
  };
  const Case cases[] = {
      {"10", 10},
      {"  10    ", 10},
      {"+7", 7},
      {"-3", -3},
      {"0", 0},
      {"\t12\t", 12},
      {"", std::nullopt},
      {"        ", std::nullopt},
      {"1.0", std::nullopt},
      {"10.", std::nullopt},
      {"1E2", std::nullopt},
      {"CRIT", std::nullopt},
      {"1 0", std::nullopt},
      {"+", std::nullopt},
      {"- 5", std::nullopt},
      {"123456789012345678", 123456789012345678},
      {"1234567890123456789", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(integer_field(c.field), c.value) << '"' << c.field << '"';
  }
}

}  // namespace
}  // namespace torvex
