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
    __m256i sums = _mm256_add_epi64(_mm256_sad_epu8(lanes_a, zero),
                                    _mm256_sad_epu8(lanes_b, zero));
    total += static_cast<std::size_t>(_mm256_extract_epi64(sums, 0) +
                                      _mm256_extract_epi64(sums, 1) +
                                      _mm256_extract_epi64(sums, 2) +
                                      _mm256_extract_epi64(sums, 3));
  }
  return total + count_sse2(text + i, size - i);
}
#endif

}  // namespace

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
