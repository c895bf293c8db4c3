// A read-only file stream on the C library, for the console tool and native
// tests. The window uses its own stream on a Win32 handle.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

#include "engines/byte_stream.h"
#include "engines/read_ahead.h"

namespace ondrix {

class FileStream final : public IByteStream {
 public:
  // Opens `path` for reading. On failure the stream is not open and
  // ErrorText() holds the system's reason ("No such file or directory", …).
  explicit FileStream(const std::filesystem::path& path);
  ~FileStream() override;
  FileStream(const FileStream&) = delete;
  FileStream& operator=(const FileStream&) = delete;

  bool IsOpen() const { return file_ != nullptr; }
  const std::string& ErrorText() const { return error_; }
  // The errno value behind ErrorText(): ENOENT tells a missing file apart.
  int ErrorNumber() const { return error_number_; }

  std::int64_t Size() override;
  std::int64_t Position() override;
  std::size_t Read(void* buffer, std::size_t count) override;
  ByteSpan ReadSpan(void* buffer, std::size_t count) override;

 private:
  // One read of the C stream into the read-ahead buffer.
  std::size_t ReadPiece(void* to, std::size_t want);

  std::FILE* file_ = nullptr;
  std::string error_;
  int error_number_ = 0;
  ReadAhead read_ahead_;
  // Bytes handed out so far: the position, without asking the system.
  std::int64_t position_ = 0;
};

// The C library's words for an errno value.
std::string SystemErrorText(int error_number);

}  // namespace ondrix
