// The point-mass pre-scan: the node of every CONM2 entry, before the scan.
#ifndef TORVEX_CHECKER_PRESCAN_H_
#define TORVEX_CHECKER_PRESCAN_H_

#include "checker/check_state.h"
#include "checker/keyword_filter.h"
#include "console/numbers.h"

namespace torvex {

/// Reads the whole deck once. For every line that contains the point-mass
/// keyword, reports its third token as the point-mass node and makes its
/// integer the mass node, so the last such line decides. Rewinds the deck
/// for the scan. Presence flags and markers are not touched.
template <class Writer, class DeckType>
void point_mass_prescan(DeckType& deck, Writer& writer, CheckState& state) {
  std::string_view keyword = state.keyword(kPointMassSlot);
  KeywordList interest;
  interest.add(keyword);
  KeywordFilter filter(interest);
  TokenFields& tokens = deck.tokens();
  std::string_view line;
  while (deck.next_line_with(filter.pairs(), &line)) {
    if (!contains(line, keyword)) continue;
    // Usual layout: name, element number, node, coordinate system, mass.
    tokens.tokenise(line, 8);
    state.mass_node = integer_of(tokens[3]);
    if constexpr (Writer::kNeedsLines) state.mass_node_place = deck.place();
    writer.write(PointMassNode{state.mass_node_place, tokens[3], state.mass_node});
  }
  deck.rewind();
}

}  // namespace torvex

#endif  // TORVEX_CHECKER_PRESCAN_H_
