// The file details report shown in Notepad: written to a temporary file that
// Notepad opens. The file is deleted once Notepad has read it, which is when
// its process first waits for input; when that cannot be known (no process
// handle, Notepad slow to start), the file is left for DeleteTempFilesAtExit.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace ondrix {

// What starting a program gave back.
struct ProgramLaunch {
  bool started = false;
  // Waits up to `timeout_ms` for the started process to finish its start-up
  // and wait for input; true when it did. Empty when the start gave no
  // process handle.
  std::function<bool(DWORD timeout_ms)> wait_until_idle;
};

// Starts `program` with `parameters`; the window's starter of programs.
using ProgramLauncher =
    std::function<ProgramLaunch(const std::wstring& program, const std::wstring& parameters)>;

// The real starter: ShellExecuteExW with the verb "open", shown normally,
// keeping the process handle to wait on.
ProgramLaunch ShellOpenProgram(const std::wstring& program, const std::wstring& parameters);

inline constexpr DWORD kNotepadReadyTimeoutMs = 5000;

enum class NotepadReportResult {
  NoTempFile,     // the system gave no temporary file name
  NotWritten,     // the report could not be written; Notepad not started
  NotStarted,     // Notepad did not start; the file is deleted
  Deleted,        // Notepad opened the file and it is deleted
  DeletedAtExit,  // Notepad started, but the file is left for the exit
};

// Writes `lines` (each followed by CR LF) to a new temporary file named
// "~XXXX.tmp", starts "notepad.exe" with the quoted path and deletes the
// file once Notepad has opened it.
NotepadReportResult ShowReportInNotepad(const std::vector<std::wstring>& lines,
                                        const ProgramLauncher& launch,
                                        DWORD ready_timeout_ms = kNotepadReadyTimeoutMs);

// Files to delete when the program ends, and the deletion itself, which the
// program runs on its way out.
void DeleteTempFileAtExit(const std::wstring& path);
void DeleteTempFilesAtExit();

}  // namespace ondrix
