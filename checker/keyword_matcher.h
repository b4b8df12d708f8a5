// Finding which of a run's keywords a line contains, in one pass.
#ifndef TORVEX_CHECKER_KEYWORD_MATCHER_H_
#define TORVEX_CHECKER_KEYWORD_MATCHER_H_

#include <array>
#include <cstdint>
#include <string_view>

namespace torvex {

/// Up to 32 keywords, each with a number of its own. match() walks
/// a line once: a table gives, for each byte, the keywords that start with
/// it, and only those are compared at that place.
class KeywordMatcher {
 public:
  static constexpr int kMaxKeywords = 32;

  /// Adds keyword (at least one byte) as number n, 0 to 31.
  void add(int n, std::string_view keyword);

  /// Bit n set when line contains keyword n: an exact, case-sensitive
  /// occurrence anywhere in the line.
  std::uint32_t match(std::string_view line) const;

 private:
  std::array<std::string_view, kMaxKeywords> keywords_{};
  std::array<std::uint32_t, 256> starting_with_{};
  // True while every keyword starts with a byte from 'A' up, which lets
  // match() pass over digits and blanks sixteen bytes at a time.
  bool first_bytes_are_letters_ = true;
};

}  // namespace torvex

#endif  // TORVEX_CHECKER_KEYWORD_MATCHER_H_
