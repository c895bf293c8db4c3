#include "engines/file_stream.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <system_error>

namespace ondrix {
namespace {

#ifdef _WIN32
using StatBuf = struct _stat64;
int StatOf(std::FILE* f, StatBuf* st) { return _fstat64(_fileno(f), st); }
std::int64_t Tell(std::FILE* f) { return _ftelli64(f); }
std::FILE* OpenForReading(const std::filesystem::path& p) { return _wfopen(p.c_str(), L"rb"); }
#else
using StatBuf = struct stat;
int StatOf(std::FILE* f, StatBuf* st) { return fstat(fileno(f), st); }
std::int64_t Tell(std::FILE* f) { return ftello(f); }
std::FILE* OpenForReading(const std::filesystem::path& p) { return std::fopen(p.c_str(), "rb"); }
#endif

}  // namespace

std::string SystemErrorText(int error_number) {
  return std::generic_category().message(error_number);
}

FileStream::FileStream(const std::filesystem::path& path) {
  std::error_code ec;
  // A folder opens on some systems and only fails on the first read; say so
  // up front instead.
  if (std::filesystem::is_directory(path, ec)) {
    error_ = SystemErrorText(EISDIR);
    return;
  }
  errno = 0;
  file_ = OpenForReading(path);
  if (!file_) error_ = SystemErrorText(errno ? errno : ENOENT);
}

FileStream::~FileStream() {
  if (file_) std::fclose(file_);
}

std::int64_t FileStream::Size() {
  StatBuf st{};
  if (StatOf(file_, &st) != 0) throw EStreamError(SystemErrorText(errno));
  return std::int64_t(st.st_size);
}

std::int64_t FileStream::Position() {
  const std::int64_t pos = Tell(file_);
  if (pos < 0) throw EStreamError(SystemErrorText(errno));
  return pos;
}

std::size_t FileStream::Read(void* buffer, std::size_t count) {
  errno = 0;
  const std::size_t n = std::fread(buffer, 1, count, file_);
  if (n < count && std::ferror(file_)) {
    const int err = errno ? errno : EIO;
    std::clearerr(file_);
    throw EStreamError(SystemErrorText(err));
  }
  return n;
}

}  // namespace ondrix
