#include "console/output.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>

#include "console/file_access.h"

namespace torvex {

Output::Output(int fd) : fd_(fd) {}

Output::Output(std::string* sink) : sink_(sink) {}

Output::Output(OutputSink* sink) : output_sink_(sink) {}

Output::~Output() { flush(); }

void Output::put_past_capacity(std::string_view text) {
  flush();
  if (text.size() >= kCapacity) {
    drain(text.data(), text.size());
    return;
  }
  std::memcpy(buffer_ + used_, text.data(), text.size());
  used_ += text.size();
}

void Output::put_any_integer(std::int64_t value) {
  constexpr std::size_t kLongest = 20;  // "-9223372036854775808"
  if (kCapacity - used_ < kLongest) flush();
  auto result = std::to_chars(buffer_ + used_, buffer_ + kCapacity, value);
  used_ = static_cast<std::size_t>(result.ptr - buffer_);
}

void Output::put_real_8_4g(double value) {
  char text[64];
  int size = std::snprintf(text, sizeof text, "%8.4g", value);
  put(std::string_view(text, static_cast<std::size_t>(size)));
}

void Output::flush() {
  std::size_t size = used_;
  used_ = 0;
  drain(buffer_, size);
}

void Output::drain(const char* data, std::size_t size) {
  if (size == 0 || failed()) return;
  if (sink_ != nullptr) {
    sink_->append(data, size);
    return;
  }
  if (output_sink_ != nullptr) {
    error_number_ = output_sink_->take(data, size);
    return;
  }
  error_number_ = write_all(fd_, data, size);
}

}  // namespace torvex
