// The deck reader's access to files, standard input and standard output:
// everything that differs between POSIX systems and Windows is here.
#ifndef TORVEX_CONSOLE_FILE_ACCESS_H_
#define TORVEX_CONSOLE_FILE_ACCESS_H_

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace torvex {

enum class FileKind { kRegular, kDirectory, kPipe, kOther };

/// Which file it is: two names or descriptors of one file have the same.
struct FileIdentity {
  std::uint64_t volume = 0;
  std::uint64_t file = 0;
  bool operator==(const FileIdentity&) const = default;
};

/// Opens the file named (UTF-8) to read its bytes as they are, without
/// waiting for the writer of a FIFO. Returns a descriptor, or -1 with
/// errno set; a folder gives EISDIR.
int open_file(const std::string& name);
/// The kind and identity of an open file; false with errno set.
bool describe_file(int fd, FileKind* kind, FileIdentity* identity);
/// The kind and identity of the file named, without opening it; false
/// with errno set (ENOENT when there is none).
bool describe_path(const std::string& name, FileKind* kind, FileIdentity* identity);
/// A descriptor of standard input of its own, reading bytes as they are.
int duplicate_standard_input();
/// Reads from fd wait for data again (open_file() does not wait).
void wait_for_data(int fd);
/// Lets a pipe hold bytes bytes at once, where the system allows it.
void enlarge_pipe(int fd, std::size_t bytes);
/// Reads up to size bytes: their number, 0 at the end, -1 with errno set.
std::int64_t read_file(int fd, char* buffer, std::size_t size);
/// The same at a file offset, leaving the file's position as it is.
std::int64_t read_file_at(int fd, char* buffer, std::size_t size, std::uint64_t offset);
/// Back to the file's first byte; false with errno set.
bool rewind_file(int fd);
void close_file(int fd);
/// Writes all size bytes: 0, or the errno value of a failed write. Line
/// ends are the system's: Windows console programs write CR LF.
int write_all(int fd, const char* data, std::size_t size);
inline int write_all(int fd, std::string_view bytes) {
  return write_all(fd, bytes.data(), bytes.size());
}
/// A new private file for reading and writing, in TMPDIR (else /tmp; on
/// Windows the user's temporary folder), gone once closed; null with
/// errno set.
std::FILE* open_temporary_file();

/// The value of the environment variable name, as UTF-8; false when it
/// is not set.
bool environment_value(const std::string& name, std::string* value);

/// Windows only: the program's arguments as UTF-8, and the console's code
/// pages set to UTF-8, so that names with any letters pass unchanged.
std::vector<std::string> utf8_arguments(int argc, const wchar_t* const* argv);

}  // namespace torvex

#endif  // TORVEX_CONSOLE_FILE_ACCESS_H_
