// A deck as the solver reads it: INCLUDE statements followed, each
// included file's lines in place of the statement.
#ifndef TORVEX_CONSOLE_INCLUDING_DECK_H_
#define TORVEX_CONSOLE_INCLUDING_DECK_H_

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "console/deck.h"
#include "console/file_access.h"
#include "console/include_names.h"
#include "console/place.h"
#include "console/tokens.h"

namespace torvex {

/// An INCLUDE statement whose file could not be read: at is the
/// statement's first line, name the file as the statement names it.
struct FailedInclude {
  Place at;
  std::string_view name;
  std::string_view reason;
};

/// The lines of a top deck and of the files its INCLUDE statements name,
/// in the order the solver reads them, with the interface of a Deck.
///
/// A statement's own lines stay lines of the deck; the included file's
/// lines follow the statement's last line, then the including file goes
/// on. Each file is read by a Deck of its own (its lines cut at 199 bytes
/// from its own start, its last line ending with the file); the token
/// fields are one set for all. A statement whose file cannot be read (not
/// found, not a regular file, a cycle, nested too deep) is kept as a
/// FailedInclude, and the reading goes on.
class IncludingDeck {
 public:
  /// Included files below the top deck, at most, in one chain.
  static constexpr int kMaxNesting = 8;

  explicit IncludingDeck(IncludeSearch search);

  /// Opens the top deck; see Deck::open. "-" is standard input, read once
  /// (Deck::open_standard_input).
  bool open(const std::string& name, std::string* reason);
  /// The top deck alone.
  Deck& top() { return *decks_[0]; }

  bool next_line(std::string_view* line) { return next_line_with(nullptr, line); }
  /// As Deck::next_line_with, across the files; statement lines are
  /// handed out whatever the pairs.
  bool next_line_with(const PairSet* pairs, std::string_view* line);
  /// Whether the line handed out last starts a physical line of its file.
  bool line_starts_physical_line() const {
    return decks_[frames_.size() - 1]->line_starts_physical_line();
  }
  /// Back to the top deck's first byte; the failures found so far go.
  void rewind();

  /// True once reading a file has failed: the check cannot go on.
  bool failed() const { return read_error_ != 0; }
  int read_error() const { return read_error_; }
  /// The file whose reading failed, as it was opened.
  const std::string& failed_file() const { return failed_file_; }

  TokenFields& tokens() { return tokens_; }
  /// Changes whenever a block is read, in any file.
  std::uint64_t blocks_read() const {
    return blocks_read_ + decks_[frames_.size() - 1]->blocks_read();
  }
  /// The bytes of the current file's block not yet handed out.
  std::string_view unread() const { return decks_[frames_.size() - 1]->unread(); }
  void count_lines(bool on);
  LineNumber line_number() { return current().line_number(); }
  /// The place of the line handed out last: the top deck is named by an
  /// empty file, an included file by its path as opened. A place stays
  /// valid until the next open().
  Place place();

  /// The next statement whose file could not be read, since the last
  /// rewind; its texts stay valid until the next rewind.
  bool take_failure(FailedInclude* failure);
  /// Whether every statement's file was read since the last rewind.
  bool read_whole() const { return failures_.empty(); }
  /// The number of files included since open().
  std::size_t included_files() const { return paths_.size(); }

 private:
  struct Frame {
    std::string_view path;  // empty for the top deck
    std::string folder;
    FileIdentity identity;
  };
  struct Failure {
    Place at;
    std::string name;
    std::string reason;
  };

  Deck& current() { return *decks_[frames_.size() - 1]; }
  void note_statement();
  void open_include();
  void fail_include(std::string reason);

  IncludeSearch search_;
  // One reader per depth of the chain, made when first needed and kept.
  std::vector<std::unique_ptr<Deck>> decks_;
  std::vector<Frame> frames_;
  // Every path opened since open(): places refer to them.
  std::deque<std::string> paths_;
  TokenFields tokens_;
  bool count_lines_ = false;

  // The statement being read: its name so far, where it started, and
  // whether the name goes on (a quote not yet closed) or is whole and its
  // file is opened before the next line.
  std::string include_name_;
  Place statement_at_;
  std::uint64_t statement_offset_ = 0;
  bool name_goes_on_ = false;
  bool open_next_ = false;

  std::deque<Failure> failures_;
  std::size_t failures_taken_ = 0;
  int read_error_ = 0;
  std::string failed_file_;
  // The blocks of the files that have ended or are paused, so that the
  // count goes on changing as files open and end.
  std::uint64_t blocks_read_ = 0;
};

}  // namespace torvex

#endif  // TORVEX_CONSOLE_INCLUDING_DECK_H_
