#include "checker/report_record.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "console/file_access.h"

namespace torvex {

ReportRecord::ReportRecord(std::size_t memory_bytes) : memory_bytes_(memory_bytes) {}

ReportRecord::~ReportRecord() {
  if (spilled_ != nullptr) std::fclose(spilled_);
}

bool ReportRecord::fail(int error) {
  if (error_ == 0) error_ = error != 0 ? error : EIO;
  return false;
}

bool ReportRecord::add(std::uint32_t reports, const Place& at, std::string_view line,
                       std::string_view reason) {
  if (error_ != 0) return false;
  std::uint8_t flags = (at.line != 0 || !at.file.empty() ? kHasPlace : 0) |
                       (!reason.empty() ? kHasReason : 0);
  bool large = line.size() >= kLargeSize;
  std::size_t size =
      4 + (large ? 4 : 0) +
      (flags & kHasPlace ? sizeof(const char*) + sizeof(std::size_t) + sizeof(LineNumber)
                         : 0) +
      (flags & kHasReason ? 4 : 0) + line.size() + reason.size();
  if (used_ + size > capacity_) {
    if (capacity_ < memory_bytes_) {
      // The buffer grows from 64 KiB up to the bound: a small deck keeps a
      // small record.
      std::size_t larger = std::max(
          {std::min(memory_bytes_, std::max<std::size_t>(2 * capacity_, 64 * 1024)),
           used_ + size});
      // Not zeroed: only the bytes the entries fill are ever touched.
      std::unique_ptr<char[]> grown(new char[larger]);
      if (used_ > 0) std::memcpy(grown.get(), buffer_.get(), used_);
      buffer_ = std::move(grown);
      capacity_ = larger;
    } else {
      if (used_ > 0 && !spill()) return false;
      if (size > capacity_) {
        // An entry larger than the buffer (a long include name).
        buffer_.reset(new char[size]);
        capacity_ = size;
      }
    }
  }
  char* out = buffer_.get() + used_;
  auto put = [&](const void* value, std::size_t bytes) {
    // An empty text may have no data at all: memcpy must not see it.
    if (bytes == 0) return;
    std::memcpy(out, value, bytes);
    out += bytes;
  };
  // Reports, flags and the line's size in one four-byte head.
  std::uint16_t small_size = static_cast<std::uint16_t>(large ? kLargeSize : line.size());
  char head[4] = {static_cast<char>(reports), static_cast<char>(flags)};
  std::memcpy(head + 2, &small_size, 2);
  put(head, 4);
  if (large) {
    std::uint32_t line_size = static_cast<std::uint32_t>(line.size());
    put(&line_size, 4);
  }
  if (flags & kHasPlace) {
    const char* file = at.file.data();
    std::size_t file_size = at.file.size();
    put(&file, sizeof file);
    put(&file_size, sizeof file_size);
    put(&at.line, sizeof at.line);
  }
  if (flags & kHasReason) {
    std::uint32_t reason_size = static_cast<std::uint32_t>(reason.size());
    put(&reason_size, 4);
  }
  put(line.data(), line.size());
  put(reason.data(), reason.size());
  used_ += size;
  return true;
}

// Moves the entries in memory to the temporary file.
bool ReportRecord::spill() {
  if (spilled_ == nullptr) {
    errno = 0;
    spilled_ = open_temporary_file();
    if (spilled_ == nullptr) return fail(errno);
  }
  if (std::fwrite(buffer_.get(), 1, used_, spilled_) != used_) return fail(errno);
  used_ = 0;
  return true;
}

bool ReportRecord::start_reading() {
  reading_ = true;
  read_at_ = 0;
  if (error_ != 0) return false;
  if (spilled_ == nullptr) {
    file_ended_ = true;  // everything is in memory
    return true;
  }
  if (used_ > 0 && !spill()) return false;
  if (std::fflush(spilled_) != 0) return fail(errno);
  std::rewind(spilled_);
  return true;
}

bool ReportRecord::have(std::size_t size) {
  while (used_ - read_at_ < size) {
    if (file_ended_) return false;
    // Keep what is left, read the next large piece behind it.
    std::size_t kept = used_ - read_at_;
    std::memmove(buffer_.get(), buffer_.get() + read_at_, kept);
    read_at_ = 0;
    used_ = kept;
    if (kept + size > capacity_) {
      std::unique_ptr<char[]> larger(new char[kept + size]);
      std::memcpy(larger.get(), buffer_.get(), kept);
      buffer_ = std::move(larger);
      capacity_ = kept + size;
    }
    std::size_t got = std::fread(buffer_.get() + kept, 1, capacity_ - kept, spilled_);
    used_ += got;
    if (got == 0) {
      if (std::ferror(spilled_)) return fail(errno);
      file_ended_ = true;
    }
  }
  return true;
}

bool ReportRecord::next(Entry* entry) {
  if (!reading_ || error_ != 0) return false;
  if (!have(4)) {
    if (read_at_ != used_) fail(EIO);  // an entry cut short
    return false;
  }
  const char* in = buffer_.get() + read_at_;
  std::uint8_t reports = static_cast<std::uint8_t>(in[0]);
  std::uint8_t flags = static_cast<std::uint8_t>(in[1]);
  std::uint16_t small_size;
  std::memcpy(&small_size, in + 2, 2);
  std::size_t fields =
      (small_size == kLargeSize ? 4 : 0) +
      (flags & kHasPlace ? sizeof(const char*) + sizeof(std::size_t) + sizeof(LineNumber)
                         : 0) +
      (flags & kHasReason ? 4 : 0);
  if (!have(4 + fields)) return fail(EIO);
  in = buffer_.get() + read_at_ + 4;
  auto take = [&](void* value, std::size_t bytes) {
    std::memcpy(value, in, bytes);
    in += bytes;
  };
  std::size_t line_size = small_size;
  if (small_size == kLargeSize) {
    std::uint32_t large;
    take(&large, 4);
    line_size = large;
  }
  const char* file = nullptr;
  std::size_t file_size = 0;
  LineNumber line = 0;
  if (flags & kHasPlace) {
    take(&file, sizeof file);
    take(&file_size, sizeof file_size);
    take(&line, sizeof line);
  }
  std::uint32_t reason_size = 0;
  if (flags & kHasReason) take(&reason_size, 4);
  if (!have(4 + fields + line_size + reason_size)) return fail(EIO);
  const char* texts = buffer_.get() + read_at_ + 4 + fields;
  entry->reports = reports;
  entry->at = Place{std::string_view(file, file_size), line};
  entry->line = std::string_view(texts, line_size);
  entry->reason = std::string_view(texts + line_size, reason_size);
  read_at_ += 4 + fields + line_size + reason_size;
  return true;
}

}  // namespace torvex
