// The point mass: the node of every CONM2 entry, found as the deck is read.
#ifndef TORVEX_CHECKER_POINT_MASS_H_
#define TORVEX_CHECKER_POINT_MASS_H_

#include "checker/check_state.h"
#include "console/numbers.h"

namespace torvex {

/// A line that contains the point-mass keyword: its third token is the
/// point-mass node, and its integer the mass node, so that the last such
/// line decides. Presence flags and markers are not touched.
template <class Writer>
void point_mass_line(std::string_view line, const Place& at, TokenFields& tokens,
                     Writer& writer, CheckState& state) {
  // Usual layout: name, element number, node, coordinate system, mass.
  tokens.tokenise(line, 8);
  state.mass_node = integer_of(tokens[3]);
  state.mass_node_place = at;
  writer.write(PointMassNode{at, tokens[3], state.mass_node});
}

}  // namespace torvex

#endif  // TORVEX_CHECKER_POINT_MASS_H_
