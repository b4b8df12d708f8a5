// Skipping the lines of a deck that cannot hold a keyword of interest.
#ifndef TORVEX_CHECKER_KEYWORD_FILTER_H_
#define TORVEX_CHECKER_KEYWORD_FILTER_H_

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "console/pair_scan.h"

namespace torvex {

/// A short list of keywords, in the order they were added.
class KeywordList {
 public:
  static constexpr int kCapacity = 40;
  void clear() {
    size_ = 0;
    overflowed_ = false;
  }
  /// Adds keyword; past the capacity the list only notes that it
  /// overflowed.
  void add(std::string_view keyword) {
    if (size_ < kCapacity) {
      keywords_[size_++] = keyword;
    } else {
      overflowed_ = true;
    }
  }
  bool overflowed() const { return overflowed_; }
  int size() const { return size_; }
  std::string_view operator[](int i) const { return keywords_[i]; }

 private:
  std::array<std::string_view, kCapacity> keywords_{};
  int size_ = 0;
  bool overflowed_ = false;
};

/// How often the bytes of a deck's own lines occur, from samples of its
/// blocks: meshes of bars, beams, springs or rigid elements hold bytes that
/// a mesh of shells rarely holds, and the search must not trigger on them.
class DeckBytes {
 public:
  void add(std::string_view sample);
  /// The share of byte c among the bytes sampled, 0 before any sample.
  double share(char c) const {
    return total_ == 0 ? 0
                       : static_cast<double>(counts_[static_cast<unsigned char>(c)]) /
                             static_cast<double>(total_);
  }
  bool empty() const { return total_ == 0; }
  /// The share of the two bytes first, second side by side among the
  /// neighbouring bytes sampled, 0 before any sample.
  double pair_share(char first, char second) const;

 private:
  std::array<std::uint64_t, 256> counts_{};
  std::uint64_t total_ = 0;
  // Per two printable bytes side by side, made at the first sample.
  std::vector<std::uint32_t> pair_counts_;
  std::uint64_t pair_total_ = 0;
};

/// Two neighbouring bytes of a keyword, one of them the trigger that the
/// search looks for.
struct Anchor {
  std::string_view pair;
  bool trigger_on_second = false;
};

/// The anchor of keyword: its byte that ordinary deck lines (grid points,
/// elements, properties, numbers) hold least often, with the rarer of its
/// neighbours; with seen, the lines of the deck at hand count as much as
/// the ordinary ones. A line that contains the keyword contains the
/// anchor. A keyword shorter than two bytes has no anchor (an empty pair).
Anchor anchor_of(std::string_view keyword, const DeckBytes* seen = nullptr);

/// The anchors of a list of keywords as a PairSet: a line that holds none
/// of them holds none of the keywords. A keyword that contains another of
/// the list needs no anchor of its own. Each keyword's anchor is its
/// anchor_of(), unless another of its rare bytes lets the search keep to
/// one lookup table.
class KeywordFilter {
 public:
  explicit KeywordFilter(const KeywordList& keywords, const DeckBytes* seen = nullptr);

  /// The anchors to look for, or null when every line must be looked at
  /// (a keyword shorter than two bytes, or too many keywords).
  const PairSet* pairs() const { return every_line_ ? nullptr : &pairs_; }

 private:
  PairSet pairs_;
  bool every_line_ = false;
};

}  // namespace torvex

#endif  // TORVEX_CHECKER_KEYWORD_FILTER_H_
