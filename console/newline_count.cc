#include "console/newline_count.h"

#include <algorithm>
#include <cstdint>

#include "console/pair_scan.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define TORVEX_X86 1
#endif

namespace torvex {
namespace {

std::size_t count_portable(const char* text, std::size_t size) {
  return static_cast<std::size_t>(std::count(text, text + size, '\n'));
}

#if TORVEX_X86
// Each byte lane counts up to 255 matches (a comparison gives -1, which is
// subtracted); then the lanes are summed and the counting starts again.
__attribute__((target("sse2"))) std::size_t count_sse2(const char* text,
                                                       std::size_t size) {
  const __m128i newline = _mm_set1_epi8('\n');
  std::size_t total = 0;
  std::size_t i = 0;
  while (size - i >= 16) {
    std::size_t rounds = std::min<std::size_t>((size - i) / 16, 255);
    __m128i lanes = _mm_setzero_si128();
    for (std::size_t r = 0; r < rounds; ++r, i += 16) {
      __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
      lanes = _mm_sub_epi8(lanes, _mm_cmpeq_epi8(bytes, newline));
    }
    __m128i sums = _mm_sad_epu8(lanes, _mm_setzero_si128());
    total += static_cast<std::size_t>(_mm_cvtsi128_si32(sums)) +
             static_cast<std::size_t>(_mm_extract_epi16(sums, 4));
  }
  return total + count_portable(text + i, size - i);
}

__attribute__((target("avx2"))) std::size_t count_avx2(const char* text,
                                                       std::size_t size) {
  const __m256i newline = _mm256_set1_epi8('\n');
  std::size_t total = 0;
  std::size_t i = 0;
  while (size - i >= 64) {
    std::size_t rounds = std::min<std::size_t>((size - i) / 64, 255);
    __m256i lanes_a = _mm256_setzero_si256();
    __m256i lanes_b = _mm256_setzero_si256();
    for (std::size_t r = 0; r < rounds; ++r, i += 64) {
      __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(text + i));
      __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(text + i + 32));
      lanes_a = _mm256_sub_epi8(lanes_a, _mm256_cmpeq_epi8(a, newline));
      lanes_b = _mm256_sub_epi8(lanes_b, _mm256_cmpeq_epi8(b, newline));
    }
    __m256i zero = _mm256_setzero_si256();
    __m256i sums =
        _mm256_add_epi64(_mm256_sad_epu8(lanes_a, zero), _mm256_sad_epu8(lanes_b, zero));
    total += static_cast<std::size_t>(
        _mm256_extract_epi64(sums, 0) + _mm256_extract_epi64(sums, 1) +
        _mm256_extract_epi64(sums, 2) + _mm256_extract_epi64(sums, 3));
  }
  return total + count_sse2(text + i, size - i);
}
#endif

bool may_follow_newline(char c) { return c == ' ' || c == '\t' || (c | 0x20) == 'i'; }

// From offset from on; *newlines counts those among text[from - 1, j).
std::size_t find_portable(const char* text, std::size_t size, std::size_t from,
                          std::size_t* newlines) {
  std::size_t j = from < 1 ? 1 : from;
  for (; j < size; ++j) {
    if (text[j - 1] != '\n') continue;
    ++*newlines;
    if (may_follow_newline(text[j])) return j;
  }
  if (j - 1 < size && text[j - 1] == '\n') ++*newlines;
  return size;
}

// The newlines of a 64-byte group up to and including bit `last`.
std::size_t newlines_through(std::uint64_t newline_bits, int last) {
  std::uint64_t through = last == 63 ? ~std::uint64_t{0} : (std::uint64_t{2} << last) - 1;
  return static_cast<std::size_t>(__builtin_popcountll(newline_bits & through));
}

