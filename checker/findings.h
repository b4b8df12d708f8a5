// What a check run finds, apart from how it is written: one small record
// per kind of finding, handed to a writer (the dialogue's text, gcc-style
// lines, JSON Lines) through an overloaded write().
#ifndef TORVEX_CHECKER_FINDINGS_H_
#define TORVEX_CHECKER_FINDINGS_H_

#include <cstdint>
#include <span>
#include <string_view>

#include "checker/profiles.h"
#include "console/place.h"

namespace torvex {

enum class Severity { kNote, kWarning, kError };

/// Findings carry a Place (console/place.h): no line when the finding has
/// none, or when the writer does not ask for lines (see kNeedsLines).

/// Texts are views of token fields or of the deck's line: valid only
/// while write() runs.

/// A CONM2 line: its third token is the point-mass node.
struct PointMassNode {
  static constexpr Severity kSeverity = Severity::kNote;
  Place at;
  std::string_view node_text;
  std::int32_t node;
};

/// A FORCE line after the first RLOAD2 line: its direction components.
struct LoadComponents {
  static constexpr Severity kSeverity = Severity::kNote;
  Place at;
  std::string_view x, y, z;
};

/// The first RBE2 line of the deck, whatever it links. Not a finding of
/// its own: the dialogue's report opens its link part with a blank line.
struct FirstLinkLine {};

/// The first RBE2 line that touches the mass node. Components of more than
/// one digit (above 3) are a Link Error.
struct MassNodeLink {
  Place at;
  std::string_view independent_text, dependent_text, components_text;
  std::int32_t independent, dependent, components;
  Severity severity() const {
    return components > 3 ? Severity::kError : Severity::kNote;
  }
};

/// An SPC line after the first line containing "Constraint".
struct Constraint {
  static constexpr Severity kSeverity = Severity::kNote;
  Place at;
  std::int32_t node, components;
  bool mass_node;
};

/// An EIGRL line: the whole line, echoed, and its third token.
struct Eigenvalues {
  static constexpr Severity kSeverity = Severity::kNote;
  Place at;
  std::string_view card_line;
  std::string_view count_text;
};

/// A TSTEP line of the bulk data (modal transient profile).
struct TimeStep {
  static constexpr Severity kSeverity = Severity::kNote;
  Place at;
  std::string_view samples_text;
  std::int32_t samples;
  double time_step;
};

/// A required keyword of the profile that no line contained.
struct MissingKeyword {
  static constexpr Severity kSeverity = Severity::kError;
  Profile profile;
  std::string_view keyword;
};

/// The gravity load keyword occurred; at is its first occurrence.
struct GravityLoad {
  static constexpr Severity kSeverity = Severity::kError;
  Profile profile;
  Place at;
  std::string_view keyword;
};

/// No SPC line constrained the mass node; at is the CONM2 line that set
/// the mass node, no line when the deck has none.
struct MassNodeUnconstrained {
  static constexpr Severity kSeverity = Severity::kWarning;
  Place at;
  std::int32_t mass_node;
};

/// An INCLUDE statement whose file could not be read: at is the
/// statement's first line, name the file as the statement names it.
struct IncludeFailure {
  static constexpr Severity kSeverity = Severity::kError;
  Place at;
  std::string_view name;
  std::string_view reason;
};

/// A set ID looked up by a case control command or a bulk data entry with
/// no entry of a kind that would serve it: at is the command's line or the
/// entry's first line; from the command's or entry's full name; field the
/// entry's field that holds the ID (empty for a command); id_name what the
/// wanted entries call the ID (SID, TID, ID).
struct UnresolvedReference {
  static constexpr Severity kSeverity = Severity::kError;
  Place at;
  std::string_view from;
  std::string_view field;
  std::int64_t id;
  std::string_view id_name;
  std::span<const std::string_view> wants;
};

template <class Finding>
Severity severity_of(const Finding& finding) {
  if constexpr (requires { finding.severity(); }) {
    return finding.severity();
  } else {
    return Finding::kSeverity;
  }
}

// A writer is a class with:
//   static constexpr bool kNeedsLines;  // whether findings carry lines
//   void write(const F&) for every finding F above.

}  // namespace torvex

#endif  // TORVEX_CHECKER_FINDINGS_H_
