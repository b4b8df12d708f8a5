#include "console/answers.h"

#include "console/numbers.h"

namespace torvex {
namespace {

// Skips white space and returns the first other byte, or EOF.
int skip_white_space(std::FILE* in) {
  int c;
  do {
    c = std::getc(in);
  } while (c != EOF && is_white_space(static_cast<char>(c)));
  return c;
}

}  // namespace

bool read_type_answer(std::FILE* in, std::int32_t* type) {
  int c = skip_white_space(in);
  bool negative = false;
  if (c == '+' || c == '-') {
    negative = c == '-';
    c = std::getc(in);
  }
  if (!is_digit(c)) {
    if (c != EOF) std::ungetc(c, in);
    return false;
  }
  SaturatingInteger value(negative);
  for (; is_digit(c); c = std::getc(in)) value.add_digit(c - '0');
  if (c != EOF) std::ungetc(c, in);
  *type = value.result();
  return true;
}

bool read_name_answer(std::FILE* in, std::string* name) {
  int c = skip_white_space(in);
  if (c == EOF) return false;
  name->clear();
  for (; c != EOF && !is_white_space(static_cast<char>(c)); c = std::getc(in)) {
    name->push_back(static_cast<char>(c));
  }
  if (c != EOF) std::ungetc(c, in);
  return true;
}

}  // namespace torvex