#if TORVEX_X86
// Lines start with a card name, a blank, +, * or $: a newline followed by
// I, i, a blank or a tab is rare, so 64 bytes are tested with one branch.
// With 0x20 set, I becomes i (and no other byte does).
__attribute__((target("sse2"))) std::uint64_t candidates_16(const char* at,
                                                            std::uint64_t* newline_bits,
                                                            int shift) {
  __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
  __m128i newline = _mm_cmpeq_epi8(here, _mm_set1_epi8('\n'));
  *newline_bits |= std::uint64_t{static_cast<std::uint32_t>(_mm_movemask_epi8(newline))}
                   << shift;
  __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 1));
  __m128i folded = _mm_or_si128(next, _mm_set1_epi8(0x20));
  __m128i follows = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(folded, _mm_set1_epi8('i')),
                                              _mm_cmpeq_epi8(next, _mm_set1_epi8(' '))),
                                 _mm_cmpeq_epi8(next, _mm_set1_epi8('\t')));
  return std::uint64_t{static_cast<std::uint32_t>(
             _mm_movemask_epi8(_mm_and_si128(newline, follows)))}
         << shift;
}

__attribute__((target("sse2"))) std::size_t find_sse2(const char* text, std::size_t size,
                                                      std::size_t* newlines) {
  std::size_t i = 0;
  // Bytes i to i + 64 are read: the newline and the byte after it.
  for (; i + 65 <= size; i += 64) {
    std::uint64_t bits = 0;
    std::uint64_t found =
        candidates_16(text + i, &bits, 0) | candidates_16(text + i + 16, &bits, 16) |
        candidates_16(text + i + 32, &bits, 32) | candidates_16(text + i + 48, &bits, 48);
    if (found != 0) {
      int last = __builtin_ctzll(found);
      *newlines += newlines_through(bits, last);
      return i + static_cast<std::size_t>(last) + 1;
    }
    *newlines += static_cast<std::size_t>(__builtin_popcountll(bits));
  }
  return find_portable(text, size, i + 1, newlines);
}

__attribute__((target("avx2"))) std::uint64_t candidates_32(const char* at,
                                                            std::uint64_t* newline_bits,
                                                            int shift) {
  __m256i here = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
  __m256i newline = _mm256_cmpeq_epi8(here, _mm256_set1_epi8('\n'));
  *newline_bits |=
      std::uint64_t{static_cast<std::uint32_t>(_mm256_movemask_epi8(newline))} << shift;
  __m256i next = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + 1));
  __m256i folded = _mm256_or_si256(next, _mm256_set1_epi8(0x20));
  __m256i follows =
      _mm256_or_si256(_mm256_or_si256(_mm256_cmpeq_epi8(folded, _mm256_set1_epi8('i')),
                                      _mm256_cmpeq_epi8(next, _mm256_set1_epi8(' '))),
                      _mm256_cmpeq_epi8(next, _mm256_set1_epi8('\t')));
  return std::uint64_t{static_cast<std::uint32_t>(
             _mm256_movemask_epi8(_mm256_and_si256(newline, follows)))}
         << shift;
}

__attribute__((target("avx2"))) std::size_t find_avx2(const char* text, std::size_t size,
                                                      std::size_t* newlines) {
  std::size_t i = 0;
  for (; i + 65 <= size; i += 64) {
    std::uint64_t bits = 0;
    std::uint64_t found =
        candidates_32(text + i, &bits, 0) | candidates_32(text + i + 32, &bits, 32);
    if (found != 0) {
      int last = __builtin_ctzll(found);
      *newlines += newlines_through(bits, last);
      return i + static_cast<std::size_t>(last) + 1;
    }
    *newlines += static_cast<std::size_t>(__builtin_popcountll(bits));
  }
  return find_portable(text, size, i + 1, newlines);
}
#endif

}  // namespace

std::size_t find_possible_statement(const char* text, std::size_t size,
                                    std::size_t* newlines) {
#if TORVEX_X86
  switch (scan_level()) {
    case ScanLevel::kAvx2:
      return find_avx2(text, size, newlines);
    case ScanLevel::kSse2:
      return find_sse2(text, size, newlines);
    case ScanLevel::kPortable:
      break;
  }
#endif
  return find_portable(text, size, 1, newlines);
}

std::size_t count_newlines(const char* text, std::size_t size) {
#if TORVEX_X86
  switch (scan_level()) {
    case ScanLevel::kAvx2:
      return count_avx2(text, size);
    case ScanLevel::kSse2:
      return count_sse2(text, size);
    case ScanLevel::kPortable:
      break;
  }
#endif
  return count_portable(text, size);
}

}  // namespace torvex
