#include "checker/keyword_filter.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace torvex {
namespace {

// Pairs of printable ASCII bytes, the bytes of keywords, are counted;
// every other pair shares the last count, which no keyword asks for.
constexpr std::size_t kPrintable = 96;
constexpr std::size_t kPairCounts = kPrintable * kPrintable + 1;

std::size_t pair_index(char first, char second) {
  std::size_t a = static_cast<unsigned char>(first) - std::size_t{32};
  std::size_t b = static_cast<unsigned char>(second) - std::size_t{32};
  return a < kPrintable && b < kPrintable ? a * kPrintable + b : kPairCounts - 1;
}

// Lines typical of the bulk of a large deck, with how often they stand
// there relative to each other: mostly grid points and elements, numbers
// as solvers write them.
struct OrdinaryLine {
  std::string_view text;
  std::size_t weight;
};
constexpr OrdinaryLine kOrdinaryLines[] = {
    {"GRID    100123          -12.5   3.25E+0 0.4375\n", 40},
    {"GRID*   100124                          1.250000000E+02-3.25000000E-01*\n", 2},
    {"*       4.375000000E-01\n", 2},
    {"GRID,100125,,-12.5,3.25,0.4375\n", 2},
    {"CQUAD4  200123  12      100123  100124  100224  100223\n", 25},
    {"CTRIA3  200124  12      100123  100124  100224\n", 8},
    {"CTETRA  200125  30      100123  100124  100224  100223  100323  100324\n", 8},
    {"CHEXA   200126  30      100123  100124  100224  100223  100323  100324+\n", 3},
    {"+       100424  100423\n", 3},
    {"CPENTA  200127  30      100123  100124  100224  100223  100323  100324\n", 1},
    {"CBAR    200128  5       100123  100124  0.0     1.0     0.0\n", 1},
    {"CBEAM   200129  5       100123  100124  0.0     1.0     0.0\n", 1},
    {"CBUSH   200130  6       100123  100124                          0\n", 1},
    {"CELAS1  200131  7       100123  1       100124  1\n", 1},
    {"RBE3    200132          100123  123456  1.0     123     100124  100125\n", 1},
    {"PSHELL  12      1       1.5     1               1\n", 1},
    {"PSOLID  30      2       0\n", 1},
    {"MAT1    1       2.1E+05         0.3     7.85E-09\n", 1},
    {"PLOAD4  1       200123  -0.1\n", 1},
    {"$ Mesh of part 4711: version 3\n", 1},
};

// How often ordinary lines hold each byte, counted once at compile time.
constexpr std::array<std::size_t, 256> kFrequency = [] {
  std::array<std::size_t, 256> frequency{};
  for (const OrdinaryLine& line : kOrdinaryLines) {
    for (char c : line.text) frequency[static_cast<unsigned char>(c)] += line.weight;
  }
  return frequency;
}();

constexpr double kOrdinaryTotal = [] {
  double total = 0;
  for (std::size_t f : kFrequency) total += static_cast<double>(f);
  return total;
}();

// How often two bytes stand side by side in ordinary lines, counted once.
const std::vector<std::uint32_t>& ordinary_pairs() {
  static const std::vector<std::uint32_t> counts = [] {
    std::vector<std::uint32_t> pairs(kPairCounts);
    for (const OrdinaryLine& line : kOrdinaryLines) {
      for (std::size_t i = 0; i + 1 < line.text.size(); ++i) {
        pairs[pair_index(line.text[i], line.text[i + 1])] +=
            static_cast<std::uint32_t>(line.weight);
      }
    }
    return pairs;
  }();
  return counts;
}

// How often a byte stands in lines: its share among ordinary lines, plus
// its share among the deck's own sampled lines when there are any.
class Frequencies {
 public:
  // The shares of every byte, summed once: a filter asks for them many
  // times.
  explicit Frequencies(const DeckBytes* seen)
      : seen_(seen != nullptr && !seen->empty() ? seen : nullptr) {
    for (std::size_t c = 0; c < shares_.size(); ++c) {
      shares_[c] = static_cast<double>(kFrequency[c]) / kOrdinaryTotal;
      if (seen_ != nullptr) shares_[c] += seen_->share(static_cast<char>(c));
    }
  }
  double of(char c) const { return shares_[static_cast<unsigned char>(c)]; }
  // The same for two bytes side by side.
  double of_pair(char first, char second) const {
    double share =
        static_cast<double>(ordinary_pairs()[pair_index(first, second)]) / kOrdinaryTotal;
    return seen_ != nullptr ? share + seen_->pair_share(first, second) : share;
  }
  // A byte at most this often (one in a thousand) makes a trigger that
  // rarely fires; among such bytes the search may pick freely.
  double rare() const { return seen_ != nullptr ? 0.002 : 0.001; }
  // A byte more often than rare makes a trigger dearer than a sequence
  // compared whole.
  double common() const { return rare(); }

