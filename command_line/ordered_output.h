// The output of decks checked in parallel, written exactly as checking
// them one after another would write it, in memory bounded whatever the
// decks' sizes.
#ifndef TORVEX_COMMAND_LINE_ORDERED_OUTPUT_H_
#define TORVEX_COMMAND_LINE_ORDERED_OUTPUT_H_

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "console/output.h"

namespace torvex {

/// Standard output and standard error of a run over several decks.
///
/// Deck i's bytes go out as soon as every deck before it has finished
/// (deck i is then "at the head"). Bytes of a deck not at the head are
/// held, up to a budget shared by all decks; a deck whose bytes do not fit
/// waits until it reaches the head, and the deck at the head never waits,
/// so the run always moves on. With separate_reports, every deck's first
/// standard-output bytes after those of an earlier deck are preceded by an
/// empty line, as head(1) separates files.
class OrderedOutput {
 public:
  OrderedOutput(int out_fd, int error_fd, std::size_t decks, std::size_t budget,
                bool separate_reports);
  OrderedOutput(const OrderedOutput&) = delete;
  OrderedOutput& operator=(const OrderedOutput&) = delete;

  /// Adds bytes to deck's standard output or standard error. Returns 0, or
  /// the errno value of the run's first failed write (from then on every
  /// byte is dropped).
  int write(std::size_t deck, bool to_error, std::string_view bytes);
  /// Deck has written all it will write.
  void finish(std::size_t deck);
  /// 0, or the errno value of the first failed write.
  int error();

  /// Deck i's standard output as a sink of an Output.
  class Stream : public OutputSink {
   public:
    Stream(OrderedOutput& owner, std::size_t deck) : owner_(owner), deck_(deck) {}
    int take(const char* data, std::size_t size) override {
      return owner_.write(deck_, false, std::string_view(data, size));
    }

   private:
    OrderedOutput& owner_;
    std::size_t deck_;
  };

 private:
  struct Segment {
    bool to_error;
    std::string bytes;
  };
  struct Deck {
    std::vector<Segment> held;
    bool done = false;
    bool wrote_output = false;
  };
  // Writes bytes of deck to its stream now; only the deck at the head, or
  // the thread moving the head past finished decks, does so.
  int emit(Deck& deck, bool to_error, std::string_view bytes);
  int emit_held(Deck& deck);

  int out_fd_;
  int error_fd_;
  std::size_t budget_;
  bool separate_reports_;
  std::mutex mutex_;
  std::condition_variable moved_;
  std::vector<Deck> decks_;
  std::size_t head_ = 0;
  std::size_t held_bytes_ = 0;
  bool any_output_ = false;
  int error_ = 0;
};

}  // namespace torvex

#endif  // TORVEX_COMMAND_LINE_ORDERED_OUTPUT_H_
