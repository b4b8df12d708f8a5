#include "command_line/ordered_output.h"

#include <cerrno>

#include "console/file_access.h"

namespace torvex {

OrderedOutput::OrderedOutput(int out_fd, int error_fd, std::size_t decks,
                             std::size_t budget, bool separate_reports)
    : out_fd_(out_fd),
      error_fd_(error_fd),
      budget_(budget),
      separate_reports_(separate_reports),
      decks_(decks) {}

int OrderedOutput::emit(Deck& deck, bool to_error, std::string_view bytes) {
  if (to_error) return write_all(error_fd_, bytes);
  int failure = 0;
  if (!deck.wrote_output && !bytes.empty()) {
    if (separate_reports_ && any_output_) failure = write_all(out_fd_, "\n");
    deck.wrote_output = any_output_ = true;
  }
  return failure ? failure : write_all(out_fd_, bytes);
}

int OrderedOutput::emit_held(Deck& deck) {
  int failure = 0;
  for (const Segment& segment : deck.held) {
    if (failure == 0 && error_ == 0)
      failure = emit(deck, segment.to_error, segment.bytes);
    held_bytes_ -= segment.bytes.size();
  }
  deck.held.clear();
  return failure;
}

int OrderedOutput::write(std::size_t index, bool to_error, std::string_view bytes) {
  std::unique_lock lock(mutex_);
  Deck& deck = decks_[index];
  for (;;) {
    if (error_ != 0) return error_;
    if (index == head_) {
      // Only this deck's thread writes while it is at the head, and the
      // head moves on only when it finishes: the lock can go.
      std::vector<Segment> held;
      held.swap(deck.held);
      std::size_t held_size = 0;
      for (const Segment& segment : held) held_size += segment.bytes.size();
      held_bytes_ -= held_size;
      moved_.notify_all();
      lock.unlock();
      int failure = 0;
      for (const Segment& segment : held) {
        if (failure == 0) failure = emit(deck, segment.to_error, segment.bytes);
      }
      if (failure == 0) failure = emit(deck, to_error, bytes);
      lock.lock();
      if (failure != 0 && error_ == 0) error_ = failure;
      return error_;
    }
    if (held_bytes_ + bytes.size() <= budget_) {
      if (deck.held.empty() || deck.held.back().to_error != to_error) {
        deck.held.push_back({to_error, {}});
      }
      deck.held.back().bytes.append(bytes);
      held_bytes_ += bytes.size();
      return 0;
    }
    moved_.wait(lock);
  }
}

void OrderedOutput::finish(std::size_t index) {
  std::lock_guard lock(mutex_);
  decks_[index].done = true;
  while (head_ < decks_.size() && decks_[head_].done) {
    int failure = emit_held(decks_[head_]);
    if (failure != 0 && error_ == 0) error_ = failure;
    ++head_;
  }
  moved_.notify_all();
}

int OrderedOutput::error() {
  std::lock_guard lock(mutex_);
  return error_;
}

}  // namespace torvex
