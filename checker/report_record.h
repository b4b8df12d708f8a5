// The lines whose reports wait for the end of the reading: their reports
// compare nodes with the mass node, which the last CONM2 line decides.
#ifndef TORVEX_CHECKER_REPORT_RECORD_H_
#define TORVEX_CHECKER_REPORT_RECORD_H_

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "console/place.h"

namespace torvex {

/// Lines to report and INCLUDE statements that failed, in deck order:
/// kept in memory up to a bound, then in a temporary file, so memory
/// stays bounded whatever the deck. Written once, then read once.
class ReportRecord {
 public:
  /// Bytes kept in memory before the record goes to a temporary file.
  static constexpr std::size_t kMemoryBytes = 2u << 20;

  /// What an entry asks for: the reports of its line, or a failure.
  enum Reports : std::uint32_t {
    kLoad = 1,
    kLink = 2,
    kConstraint = 4,
    kEigenvalues = 8,
    kTimeStep = 16,
    kFailedInclude = 32,
  };

  struct Entry {
    std::uint32_t reports;
    Place at;
    std::string_view line;    // the line, or the include name of a failure
    std::string_view reason;  // of a failure
  };

  explicit ReportRecord(std::size_t memory_bytes = kMemoryBytes);
  ~ReportRecord();
  ReportRecord(const ReportRecord&) = delete;
  ReportRecord& operator=(const ReportRecord&) = delete;

  /// Adds an entry. Texts are copied; a place's file must outlive the
  /// record. False once writing the temporary file has failed.
  bool add(std::uint32_t reports, const Place& at, std::string_view line,
           std::string_view reason = {});

  /// Ends the writing; entries are then read in the order added.
  bool start_reading();
  /// The next entry, valid until the next call; false at the end or on a
  /// failure.
  bool next(Entry* entry);

  /// 0, or the errno value of a failed write or read of the temporary file.
  int error() const { return error_; }

 private:
  // An entry: a 4-byte head (reports, flags, the line's size or
  // kLargeSize), then as the flags say a 4-byte size, the place and the
  // reason's size, then the texts. Lines of the report path are short and
  // have no place when lines are not counted: 4 bytes of head.
  static constexpr std::uint8_t kHasPlace = 1;
  static constexpr std::uint8_t kHasReason = 2;
  static constexpr std::uint16_t kLargeSize = 0xFFFF;

  bool spill();
  bool fail(int error);
  // Makes buffer_[read_at_, read_at_ + size) available; false at the end.
  bool have(std::size_t size);

  std::size_t memory_bytes_;
  // While writing, the entries not yet in the file, buffer_[0, used_);
  // while reading, the entries read, from read_at_ on not yet handed out.
  std::unique_ptr<char[]> buffer_;
  std::size_t capacity_ = 0;
  std::size_t used_ = 0;
  std::size_t read_at_ = 0;
  std::FILE* spilled_ = nullptr;
  bool reading_ = false;
  bool file_ended_ = false;
  int error_ = 0;
};

}  // namespace torvex

#endif  // TORVEX_CHECKER_REPORT_RECORD_H_
