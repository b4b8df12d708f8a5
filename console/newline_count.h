// Counting the newline bytes of deck text, with SIMD where the processor
// has it: the physical line numbers of findings.
#ifndef TORVEX_CONSOLE_NEWLINE_COUNT_H_
#define TORVEX_CONSOLE_NEWLINE_COUNT_H_

#include <cstddef>

namespace torvex {

/// The number of newline bytes among the size bytes at text, at the
/// search level of scan_level() (console/pair_scan.h).
std::size_t count_newlines(const char* text, std::size_t size);

}  // namespace torvex

#endif  // TORVEX_CONSOLE_NEWLINE_COUNT_H_
