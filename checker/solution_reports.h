// The eigenvalue and time-step reports of the scan.
#ifndef TORVEX_CHECKER_SOLUTION_REPORTS_H_
#define TORVEX_CHECKER_SOLUTION_REPORTS_H_

#include <string_view>

#include "console/output.h"
#include "console/tokens.h"

namespace torvex {

/// An EIGRL line: echoes the whole line, line end included, then its
/// third token as the number of eigenvalues.
void eigenvalue_report(std::string_view line, TokenFields& tokens, Output& out);

/// A TSTEP line of the bulk data: the number of steps T3 as written, the
/// time increment T4, and the sample rate and duration they give. A time
/// step of 0 gives an infinite sample rate, written as such.
void time_step_report(std::string_view line, TokenFields& tokens, Output& out);

}  // namespace torvex

#endif  // TORVEX_CHECKER_SOLUTION_REPORTS_H_
