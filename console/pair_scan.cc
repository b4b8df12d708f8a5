#include "console/pair_scan.h"

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

bool PairSet::add(char first, char second) {
  for (int j = 0; j < count_; ++j) {
    if (first_[j] == first && second_[j] == second) return true;
  }
  if (count_ == kMaxPairs) return false;
  int j = count_++;
  first_[j] = first;
  second_[j] = second;
  first_mask_[byte_of(first)] |= static_cast<std::uint16_t>(1u << j);
  second_mask_[byte_of(second)] |= static_cast<std::uint16_t>(1u << j);
  std::uint8_t bit = static_cast<std::uint8_t>(1u << (j % 8));
  int round = j / 8;
  first_low_[round][byte_of(first) & 15] |= bit;
  first_high_[round][byte_of(first) >> 4] |= bit;
  second_low_[round][byte_of(second) & 15] |= bit;
  second_high_[round][byte_of(second) >> 4] |= bit;
  return true;
}

std::size_t PairSet::find(const char* data, std::size_t size) const {
  if (count_ == 0 || size < 2) return size;
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

std::size_t PairSet::find_portable(const char* data, std::size_t size,
                                   std::size_t from) const {
  for (std::size_t i = from; i + 1 < size; ++i) {
    if (first_mask_[byte_of(data[i])] & second_mask_[byte_of(data[i + 1])]) {
      return i;
    }
  }
  return size;
}

#if TORVEX_X86

__attribute__((target("sse2"))) std::size_t PairSet::find_sse2(
    const char* data, std::size_t size) const {
  // One comparison of each byte of a block with the first byte of every
  // sequence, and of its neighbour with the second byte.
  std::size_t i = 0;
  for (; i + 17 <= size; i += 16) {
    __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
    __m128i next =
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + 1));
    __m128i hits = _mm_setzero_si128();
    for (int j = 0; j < count_; ++j) {
      __m128i a = _mm_cmpeq_epi8(here, _mm_set1_epi8(first_[j]));
      __m128i b = _mm_cmpeq_epi8(next, _mm_set1_epi8(second_[j]));
      hits = _mm_or_si128(hits, _mm_and_si128(a, b));
    }
    unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hits));
    if (mask != 0) return i + static_cast<std::size_t>(__builtin_ctz(mask));
  }
  return find_portable(data, size, i);
}

// A 16-byte nibble table in both lanes, for the lane-wise shuffle.
__attribute__((target("avx2"))) inline __m256i broadcast_table(
    const std::uint8_t* bytes) {
  return _mm256_broadcastsi128_si256(
      _mm_load_si128(reinterpret_cast<const __m128i*>(bytes)));
}

__attribute__((target("avx2"))) std::size_t PairSet::find_avx2(
    const char* data, std::size_t size) const {
  const int rounds = (count_ + 7) / 8;
  const __m256i low_nibble = _mm256_set1_epi8(0x0f);
  __m256i first_low[2], first_high[2], second_low[2], second_high[2];
  for (int r = 0; r < rounds; ++r) {
    first_low[r] = broadcast_table(first_low_[r]);
    first_high[r] = broadcast_table(first_high_[r]);
    second_low[r] = broadcast_table(second_low_[r]);
    second_high[r] = broadcast_table(second_high_[r]);
  }
  std::size_t i = 0;
  for (; i + 33 <= size; i += 32) {
    __m256i here =
        _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i));
    __m256i next =
        _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i + 1));
    __m256i here_low = _mm256_and_si256(here, low_nibble);
    __m256i here_high =
        _mm256_and_si256(_mm256_srli_epi16(here, 4), low_nibble);
    __m256i next_low = _mm256_and_si256(next, low_nibble);
    __m256i next_high =
        _mm256_and_si256(_mm256_srli_epi16(next, 4), low_nibble);
    __m256i hits = _mm256_setzero_si256();
    for (int r = 0; r < rounds; ++r) {
      __m256i first =
          _mm256_and_si256(_mm256_shuffle_epi8(first_low[r], here_low),
                           _mm256_shuffle_epi8(first_high[r], here_high));
      __m256i second =
          _mm256_and_si256(_mm256_shuffle_epi8(second_low[r], next_low),
                           _mm256_shuffle_epi8(second_high[r], next_high));
      hits = _mm256_or_si256(hits, _mm256_and_si256(first, second));
    }
    unsigned mask = ~static_cast<unsigned>(_mm256_movemask_epi8(
        _mm256_cmpeq_epi8(hits, _mm256_setzero_si256())));
    if (mask != 0) return i + static_cast<std::size_t>(__builtin_ctz(mask));
  }
  return find_portable(data, size, i);
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
