#include "console/output.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace torvex {
namespace {

std::string real_8_4g(double value) {
  std::string text;
  {
    Output out(&text);
    out.put_real_8_4g(value);
  }
  return text;
}

TEST(Output, WritesRealsAs8Point4g) {
  struct Case {
    double value;
    const char* text;
  } cases[] = {
      {0.001, "   0.001"},     {1000.0, "    1000"},  {1.0, "       1"},
      {2000.0, "    2000"},    {0.0, "       0"},     {12345.0, "1.234e+04"},
      {0.0001, "  0.0001"},    {0.00001, "   1e-05"}, {1e300, "  1e+300"},
      {-2.5, "    -2.5"},      {9999.5, "   1e+04"},  {HUGE_VAL, "     inf"},
      {-HUGE_VAL, "    -inf"}, {123.456, "   123.5"},
  };
  for (const Case& c : cases) EXPECT_EQ(real_8_4g(c.value), c.text) << c.value;
}

TEST(Output, WritesIntegersAndKeepsBytesInOrderPastTheBuffer) {
  std::string text;
  std::string expected;
  {
    Output out(&text);
    out.put_integer(-2147483648LL);
    expected += "-2147483648";
    std::string big(100000, 'b');
    for (int i = 0; i < 3; ++i) {
      out.put("a\n");
      out.put(big);
      expected += "a\n" + big;
    }
  }
  EXPECT_EQ(text, expected);
}

// Every number of digits, the limits of the in-place digits and of the
// 64-bit range, written across many buffer fills: the text is "%ld"'s.
TEST(Output, WritesIntegersAsPrintfDoes) {
  std::vector<std::int64_t> values = {
      0,         1,          9,     10,        99,        100,      101,
      999,       1000,       12345, 123456,    9999999,   10000000, 99999999,
      100000000, 2147483647, -1,    -99999999, INT64_MIN, INT64_MAX};
  for (std::int64_t v = 1; v < 1000000000; v = v * 7 + 3) values.push_back(v);
  std::string text;
  std::string expected;
  {
    Output out(&text);
    for (int round = 0; round < 2000; ++round) {
      for (std::int64_t value : values) {
        out.put_integer(value);
        out.put(" ");
        char printed[32];
        std::snprintf(printed, sizeof printed, "%ld ", static_cast<long>(value));
        expected += printed;
      }
      // Lines of two lengths move the buffer's end across the numbers.
      const char* line_end = round % 2 ? "\n" : " \n";
      out.put(line_end);
      expected += line_end;
    }
  }
  EXPECT_EQ(text, expected);
}

TEST(Output, ReportsAFailedWrite) {
  int fd = ::open("/dev/full", O_WRONLY);
  ASSERT_GE(fd, 0);
  Output out(fd);
  out.put("report");
  out.flush();
  EXPECT_TRUE(out.failed());
  EXPECT_EQ(out.error_number(), ENOSPC);
  ::close(fd);
}

}  // namespace
}  // namespace torvex
