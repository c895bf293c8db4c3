#include "verify/notepad_report.h"

#include <shellapi.h>

#include <memory>
#include <mutex>

#include "win/file_stream.h"
#include "output/text_file.h"
#include "win/handles.h"

namespace ondrix {
namespace {

std::mutex& ExitListMutex() {
  static std::mutex mutex;
  return mutex;
}

std::vector<std::wstring>& ExitList() {
  static std::vector<std::wstring> paths;
  return paths;
}

std::wstring TempFolder() {
  const DWORD needed = ::GetTempPathW(0, nullptr);
  if (needed == 0) return {};
  std::wstring folder(needed, L'\0');
  const DWORD length = ::GetTempPathW(needed, folder.data());
  if (length == 0 || length >= needed) return {};
  folder.resize(length);
  return folder;
}

// GetTempFileNameW writes at most MAX_PATH characters; a temporary folder
// longer than that gives no name.
std::wstring NewTempFile() {
  const std::wstring folder = TempFolder();
  if (folder.empty()) return {};
  wchar_t name[MAX_PATH + 1] = {};
  if (::GetTempFileNameW(folder.c_str(), L"~", 0, name) == 0) return {};
  return name;
}

bool DeleteFileAnyLength(const std::wstring& path) {
  return ::DeleteFileW(ExtendedLengthPath(path).c_str()) != 0;
}

}  // namespace

ProgramLaunch ShellOpenProgram(const std::wstring& program, const std::wstring& parameters) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS;
  info.lpVerb = L"open";
  info.lpFile = program.c_str();
  info.lpParameters = parameters.c_str();
  info.nShow = SW_SHOWNORMAL;
  if (!::ShellExecuteExW(&info)) return {};
  ProgramLaunch launch;
  launch.started = true;
  if (info.hProcess) {
    auto process = std::make_shared<win::UniqueHandle>(info.hProcess);
    launch.wait_until_idle = [process](DWORD timeout_ms) {
      return ::WaitForInputIdle(process->Get(), timeout_ms) == 0;
    };
  }
  return launch;
}

NotepadReportResult ShowReportInNotepad(const std::vector<std::wstring>& lines,
                                        const ProgramLauncher& launch, DWORD ready_timeout_ms) {
  const std::wstring path = NewTempFile();
  if (path.empty()) return NotepadReportResult::NoTempFile;
  if (!WriteTextFile(path, lines)) {
    DeleteFileAnyLength(path);
    return NotepadReportResult::NotWritten;
  }

  const ProgramLaunch started = launch(L"notepad.exe", L"\"" + path + L"\"");
  if (!started.started) {
    DeleteFileAnyLength(path);
    return NotepadReportResult::NotStarted;
  }
  // Notepad reads its file before it first waits for input; until then the
  // file must stay.
  if (started.wait_until_idle && started.wait_until_idle(ready_timeout_ms)) {
    if (DeleteFileAnyLength(path)) return NotepadReportResult::Deleted;
  }
  DeleteTempFileAtExit(path);
  return NotepadReportResult::DeletedAtExit;
}

void DeleteTempFileAtExit(const std::wstring& path) {
  std::lock_guard<std::mutex> lock(ExitListMutex());
  ExitList().push_back(path);
}

void DeleteTempFilesAtExit() {
  std::vector<std::wstring> paths;
  {
    std::lock_guard<std::mutex> lock(ExitListMutex());
    paths.swap(ExitList());
  }
  for (const std::wstring& path : paths) DeleteFileAnyLength(path);
}

}  // namespace ondrix
