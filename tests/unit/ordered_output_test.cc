// Output of decks checked in parallel, in the order of the decks.
#include "command_line/ordered_output.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace torvex {
namespace {

// A private temporary file whose bytes can be read back.
class Capture {
 public:
  Capture() : file_(std::tmpfile()) {}
  ~Capture() { std::fclose(file_); }
  int fd() const { return fileno(file_); }
  std::string bytes() const {
    std::string all;
    char block[4096];
    for (off_t at = 0;;) {
      ssize_t got = ::pread(fd(), block, sizeof block, at);
      if (got <= 0) return all;
      all.append(block, static_cast<std::size_t>(got));
      at += got;
    }
  }

 private:
  std::FILE* file_;
};

TEST(OrderedOutput, DecksFinishingInAnyOrderComeOutInTheirOwn) {
  for (std::size_t budget : {std::size_t{1}, std::size_t{64}, std::size_t{1} << 20}) {
    Capture out, err;
    constexpr std::size_t kDecks = 12;
    OrderedOutput output(out.fd(), err.fd(), kDecks, budget, false);
    std::atomic<std::size_t> next{0};
    auto work = [&] {
      for (std::size_t i; (i = next++) < kDecks;) {
        // Later decks are short, so they finish first and wait.
        for (std::size_t piece = 0; piece < (kDecks - i) * 3; ++piece) {
          ASSERT_EQ(output.write(i, false, "deck " + std::to_string(i) + ";"), 0);
          if (piece == 1) output.write(i, true, "note " + std::to_string(i) + "\n");
        }
        output.finish(i);
      }
    };
    std::vector<std::thread> workers;
    for (int j = 0; j < 4; ++j) workers.emplace_back(work);
    for (std::thread& worker : workers) worker.join();

    std::string expected_out, expected_err;
    for (std::size_t i = 0; i < kDecks; ++i) {
      for (std::size_t piece = 0; piece < (kDecks - i) * 3; ++piece) {
        expected_out += "deck " + std::to_string(i) + ";";
      }
      expected_err += "note " + std::to_string(i) + "\n";
    }
    EXPECT_EQ(out.bytes(), expected_out) << "budget " << budget;
    EXPECT_EQ(err.bytes(), expected_err) << "budget " << budget;
  }
}

TEST(OrderedOutput, EmptyLineBetweenReportsOfDecksThatWrote) {
  Capture out, err;
  OrderedOutput output(out.fd(), err.fd(), 4, 1 << 20, true);
  output.write(3, false, "==> d <==\n");
  output.finish(3);
  output.write(0, true, "torvex: cannot open 'a'\n");
  output.finish(0);
  output.write(1, false, "==> b <==\n");
  output.finish(1);
  output.write(2, true, "torvex: c: no SOL\n");
  output.finish(2);
  EXPECT_EQ(out.bytes(), "==> b <==\n\n==> d <==\n");
  EXPECT_EQ(err.bytes(), "torvex: cannot open 'a'\ntorvex: c: no SOL\n");
}

TEST(OrderedOutput, ADeckOverTheBudgetWaitsForItsTurn) {
  Capture out, err;
  OrderedOutput output(out.fd(), err.fd(), 2, 8, false);
  std::atomic<bool> written{false};
  std::thread second([&] {
    output.write(1, false, "more than eight bytes");
    written = true;
    output.finish(1);
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(written);
  output.write(0, false, "first;");
  output.finish(0);
  second.join();
  EXPECT_TRUE(written);
  EXPECT_EQ(out.bytes(), "first;more than eight bytes");
}

TEST(OrderedOutput, AFailedWriteIsKeptAndLaterBytesDropped) {
  Capture err;
  int pipe_ends[2];
  ASSERT_EQ(::pipe(pipe_ends), 0);
  ::close(pipe_ends[0]);
  std::signal(SIGPIPE, SIG_IGN);
  OrderedOutput output(pipe_ends[1], err.fd(), 2, 1 << 20, false);
  EXPECT_EQ(output.write(0, false, "lost"), EPIPE);
  output.finish(0);
  EXPECT_EQ(output.write(1, false, "lost too"), EPIPE);
  EXPECT_EQ(output.error(), EPIPE);
  ::close(pipe_ends[1]);
}

}  // namespace
}  // namespace torvex
