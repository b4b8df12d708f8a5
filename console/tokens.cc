#include "console/tokens.h"

#include <cstdint>

#include "console/byte_masks.h"
#include "console/numbers.h"

namespace torvex {

void TokenFields::tokenise(std::string_view line, int k) {
  const char* text = line.data();
  const std::size_t size = line.size();
  if (size >= 16 && size <= 64) {
    // Most cards fit in 64 bytes: one bit per byte, set for white space
    // and past the line's end, found sixteen bytes at a time (the last
    // sixteen overlap bytes already seen, which get the same bits). Each
    // token is then two bit searches, without a branch per byte.
    std::uint64_t white = 0;
    std::size_t i = 0;
    for (; i + 16 <= size; i += 16)
      white |= std::uint64_t{white_space_mask_16(text + i)} << i;
    if (i < size)
      white |= std::uint64_t{white_space_mask_16(text + size - 16)} << (size - 16);
    if (size < 64) white |= ~std::uint64_t{0} << size;
    std::size_t at = 0;
    for (int n = 0; n < k && at < 64; ++n) {
      const std::uint64_t token_bytes = ~white & (~std::uint64_t{0} << at);
      if (token_bytes == 0) return;
      const auto start = static_cast<std::size_t>(__builtin_ctzll(token_bytes));
      const std::uint64_t after = white & (~std::uint64_t{0} << start);
      at = after == 0 ? 64 : static_cast<std::size_t>(__builtin_ctzll(after));
      fields_[n].assign(std::string_view(text + start, at - start));
    }
    return;
  }
  const char* at = text;
  const char* end = text + size;
  for (int n = 0; n < k; ++n) {
    while (at < end && is_white_space(*at)) ++at;
    if (at == end) return;
    const char* start = at;
    while (at < end && !is_white_space(*at)) ++at;
    fields_[n].assign(std::string_view(start, static_cast<std::size_t>(at - start)));
  }
}

}  // namespace torvex
