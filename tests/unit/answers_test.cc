#include "console/answers.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace torvex {
namespace {

struct Dialogue {
  std::int32_t type;
  bool type_read;
  std::string name;
};

// Both answers from one stream, as the program reads them.
Dialogue answer(const std::string& input) {
  std::FILE* in = fmemopen(const_cast<char*>(input.data()), input.size(), "r");
  if (input.empty()) in = std::tmpfile();
  Dialogue d{0, false, ""};
  d.type_read = read_type_answer(in, &d.type);
  read_name_answer(in, &d.name);
  std::fclose(in);
  return d;
}

TEST(Answers, ReadAsScanfReadsIntegerThenItem) {
  struct Case {
    std::string input;
    std::int32_t type;
    bool type_read;
    std::string name;
  } cases[] = {
      {"2 deck.nas", 2, true, "deck.nas"},
      {"1\ndeck.nas\n", 1, true, "deck.nas"},
      {"\n\n  1\n\n  wing.nas  extra", 1, true, "wing.nas"},
      {"abc", 0, false, "abc"},
      {"1.5", 1, true, ".5"},
      {"3 x", 3, true, "x"},
      {"-1 x", -1, true, "x"},
      {"+2 x", 2, true, "x"},
      {"-abc", 0, false, "abc"},  // the lone sign is consumed, as by "%d"
      {"4294967297 x", 2147483647, true, "x"},
      {"-4294967297 x", INT32_MIN, true, "x"},
      {"1\r\ndeck.nas\r\n", 1, true, "deck.nas"},
      {"", 0, false, ""},
      {"1", 1, true, ""},
      {"1 \n \t ", 1, true, ""},
      {"2deck.nas", 2, true, "deck.nas"},
  };
  for (const Case& c : cases) {
    Dialogue d = answer(c.input);
    EXPECT_EQ(d.type, c.type) << c.input;
    EXPECT_EQ(d.type_read, c.type_read) << c.input;
    EXPECT_EQ(d.name, c.name) << c.input;
  }
}

TEST(Answers, KeepsLongNamesWhole) {
  std::string name(5000, 'n');
  EXPECT_EQ(answer("1 " + name + " more").name, name);
}

}  // namespace
}  // namespace torvex
