// Places in a deck: the file and the physical line.
#ifndef TORVEX_CONSOLE_PLACE_H_
#define TORVEX_CONSOLE_PLACE_H_

#include <cstdint>
#include <string_view>

namespace torvex {

/// Physical line of a file, counted from 1 (a 199-byte piece belongs to
/// the line it was cut from); 0 for no line.
using LineNumber = std::int64_t;

/// A place in a deck: the file as it was opened, empty for the deck the
/// user named, and the line in it.
struct Place {
  std::string_view file;
  LineNumber line = 0;
};

}  // namespace torvex

#endif  // TORVEX_CONSOLE_PLACE_H_
