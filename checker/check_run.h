// The check run: the keyword table of a profile, the line scan with its
// markers, and the verdict. What it finds goes to a writer (see
// checker/findings.h); how it is written is the writer's business.
#ifndef TORVEX_CHECKER_CHECK_RUN_H_
#define TORVEX_CHECKER_CHECK_RUN_H_

#include <cstdint>
#include <string_view>

#include "checker/card_reports.h"
#include "checker/check_state.h"
#include "checker/findings.h"
#include "checker/keyword_filter.h"
#include "checker/keyword_matcher.h"
#include "checker/prescan.h"
#include "checker/profiles.h"
#include "checker/solution_reports.h"
#include "console/deck.h"
#include "console/including_deck.h"
#include "console/tokens.h"

namespace torvex {

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

/// The texts whose occurrence in a line can still change the report or
/// the state, for the search of the scan.
void keywords_of_interest(const CheckState& state, KeywordList* list);

/// Sets the profile's keyword table in a fresh state.
void load_profile(Profile profile, CheckState& state);

/// Does the scan's work for one line of the deck: markers, presence flags
/// and the card reports, in their fixed order. at is the line's number
/// when the writer counts lines. Returns true when the line raised a
/// marker or a presence flag.
template <class Writer>
bool scan_line(std::string_view line, const Place& at, const LineMatcher& matcher,
               TokenFields& tokens, Writer& writer, CheckState& state) {
  const std::uint32_t found = matcher.match(line);
  auto holds = [&](int slot) { return (found >> slot) & 1; };
  bool flags_changed = false;
  auto raise = [&](std::int32_t& flag) {
    flag = 1;
    flags_changed = true;
  };

  if (!state.constraint_marker && holds(LineMatcher::kConstraintMarker)) {
    raise(state.constraint_marker);
  }
  if (!state.dynamic_load_marker && holds(LineMatcher::kDynamicLoadMarker)) {
    raise(state.dynamic_load_marker);
  }
  // Only the slots whose keyword the line holds: most lines hold one.
  const std::uint32_t slots = found & ((std::uint32_t{2} << state.slot_count) - 2);
  for (std::uint32_t rest = slots; rest != 0; rest &= rest - 1) {
    const int k = __builtin_ctz(rest);
    if (!state.present[k]) {
      raise(state.present[k]);
      if (k == kGravitySlot) state.gravity_place = at;
    }
  }
  if (state.dynamic_load_marker && holds(kLoadSlot)) {
    load_report(line, at, tokens, writer);
  }
  if (holds(kLinkSlot)) link_report(line, at, tokens, writer, state);
  if (state.constraint_marker && holds(kConstraintSlot)) {
    constraint_report(line, at, tokens, writer, state);
  }
  if (holds(kEigenvalueSlot)) eigenvalue_report(line, at, tokens, writer);
  if (state.transient()) {
    // The time step is read before the bulk marker is set: a line holding
    // both keywords is not a time-step entry of the bulk data.
    if (state.bulk_marker && holds(kTimeStepSlot)) {
      time_step_report(line, at, tokens, writer);
    }
    if (!state.bulk_marker && holds(kBulkSlot)) raise(state.bulk_marker);
  }
  return flags_changed;
}

/// The verdict: each required keyword not found, in slot order, the
/// gravity load, and the mass node unconstrained.
template <class Writer>
void write_verdict(Writer& writer, const CheckState& state) {
  for (int k = 1; k <= state.slot_count; ++k) {
    if (k == kGravitySlot || state.present[k]) continue;
    writer.write(MissingKeyword{state.profile, state.keyword(k)});
  }
  if (state.present[kGravitySlot]) {
    writer.write(
        GravityLoad{state.profile, state.gravity_place, state.keyword(kGravitySlot)});
  }
  if (!state.mass_node_constrained) {
    writer.write(MassNodeUnconstrained{state.mass_node_place, state.mass_node});
  }
}

/// Hands the writer the INCLUDE statements of the scan whose file could
/// not be read, at the statement, before the lines that follow it.
template <class Writer, class DeckType>
void report_include_failures(DeckType& deck, Writer& writer) {
  if constexpr (requires(FailedInclude * failed) { deck.take_failure(failed); }) {
    FailedInclude failed;
    while (deck.take_failure(&failed)) {
      writer.write(IncludeFailure{failed.at, failed.name, failed.reason});
    }
  }
}

/// Checks the open deck against the profile and hands every finding to
/// the writer: the point-mass pre-scan, the card reports line by line,
/// and the verdict. Reads the deck twice. state starts as a fresh
/// CheckState. If reading fails (deck.failed()), the run stops without a
/// verdict. DeckType is a Deck, or a deck that follows INCLUDE statements
/// and hands over the statements whose file it could not read.
template <class Writer, class DeckType>
void check_run(Profile profile, DeckType& deck, Writer& writer, CheckState& state) {
  load_profile(profile, state);
  deck.count_lines(Writer::kNeedsLines);

  point_mass_prescan(deck, writer, state);
  if (deck.failed()) return;

  LineMatcher matcher(state);
  KeywordList interest;
  keywords_of_interest(state, &interest);
  KeywordFilter filter(interest);
  std::string_view line;
  while (deck.next_line_with(filter.pairs(), &line)) {
    report_include_failures(deck, writer);
    Place at;
    if constexpr (Writer::kNeedsLines) at = deck.place();
    // Markers and presence flags change on few lines; only then do the
    // sets of keywords searched and matched shrink.
    if (scan_line(line, at, matcher, deck.tokens(), writer, state)) {
      keywords_of_interest(state, &interest);
      filter = KeywordFilter(interest);
      matcher = LineMatcher(state);
    }
  }
  report_include_failures(deck, writer);
  if (deck.failed()) return;

  write_verdict(writer, state);
}

}  // namespace torvex

#endif  // TORVEX_CHECKER_CHECK_RUN_H_
