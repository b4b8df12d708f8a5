// The eight shared token fields T1 to T8 and Tokenise(k).
#ifndef TORVEX_CONSOLE_TOKENS_H_
#define TORVEX_CONSOLE_TOKENS_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace torvex {

/// Longest deck line handed out by the reader: a longer physical line
/// arrives as several pieces of at most this many bytes.
inline constexpr std::size_t kMaxLineBytes = 199;

/// One token field. It holds a whole token of a line, so a token longer
/// than eleven bytes is kept whole, never cut and never written past the
/// field. NUL bytes are ordinary bytes of a token.
class TokenField {
 public:
  std::string_view text() const { return {bytes_.data(), size_}; }
  void assign(std::string_view token) {
    token = token.substr(0, kMaxLineBytes);
    size_ = static_cast<std::uint8_t>(token.size());
    std::memcpy(bytes_.data(), token.data(), token.size());
  }

 private:
  std::array<char, kMaxLineBytes> bytes_{};
  std::uint8_t size_ = 0;
};

/// T1 to T8, shared by every card reader. A field keeps its text until a
/// later tokenise() writes that field again: the fields belong to no line.
class TokenFields {
 public:
  /// Fills T1 to Tk with the first k white-space separated tokens of line
  /// (at most kMaxLineBytes bytes). When the line holds fewer than k
  /// tokens, the fields after the last token found keep their text.
  void tokenise(std::string_view line, int k);

  /// Text of field Tn, n from 1 to 8.
  std::string_view operator[](int n) const { return fields_[n - 1].text(); }

 private:
  std::array<TokenField, 8> fields_;
};

}  // namespace torvex

#endif  // TORVEX_CONSOLE_TOKENS_H_
