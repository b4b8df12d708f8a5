#include "console/including_deck.h"

#include <cerrno>
#include <cstring>
#include <utility>

namespace torvex {

IncludingDeck::IncludingDeck(IncludeSearch search) : search_(std::move(search)) {
  decks_.push_back(std::make_unique<Deck>());
}

bool IncludingDeck::open(const std::string& name, std::string* reason) {
  bool from_input = name == "-";
  if (!(from_input ? decks_[0]->open_standard_input(reason)
                   : decks_[0]->open(name, reason))) {
    return false;
  }
  paths_.clear();
  frames_.assign(1, Frame{{}, folder_of(name), decks_[0]->identity()});
  tokens_ = TokenFields();
  read_error_ = 0;
  failed_file_.clear();
  decks_[0]->find_include_statements(true);
  count_lines(count_lines_);
  rewind();
  return true;
}

void IncludingDeck::rewind() {
  frames_.resize(1);
  decks_[0]->rewind();
  name_goes_on_ = open_next_ = false;
  failures_.clear();
  failures_taken_ = 0;
}

void IncludingDeck::count_lines(bool on) {
  count_lines_ = on;
  for (std::size_t depth = 0; depth < frames_.size(); ++depth) {
    decks_[depth]->count_lines(on);
  }
  // A top deck that cannot be read again (a pipe) counts its lines from
  // the start, so that a failed statement's line is known all the same.
  if (!decks_[0]->can_seek()) decks_[0]->count_lines(true);
}

Place IncludingDeck::place() { return {frames_.back().path, current().line_number()}; }

bool IncludingDeck::take_failure(FailedInclude* failure) {
  if (failures_taken_ == failures_.size()) return false;
  const Failure& next = failures_[failures_taken_++];
  *failure = FailedInclude{next.at, next.name, next.reason};
  return true;
}

// The line handed out last starts a statement: where it is, for a failure.
void IncludingDeck::note_statement() {
  Deck& deck = current();
  statement_at_ =
      Place{frames_.back().path, deck.counts_lines() ? deck.line_number() : 0};
  statement_offset_ = deck.line_offset();
}

void IncludingDeck::fail_include(std::string reason) {
  Place at = statement_at_;
  // Without line counting the statement's line is found now, by reading
  // its file again: failures are rare, counting every line is not free.
  if (at.line == 0) at.line = current().line_number_of(statement_offset_);
  failures_.push_back(Failure{at, include_name_, std::move(reason)});
}

void IncludingDeck::open_include() {
  open_next_ = false;
  std::string failure;
  std::vector<std::string> candidates = include_candidates(
      include_name_, frames_.back().folder, frames_[0].folder, search_, &failure);
  std::string chosen;
  FileKind kind;
  FileIdentity identity;
  for (const std::string& candidate : candidates) {
    if (describe_path(candidate, &kind, &identity)) {
      chosen = candidate;
      break;
    }
    if (errno != ENOENT && errno != ENOTDIR) {
      failure = std::strerror(errno);
      break;
    }
  }
  if (chosen.empty()) {
    fail_include(failure.empty() ? std::strerror(ENOENT) : failure);
    return;
  }
  for (const Frame& frame : frames_) {
    if (frame.identity == identity) {
      fail_include("it is already being read (an include cycle)");
      return;
    }
  }
  if (frames_.size() > static_cast<std::size_t>(kMaxNesting)) {
    fail_include("included files nest deeper than " + std::to_string(kMaxNesting));
    return;
  }
  if (decks_.size() == frames_.size()) decks_.push_back(std::make_unique<Deck>());
  Deck& deck = *decks_[frames_.size()];
  std::string reason;
  if (!deck.open(chosen, &reason)) {
    fail_include(reason);
    return;
  }
  deck.find_include_statements(true);
  deck.count_lines(count_lines_);
  blocks_read_ += current().blocks_read();
  paths_.push_back(std::move(chosen));
  frames_.push_back(Frame{paths_.back(), folder_of(paths_.back()), identity});
}

bool IncludingDeck::next_line_with(const PairSet* pairs, std::string_view* line) {
  for (;;) {
    if (open_next_) open_include();
    Deck& deck = current();
    if (name_goes_on_) {
      // A quoted name that goes on: every line up to the closing quote.
      if (deck.next_line(line)) {
        if (continue_include_name(*line, &include_name_)) {
          name_goes_on_ = false;
          open_next_ = true;
        }
        return true;
      }
      name_goes_on_ = false;
      if (!deck.failed()) fail_include("the file ends before the name's closing quote");
    } else if (deck.next_line_with(pairs, line)) {
      if (deck.line_starts_physical_line()) {
        Statement statement = read_include_statement(*line, &include_name_);
        if (statement != Statement::kNone) {
          note_statement();
          if (statement == Statement::kComplete) {
            open_next_ = true;
          } else {
            name_goes_on_ = true;
          }
        }
      }
      return true;
    }
    if (deck.failed()) {
      read_error_ = deck.read_error();
      failed_file_ =
          frames_.size() == 1 ? std::string() : std::string(frames_.back().path);
      return false;
    }
    // This file has ended: its includer goes on.
    if (frames_.size() == 1) return false;
    blocks_read_ += current().blocks_read() + 1;
    frames_.pop_back();
  }
}

}  // namespace torvex
