// The load, link and constraint reports of the scan.
#ifndef TORVEX_CHECKER_CARD_REPORTS_H_
#define TORVEX_CHECKER_CARD_REPORTS_H_

#include <string_view>

#include "checker/check_run.h"

namespace torvex {

/// A FORCE line after the first RLOAD2 line: its three direction
/// components, T6 to T8 of the line's first eight tokens.
void load_report(std::string_view line, TokenFields& tokens, Output& out);

/// An RBE2 line: the first rigid link that touches the mass node (T3 the
/// independent node, T5 the first dependent node) with its linked
/// components T4. Writes a blank line on the first RBE2 line of the deck,
/// and nothing once the mass node's link has been reported.
void link_report(std::string_view line, TokenFields& tokens, Output& out,
                 CheckState& state);

/// An SPC line after the first line containing "Constraint": its node T3
/// and components T4, in a message of its own when the node is the mass
/// node, which then counts as constrained.
void constraint_report(std::string_view line, TokenFields& tokens, Output& out,
                       CheckState& state);

}  // namespace torvex

#endif  // TORVEX_CHECKER_CARD_REPORTS_H_
