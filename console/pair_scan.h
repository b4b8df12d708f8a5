// Finding the places in a block of deck bytes where one of a few two-byte
// sequences occurs, with SIMD where the processor has it.
#ifndef TORVEX_CONSOLE_PAIR_SCAN_H_
#define TORVEX_CONSOLE_PAIR_SCAN_H_

#include <array>
#include <cstddef>
#include <cstdint>

namespace torvex {

/// The search implementations, from the portable one up.
enum class ScanLevel { kPortable, kSse2, kAvx2 };

/// The best level this processor runs (AVX2 is chosen at run time).
ScanLevel best_scan_level();
/// The level PairSet::find uses; best_scan_level() unless set_scan_level()
/// chose another (tests run every level against the same inputs).
ScanLevel scan_level();
void set_scan_level(ScanLevel level);

/// A set of up to kMaxPairs two-byte sequences with at most kMaxTriggers
/// distinct triggers, and up to kMaxWhole sequences compared whole.
///
/// Each sequence names one of its two bytes as its trigger, the one rarer
/// in the text searched. The search looks for trigger bytes only, many at
/// a time, and confirms a trigger by its neighbour; so it is fast when the
/// triggers are rare, and exact whatever they are. A sequence of two
/// common bytes is compared whole instead, both bytes at once: a fixed
/// cost per byte searched, whatever the text.
class PairSet {
 public:
  static constexpr int kMaxPairs = 32;
  static constexpr int kMaxTriggers = 16;
  static constexpr int kMaxWhole = 4;

  /// Adds the sequence first, second, triggered by its second byte when
  /// trigger_on_second, else by its first. Returns false when the set is
  /// full (or its triggers are); a sequence already in the set is not
  /// added twice.
  bool add(char first, char second, bool trigger_on_second = false);
  /// Adds the sequence first, second, compared whole. Returns false when
  /// kMaxWhole are there already.
  bool add_whole(char first, char second);
  PairSet();
  int size() const { return count_ + whole_count_; }
  int whole_size() const { return whole_count_; }
  /// The bytes of whole sequence k, for the SIMD searches.
  char whole_first(int k) const { return whole_first_[k]; }
  char whole_second(int k) const { return whole_second_[k]; }

  /// Whether the AVX2 search would still look up every byte in a single
  /// table (its fastest form) with trigger added.
  bool fits_first_table(char trigger) const;
  /// The number of lookup tables the AVX2 search uses: 1 or 2, or 0 when
  /// the triggers need the slower nibble buckets.
  int lookup_tables() const { return tables_hold_all_ ? table_count_ : 0; }

  /// The first offset i with i + 1 < size at which data[i], data[i + 1] is
  /// one of the sequences, or size when there is none.
  std::size_t find(const char* data, std::size_t size) const;

  /// The first sequence whose trigger is among the bytes base + j of data
  /// for the bits j set in triggers, or size. For the SIMD searches.
  std::size_t confirm_triggers(const char* data, std::size_t size, std::size_t base,
                               std::uint32_t triggers) const;

 private:
  bool is_pair_at(const char* data, std::size_t i) const {
    return first_mask_[static_cast<unsigned char>(data[i])] &
           second_mask_[static_cast<unsigned char>(data[i + 1])];
  }
  void add_to_tables(unsigned char trigger);
  std::size_t find_portable(const char* data, std::size_t size, std::size_t from) const;
  std::size_t find_sse2(const char* data, std::size_t size) const;
  std::size_t find_avx2(const char* data, std::size_t size) const;

  int count_ = 0;
  std::array<char, kMaxPairs> first_{};
  std::array<char, kMaxPairs> second_{};
  int whole_count_ = 0;
  std::array<char, kMaxWhole> whole_first_{};
  std::array<char, kMaxWhole> whole_second_{};
  // Per byte value, a bit for each sequence that starts (first_mask_) or
  // ends (second_mask_) with it: triggered ones from bit 0, whole ones
  // from bit kMaxPairs.
  std::array<std::uint64_t, 256> first_mask_{};
  std::array<std::uint64_t, 256> second_mask_{};
  // The distinct trigger bytes, and per byte value whether it triggers a
  // sequence as its first byte (bit 0) or as its second (bit 1); the
  // first byte of a sequence compared whole counts as a first-byte
  // trigger, for confirming its starts.
  int trigger_count_ = 0;
  std::array<char, kMaxTriggers> triggers_{};
  std::array<std::uint8_t, 256> trigger_role_{};
  // Lookup tables of the AVX2 search. A table holds triggers below 128
  // with distinct low nibbles, each at the index of its low nibble, so a
  // byte x is one of them when table[x & 15] == x: one shuffle and one
  // comparison per 32 bytes. Entries without a trigger hold a byte whose
  // low nibble differs from their index. Two tables hold most sets.
  static constexpr int kMaxTables = 2;
  alignas(16) std::uint8_t trigger_table_[kMaxTables][16]{};
  int table_count_ = 0;
  bool tables_hold_all_ = true;
  // Nibble buckets of the AVX2 search for trigger sets the tables cannot
  // hold: trigger t sets bit t % 8 of round t / 8 at its low and its high
  // nibble; a byte is a trigger when both of its nibbles share a bit.
  alignas(16) std::uint8_t trigger_low_[2][16]{};
  alignas(16) std::uint8_t trigger_high_[2][16]{};
};

}  // namespace torvex

#endif  // TORVEX_CONSOLE_PAIR_SCAN_H_
