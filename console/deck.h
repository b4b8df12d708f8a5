// The deck reader: the open deck, its lines, its line numbers, and a
// rewind to its first byte.
#ifndef TORVEX_CONSOLE_DECK_H_
#define TORVEX_CONSOLE_DECK_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "console/file_access.h"
#include "console/pair_scan.h"
#include "console/place.h"
#include "console/tokens.h"

namespace torvex {

/// An open deck, read sequentially in large blocks.
///
/// Lines are handed out as views into the block buffer, valid until the
/// next call: a line is at most kMaxLineBytes bytes, ends with its newline
/// (and a carriage return before it) when it has one, and a longer
/// physical line arrives as consecutive pieces of kMaxLineBytes bytes. The
/// last line is delivered even without a final newline. NUL bytes are
/// ordinary bytes. Storage is fixed: nothing grows with the deck.
class Deck {
 public:
  Deck() = default;
  Deck(const Deck&) = delete;
  Deck& operator=(const Deck&) = delete;
  ~Deck();

  /// Opens the named file for reading. Only a regular file is accepted:
  /// the command line reads a deck's first lines for its analysis type and
  /// rewinds, which a directory, a pipe or a terminal cannot do. The token
  /// fields start empty. On failure returns false and sets *reason to a
  /// short explanation.
  bool open(const std::string& name, std::string* reason);
  /// Opens standard input as the deck: a regular file or a pipe (anything
  /// but a folder), read once. A pipe can be rewound only while
  /// hold_start() has kept every byte read.
  bool open_standard_input(std::string* reason);
  /// Takes the open descriptor fd as the deck, as open_standard_input()
  /// takes standard input; the deck closes it.
  bool open_descriptor(int fd, std::string* reason);
  bool is_open() const { return fd_ >= 0; }

  /// While on, nothing read is let go, so that rewind() goes back to the
  /// first byte of a deck that cannot seek (a pipe): lines are handed out
  /// up to the end of the first block at most, then the deck seems to end
  /// and start_full() is true. For reading a deck's first lines.
  void hold_start(bool on) { holding_start_ = on; }
  bool start_full() const { return start_full_; }
  /// Whether the deck is a regular file, which rewinds at any time.
  bool can_seek() const { return seekable_; }
  /// Which file the open deck is.
  const FileIdentity& identity() const { return identity_; }

  /// The next line of the deck; false at its end (or on a read error).
  bool next_line(std::string_view* line) { return next_line_with(nullptr, line); }

  /// The next line that contains one of the sequences of *pairs, skipping
  /// every line that contains none; every line when pairs is null. A line
  /// handed out may also be a line whose sequence only straddles its end;
  /// the caller decides what the line holds.
  bool next_line_with(const PairSet* pairs, std::string_view* line);

  /// Positions the deck at its first byte again. A deck that cannot seek
  /// goes back to what hold_start() kept; had it let bytes go, reading
  /// fails (ESPIPE).
  void rewind();

  /// Whether next_line_with() also hands out every physical line whose
  /// first word, after blanks, may be INCLUDE in any case, whatever the
  /// pairs, for a reader that follows INCLUDE statements. Such a line may
  /// turn out not to be a statement; the caller decides.
  void find_include_statements(bool on) {
    find_includes_ = on;
    statement_hint_ = kNoHint;
  }
  /// Whether the line handed out last starts a physical line, rather than
  /// going on with a line longer than kMaxLineBytes.
  bool line_starts_physical_line() const { return is_line_start(line_start_); }

  /// Whether line_number() may be asked; off, counting costs nothing.
  /// Takes effect from the deck's first byte: set it before reading.
  void count_lines(bool on) { count_lines_ = on; }
  bool counts_lines() const { return count_lines_; }
  /// The physical line number, from 1, of the line handed out last (a
  /// piece of a longer line has the number of the line it was cut from).
  /// Needs count_lines(true). Counts only the bytes since the last call.
  std::int64_t line_number();
  /// The place of the line handed out last, in the deck named by the user.
  Place place() { return {{}, line_number()}; }
  /// The file offset of the line handed out last.
  std::uint64_t line_offset() const { return buffer_offset_ + line_start_; }
  /// The physical line number of the line at a file offset, found by
  /// reading the file again up to it, whether lines are counted or not:
  /// for a rare finding. 0 when that read fails.
  LineNumber line_number_of(std::uint64_t offset) const;

  /// How many blocks have been read since the deck was opened: a new one
  /// is a new sample of the deck's bytes.
  std::uint64_t blocks_read() const { return blocks_read_; }
  /// The bytes of the block at hand not yet handed out.
  std::string_view unread() const { return {buffer_ + pos_, end_ - pos_}; }

  /// True once reading the deck has failed; read_error() then tells why.
  bool failed() const { return read_error_ != 0; }
  int read_error() const { return read_error_; }

  /// The token fields T1 to T8, shared by every card reader.
  TokenFields& tokens() { return tokens_; }

 private:
  static constexpr std::size_t kBlockBytes = 1 << 20;
  static constexpr std::size_t kCountingBlockBytes = 256 << 10;

  static constexpr std::size_t kNoHint = ~std::size_t{0};

  static constexpr std::size_t kBufferBytes = kBlockBytes + kMaxLineBytes;

  std::size_t piece_start(std::size_t at) const;
  bool refill(std::size_t keep_from);
  // Whether buffer_[at] is the first byte of a physical line.
  bool is_line_start(std::size_t at) const {
    return at == 0 ? first_is_line_start_ : buffer_[at - 1] == '\n';
  }
  std::size_t find_statement(std::size_t from);
  bool may_start_statement(std::size_t at) const;

  int fd_ = -1;
  FileIdentity identity_;
  bool seekable_ = true;
  bool holding_start_ = false;
  bool start_full_ = false;
  bool end_of_deck_ = false;
  std::uint64_t blocks_read_ = 0;
  int read_error_ = 0;
  // buffer_[pos_, end_) is unread; pos_ is always the start of a line.
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  // Line counting: the newlines before buffer_[counted_], and the start of
  // the line handed out last.
  bool count_lines_ = false;
  std::int64_t lines_before_ = 0;
  std::size_t counted_ = 0;
  std::size_t line_start_ = 0;
  // The file offset of buffer_[0], and whether it starts a physical line.
  std::uint64_t buffer_offset_ = 0;
  bool first_is_line_start_ = true;
  // INCLUDE statements: the first candidate line at or after the place
  // last searched from, end_ when there is none in the buffer.
  bool find_includes_ = false;
  std::size_t statement_hint_ = kNoHint;
  // The newlines among buffer_[scan_from_, statement_hint_), counted by
  // the search for statements, so that lines are not counted twice.
  std::size_t scan_from_ = 0;
  std::size_t scan_newlines_ = 0;
  TokenFields tokens_;
  // A block, plus room for the unfinished line carried over from the
  // block before.
  char buffer_[kBufferBytes];
};

}  // namespace torvex

#endif  // TORVEX_CONSOLE_DECK_H_
