// The check state and the check run: the keyword table of a profile, the
// line scan with its markers, and the verdict.
#ifndef TORVEX_CHECKER_CHECK_RUN_H_
#define TORVEX_CHECKER_CHECK_RUN_H_

#include <array>
#include <cstdint>
#include <string_view>

#include "checker/keyword_matcher.h"
#include "checker/profiles.h"
#include "console/deck.h"
#include "console/output.h"
#include "console/tokens.h"

namespace torvex {

/// Everything a check run knows about the deck: one record per program
/// run, all zero at the start. Markers and presence flags only go from 0
/// to 1.
struct CheckState {
  Profile profile = Profile::kFrequencyResponse;
  /// Slot k holds the profile's k-th keyword; slot 0 is never used.
  std::array<std::string_view, kSlots> keywords{};
  std::int32_t slot_count = 0;
  /// 1 once a line has contained the slot's keyword.
  std::array<std::int32_t, kSlots> present{};
  /// Node of the last CONM2 entry, set by the pre-scan; 0 without one.
  std::int32_t mass_node = 0;
  /// 1 once a line has contained "Constraint": SPC lines are reported.
  std::int32_t constraint_marker = 0;
  /// 1 once a line has contained "RLOAD2": FORCE lines are reported.
  std::int32_t dynamic_load_marker = 0;
  /// Modal transient only: 1 once a line has contained "BEGIN BULK".
  std::int32_t bulk_marker = 0;
  /// 0 before the first RBE2 line, 1 after it, 2 once the mass node's link
  /// has been reported.
  std::int32_t link_report_state = 0;
  /// 1 once an SPC line has constrained the mass node.
  std::int32_t mass_node_constrained = 0;

  std::string_view keyword(int slot) const { return keywords[slot]; }
  bool transient() const { return profile == Profile::kModalTransient; }
};

/// Checks the open deck against the profile and writes the whole report:
/// the point-mass pre-scan, the card reports line by line, and the
/// verdict. Reads the deck twice. If reading fails (deck.failed()), the
/// run stops without a verdict.
void check_run(Profile profile, Deck& deck, Output& out, CheckState& state);

/// Finds the keywords of a check run's slots and its two markers in a line.
class LineMatcher {
 public:
  /// Bit numbers of the markers in match(); slot k is bit k.
  static constexpr int kConstraintMarker = 0;
  static constexpr int kDynamicLoadMarker = kSlots;

  /// Matches the keywords that can still change state or report: markers
  /// not yet raised, keywords not yet present, and report keywords. Built
  /// from an earlier state it matches more, never less.
  explicit LineMatcher(const CheckState& state);
  std::uint32_t match(std::string_view line) const { return matcher_.match(line); }

 private:
  KeywordMatcher matcher_;
};

/// Does the scan's work for one line of the deck: markers, presence flags
/// and the card reports, in their fixed order. Returns true when the line
/// raised a marker or a presence flag.
bool scan_line(std::string_view line, const LineMatcher& matcher, TokenFields& tokens,
               Output& out, CheckState& state);

/// Exact, case-sensitive occurrence of keyword anywhere in line.
inline bool contains(std::string_view line, std::string_view keyword) {
  return line.find(keyword) != std::string_view::npos;
}

}  // namespace torvex

#endif  // TORVEX_CHECKER_CHECK_RUN_H_
