// Realistic decks of a given size, for the benchmark.
#ifndef TORVEX_BENCH_DECK_GENERATOR_H_
#define TORVEX_BENCH_DECK_GENERATOR_H_

#include <cstdint>
#include <cstdio>
#include <string>

namespace torvex::bench {

struct DeckShape {
  bool transient = false;     // modal transient deck, else frequency response
  std::uint64_t bytes = 0;    // approximate size (the deck ends on a whole card)
  bool crlf = false;          // CR LF line ends
  bool report_heavy = false;  // about 2 million SPC lines per GiB, reported
  std::uint32_t seed = 1;
  /// The elements of the mesh: shells, bars, beams, springs, bushings,
  /// solids, rigid (RBE3, RBAR, RROD) or mixed (all of these).
  std::string elements = "shells";
};

/// Writes a deck of the given shape: case control, BEGIN BULK, the cards
/// the report reads, then mostly grid points and elements in 8-column
/// fixed field, with some free-field and large-field cards, comments and
/// properties, and the point mass near the end. Returns false when
/// writing failed.
bool write_deck(const DeckShape& shape, std::FILE* out);

/// The element families that write_deck() knows.
inline constexpr const char* kElementFamilies[] = {
    "shells", "bars", "beams", "springs", "bushings", "solids", "rigid", "mixed"};

/// A short name for the shape, such as "frf-1G-crlf" or "frf-1G-beams".
std::string name_of(const DeckShape& shape);

}  // namespace torvex::bench

#endif  // TORVEX_BENCH_DECK_GENERATOR_H_
