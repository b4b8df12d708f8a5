#include "console/file_access.h"

#include <cerrno>
#include <cstdlib>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace torvex {

#ifdef _WIN32

namespace {

// UTF-8 to the system's UTF-16; false for bytes that are not UTF-8.
bool wide_name(const std::string& name, std::wstring* wide) {
  if (name.empty()) {
    wide->clear();
    return true;
  }
  int size = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, name.data(),
                                 static_cast<int>(name.size()), nullptr, 0);
  if (size <= 0) return false;
  wide->resize(static_cast<std::size_t>(size));
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, name.data(),
                      static_cast<int>(name.size()), wide->data(), size);
  return true;
}

std::string utf8_name(const wchar_t* wide) {
  int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string name(static_cast<std::size_t>(size - 1), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, name.data(), size, nullptr, nullptr);
  return name;
}

bool describe_handle(HANDLE handle, FileKind* kind, FileIdentity* identity) {
  switch (GetFileType(handle)) {
    case FILE_TYPE_DISK: {
      BY_HANDLE_FILE_INFORMATION information;
      if (!GetFileInformationByHandle(handle, &information)) {
        errno = EIO;
        return false;
      }
      *kind = information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY
                  ? FileKind::kDirectory
                  : FileKind::kRegular;
      identity->volume = information.dwVolumeSerialNumber;
      identity->file =
          (std::uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow;
      return true;
    }
    case FILE_TYPE_PIPE:
      *kind = FileKind::kPipe;
      return true;
    default:
      *kind = FileKind::kOther;
      return true;
  }
}

}  // namespace

int open_file(const std::string& name) {
  std::wstring wide;
  if (!wide_name(name, &wide)) {
    errno = EILSEQ;
    return -1;
  }
  DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    errno = EISDIR;
    return -1;
  }
  // Binary: a text-mode read would drop carriage returns and stop at a
  // Ctrl-Z byte.
  return _wopen(wide.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}

bool describe_file(int fd, FileKind* kind, FileIdentity* identity) {
  HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
  if (handle == INVALID_HANDLE_VALUE) {
    errno = EBADF;
    return false;
  }
  return describe_handle(handle, kind, identity);
}

bool describe_path(const std::string& name, FileKind* kind, FileIdentity* identity) {
  std::wstring wide;
  if (!wide_name(name, &wide)) {
    errno = EILSEQ;
    return false;
  }
  // Backup semantics open folders too, for their identity.
  HANDLE handle =
      CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    errno = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
                    error == ERROR_INVALID_NAME
                ? ENOENT
                : EACCES;
    return false;
  }
  bool described = describe_handle(handle, kind, identity);
  CloseHandle(handle);
  return described;
}

int duplicate_standard_input() {
  int fd = _dup(0);
  if (fd >= 0) _setmode(fd, _O_BINARY);
  return fd;
}

void wait_for_data(int) {}

void enlarge_pipe(int, std::size_t) {}

std::int64_t read_file(int fd, char* buffer, std::size_t size) {
  int got = _read(fd, buffer, static_cast<unsigned>(size));
  // A pipe whose writer has gone ends the deck.
  if (got < 0 && GetLastError() == ERROR_BROKEN_PIPE) return 0;
  return got;
}

std::int64_t read_file_at(int fd, char* buffer, std::size_t size, std::uint64_t offset) {
  HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(offset);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  DWORD got = 0;
  if (!ReadFile(handle, buffer, static_cast<DWORD>(size), &got, &at)) {
    if (GetLastError() == ERROR_HANDLE_EOF) return 0;
    errno = EIO;
    return -1;
  }
  return got;
}

bool rewind_file(int fd) { return _lseeki64(fd, 0, SEEK_SET) == 0; }

void close_file(int fd) { _close(fd); }

