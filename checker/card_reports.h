// The load, link and constraint reports of the lines to report.
#ifndef TORVEX_CHECKER_CARD_REPORTS_H_
#define TORVEX_CHECKER_CARD_REPORTS_H_

#include <string_view>

#include "checker/check_state.h"
#include "console/numbers.h"
#include "console/tokens.h"

namespace torvex {

/// A FORCE line after the first RLOAD2 line: its three direction
/// components, T6 to T8 of the line's first eight tokens.
template <class Writer>
void load_report(std::string_view line, const Place& at, TokenFields& tokens,
                 Writer& writer) {
  // Usual layout: name, load set, node, coordinate system, scale factor,
  // then the three direction components.
  tokens.tokenise(line, 8);
  writer.write(LoadComponents{at, tokens[6], tokens[7], tokens[8]});
}

/// An RBE2 line: the first rigid link that touches the mass node (T3 the
/// independent node, T5 the first dependent node) with its linked
/// components T4. Nothing once the mass node's link has been reported.
template <class Writer>
void link_report(std::string_view line, const Place& at, TokenFields& tokens,
                 Writer& writer, CheckState& state) {
  // Usual layout: name, element number, independent node, components,
  // first dependent node.
  tokens.tokenise(line, 5);
  if (state.link_report_state == 0) {
    writer.write(FirstLinkLine{});
    state.link_report_state = 1;
  }
  std::int32_t independent = integer_of(tokens[3]);
  std::int32_t dependent = integer_of(tokens[5]);
  if (state.link_report_state != 1 ||
      (independent != state.mass_node && dependent != state.mass_node)) {
    return;
  }
  // Several component digits (such as 123) make a number above 3, which
  // is not a single direction.
  std::int32_t components = integer_of(tokens[4]);
  writer.write(MassNodeLink{at, tokens[3], tokens[5], tokens[4], independent, dependent,
                            components});
  state.link_error = components > 3;
  state.link_report_state = 2;
}

/// An SPC line after the first line containing "Constraint": its node T3
/// and components T4; the mass node then counts as constrained.
template <class Writer>
void constraint_report(std::string_view line, const Place& at, TokenFields& tokens,
                       Writer& writer, CheckState& state) {
  // Usual layout: name, constraint set, node, components.
  tokens.tokenise(line, 5);
  std::int32_t node = integer_of(tokens[3]);
  std::int32_t components = integer_of(tokens[4]);
  if (node == state.mass_node) {
    writer.write(Constraint{at, node, components, true});
    state.mass_node_constrained = 1;
  } else {
    writer.write(Constraint{at, node, components, false});
  }
}

}  // namespace torvex

#endif  // TORVEX_CHECKER_CARD_REPORTS_H_
