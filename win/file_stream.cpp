#include "win/file_stream.h"

#include "text/utf.h"
#include "win/last_error.h"

namespace ondrix {
namespace {

[[noreturn]] void ThrowLastError() {
  const DWORD code = ::GetLastError();
  // CancelSynchronousIo from the thread that stops the calculation.
  if (code == ERROR_OPERATION_ABORTED) throw EStreamCancelled(WideToUtf8(win::SystemErrorText(code)));
  throw EStreamError(WideToUtf8(win::SystemErrorText(code)));
}

}  // namespace

WinFileStream::~WinFileStream() { ::CloseHandle(file_); }

std::int64_t WinFileStream::Size() {
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file_, &size)) ThrowLastError();
  return size.QuadPart;
}

std::int64_t WinFileStream::Position() {
  LARGE_INTEGER zero{}, position{};
  if (!::SetFilePointerEx(file_, zero, &position, FILE_CURRENT)) ThrowLastError();
  // What was read ahead has not been handed out yet.
  return position.QuadPart - std::int64_t(read_ahead_.Buffered());
}

std::size_t WinFileStream::ReadOnce(void* to, std::size_t count) {
  // ReadFile takes a 32-bit count; the pieces are far smaller.
  const DWORD want = count > 0x40000000u ? 0x40000000u : DWORD(count);
  DWORD got = 0;
  if (!::ReadFile(file_, to, want, &got, nullptr)) ThrowLastError();
  return got;
}

std::size_t WinFileStream::Read(void* buffer, std::size_t count) {
  if (!read_ahead_on_) return ReadOnce(buffer, count);
  return read_ahead_.Read(buffer, count,
                          [this](void* to, std::size_t n) { return ReadOnce(to, n); });
}

ByteSpan WinFileStream::ReadSpan(void* buffer, std::size_t count) {
  if (!read_ahead_on_) return IByteStream::ReadSpan(buffer, count);
  return read_ahead_.ReadSpan(buffer, count,
                              [this](void* to, std::size_t n) { return ReadOnce(to, n); });
}

OpenedStream OpenFileStream(const std::wstring& path) {
  const std::wstring api_path = ExtendedLengthPath(path);
  HANDLE file = ::CreateFileW(api_path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN,
                              nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD code = ::GetLastError();
    std::wstring text = win::SystemErrorText(code);
    if (text.empty()) text = L"Error " + std::to_wstring(code);
    return {nullptr, std::move(text)};
  }
  return {std::make_unique<WinFileStream>(file), {}};
}

namespace {

class ThreadReadCanceller final : public IReadCanceller {
 public:
  explicit ThreadReadCanceller(HANDLE thread) noexcept : thread_(thread) {}
  ~ThreadReadCanceller() override { ::CloseHandle(thread_); }
  ThreadReadCanceller(const ThreadReadCanceller&) = delete;
  ThreadReadCanceller& operator=(const ThreadReadCanceller&) = delete;

  Result CancelRead() override {
    if (::CancelSynchronousIo(thread_)) return Result::kCancelled;
    return ::GetLastError() == ERROR_NOT_FOUND ? Result::kNoReadPending : Result::kFailed;
  }

 private:
  HANDLE thread_;
};

}  // namespace

std::unique_ptr<IReadCanceller> ReadCancellerForThisThread() {
  // CancelSynchronousIo needs a real handle with the terminate right; the
  // pseudo handle of GetCurrentThread means "the caller" in any thread.
  HANDLE thread = nullptr;
  if (!::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentThread(), ::GetCurrentProcess(), &thread,
                         THREAD_TERMINATE, FALSE, 0))
    return nullptr;
  return std::make_unique<ThreadReadCanceller>(thread);
}

}  // namespace ondrix
