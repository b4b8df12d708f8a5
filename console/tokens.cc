#include "console/tokens.h"

#include <cstdint>

#include "console/numbers.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace torvex {
namespace {

// Bit i set when byte i of the sixteen at p is white space.
std::uint64_t white_space_of_16(const char* p) {
#if defined(__SSE2__)
  __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  __m128i blank = _mm_cmpeq_epi8(bytes, _mm_set1_epi8(' '));
  // Tab to carriage return; bytes from 128 up compare as negative.
  __m128i control = _mm_and_si128(_mm_cmpgt_epi8(bytes, _mm_set1_epi8('\t' - 1)),
                                  _mm_cmplt_epi8(bytes, _mm_set1_epi8('\r' + 1)));
  return static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_or_si128(blank, control)));
#else
  std::uint64_t bits = 0;
  for (int i = 0; i < 16; ++i) bits |= std::uint64_t{is_white_space(p[i])} << i;
  return bits;
#endif
}

}  // namespace

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
    for (; i + 16 <= size; i += 16) white |= white_space_of_16(text + i) << i;
    if (i < size) white |= white_space_of_16(text + size - 16) << (size - 16);
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
