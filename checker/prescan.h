// The point-mass pre-scan: the node of every CONM2 entry, before the scan.
#ifndef TORVEX_CHECKER_PRESCAN_H_
#define TORVEX_CHECKER_PRESCAN_H_

#include "checker/check_run.h"

namespace torvex {

/// Reads the whole deck once. For every line that contains the point-mass
/// keyword, writes its third token as the point-mass node and makes its
/// integer the mass node, so the last such line decides. Rewinds the deck
/// for the scan. Presence flags and markers are not touched.
void point_mass_prescan(Deck& deck, Output& out, CheckState& state);

}  // namespace torvex

#endif  // TORVEX_CHECKER_PRESCAN_H_
