// generate_deck: writes a realistic deck of a given size to standard output.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/deck_generator.h"

namespace {

bool parse_size(const char* text, std::uint64_t* bytes) {
  char* end = nullptr;
  double value = std::strtod(text, &end);
  if (end == text || value <= 0) return false;
  std::uint64_t unit = 1;
  if (*end == 'K') unit = 1ull << 10;
  if (*end == 'M') unit = 1ull << 20;
  if (*end == 'G') unit = 1ull << 30;
  *bytes = static_cast<std::uint64_t>(value * static_cast<double>(unit));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  torvex::bench::DeckShape shape;
  bool sized = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "frf") {
      shape.transient = false;
    } else if (arg == "transient") {
      shape.transient = true;
    } else if (arg == "--crlf") {
      shape.crlf = true;
    } else if (arg == "--report-heavy") {
      shape.report_heavy = true;
    } else if (arg == "--elements" && i + 1 < argc) {
      shape.elements = argv[++i];
      bool known = false;
      for (const char* family : torvex::bench::kElementFamilies)
        known |= shape.elements == family;
      if (!known) {
        sized = false;
        break;
      }
    } else if (arg == "--seed" && i + 1 < argc) {
      shape.seed = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
    } else if (parse_size(argv[i], &shape.bytes)) {
      sized = true;
    } else {
      sized = false;
      break;
    }
  }
  if (!sized) {
    std::fprintf(stderr,
                 "usage: generate_deck frf|transient SIZE[K|M|G] [--crlf] "
                 "[--report-heavy] [--elements shells|bars|beams|springs|bushings|"
                 "solids|rigid|mixed] [--seed N] > deck.nas\n");
    return 2;
  }
  return torvex::bench::write_deck(shape, stdout) ? 0 : 1;
}
