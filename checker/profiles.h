// The two check profiles and the roles of their keyword slots.
#ifndef TORVEX_CHECKER_PROFILES_H_
#define TORVEX_CHECKER_PROFILES_H_

#include <string_view>

namespace torvex {

/// The analysis type's check profile; the values are the dialogue's answers.
enum class Profile { kFrequencyResponse = 1, kModalTransient = 2 };

/// Slot numbers whose role is the same in both profiles.
inline constexpr int kEigenvalueSlot = 4;  // EIGRL: eigenvalue report
inline constexpr int kConstraintSlot = 5;  // SPC: constraint report
inline constexpr int kLinkSlot = 6;        // RBE2: link report
inline constexpr int kPointMassSlot = 7;   // CONM2: point-mass node
inline constexpr int kLoadSlot = 9;        // FORCE: load report
inline constexpr int kGravitySlot = 11;    // GRAV: forbidden, never required
inline constexpr int kTimeStepSlot = 12;   // TSTEP: time-step report
inline constexpr int kBulkSlot = 13;       // BEGIN BULK: bulk marker

/// Number of keyword slots; slot 0 is never used.
inline constexpr int kSlots = 20;

/// Slot count of the profile: 11 for frequency response, 13 for modal
/// transient.
int slot_count_of(Profile profile);

/// Keyword of slot k (1 to the slot count) in the profile.
std::string_view keyword_of(Profile profile, int slot);

/// Markers: texts whose first occurrence changes what later lines report.
inline constexpr std::string_view kConstraintMarkerText = "Constraint";
inline constexpr std::string_view kDynamicLoadMarkerText = "RLOAD2";

}  // namespace torvex

#endif  // TORVEX_CHECKER_PROFILES_H_