 private:
  const DeckBytes* seen_;
  std::array<double, 256> shares_;
};

// The anchor whose trigger is keyword[at], with the rarer neighbour.
Anchor anchor_at(std::string_view keyword, std::size_t at, const Frequencies& frequency) {
  bool has_next = at + 1 < keyword.size();
  bool next_is_rarer = has_next && (at == 0 || frequency.of(keyword[at + 1]) <=
                                                   frequency.of(keyword[at - 1]));
  if (next_is_rarer) return {keyword.substr(at, 2), false};
  return {keyword.substr(at - 1, 2), true};
}

char trigger_of(const Anchor& anchor) {
  return anchor.pair[anchor.trigger_on_second ? 1 : 0];
}

// How many bytes of keyword are rare.
int rare_bytes(std::string_view keyword, const Frequencies& frequency) {
  int count = 0;
  for (char c : keyword) count += frequency.of(c) <= frequency.rare();
  return count;
}

Anchor rarest_anchor(std::string_view keyword, const Frequencies& frequency) {
  if (keyword.size() < 2) return {};
  std::size_t rarest = 0;
  for (std::size_t i = 1; i < keyword.size(); ++i) {
    if (frequency.of(keyword[i]) < frequency.of(keyword[rarest])) rarest = i;
  }
  return anchor_at(keyword, rarest, frequency);
}

// Sequences compared whole, at most: each costs about as much as the
// search of the triggers, whatever their number.
constexpr int kMaxWhole = 2;

// The two neighbouring bytes of keyword least often side by side in
// ordinary lines and in the deck's own; among equals, the pair of the
// rarer bytes.
std::string_view rarest_pair(std::string_view keyword, const Frequencies& frequency) {
  std::size_t best = 0;
  double best_share = 0, best_product = 0;
  for (std::size_t at = 0; at + 1 < keyword.size(); ++at) {
    double share = frequency.of_pair(keyword[at], keyword[at + 1]);
    double product = frequency.of(keyword[at]) * frequency.of(keyword[at + 1]);
    if (at == 0 || share < best_share ||
        (share == best_share && product < best_product)) {
      best = at;
      best_share = share;
      best_product = product;
    }
  }
  return keyword.substr(best, 2);
}

}  // namespace

void DeckBytes::add(std::string_view sample) {
  for (char c : sample) ++counts_[static_cast<unsigned char>(c)];
  total_ += sample.size();
  if (sample.size() < 2) return;
  pair_counts_.resize(kPairCounts);
  for (std::size_t i = 0; i + 1 < sample.size(); ++i) {
    ++pair_counts_[pair_index(sample[i], sample[i + 1])];
  }
  pair_total_ += sample.size() - 1;
}

double DeckBytes::pair_share(char first, char second) const {
  return pair_total_ == 0 ? 0
                          : static_cast<double>(pair_counts_[pair_index(first, second)]) /
                                static_cast<double>(pair_total_);
}

