#include "console/output.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>

#include <cmath>
#include <string>

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
