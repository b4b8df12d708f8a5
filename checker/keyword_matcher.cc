#include "checker/keyword_matcher.h"

#include <bit>
#include <cstring>

namespace torvex {
namespace {

// Whether text starts with keyword (text holds at least as many bytes).
// Most places fail at the second byte; keywords are short, so a plain
// loop beats a library call.
bool equal(const char* text, std::string_view keyword) {
  if (keyword.size() > 1 && text[1] != keyword[1]) return false;
  for (std::size_t j = 2; j < keyword.size(); ++j) {
    if (text[j] != keyword[j]) return false;
  }
  return true;
}

}  // namespace

void KeywordMatcher::add(int n, std::string_view keyword) {
  keywords_[n] = keyword;
  if (static_cast<unsigned char>(keyword[0]) < 'A') first_bytes_are_letters_ = false;
  starting_with_[static_cast<unsigned char>(keyword[0])] |= std::uint32_t{1} << n;
}

std::uint32_t KeywordMatcher::match(std::string_view line) const {
  std::uint32_t found = 0;
  const char* begin = line.data();
  const std::size_t size = line.size();
  // Looks at byte i as the first byte of keywords.
  auto try_at = [&](std::size_t i) {
    std::uint32_t starting =
        starting_with_[static_cast<unsigned char>(begin[i])] & ~found;
    while (starting != 0) {
      int n = __builtin_ctz(starting);
      starting &= starting - 1;
      std::string_view keyword = keywords_[n];
      // Most places fail at the second byte; compare the rest only then.
      if (keyword.size() <= size - i && equal(begin + i, keyword)) {
        found |= std::uint32_t{1} << n;
      }
    }
  };
  if (!first_bytes_are_letters_ || std::endian::native != std::endian::little) {
    for (std::size_t i = 0; i < size; ++i) try_at(i);
    return found;
  }
  // Lines are mostly digits, blanks and signs. Eight bytes at a time, only
  // the bytes from 'A' up (and those above 127) are looked at: bit 7 of
  // each byte of `high` says so, computed on the low seven bits so that no
  // carry crosses from one byte to the next.
  constexpr std::uint64_t kLow7 = 0x7f7f7f7f7f7f7f7fULL;
  constexpr std::uint64_t kToA = 0x3f3f3f3f3f3f3f3fULL;  // 'A' + 0x3f = 0x80
  constexpr std::uint64_t kBit7 = 0x8080808080808080ULL;
  std::size_t base = 0;
  for (; base + 8 <= size; base += 8) {
    std::uint64_t word;
    std::memcpy(&word, begin + base, 8);
    std::uint64_t high = (((word & kLow7) + kToA) | word) & kBit7;
    for (; high != 0; high &= high - 1) {
      try_at(base + static_cast<std::size_t>(__builtin_ctzll(high)) / 8);
    }
  }
  for (; base < size; ++base) {
    if (static_cast<unsigned char>(begin[base]) >= 'A') try_at(base);
  }
  return found;
}

}  // namespace torvex
