#include "console/pair_scan.h"

#include <algorithm>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define TORVEX_X86 1
#endif

namespace torvex {
namespace {

ScanLevel detect_scan_level() {
#if TORVEX_X86
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx2")) return ScanLevel::kAvx2;
  if (__builtin_cpu_supports("sse2")) return ScanLevel::kSse2;
#endif
  return ScanLevel::kPortable;
}

ScanLevel current_level = detect_scan_level();

unsigned char byte_of(char c) { return static_cast<unsigned char>(c); }

}  // namespace

ScanLevel best_scan_level() { return detect_scan_level(); }
ScanLevel scan_level() { return current_level; }
void set_scan_level(ScanLevel level) {
  current_level = level > best_scan_level() ? best_scan_level() : level;
}

PairSet::PairSet() {
  for (auto& table : trigger_table_) {
    for (int i = 0; i < 16; ++i) table[i] = i == 0 ? 1 : 0;
  }
}

bool PairSet::add(char first, char second, bool trigger_on_second) {
  for (int j = 0; j < count_; ++j) {
    if (first_[j] == first && second_[j] == second) return true;
  }
  if (count_ == kMaxPairs) return false;
  unsigned char trigger = byte_of(trigger_on_second ? second : first);
  const bool new_trigger =
      std::find(triggers_.begin(), triggers_.begin() + trigger_count_,
                static_cast<char>(trigger)) == triggers_.begin() + trigger_count_;
  if (new_trigger && trigger_count_ == kMaxTriggers) return false;
  int j = count_++;
  first_[j] = first;
  second_[j] = second;
  first_mask_[byte_of(first)] |= std::uint64_t{1} << j;
  second_mask_[byte_of(second)] |= std::uint64_t{1} << j;

  if (new_trigger) {
    int t = trigger_count_++;
    triggers_[t] = static_cast<char>(trigger);
    std::uint8_t bit = static_cast<std::uint8_t>(1u << (t % 8));
    trigger_low_[t / 8][trigger & 15] |= bit;
    trigger_high_[t / 8][trigger >> 4] |= bit;
    add_to_tables(trigger);
  }
  trigger_role_[trigger] |= trigger_on_second ? 2 : 1;
  return true;
}

bool PairSet::add_whole(char first, char second) {
  for (int k = 0; k < whole_count_; ++k) {
    if (whole_first_[k] == first && whole_second_[k] == second) return true;
  }
  if (whole_count_ == kMaxWhole) return false;
  int k = whole_count_++;
  whole_first_[k] = first;
  whole_second_[k] = second;
  first_mask_[byte_of(first)] |= std::uint64_t{1} << (kMaxPairs + k);
  second_mask_[byte_of(second)] |= std::uint64_t{1} << (kMaxPairs + k);
  // Its starts, found by the SIMD searches, are confirmed as a trigger
  // that is a first byte is.
  trigger_role_[byte_of(first)] |= 1;
  return true;
}

void PairSet::add_to_tables(unsigned char trigger) {
  // A shuffle gives 0 for bytes from 128 up, so only lower ones fit.
  if (trigger >= 128) {
    tables_hold_all_ = false;
    return;
  }
  for (int t = 0; t < kMaxTables; ++t) {
    std::uint8_t& entry = trigger_table_[t][trigger & 15];
    bool free = (entry & 15) != (trigger & 15);
    if (free) {
      entry = trigger;
      if (t + 1 > table_count_) table_count_ = t + 1;
      return;
    }
  }
  tables_hold_all_ = false;
}

bool PairSet::fits_first_table(char trigger) const {
  unsigned char byte = byte_of(trigger);
  if (byte >= 128 || !tables_hold_all_ || table_count_ > 1) return false;
  std::uint8_t entry = trigger_table_[0][byte & 15];
  return entry == byte || (entry & 15) != (byte & 15);
}

std::size_t PairSet::find(const char* data, std::size_t size) const {
  if (count_ + whole_count_ == 0 || size < 2) return size;
  switch (current_level) {
    case ScanLevel::kAvx2:
      return find_avx2(data, size);
    case ScanLevel::kSse2:
      return find_sse2(data, size);
    case ScanLevel::kPortable:
      break;
  }
  return find_portable(data, size, 0);
}

// The first sequence among the trigger bytes at base + bit of triggers,
// or size. A trigger that is a second byte confirms the byte before it;
// one that is a first byte, the byte after it.
std::size_t PairSet::confirm_triggers(const char* data, std::size_t size,
                                      std::size_t base, std::uint32_t triggers) const {
  for (; triggers != 0; triggers &= triggers - 1) {
    std::size_t at = base + static_cast<std::size_t>(__builtin_ctz(triggers));
    std::uint8_t role = trigger_role_[byte_of(data[at])];
    if ((role & 2) && at > 0 && is_pair_at(data, at - 1)) return at - 1;
    if ((role & 1) && at + 1 < size && is_pair_at(data, at)) return at;
  }
  return size;
}

std::size_t PairSet::find_portable(const char* data, std::size_t size,
                                   std::size_t from) const {
  for (std::size_t i = from; i + 1 < size; ++i) {
    if (is_pair_at(data, i)) return i;
  }
  return size;
}

#if TORVEX_X86

__attribute__((target("sse2"))) std::size_t PairSet::find_sse2(const char* data,
                                                               std::size_t size) const {
  __m128i trigger[kMaxTriggers];
  for (int t = 0; t < trigger_count_; ++t) trigger[t] = _mm_set1_epi8(triggers_[t]);
  __m128i whole_first[kMaxWhole], whole_second[kMaxWhole];
  for (int k = 0; k < whole_count_; ++k) {
    whole_first[k] = _mm_set1_epi8(whole_first_[k]);
    whole_second[k] = _mm_set1_epi8(whole_second_[k]);
  }
  // A sequence starting at i has its trigger at i or i + 1; blocks of
  // sixteen triggers are confirmed in order, so the first one found is
  // the first sequence, except one that starts just before the block.
  // Sequences compared whole start in the block: they read one byte past
  // it.
  const std::size_t past = whole_count_ > 0 ? 1 : 0;
  std::size_t i = 0;
  for (; i + 16 + past <= size; i += 16) {
    __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
    __m128i hits = _mm_setzero_si128();
    for (int t = 0; t < trigger_count_; ++t) {
      hits = _mm_or_si128(hits, _mm_cmpeq_epi8(bytes, trigger[t]));
    }
    if (whole_count_ > 0) {
      __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + 1));
      for (int k = 0; k < whole_count_; ++k) {
        hits = _mm_or_si128(hits, _mm_and_si128(_mm_cmpeq_epi8(bytes, whole_first[k]),
                                                _mm_cmpeq_epi8(next, whole_second[k])));
      }
    }
    std::uint32_t mask = static_cast<std::uint32_t>(_mm_movemask_epi8(hits));
    if (mask != 0) {
      std::size_t found = confirm_triggers(data, size, i, mask);
      if (found < size) return found;
    }
  }
  // The last bytes, and a sequence whose first byte ends the blocks.
  std::size_t from = i > 0 ? i - 1 : 0;
  return find_portable(data, size, from);
}

