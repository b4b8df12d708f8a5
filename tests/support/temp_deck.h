// A deck written to a private temporary file for the length of a test.
#ifndef TORVEX_TESTS_SUPPORT_TEMP_DECK_H_
#define TORVEX_TESTS_SUPPORT_TEMP_DECK_H_

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace torvex::testing {

class TempDeck {
 public:
  explicit TempDeck(std::string_view bytes) {
    const char* dir = std::getenv("TMPDIR");
    path_ = std::string(dir ? dir : "/tmp") + "/torvex-test-XXXXXX";
    int fd = ::mkstemp(path_.data());
    if (fd < 0) std::abort();
    std::size_t done = 0;
    while (done < bytes.size()) {
      ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
      if (n <= 0) std::abort();
      done += static_cast<std::size_t>(n);
    }
    ::close(fd);
  }
  TempDeck(const TempDeck&) = delete;
  TempDeck& operator=(const TempDeck&) = delete;
  ~TempDeck() { ::unlink(path_.c_str()); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace torvex::testing

#endif  // TORVEX_TESTS_SUPPORT_TEMP_DECK_H_
