// The eigenvalue and time-step reports of the lines to report.
#ifndef TORVEX_CHECKER_SOLUTION_REPORTS_H_
#define TORVEX_CHECKER_SOLUTION_REPORTS_H_

#include <cstdint>
#include <string_view>

#include "checker/findings.h"
#include "console/numbers.h"
#include "console/tokens.h"

namespace torvex {

/// An EIGRL line: the whole line, line end included, and its third token
/// as the number of eigenvalues.
template <class Writer>
void eigenvalue_report(std::string_view line, const Place& at, TokenFields& tokens,
                       Writer& writer) {
  // Usual layout with both frequency fields blank: name, set number,
  // number of roots.
  tokens.tokenise(line, 4);
  writer.write(Eigenvalues{at, line, tokens[3]});
}

/// A TSTEP line of the bulk data: the number of steps T3 as written and
/// the time increment T4.
template <class Writer>
void time_step_report(std::string_view line, const Place& at, TokenFields& tokens,
                      Writer& writer) {
  // Usual layout: name, set number, number of steps, time increment.
  tokens.tokenise(line, 4);
  writer.write(TimeStep{at, tokens[3], integer_of(tokens[3]), real_of(tokens[4])});
}

}  // namespace torvex

#endif  // TORVEX_CHECKER_SOLUTION_REPORTS_H_
