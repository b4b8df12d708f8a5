#include "checker/check_run.h"

namespace torvex {

// Every report tokenises, and the token fields outlive the line, so a
// report keyword stays of interest for as long as its report can run.
void keywords_of_interest(const CheckState& state, KeywordList* list) {
  list->clear();
  // Every CONM2 line is read for its point-mass node.
  list->add(state.keyword(kPointMassSlot));
  if (!state.constraint_marker) list->add(kConstraintMarkerText);
  if (!state.dynamic_load_marker) list->add(kDynamicLoadMarkerText);
  for (int k = 1; k <= state.slot_count; ++k) {
    bool report = k == kEigenvalueSlot || k == kLinkSlot ||
                  (k == kLoadSlot && state.dynamic_load_marker) ||
                  (k == kConstraintSlot && state.constraint_marker) ||
                  (k == kTimeStepSlot && state.bulk_marker);
    if (k != kPointMassSlot && (report || !state.present[k])) list->add(state.keyword(k));
  }
}

void load_profile(Profile profile, CheckState& state) {
  state.profile = profile;
  state.slot_count = slot_count_of(profile);
  for (int k = 1; k <= state.slot_count; ++k) {
    state.keywords[k] = keyword_of(profile, k);
  }
}

bool has_errors_or_warnings(const CheckState& state) {
  for (int k = 1; k <= state.slot_count; ++k) {
    if (k != kGravitySlot && !state.present[k]) return true;
  }
  return state.present[kGravitySlot] || state.link_error || !state.mass_node_constrained;
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
                  k == kConstraintSlot || k == kPointMassSlot ||
                  (k == kTimeStepSlot && state.transient());
    if (report || !state.present[k]) matcher_.add(k, state.keyword(k));
  }
  if (!state.dynamic_load_marker) {
    matcher_.add(kDynamicLoadMarker, kDynamicLoadMarkerText);
  }
}

}  // namespace torvex
