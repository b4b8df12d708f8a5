// The check state: everything a check run knows about its deck.
#ifndef TORVEX_CHECKER_CHECK_STATE_H_
#define TORVEX_CHECKER_CHECK_STATE_H_

#include <array>
#include <cstdint>
#include <string_view>

#include "checker/findings.h"
#include "checker/profiles.h"

namespace torvex {

/// Everything a check run knows about the deck: one record per check, all
/// zero at the start. Markers and presence flags only go from 0 to 1.
struct CheckState {
  Profile profile = Profile::kFrequencyResponse;
  /// Slot k holds the profile's k-th keyword; slot 0 is never used.
  std::array<std::string_view, kSlots> keywords{};
  std::int32_t slot_count = 0;
  /// 1 once a line has contained the slot's keyword.
  std::array<std::int32_t, kSlots> present{};
  /// Node of the last CONM2 entry read so far; 0 without one.
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
  /// 1 when the mass node's link was a Link Error.
  std::int32_t link_error = 0;
  /// Where findings without a card of their own point, when the writer
  /// counts lines: the CONM2 line that set the mass node, and the first
  /// line that contained the gravity load keyword.
  Place mass_node_place;
  Place gravity_place;
  /// 0, or the errno value of a failed write or read of the temporary file
  /// that keeps the lines to report of a large deck.
  int record_error = 0;

  std::string_view keyword(int slot) const { return keywords[slot]; }
  bool transient() const { return profile == Profile::kModalTransient; }
};

/// Whether the finished check found an error or a warning: a missing
/// keyword, the gravity load, a Link Error or the mass node unconstrained.
bool has_errors_or_warnings(const CheckState& state);

/// Exact, case-sensitive occurrence of keyword anywhere in line.
inline bool contains(std::string_view line, std::string_view keyword) {
  return line.find(keyword) != std::string_view::npos;
}

}  // namespace torvex

#endif  // TORVEX_CHECKER_CHECK_STATE_H_
