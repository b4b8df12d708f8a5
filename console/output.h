// The one output object through which the dialogue and every report write.
#ifndef TORVEX_CONSOLE_OUTPUT_H_
#define TORVEX_CONSOLE_OUTPUT_H_

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace torvex {

/// Buffered text output to a file descriptor, or into a string.
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
  void put_integer(std::int64_t value);
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
  void drain(const char* data, std::size_t size);

  int fd_ = -1;
  std::string* sink_ = nullptr;
  int error_number_ = 0;
  std::size_t used_ = 0;
  char buffer_[kCapacity];
};

}  // namespace torvex

#endif  // TORVEX_CONSOLE_OUTPUT_H_
