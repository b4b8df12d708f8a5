#include "console/byte_masks.h"

#include <gtest/gtest.h>

namespace torvex {
namespace {

// Every byte value at every one of the sixteen places, among neighbours
// that change with it: the SSE2 masks equal the byte loops.
TEST(ByteMasks, SixteenByteMasksEqualTheByteLoops) {
  char bytes[16];
  for (int value = 0; value < 256; ++value) {
    for (int place = 0; place < 16; ++place) {
      for (int i = 0; i < 16; ++i) bytes[i] = static_cast<char>((value + 37 * i) & 0xff);
      bytes[place] = static_cast<char>(value);
      ASSERT_EQ(white_space_mask_16(bytes), white_space_mask_16_bytewise(bytes)) << value;
      ASSERT_EQ(equal_mask_16(bytes, '\n'), equal_mask_16_bytewise(bytes, '\n')) << value;
      ASSERT_EQ(equal_mask_16(bytes, '\xff'), equal_mask_16_bytewise(bytes, '\xff'));
      for (unsigned char least : {'A', '\0', '\x80', '\xff'}) {
        ASSERT_EQ(at_least_mask_16(bytes, least), at_least_mask_16_bytewise(bytes, least))
            << value << " " << int{least};
      }
    }
  }
  const char line[] = "SPC\t1 \r\n\v\f901\xc3\xa9Zz@";
  EXPECT_EQ(white_space_mask_16(line), 0b0000001111101000u);
  EXPECT_EQ(at_least_mask_16(line, 'A'), 0b1110000000000111u);
  EXPECT_EQ(equal_mask_16(line, '\n'), 0b0000000010000000u);
}

}  // namespace
}  // namespace torvex
