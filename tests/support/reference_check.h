// A deliberately plain check run, written apart from the program's own: a
// line at a time, every keyword searched on every line. The fast check
// run must write the same report for any deck.
#ifndef TORVEX_TESTS_SUPPORT_REFERENCE_CHECK_H_
#define TORVEX_TESTS_SUPPORT_REFERENCE_CHECK_H_

#include <string>
#include <string_view>
#include <vector>

namespace torvex::testing {

/// The deck's lines, a byte at a time: up to and including a newline, at
/// most 199 bytes, the last one even without a newline.
std::vector<std::string> reference_lines(std::string_view deck);

/// The report of a check run of the given analysis type (1 or 2).
std::string reference_report(std::string_view deck, int analysis_type);

}  // namespace torvex::testing

#endif  // TORVEX_TESTS_SUPPORT_REFERENCE_CHECK_H_
