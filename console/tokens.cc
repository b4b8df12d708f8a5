#include "console/tokens.h"

#include "console/numbers.h"

namespace torvex {

void TokenFields::tokenise(std::string_view line, int k) {
  std::size_t i = 0;
  for (int n = 0; n < k; ++n) {
    while (i < line.size() && is_white_space(line[i])) ++i;
    if (i == line.size()) return;
    std::size_t start = i;
    while (i < line.size() && !is_white_space(line[i])) ++i;
    fields_[n].assign(line.substr(start, i - start));
  }
}

}  // namespace torvex