// hits, with the starts of the sequences compared whole among bytes
// added; next holds the bytes one further on.
__attribute__((target("avx2"))) inline __m256i add_whole_starts_avx2(
    __m256i hits, __m256i bytes, __m256i next, const __m256i* first,
    const __m256i* second, int count) {
  for (int k = 0; k < count; ++k) {
    hits = _mm256_or_si256(hits, _mm256_and_si256(_mm256_cmpeq_epi8(bytes, first[k]),
                                                  _mm256_cmpeq_epi8(next, second[k])));
  }
  return hits;
}

// Looks up 64 bytes at a time in Tables trigger tables, and compares the
// sequences kept whole when Whole.
template <int Tables, bool Whole>
__attribute__((target("avx2"))) std::size_t find_in_tables_avx2(
    const PairSet& pairs, const char* data, std::size_t size,
    const std::uint8_t (*tables)[16], std::size_t* stop) {
  __m256i table[Tables];
  for (int t = 0; t < Tables; ++t) {
    table[t] = _mm256_broadcastsi128_si256(
        _mm_load_si128(reinterpret_cast<const __m128i*>(tables[t])));
  }
  __m256i whole_first[PairSet::kMaxWhole], whole_second[PairSet::kMaxWhole];
  const int whole_count = Whole ? pairs.whole_size() : 0;
  for (int k = 0; k < whole_count; ++k) {
    whole_first[k] = _mm256_set1_epi8(pairs.whole_first(k));
    whole_second[k] = _mm256_set1_epi8(pairs.whole_second(k));
  }
  std::size_t i = 0;
  // Sequences compared whole read one byte past the 64.
  for (; i + 64 + (Whole ? 1 : 0) <= size; i += 64) {
    __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i));
    __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i + 32));
    __m256i hits_a = _mm256_cmpeq_epi8(_mm256_shuffle_epi8(table[0], a), a);
    __m256i hits_b = _mm256_cmpeq_epi8(_mm256_shuffle_epi8(table[0], b), b);
    for (int t = 1; t < Tables; ++t) {
      hits_a =
          _mm256_or_si256(hits_a, _mm256_cmpeq_epi8(_mm256_shuffle_epi8(table[t], a), a));
      hits_b =
          _mm256_or_si256(hits_b, _mm256_cmpeq_epi8(_mm256_shuffle_epi8(table[t], b), b));
    }
    if constexpr (Whole) {
      __m256i next_a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i + 1));
      __m256i next_b =
          _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i + 33));
      hits_a = add_whole_starts_avx2(hits_a, a, next_a, whole_first, whole_second,
                                     whole_count);
      hits_b = add_whole_starts_avx2(hits_b, b, next_b, whole_first, whole_second,
                                     whole_count);
    }
    __m256i any = _mm256_or_si256(hits_a, hits_b);
    if (_mm256_testz_si256(any, any)) continue;
    std::size_t found = pairs.confirm_triggers(
        data, size, i, static_cast<std::uint32_t>(_mm256_movemask_epi8(hits_a)));
    if (found == size) {
      found = pairs.confirm_triggers(
          data, size, i + 32, static_cast<std::uint32_t>(_mm256_movemask_epi8(hits_b)));
    }
    if (found < size) {
      *stop = i;
      return found;
    }
  }
  *stop = i;
  return size;
}

