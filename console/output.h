// The one output object through which the dialogue and every report write.
#ifndef TORVEX_CONSOLE_OUTPUT_H_
#define TORVEX_CONSOLE_OUTPUT_H_

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace torvex {

/// Where an Output's full buffers go when they go neither to a file
/// descriptor nor into a string.
class OutputSink {
 public:
  virtual ~OutputSink() = default;
  /// Takes size bytes; returns 0, or the errno value of a failed write.
  virtual int take(const char* data, std::size_t size) = 0;
};

/// Buffered text output to a file descriptor, into a string, or to a sink.
///
/// Writes are collected in a fixed 64 KiB buffer and handed to the
/// descriptor only when the buffer is full or on flush(), so a report of
/// millions of lines costs few system calls. The first failed write is
/// remembered; later output is dropped and failed() stays true.
class Output {
 public:
  /// Output to an open file descriptor (1 for standard output).
  explicit Output(int fd);
  /// Output appended to *sink, for tests and the fuzz target.
  explicit Output(std::string* sink);
  /// Output handed to *sink.
  explicit Output(OutputSink* sink);
  Output(const Output&) = delete;
  Output& operator=(const Output&) = delete;
  ~Output();

  void put(std::string_view text) {
    if (text.size() <= kCapacity - used_) {
      std::memcpy(buffer_ + used_, text.data(), text.size());
      used_ += text.size();
    } else {
      put_past_capacity(text);
    }
  }
  /// Writes a signed decimal integer, as "%ld" does.
  void put_integer(std::int64_t value) {
    // Node numbers and components: below 10^8 and not negative. Their
    // digits go straight into the buffer, two at a time from the right.
    if (value >= 0 && value < 100000000 && kCapacity - used_ >= 8) {
      auto rest = static_cast<std::uint32_t>(value);
      const std::size_t digits = 1 + (rest >= 10) + (rest >= 100) + (rest >= 1000) +
                                 (rest >= 10000) + (rest >= 100000) + (rest >= 1000000) +
                                 (rest >= 10000000);
      char* end = buffer_ + used_ + digits;
      used_ += digits;
      for (; rest >= 100; rest /= 100) {
        end -= 2;
        std::memcpy(end, kDigitPairs + 2 * (rest % 100), 2);
      }
      if (rest >= 10) {
        std::memcpy(end - 2, kDigitPairs + 2 * rest, 2);
      } else {
        end[-1] = static_cast<char>('0' + rest);
      }
      return;
    }
    put_any_integer(value);
  }
  /// Writes a real number as "%8.4g" does.
  void put_real_8_4g(double value);

  /// Hands everything buffered to the descriptor.
  void flush();
  /// True once a write has failed; error_number() then tells why.
  bool failed() const { return error_number_ != 0; }
  int error_number() const { return error_number_; }

 private:
  static constexpr std::size_t kCapacity = 64 * 1024;
  void put_past_capacity(std::string_view text);
  void put_any_integer(std::int64_t value);
  // "00" to "99".
  static constexpr char kDigitPairs[] =
      "0001020304050607080910111213141516171819202122232425262728293031323334353637"
      "3839404142434445464748495051525354555657585960616263646566676869707172737475"
      "767778798081828384858687888990919293949596979899";
  void drain(const char* data, std::size_t size);

  int fd_ = -1;
  std::string* sink_ = nullptr;
  OutputSink* output_sink_ = nullptr;
  int error_number_ = 0;
  std::size_t used_ = 0;
  char buffer_[kCapacity];
};

}  // namespace torvex

#endif  // TORVEX_CONSOLE_OUTPUT_H_
