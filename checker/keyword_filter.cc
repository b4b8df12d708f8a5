#include "checker/keyword_filter.h"

#include <cstddef>

namespace torvex {
namespace {

// Text typical of the bulk of a large deck: the names of the cards that
// make up most of its lines, and numbers as solvers write them.
constexpr std::string_view kOrdinaryDeckText =
    "GRID    GRID*   CQUAD4  CQUAD8  CTRIA3  CTRIA6  CHEXA   CPENTA  CTETRA  "
    "CBAR    CBEAM   CROD    CBUSH   CELAS1  CELAS2  CMASS1  CONROD  "
    "PSHELL  PSOLID  PBAR    PBEAM   PBUSH   PCOMP   MAT1    MAT8    "
    "CORD2R  CORD2C  RBE3    PLOAD4  INCLUDE PARAM   ENDDATA  "
    "1.0     -2.5    0.125   1.5E+02 -3.2E-03 7.+2  4.-3    1.0D+00 "
    "123456  0.0     ,1,2,3  $       +       *       \r\n";

std::size_t count_of(std::string_view text, std::string_view part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string_view::npos;
       at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

}  // namespace

bool KeywordList::operator==(const KeywordList& other) const {
  if (size_ != other.size_ || overflowed_ != other.overflowed_) return false;
  for (int i = 0; i < size_; ++i) {
    if (keywords_[i] != other.keywords_[i]) return false;
  }
  return true;
}

std::string_view anchor_of(std::string_view keyword) {
  std::string_view best;
  std::size_t best_score = 0;
  for (std::size_t i = 0; i + 2 <= keyword.size(); ++i) {
    std::string_view pair = keyword.substr(i, 2);
    // A pair seen in ordinary text weighs far more than its bytes alone.
    std::size_t score = 1000 * count_of(kOrdinaryDeckText, pair) +
                        count_of(kOrdinaryDeckText, pair.substr(0, 1)) +
                        count_of(kOrdinaryDeckText, pair.substr(1, 1));
    if (best.empty() || score < best_score) {
      best = pair;
      best_score = score;
    }
  }
  return best;
}

KeywordFilter::KeywordFilter(const KeywordList& keywords) : keywords_(keywords) {
  every_line_ = keywords.overflowed();
  for (int i = 0; i < keywords.size() && !every_line_; ++i) {
    std::string_view anchor = anchor_of(keywords[i]);
    if (anchor.size() < 2 || !pairs_.add(anchor[0], anchor[1])) {
      every_line_ = true;
    }
  }
}

}  // namespace torvex
