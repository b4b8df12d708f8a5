// Telling a deck's analysis type from its SOL statement.
#ifndef TORVEX_COMMAND_LINE_ANALYSIS_TYPE_H_
#define TORVEX_COMMAND_LINE_ANALYSIS_TYPE_H_

#include <string>
#include <string_view>

#include "checker/profiles.h"
#include "console/deck.h"

namespace torvex {

/// How many lines are read at most to find the SOL statement.
inline constexpr int kSolSearchLines = 10000;

/// The profile named by a SOL statement's value: 111 or SEMFREQ, 112 or
/// SEMTRAN, in any case. False for any other value.
bool profile_of_solution(std::string_view solution, Profile* profile);

/// Reads the deck's first lines for the SOL statement: the first line
/// before any CEND or BEGIN BULK line (in any case, after leading blanks;
/// comment lines skipped) whose first word is SOL. Sets *profile, or
/// *reason to why the type could not be told. Leaves the deck rewound; on
/// a read error (deck.failed()) returns false.
bool profile_of_deck(Deck& deck, Profile* profile, std::string* reason);

}  // namespace torvex

#endif  // TORVEX_COMMAND_LINE_ANALYSIS_TYPE_H_