int write_all(int fd, const char* data, std::size_t size) {
  // Standard output and standard error stay in text mode: each line end
  // is written as CR LF.
  while (size > 0) {
    unsigned part = size > (1u << 30) ? 1u << 30 : static_cast<unsigned>(size);
    int written = _write(fd, data, part);
    if (written < 0) {
      // A reader that went away, as a POSIX system tells it.
      DWORD error = GetLastError();
      if (error == ERROR_BROKEN_PIPE || error == ERROR_NO_DATA ||
          error == ERROR_PIPE_NOT_CONNECTED) {
        return EPIPE;
      }
      return errno != 0 ? errno : EIO;
    }
    if (written == 0) return EIO;
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return 0;
}

std::FILE* open_temporary_file() {
  wchar_t folder[MAX_PATH + 1];
  wchar_t path[MAX_PATH + 1];
  if (GetTempPathW(MAX_PATH + 1, folder) == 0 ||
      GetTempFileNameW(folder, L"tvx", 0, path) == 0) {
    errno = ENOENT;
    return nullptr;
  }
  // Deleted when closed, and kept from the disk while it fits in memory.
  int fd = _wopen(path, _O_RDWR | _O_BINARY | _O_TRUNC | _O_TEMPORARY | _O_SHORT_LIVED |
                            _O_NOINHERIT);
  if (fd < 0) {
    DeleteFileW(path);
    return nullptr;
  }
  std::FILE* file = _fdopen(fd, "w+b");
  if (file == nullptr) _close(fd);
  return file;
}

bool environment_value(const std::string& name, std::string* value) {
  std::wstring wide;
  if (!wide_name(name, &wide)) return false;
  const wchar_t* found = _wgetenv(wide.c_str());
  if (found == nullptr) return false;
  *value = utf8_name(found);
  return true;
}

std::vector<std::string> utf8_arguments(int argc, const wchar_t* const* argv) {
  SetConsoleCP(CP_UTF8);
  SetConsoleOutputCP(CP_UTF8);
  std::vector<std::string> arguments;
  for (int i = 0; i < argc; ++i) arguments.push_back(utf8_name(argv[i]));
  return arguments;
}

#else

namespace {

FileKind kind_of(const struct stat& status) {
  if (S_ISREG(status.st_mode)) return FileKind::kRegular;
  if (S_ISDIR(status.st_mode)) return FileKind::kDirectory;
  if (S_ISFIFO(status.st_mode)) return FileKind::kPipe;
  return FileKind::kOther;
}

void describe_status(const struct stat& status, FileKind* kind, FileIdentity* identity) {
  *kind = kind_of(status);
  identity->volume = static_cast<std::uint64_t>(status.st_dev);
  identity->file = static_cast<std::uint64_t>(status.st_ino);
}

}  // namespace

int open_file(const std::string& name) {
  // O_NONBLOCK: opening a FIFO must not wait for a writer.
  return ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
}

bool describe_file(int fd, FileKind* kind, FileIdentity* identity) {
  struct stat status;
  if (::fstat(fd, &status) != 0) return false;
  describe_status(status, kind, identity);
  return true;
}

bool describe_path(const std::string& name, FileKind* kind, FileIdentity* identity) {
  struct stat status;
  if (::stat(name.c_str(), &status) != 0) return false;
  describe_status(status, kind, identity);
  return true;
}

int duplicate_standard_input() { return ::fcntl(0, F_DUPFD_CLOEXEC, 0); }

void wait_for_data(int fd) { ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK); }

void enlarge_pipe([[maybe_unused]] int fd, [[maybe_unused]] std::size_t bytes) {
#if defined(F_SETPIPE_SZ)
  ::fcntl(fd, F_SETPIPE_SZ, static_cast<int>(bytes));
#endif
}

std::int64_t read_file(int fd, char* buffer, std::size_t size) {
  for (;;) {
    ssize_t got = ::read(fd, buffer, size);
    if (got < 0 && errno == EINTR) continue;
    return got;
  }
}

std::int64_t read_file_at(int fd, char* buffer, std::size_t size, std::uint64_t offset) {
  for (;;) {
    ssize_t got = ::pread(fd, buffer, size, static_cast<off_t>(offset));
    if (got < 0 && errno == EINTR) continue;
    return got;
  }
}

bool rewind_file(int fd) { return ::lseek(fd, 0, SEEK_SET) == 0; }

void close_file(int fd) { ::close(fd); }

int write_all(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    ssize_t written = ::write(fd, data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return errno;
    if (written == 0) return EIO;
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return 0;
}

std::FILE* open_temporary_file() {
  const char* folder = std::getenv("TMPDIR");
  std::string path = std::string(folder && *folder ? folder : "/tmp") + "/torvex-XXXXXX";
  int fd = ::mkstemp(path.data());
  if (fd < 0) return nullptr;
  // Gone from the folder as soon as it is open.
  ::unlink(path.c_str());
  std::FILE* file = ::fdopen(fd, "w+b");
  if (file == nullptr) ::close(fd);
  return file;
}

bool environment_value(const std::string& name, std::string* value) {
  const char* found = std::getenv(name.c_str());
  if (found == nullptr) return false;
  *value = found;
  return true;
}

std::vector<std::string> utf8_arguments(int, const wchar_t* const*) { return {}; }

#endif

}  // namespace torvex
