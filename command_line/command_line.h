// The command-line mode: many decks, no questions asked, findings in a
// format that tools read, and an exit status that says what was found.
#ifndef TORVEX_COMMAND_LINE_COMMAND_LINE_H_
#define TORVEX_COMMAND_LINE_COMMAND_LINE_H_

namespace torvex {

/// Exit statuses of the command-line mode, from the most to the least
/// pressing: with several decks, the first of these that applies.
inline constexpr int kStatusUnreadable = 1;  // not opened or read; output failed
inline constexpr int kStatusUnchecked = 2;   // bad usage; analysis type unknown
inline constexpr int kStatusFindings = 3;    // an error or a warning found
inline constexpr int kStatusClean = 0;       // every deck checked, nothing found

/// Runs the command-line mode on the program's arguments; returns the
/// exit status.
int run_command_line(int argc, char** argv);

/// The status of several decks: the first of 1, 2, 3, 0 among them.
int combined_status(int so_far, int deck_status);

}  // namespace torvex

#endif  // TORVEX_COMMAND_LINE_COMMAND_LINE_H_