Anchor anchor_of(std::string_view keyword, const DeckBytes* seen) {
  return rarest_anchor(keyword, Frequencies(seen));
}

KeywordFilter::KeywordFilter(const KeywordList& keywords, const DeckBytes* seen) {
  Frequencies frequency(seen);
  every_line_ = keywords.overflowed();
  // Keywords with fewer rare bytes choose first, so that one with several
  // can step aside: the search runs fastest when its triggers fit the
  // first lookup table of the pair set, and any rare byte serves as well
  // as the rarest.
  std::array<int, KeywordList::kCapacity> order{};
  std::array<int, KeywordList::kCapacity> rare{};
  for (int i = 0; i < keywords.size(); ++i) {
    order[i] = i;
    rare[i] = rare_bytes(keywords[i], frequency);
  }
  std::stable_sort(order.begin(), order.begin() + keywords.size(),
                   [&](int a, int b) { return rare[a] < rare[b]; });
  // Whether a line that holds keyword i surely holds another keyword of
  // the list: the first of equal keywords, or a shorter one within it.
  std::array<bool, KeywordList::kCapacity> covered{};
  for (int i = 0; i < keywords.size(); ++i) {
    for (int j = 0; j < keywords.size() && !covered[i]; ++j) {
      if (j == i) continue;
      covered[i] = keywords[j].size() < keywords[i].size()
                       ? keywords[i].find(keywords[j]) != std::string_view::npos
                       : keywords[j] == keywords[i] && j < i;
    }
  }
  // The keywords without a rare byte (DAREA among quadrilaterals, RBE2
  // among RBE3 lines) are compared whole, those whose trigger would stop
  // in vain most often first: such a trigger would stop on nearly every
  // line, where a sequence compared whole costs the same on every byte.
  std::array<bool, KeywordList::kCapacity> whole{};
  std::array<double, KeywordList::kCapacity> trigger_share{};
  std::array<int, KeywordList::kCapacity> by_share{};
  int candidates = 0;
  for (int i = 0; i < keywords.size(); ++i) {
    Anchor anchor = rarest_anchor(keywords[i], frequency);
    if (covered[i] || anchor.pair.size() < 2) continue;
    // Stops of the trigger that its neighbour does not confirm: a
    // keyword whose own lines are frequent (SPC lines of a deck of
    // constraints) keeps its trigger.
    trigger_share[i] = frequency.of(trigger_of(anchor)) -
                       frequency.of_pair(anchor.pair[0], anchor.pair[1]);
    if (trigger_share[i] > frequency.common()) by_share[candidates++] = i;
  }
  std::sort(by_share.begin(), by_share.begin() + candidates,
            [&](int a, int b) { return trigger_share[a] > trigger_share[b]; });
  for (int c = 0; c < std::min(candidates, kMaxWhole); ++c) {
    int i = by_share[c];
    std::string_view pair = rarest_pair(keywords[i], frequency);
    pairs_.add_whole(pair[0], pair[1]);
    whole[i] = true;
  }
  for (int i = 0; i < keywords.size() && !every_line_; ++i) {
    if (covered[order[i]] || whole[order[i]]) continue;
    std::string_view keyword = keywords[order[i]];
    Anchor anchor = rarest_anchor(keyword, frequency);
    if (anchor.pair.size() == 2 && !pairs_.fits_first_table(trigger_of(anchor))) {
      for (std::size_t at = 0; at < keyword.size(); ++at) {
        if (frequency.of(keyword[at]) > frequency.rare()) continue;
        Anchor other = anchor_at(keyword, at, frequency);
        if (pairs_.fits_first_table(trigger_of(other))) {
          anchor = other;
          break;
        }
      }
    }
    if (anchor.pair.size() < 2 ||
        !pairs_.add(anchor.pair[0], anchor.pair[1], anchor.trigger_on_second)) {
      every_line_ = true;
    }
  }
}

}  // namespace torvex
