#include "checker/solution_reports.h"

#include <cstdint>

#include "console/numbers.h"

namespace torvex {

void eigenvalue_report(std::string_view line, TokenFields& tokens, Output& out) {
  out.put(" ");
  out.put(line);
  out.put(" ");
  // Usual layout with both frequency fields blank: name, set number,
  // number of roots.
  tokens.tokenise(line, 4);
  out.put("Number of eigenvalues = ");
  out.put(tokens[3]);
  out.put(" \n\n");
}

void time_step_report(std::string_view line, TokenFields& tokens, Output& out) {
  // Usual layout: name, set number, number of steps, time increment.
  tokens.tokenise(line, 4);
  std::int32_t samples = integer_of(tokens[3]);
  double time_step = real_of(tokens[4]);
  out.put("\nNumber of samples = ");
  out.put(tokens[3]);
  out.put(" \n        Time Step = ");
  out.put_real_8_4g(time_step);
  out.put(" sec\n      Sample Rate = ");
  out.put_real_8_4g(1.0 / time_step);
  out.put(" per sec\n         Duration = ");
  out.put_real_8_4g(static_cast<double>(samples) * time_step);
  out.put(" sec\n\n");
}

}  // namespace torvex
