// The newline bytes of deck text, with SIMD where the processor has it:
// counting them (the physical line numbers of findings), and finding the
// lines that may start an INCLUDE statement.
#ifndef TORVEX_CONSOLE_NEWLINE_COUNT_H_
#define TORVEX_CONSOLE_NEWLINE_COUNT_H_

#include <cstddef>

namespace torvex {

/// The number of newline bytes among the size bytes at text, at the
/// search level of scan_level() (console/pair_scan.h).
std::size_t count_newlines(const char* text, std::size_t size);

/// The first offset j, 0 < j < size, such that text[j - 1] is a newline
/// and text[j] a blank, a tab, I or i: the start of a line that may be an
/// INCLUDE statement (its first word after blanks begins with I). size
/// when there is none. Adds the number of newlines among text[0, j) to
/// *newlines, so that a search that also counts lines reads them once.
std::size_t find_possible_statement(const char* text, std::size_t size,
                                    std::size_t* newlines);

}  // namespace torvex

#endif  // TORVEX_CONSOLE_NEWLINE_COUNT_H_
