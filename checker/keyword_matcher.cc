#include "checker/keyword_matcher.h"

#include "console/byte_masks.h"

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
  if (!first_bytes_are_letters_ || size < 16) {
    for (std::size_t i = 0; i < size; ++i) try_at(i);
    return found;
  }
  // Lines are mostly digits, blanks and signs: sixteen bytes at a time,
  // only the bytes from 'A' up (and those above 127) are looked at. The
  // last sixteen end with the line; bytes seen before are shifted out.
  std::size_t base = 0;
  auto try_each = [&](std::uint32_t letters) {
    for (; letters != 0; letters &= letters - 1) {
      try_at(base + static_cast<std::size_t>(__builtin_ctz(letters)));
    }
  };
  for (; base + 16 <= size; base += 16) try_each(at_least_mask_16(begin + base, 'A'));
  if (base < size) {
    try_each(at_least_mask_16(begin + size - 16, 'A') >> (base + 16 - size));
  }
  return found;
}

}  // namespace torvex
