#include "console/tokens.h"

#include "console/numbers.h"

namespace torvex {

void TokenFields::tokenise(std::string_view line, int k) {
  const char* at = line.data();
  const char* end = at + line.size();
  for (int n = 0; n < k; ++n) {
    while (at < end && is_white_space(*at)) ++at;
    if (at == end) return;
    const char* start = at;
    while (at < end && !is_white_space(*at)) ++at;
    fields_[n].assign(std::string_view(start, static_cast<std::size_t>(at - start)));
  }
}

}  // namespace torvex
