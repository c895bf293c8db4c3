// The calculation's file stream: a Win32 file handle opened for reading while
// other writers are kept out, so the bytes cannot change under the reader.
// Works for paths of any length and for names the ANSI code page cannot spell.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "engines/byte_stream.h"
#include "engines/read_ahead.h"
#include "win/file_path.h"

namespace ondrix {

class WinFileStream final : public IByteStream {
 public:
  // Takes ownership of an open handle.
  explicit WinFileStream(HANDLE file) noexcept
      : file_(file), read_ahead_on_(::GetFileType(file) == FILE_TYPE_DISK) {}
  ~WinFileStream() override;
  WinFileStream(const WinFileStream&) = delete;
  WinFileStream& operator=(const WinFileStream&) = delete;

  // Asked anew each call: a file that grows while it is read is read to its
  // new end by the CRC-32 loop. A failure throws EStreamError.
  std::int64_t Size() override;
  std::int64_t Position() override;
  // Throws EStreamError with the system's text, in UTF-8, when ReadFile
  // fails. A disk file is read ahead in large pieces (engines/read_ahead.h);
  // a pipe or device is read as asked, so a read returns what has arrived
  // instead of waiting to fill a piece.
  std::size_t Read(void* buffer, std::size_t count) override;
  // The same bytes; a block the read-ahead buffer holds whole is handed out
  // where it is.
  ByteSpan ReadSpan(void* buffer, std::size_t count) override;

 private:
  std::size_t ReadOnce(void* to, std::size_t count);

  HANDLE file_;
  bool read_ahead_on_;
  ReadAhead read_ahead_;
};

// Opens `path` for reading, other readers allowed, writers denied.
OpenedStream OpenFileStream(const std::wstring& path);

// Cancels the synchronous reads of the thread that calls this
// (CancelSynchronousIo); null when the thread's handle cannot be had.
std::unique_ptr<IReadCanceller> ReadCancellerForThisThread();

}  // namespace ondrix
