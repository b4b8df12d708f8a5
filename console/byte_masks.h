// Classifying sixteen deck bytes at once into a bit mask, with SSE2 where
// the processor has it (always on x86-64) and a byte loop elsewhere.
#ifndef TORVEX_CONSOLE_BYTE_MASKS_H_
#define TORVEX_CONSOLE_BYTE_MASKS_H_

#include <cstdint>

#include "console/numbers.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace torvex {

/// The byte loops of the masks below, for processors without SSE2 and
/// for tests.
inline std::uint32_t white_space_mask_16_bytewise(const char* p) {
  std::uint32_t bits = 0;
  for (int i = 0; i < 16; ++i) bits |= std::uint32_t{is_white_space(p[i])} << i;
  return bits;
}
inline std::uint32_t at_least_mask_16_bytewise(const char* p, unsigned char least) {
  std::uint32_t bits = 0;
  for (int i = 0; i < 16; ++i) {
    bits |= std::uint32_t{static_cast<unsigned char>(p[i]) >= least} << i;
  }
  return bits;
}
inline std::uint32_t equal_mask_16_bytewise(const char* p, char byte) {
  std::uint32_t bits = 0;
  for (int i = 0; i < 16; ++i) bits |= std::uint32_t{p[i] == byte} << i;
  return bits;
}

/// Bit i set when byte i of the sixteen at p is `byte`.
inline std::uint32_t equal_mask_16(const char* p, char byte) {
#if defined(__SSE2__)
  __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  return static_cast<std::uint32_t>(
      _mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(byte))));
#else
  return equal_mask_16_bytewise(p, byte);
#endif
}

/// Bit i set when byte i of the sixteen at p is white space, as
/// is_white_space() decides.
inline std::uint32_t white_space_mask_16(const char* p) {
#if defined(__SSE2__)
  __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  __m128i blank = _mm_cmpeq_epi8(bytes, _mm_set1_epi8(' '));
  // Tab to carriage return; bytes from 128 up compare as negative.
  __m128i control = _mm_and_si128(_mm_cmpgt_epi8(bytes, _mm_set1_epi8('\t' - 1)),
                                  _mm_cmplt_epi8(bytes, _mm_set1_epi8('\r' + 1)));
  return static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_or_si128(blank, control)));
#else
  return white_space_mask_16_bytewise(p);
#endif
}

/// Bit i set when byte i of the sixteen at p is `least` or above, bytes
/// read as unsigned (so every byte from 128 up counts).
inline std::uint32_t at_least_mask_16(const char* p, unsigned char least) {
#if defined(__SSE2__)
  __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  __m128i floor = _mm_set1_epi8(static_cast<char>(least));
  return static_cast<std::uint32_t>(
      _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_max_epu8(bytes, floor), bytes)));
#else
  return at_least_mask_16_bytewise(p, least);
#endif
}

}  // namespace torvex

#endif  // TORVEX_CONSOLE_BYTE_MASKS_H_
