#include "checker/card_reports.h"

#include "console/numbers.h"

namespace torvex {

void load_report(std::string_view line, TokenFields& tokens, Output& out) {
  // Usual layout: name, load set, node, coordinate system, scale factor,
  // then the three direction components.
  tokens.tokenise(line, 8);
  out.put("\n Load = ");
  out.put(tokens[6]);
  out.put(" x-axis \n Load = ");
  out.put(tokens[7]);
  out.put(" y-axis \n Load = ");
  out.put(tokens[8]);
  out.put(" z-axis \n\n");
}

void link_report(std::string_view line, TokenFields& tokens, Output& out,
                 CheckState& state) {
  // Usual layout: name, element number, independent node, components,
  // first dependent node.
  tokens.tokenise(line, 5);
  if (state.link_report_state == 0) {
    out.put("\n");
    state.link_report_state = 1;
  }
  std::int32_t independent = integer_of(tokens[3]);
  std::int32_t dependent = integer_of(tokens[5]);
  if (state.link_report_state != 1 ||
      (independent != state.mass_node && dependent != state.mass_node)) {
    return;
  }
  out.put(" RBE2 nodes ");
  out.put(tokens[3]);
  out.put(" & ");
  out.put(tokens[5]);
  out.put("  active dof = ");
  out.put(tokens[4]);
  out.put(" ");
  // A single direction is reported by name; several component digits
  // (such as 123) make a number above 3, which is not a single direction.
  std::int32_t components = integer_of(tokens[4]);
  if (components == 1) {
    out.put(" x-axis link \n");
  } else if (components == 2) {
    out.put(" y-axis link \n");
  } else if (components == 3) {
    out.put(" z-axis link \n");
  } else if (components > 3) {
    out.put("\n Link Error \n");
  }
  state.link_report_state = 2;
}

void constraint_report(std::string_view line, TokenFields& tokens, Output& out,
                       CheckState& state) {
  // Usual layout: name, constraint set, node, components.
  tokens.tokenise(line, 5);
  std::int32_t node = integer_of(tokens[3]);
  std::int32_t components = integer_of(tokens[4]);
  if (node == state.mass_node) {
    out.put("\n Mass Node = ");
    out.put_integer(node);
    out.put(" constrained at ");
    out.put_integer(components);
    out.put(" \n\n");
    state.mass_node_constrained = 1;
  } else {
    out.put(" Node = ");
    out.put_integer(node);
    out.put(" constrained at ");
    out.put_integer(components);
    out.put(" \n");
  }
}

}  // namespace torvex
