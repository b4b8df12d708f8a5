#include "checker/check_run.h"

#include "checker/card_reports.h"
#include "checker/keyword_filter.h"
#include "checker/prescan.h"
#include "checker/solution_reports.h"

namespace torvex {
namespace {

// The texts whose occurrence in a line can still change the report or
// the state: the others are skipped with the lines that hold nothing else.
// Every report tokenises, and the token fields outlive the line, so a
// report keyword stays of interest for as long as its report can run.
void keywords_of_interest(const CheckState& state, KeywordList* list) {
  list->clear();
  if (!state.constraint_marker) list->add(kConstraintMarkerText);
  if (!state.dynamic_load_marker) list->add(kDynamicLoadMarkerText);
  for (int k = 1; k <= state.slot_count; ++k) {
    bool report = k == kEigenvalueSlot || k == kLinkSlot ||
                  (k == kLoadSlot && state.dynamic_load_marker) ||
                  (k == kConstraintSlot && state.constraint_marker) ||
                  (k == kTimeStepSlot && state.bulk_marker);
    if (report || !state.present[k]) list->add(state.keyword(k));
  }
}

void write_verdict(Output& out, const CheckState& state) {
  for (int k = 1; k <= state.slot_count; ++k) {
    if (k == kGravitySlot || state.present[k]) continue;
    out.put("\n Error: ");
    out.put(state.keyword(k));
    out.put("  not found.\n");
  }
  if (state.present[kGravitySlot]) out.put("\n Error: gravity load ");
  if (!state.mass_node_constrained) {
    out.put("\n warning:  mass node unconstrained \n");
  }
}

}  // namespace

bool scan_line(std::string_view line, const LineMatcher& matcher, TokenFields& tokens,
               Output& out, CheckState& state) {
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
    if (!state.present[k]) raise(state.present[k]);
  }
  if (state.dynamic_load_marker && holds(kLoadSlot)) {
    load_report(line, tokens, out);
  }
  if (holds(kLinkSlot)) link_report(line, tokens, out, state);
  if (state.constraint_marker && holds(kConstraintSlot)) {
    constraint_report(line, tokens, out, state);
  }
  if (holds(kEigenvalueSlot)) eigenvalue_report(line, tokens, out);
  if (state.transient()) {
    // The time step is read before the bulk marker is set: a line holding
    // both keywords is not a time-step entry of the bulk data.
    if (state.bulk_marker && holds(kTimeStepSlot)) {
      time_step_report(line, tokens, out);
    }
    if (!state.bulk_marker && holds(kBulkSlot)) raise(state.bulk_marker);
  }
  return flags_changed;
}

LineMatcher::LineMatcher(const CheckState& state) {
  // Keyword n of the matcher is slot n; the markers take the numbers of
  // slot 0, which is never used, and of the first number past the slots.
  // A marker or a presence flag once raised stays raised, so its keyword
  // is left out (the bulk marker rises with its slot's presence flag);
  // report keywords stay, since every line that holds one is reported,
  // and a line may raise the marker of its own report.
  if (!state.constraint_marker) matcher_.add(kConstraintMarker, kConstraintMarkerText);
  for (int k = 1; k <= state.slot_count; ++k) {
    bool report = k == kEigenvalueSlot || k == kLinkSlot || k == kLoadSlot ||
                  k == kConstraintSlot || (k == kTimeStepSlot && state.transient());
    if (report || !state.present[k]) matcher_.add(k, state.keyword(k));
  }
  if (!state.dynamic_load_marker) {
    matcher_.add(kDynamicLoadMarker, kDynamicLoadMarkerText);
  }
}

void check_run(Profile profile, Deck& deck, Output& out, CheckState& state) {
  state.profile = profile;
  state.slot_count = slot_count_of(profile);
  for (int k = 1; k <= state.slot_count; ++k) {
    state.keywords[k] = keyword_of(profile, k);
  }

  point_mass_prescan(deck, out, state);
  if (deck.failed()) return;

  LineMatcher matcher(state);
  KeywordList interest;
  keywords_of_interest(state, &interest);
  KeywordFilter filter(interest);
  std::string_view line;
  while (deck.next_line_with(filter.pairs(), &line)) {
    // Markers and presence flags change on few lines; only then do the
    // sets of keywords searched and matched shrink.
    if (scan_line(line, matcher, deck.tokens(), out, state)) {
      keywords_of_interest(state, &interest);
      filter = KeywordFilter(interest);
      matcher = LineMatcher(state);
    }
  }
  if (deck.failed()) return;

  write_verdict(out, state);
}

}  // namespace torvex
