#include "console/deck.h"

#include <cerrno>
#include <cstdint>
#include <cstring>

#include "console/byte_masks.h"
#include "console/file_access.h"
#include "console/newline_count.h"

namespace torvex {
namespace {

// The first newline among the size bytes at text, or null. Lines are a
// few dozen bytes: sixteen-byte steps in line beat a library call.
const char* find_newline(const char* text, std::size_t size) {
  std::size_t i = 0;
  for (; i + 16 <= size; i += 16) {
    if (std::uint32_t bits = equal_mask_16(text + i, '\n')) {
      return text + i + static_cast<std::size_t>(__builtin_ctz(bits));
    }
  }
  for (; i < size; ++i) {
    if (text[i] == '\n') return text + i;
  }
  return nullptr;
}

// The last newline among the size bytes at text, or null.
const char* find_last_newline(const char* text, std::size_t size) {
  for (std::size_t i = size; i > 0; --i) {
    if (text[i - 1] == '\n') return text + i - 1;
  }
  return nullptr;
}

}  // namespace

Deck::~Deck() {
  if (fd_ >= 0) close_file(fd_);
}

bool Deck::open(const std::string& name, std::string* reason) {
  // The system would open the name only up to a NUL byte: another file.
  if (name.find('\0') != std::string::npos) {
    *reason = "the name holds a NUL byte";
    return false;
  }
  // Opening a FIFO does not wait for a writer; it is refused below like
  // every file that is not a regular one.
  int fd = open_file(name);
  if (fd < 0) {
    *reason = name.empty() ? "no file name was given" : std::strerror(errno);
    return false;
  }
  FileKind kind;
  FileIdentity identity;
  if (!describe_file(fd, &kind, &identity)) {
    *reason = std::strerror(errno);
    close_file(fd);
    return false;
  }
  if (kind != FileKind::kRegular) {
    *reason = kind == FileKind::kDirectory ? std::strerror(EISDIR) : "not a regular file";
    close_file(fd);
    return false;
  }
  wait_for_data(fd);
  return open_descriptor(fd, reason);
}

bool Deck::open_standard_input(std::string* reason) {
  int fd = duplicate_standard_input();
  if (fd < 0) {
    *reason = std::strerror(errno);
    return false;
  }
  return open_descriptor(fd, reason);
}

bool Deck::open_descriptor(int fd, std::string* reason) {
  FileKind kind;
  FileIdentity identity;
  if (!describe_file(fd, &kind, &identity)) {
    *reason = std::strerror(errno);
    close_file(fd);
    return false;
  }
  if (kind == FileKind::kDirectory) {
    *reason = std::strerror(EISDIR);
    close_file(fd);
    return false;
  }
  // A pipe hands over what it holds, 64 KiB by default: a larger one
  // means fewer reads and fewer turns of its writer.
  if (kind == FileKind::kPipe) enlarge_pipe(fd, kBlockBytes);
  if (fd_ >= 0) close_file(fd_);
  fd_ = fd;
  identity_ = identity;
  seekable_ = kind == FileKind::kRegular;
  holding_start_ = start_full_ = false;
  read_error_ = 0;
  // A new deck starts with empty token fields, as the program does.
  tokens_ = TokenFields();
  pos_ = end_ = 0;
  buffer_offset_ = 0;
  end_of_deck_ = false;
  blocks_read_ = 0;
  rewind();
  return true;
}

void Deck::rewind() {
  statement_hint_ = kNoHint;
  lines_before_ = 0;
  counted_ = line_start_ = 0;
  first_is_line_start_ = true;
  if (!seekable_) {
    // Back to what hold_start() kept of a pipe.
    if (buffer_offset_ != 0) {
      read_error_ = ESPIPE;
      end_of_deck_ = true;
    }
    pos_ = 0;
    start_full_ = false;
    return;
  }
  pos_ = end_ = 0;
  buffer_offset_ = 0;
  end_of_deck_ = false;
  if (fd_ >= 0 && !rewind_file(fd_)) {
    read_error_ = errno;
    end_of_deck_ = true;
  }
}

// The start of the line that holds buffer_[at], at >= pos_. Lines restart
// after every newline and are cut every kMaxLineBytes bytes in between.
std::size_t Deck::piece_start(std::size_t at) const {
  // Most keywords that matter begin their line.
  if (at > pos_ && buffer_[at - 1] == '\n') return at;
  const char* newline = find_last_newline(buffer_ + pos_, at - pos_);
  std::size_t base = newline ? static_cast<std::size_t>(newline - buffer_) + 1 : pos_;
  return base + (at - base) / kMaxLineBytes * kMaxLineBytes;
}

// Moves buffer_[keep_from, end_) to the front and reads the next block
// behind it. False when nothing more could be read.
bool Deck::refill(std::size_t keep_from) {
  // Where reading goes on: the kept bytes start there.
  std::size_t go_on = keep_from;
  if (holding_start_) {
    // Nothing goes: more is read behind what is there, while there is room.
    if (end_ == kBufferBytes) {
      start_full_ = true;
      return false;
    }
    keep_from = 0;
  }
  if (count_lines_ && !holding_start_) {
    // buffer_[keep_from, end_) holds no newline (it is the start of a line
    // that goes on), so a search for statements that ran to the end has
    // counted the newlines from where it started already.
    std::size_t newlines =
        statement_hint_ == end_ && scan_from_ >= counted_
            ? count_newlines(buffer_ + counted_, scan_from_ - counted_) + scan_newlines_
            : count_newlines(buffer_ + counted_, keep_from - counted_);
    lines_before_ += static_cast<std::int64_t>(newlines);
    counted_ = line_start_ = 0;
  }
  first_is_line_start_ = is_line_start(keep_from);
  buffer_offset_ += keep_from;
  statement_hint_ = kNoHint;
  std::size_t kept = end_ - keep_from;
  std::memmove(buffer_, buffer_ + keep_from, kept);
  pos_ = go_on - keep_from;
  end_ = kept;
  if (end_of_deck_) return false;
  // Counting lines and finding statements read the bytes again: blocks
  // that stay in the processor's second-level cache make that cheap.
  std::size_t block = count_lines_ || find_includes_ ? kCountingBlockBytes : kBlockBytes;
  if (block > kBufferBytes - kept) block = kBufferBytes - kept;
  std::int64_t got = read_file(fd_, buffer_ + kept, block);
  if (got > 0) {
    end_ += static_cast<std::size_t>(got);
    ++blocks_read_;
    return true;
  }
  if (got < 0) read_error_ = errno != 0 ? errno : EIO;
  end_of_deck_ = true;
  return false;
}

bool Deck::next_line_with(const PairSet* pairs, std::string_view* line) {
  if (fd_ < 0) return false;
  for (;;) {
    std::size_t unread = end_ - pos_;
    std::size_t hit = pairs ? pos_ + pairs->find(buffer_ + pos_, unread) : pos_;
    if (find_includes_ && hit > pos_) {
      std::size_t statement = find_statement(pos_);
      if (statement < hit) hit = statement;
    }
    if (hit >= end_) {
      // No sequence here. Keep only the unfinished line at the end, whose
      // bytes may start a sequence that the next block completes.
      if (end_of_deck_) {
        pos_ = end_;
        return false;
      }
      std::size_t keep_from = unread ? piece_start(end_ - 1) : end_;
      if (keep_from < end_ &&
          (buffer_[end_ - 1] == '\n' || end_ - keep_from == kMaxLineBytes)) {
        keep_from = end_;  // the last line is complete
      }
      if (!refill(keep_from) && (pos_ == end_ || start_full_)) return false;
      continue;
    }
    std::size_t start = piece_start(hit);
    std::size_t room = end_ - start < kMaxLineBytes ? end_ - start : kMaxLineBytes;
    const char* newline = find_newline(buffer_ + start, room);
    std::size_t stop;
    if (newline) {
      stop = static_cast<std::size_t>(newline - buffer_) + 1;
    } else if (room == kMaxLineBytes || end_of_deck_) {
      stop = start + room;
    } else {
      // The line goes on in the next block.
      if (!refill(start) && start_full_) return false;
      continue;
    }
    *line = std::string_view(buffer_ + start, stop - start);
    line_start_ = start;
    pos_ = stop;
    return true;
  }
}

// Whether the physical line at buffer_[at] may be an INCLUDE statement:
// its first word, after blanks, starts with the letters of INCLUDE in any
// case. True as well when the buffer ends before that can be told.
bool Deck::may_start_statement(std::size_t at) const {
  while (at < end_ && (buffer_[at] == ' ' || buffer_[at] == '\t')) ++at;
  static constexpr char kWord[] = "include";
  for (std::size_t i = 0; i + 1 < sizeof kWord; ++i, ++at) {
    if (at == end_) return true;
    if ((buffer_[at] | 0x20) != kWord[i]) return false;
  }
  return true;
}

// The first line start at or after from that may be an INCLUDE statement,
// or end_. Between refills the answer is kept: the search goes forward.
std::size_t Deck::find_statement(std::size_t from) {
  if (statement_hint_ != kNoHint && statement_hint_ >= from) return statement_hint_;
  scan_from_ = from;
  scan_newlines_ = 0;
  if (is_line_start(from) && may_start_statement(from)) return statement_hint_ = from;
  // Every other line start follows a newline.
  for (std::size_t at = from; at < end_;) {
    std::size_t start =
        at + find_possible_statement(buffer_ + at, end_ - at, &scan_newlines_);
    if (start >= end_) break;
    if (may_start_statement(start)) return statement_hint_ = start;
    at = start;
  }
  return statement_hint_ = end_;
}

LineNumber Deck::line_number_of(std::uint64_t stop) const {
  LineNumber lines = 1;
  char block[64 * 1024];
  for (std::uint64_t at = 0; at < stop;) {
    std::size_t want =
        stop - at < sizeof block ? static_cast<std::size_t>(stop - at) : sizeof block;
    std::int64_t got = read_file_at(fd_, block, want, at);
    if (got <= 0) return 0;
    lines +=
        static_cast<LineNumber>(count_newlines(block, static_cast<std::size_t>(got)));
    at += static_cast<std::uint64_t>(got);
  }
  return lines;
}

std::int64_t Deck::line_number() {
  lines_before_ += static_cast<std::int64_t>(
      count_newlines(buffer_ + counted_, line_start_ - counted_));
  counted_ = line_start_;
  return lines_before_ + 1;
}

}  // namespace torvex
