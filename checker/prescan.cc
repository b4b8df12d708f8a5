#include "checker/prescan.h"

#include "checker/keyword_filter.h"
#include "console/numbers.h"

namespace torvex {

void point_mass_prescan(Deck& deck, Output& out, CheckState& state) {
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
    out.put("\n point mass node = ");
    out.put(tokens[3]);
    out.put("\n\n");
    state.mass_node = integer_of(tokens[3]);
  }
  deck.rewind();
}

}  // namespace torvex
