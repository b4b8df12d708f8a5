// Reading the two answers of the dialogue from one stream of items.
#ifndef TORVEX_CONSOLE_ANSWERS_H_
#define TORVEX_CONSOLE_ANSWERS_H_

#include <cstdint>
#include <cstdio>
#include <string>

namespace torvex {

/// Reads the analysis-type answer as the scanning conversion "%d" does.
///
/// Skips white space (line ends included), takes an optional sign and
/// decimal digits. Returns false and leaves *type untouched when no digit
/// follows; the item that was not accepted stays in the stream for the
/// file-name answer (a lone sign is consumed, as "%d" consumes it). Digit
/// strings beyond the signed 32-bit range saturate, so that a huge answer
/// can never wrap round to 1 or 2.
bool read_type_answer(std::FILE* in, std::int32_t* type);

/// Reads the file-name answer as the scanning conversion "%s" does: skips
/// white space, then takes bytes up to the next white space or the end of
/// input, whatever their number. Returns false, leaving *name untouched,
/// when the input ends before an item starts.
bool read_name_answer(std::FILE* in, std::string* name);

}  // namespace torvex

#endif  // TORVEX_CONSOLE_ANSWERS_H_
