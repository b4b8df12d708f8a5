// The dialogue on a terminal: each prompt is on the screen before the
// program waits for its answer, and the report arrives complete.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <string>

namespace {

class Terminal {
 public:
  Terminal() {
    struct termios settings {};
    cfmakeraw(&settings);
    settings.c_oflag |= OPOST | ONLCR;  // as a console shows output
    settings.c_lflag |= ICANON | ECHO;  // answers are lines, as typed
    pid_ = forkpty(&master_, nullptr, &settings, nullptr);
    if (pid_ == 0) {
      execl(TORVEX_PROGRAM, "torvex", static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  ~Terminal() {
    if (master_ >= 0) close(master_);
    if (pid_ > 0) waitpid(pid_, nullptr, 0);
  }
  bool started() const { return pid_ > 0; }

  // Reads what the program writes until text has appeared, or until the
  // screen has stayed unchanged for a while.
  bool wait_for(const std::string& text) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (screen_.find(text) == std::string::npos) {
      if (std::chrono::steady_clock::now() > deadline || !read_some(200)) return false;
    }
    return true;
  }
  // True when the program writes nothing more for the given time: it is
  // waiting.
  bool quiet_for(int milliseconds) { return !read_some(milliseconds); }
  void type(const std::string& line) {
    std::string typed = line + "\n";
    ASSERT_EQ(write(master_, typed.data(), typed.size()),
              static_cast<ssize_t>(typed.size()));
  }
  std::string read_to_end() {
    while (read_some(5000)) {
    }
    return screen_;
  }
  int exit_status() {
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  const std::string& screen() const { return screen_; }

 private:
  bool read_some(int milliseconds) {
    struct pollfd ready = {master_, POLLIN, 0};
    if (poll(&ready, 1, milliseconds) <= 0) return false;
    char bytes[4096];
    ssize_t n = read(master_, bytes, sizeof bytes);
    if (n <= 0) return false;
    screen_.append(bytes, static_cast<std::size_t>(n));
    return true;
  }

  int master_ = -1;
  pid_t pid_ = -1;
  std::string screen_;
};

TEST(Terminal, EachPromptIsShownBeforeTheProgramWaits) {
  Terminal terminal;
  ASSERT_TRUE(terminal.started());
  ASSERT_TRUE(terminal.wait_for(" Enter analysis type: 1=FRF  2=Modal Transient \r\n"))
      << terminal.screen();
  EXPECT_TRUE(terminal.quiet_for(300)) << "the program did not wait";
  terminal.type("1");
  ASSERT_TRUE(terminal.wait_for(" Enter input filename: \r\n")) << terminal.screen();
  EXPECT_TRUE(terminal.quiet_for(300)) << "the program did not wait";
  terminal.type(TORVEX_EXAMPLE_DECK);
  std::string screen = terminal.read_to_end();
  EXPECT_NE(screen.find(" point mass node = 901\r\n"), std::string::npos) << screen;
  // The report's last line, after everything before it.
  EXPECT_NE(screen.find(" RBE2 nodes 901 & 101  active dof = 3  z-axis link \r\n"),
            std::string::npos)
      << screen;
  EXPECT_EQ(terminal.exit_status(), 0);
}

}  // namespace
