// JSON strings from arbitrary bytes, and the numbers of a JSON line.
#include "writers/json_line.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace torvex {
namespace {

std::string as_json(std::string_view bytes) {
  std::string out;
  append_json_string(&out, bytes);
  return out;
}

TEST(JsonString, EscapesWhatJsonCannotHoldAndKeepsValidUtf8) {
  using namespace std::string_literals;
  const struct {
    std::string bytes, json;
  } cases[] = {
      {"", R"("")"},
      {"SPC 1 901", R"("SPC 1 901")"},
      {"a\"b\\c", R"("a\"b\\c")"},
      {"\n\r\t\b\f", R"("\n\r\t\b\f")"},
      {"x\0y"s, R"("x\u0000y")"},
      {"\x01\x1f\x7f", R"("\u0001\u001f\u007f")"},
      {"/", R"("/")"},
      {"\xc3\xa9", "\"\xc3\xa9\""},                           // é, two bytes
      {"\xe2\x82\xac", "\"\xe2\x82\xac\""},                   // €, three bytes
      {"\xf0\x9f\x98\x80", "\"\xf0\x9f\x98\x80\""},           // four bytes
      {"\xff", R"("\ufffd")"},                                // never in UTF-8
      {"\x80", R"("\ufffd")"},                                // a lone continuation
      {"\xc3", R"("\ufffd")"},                                // cut short at the end
      {"\xe2\x82x", R"("\ufffd\ufffdx")"},                    // cut short before x
      {"\xc0\xaf", R"("\ufffd\ufffd")"},                      // overlong '/'
      {"\xe0\x80\xaf", R"("\ufffd\ufffd\ufffd")"},            // overlong, three bytes
      {"\xed\xa0\x80", R"("\ufffd\ufffd\ufffd")"},            // a surrogate
      {"\xf4\x90\x80\x80", R"("\ufffd\ufffd\ufffd\ufffd")"},  // above U+10FFFF
      {"\xf5\x80", R"("\ufffd\ufffd")"},
  };
  for (const auto& c : cases) EXPECT_EQ(as_json(c.bytes), c.json) << c.bytes;
}

TEST(JsonLine, WritesMembersInOrderOnOneLine) {
  std::string out;
  JsonLine(&out)
      .text("file", "a.nas")
      .integer("line", 12)
      .null("none")
      .boolean("yes", true)
      .real("dt", 0.001)
      .finish();
  EXPECT_EQ(out,
            R"({"file": "a.nas", "line": 12, "none": null, "yes": true, "dt": 0.001})"
            "\n");
}

TEST(JsonLine, RealsReadBackExactlyAndNonFiniteOnesAreNull) {
  const struct {
    double value;
    const char* json;
  } cases[] = {
      {0.0, "0"},
      {1000.0, "1000"},
      {-2.5, "-2.5"},
      {0.1, "0.1"},
      {1e300, "1e+300"},
      {std::numeric_limits<double>::infinity(), "null"},
      {-std::numeric_limits<double>::infinity(), "null"},
      {std::nan(""), "null"},
  };
  for (const auto& c : cases) {
    std::string out;
    JsonLine(&out).real("v", c.value).finish();
    EXPECT_EQ(out, std::string(R"({"v": )") + c.json + "}\n");
  }
}

}  // namespace
}  // namespace torvex