// A 16-byte nibble table in both lanes, for the lane-wise shuffle.
__attribute__((target("avx2"))) inline __m256i broadcast_table(
    const std::uint8_t* bytes) {
  return _mm256_broadcastsi128_si256(
      _mm_load_si128(reinterpret_cast<const __m128i*>(bytes)));
}

__attribute__((target("avx2"))) std::size_t PairSet::find_avx2(const char* data,
                                                               std::size_t size) const {
  std::size_t i = 0;
  std::size_t found = size;
  const bool whole = whole_count_ > 0;
  if (tables_hold_all_ && table_count_ <= 1) {
    found = whole ? find_in_tables_avx2<1, true>(*this, data, size, trigger_table_, &i)
                  : find_in_tables_avx2<1, false>(*this, data, size, trigger_table_, &i);
  } else if (tables_hold_all_ && table_count_ == 2) {
    found = whole ? find_in_tables_avx2<2, true>(*this, data, size, trigger_table_, &i)
                  : find_in_tables_avx2<2, false>(*this, data, size, trigger_table_, &i);
  } else {
    const int rounds = (trigger_count_ + 7) / 8;
    const __m256i low_nibble = _mm256_set1_epi8(0x0f);
    __m256i low[2], high[2];
    for (int r = 0; r < 2; ++r) {
      low[r] = broadcast_table(trigger_low_[r]);
      high[r] = broadcast_table(trigger_high_[r]);
    }
    __m256i whole_first[kMaxWhole], whole_second[kMaxWhole];
    for (int k = 0; k < whole_count_; ++k) {
      whole_first[k] = _mm256_set1_epi8(whole_first_[k]);
      whole_second[k] = _mm256_set1_epi8(whole_second_[k]);
    }
    for (; i + 32 + (whole ? 1 : 0) <= size; i += 32) {
      __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i));
      __m256i bytes_low = _mm256_and_si256(bytes, low_nibble);
      __m256i bytes_high = _mm256_and_si256(_mm256_srli_epi16(bytes, 4), low_nibble);
      __m256i buckets = _mm256_and_si256(_mm256_shuffle_epi8(low[0], bytes_low),
                                         _mm256_shuffle_epi8(high[0], bytes_high));
      if (rounds > 1) {
        __m256i more = _mm256_and_si256(_mm256_shuffle_epi8(low[1], bytes_low),
                                        _mm256_shuffle_epi8(high[1], bytes_high));
        // Bits of the two rounds stand for different bytes: merge them as
        // masks, not as bits.
        buckets = _mm256_or_si256(
            _mm256_cmpeq_epi8(_mm256_cmpeq_epi8(buckets, _mm256_setzero_si256()),
                              _mm256_setzero_si256()),
            _mm256_cmpeq_epi8(_mm256_cmpeq_epi8(more, _mm256_setzero_si256()),
                              _mm256_setzero_si256()));
      }
      __m256i hits = _mm256_cmpeq_epi8(_mm256_cmpeq_epi8(buckets, _mm256_setzero_si256()),
                                       _mm256_setzero_si256());
      if (whole) {
        __m256i next = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i + 1));
        hits = add_whole_starts_avx2(hits, bytes, next, whole_first, whole_second,
                                     whole_count_);
      }
      std::uint32_t triggers = static_cast<std::uint32_t>(_mm256_movemask_epi8(hits));
      if (triggers == 0) continue;
      found = confirm_triggers(data, size, i, triggers);
      if (found < size) return found;
    }
  }
  if (found < size) return found;
  // The last bytes, and a sequence whose first byte ends the blocks.
  return find_portable(data, size, i > 0 ? i - 1 : 0);
}

#else

std::size_t PairSet::find_sse2(const char* data, std::size_t size) const {
  return find_portable(data, size, 0);
}
std::size_t PairSet::find_avx2(const char* data, std::size_t size) const {
  return find_portable(data, size, 0);
}

#endif

}  // namespace torvex
