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
std::FILE* OpenForReading(const std::filesystem::path& p) { return _wfopen(p.c_str(), L"rb"); }
#else
using StatBuf = struct stat;
int StatOf(std::FILE* f, StatBuf* st) { return fstat(fileno(f), st); }
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
    error_number_ = EISDIR;
    error_ = SystemErrorText(error_number_);
    return;
  }
  errno = 0;
  file_ = OpenForReading(path);
  if (!file_) {
    error_number_ = errno ? errno : ENOENT;
    error_ = SystemErrorText(error_number_);
    return;
  }
  // The read-ahead is the only buffer: the C library's own would copy every
  // byte once more.
  std::setvbuf(file_, nullptr, _IONBF, 0);
}

FileStream::~FileStream() {
  if (file_) std::fclose(file_);
}

std::int64_t FileStream::Size() {
  StatBuf st{};
  if (StatOf(file_, &st) != 0) throw EStreamError(SystemErrorText(errno));
  return std::int64_t(st.st_size);
}

std::int64_t FileStream::Position() { return position_; }

std::size_t FileStream::ReadPiece(void* to, std::size_t want) {
  // The end-of-file mark would stop later reads for good; a file that
  // grows while it is read must be read to its new end.
  std::clearerr(file_);
  errno = 0;
  const std::size_t got = std::fread(to, 1, want, file_);
  if (got < want && std::ferror(file_)) {
    const int err = errno ? errno : EIO;
    std::clearerr(file_);
    throw EStreamError(SystemErrorText(err));
  }
  return got;
}

std::size_t FileStream::Read(void* buffer, std::size_t count) {
  const std::size_t n = read_ahead_.Read(
      buffer, count, [this](void* to, std::size_t want) { return ReadPiece(to, want); });
  position_ += std::int64_t(n);
  return n;
}

ByteSpan FileStream::ReadSpan(void* buffer, std::size_t count) {
  const ByteSpan span = read_ahead_.ReadSpan(
      buffer, count, [this](void* to, std::size_t want) { return ReadPiece(to, want); });
  position_ += std::int64_t(span.size);
  return span;
}

}  // namespace ondrix
