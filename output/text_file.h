// Writing the program's text files: checksum files and the temporary report
// are written whole, the history file grows by one line at a time. The bytes
// are ANSI when the code page spells the content exactly, UTF-8 with a
// byte-order mark otherwise (output/ansi_text.h decides; this file supplies
// the Win32 code-page converter and does the file work).
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "output/ansi_text.h"

namespace ondrix {

// `text` in the ANSI code page, or nullopt when some character has no exact
// counterpart there (no best-fit look-alikes, no default character).
std::optional<std::string> AnsiFromWide(std::wstring_view text);

// The converter as output/ansi_text.h takes it.
AnsiConverter Win32AnsiConverter();

// Creates `path`, or truncates and rewrites it, with every line followed by
// CR LF, the last one too. False when the file cannot be created or a write
// fails; a partly written file is left as it is.
bool WriteTextFile(const std::wstring& path, const std::vector<std::wstring>& lines);

enum class HistoryAppendResult {
  Appended,
  NotOpened,    // the file could not be opened or created: nothing written
  WriteFailed,  // opened, but the line could not be written
};

// Writes all of `bytes` to an open file; false when a write fails. A seam,
// so tests can fail a write part-way. The product passes WriteWholeBytes.
using FileWriteFn = std::function<bool(HANDLE file, std::string_view bytes)>;
bool WriteWholeBytes(HANDLE file, std::string_view bytes);

// Appends `line` and CR LF to the history file at `path`, creating the file
// when there is none. Only a file created by this call gets attributes:
// normal, hidden, hidden and system, or system, as `hidden` and `system`
// say, and only when `settings_writable` answers true. An existing file's
// attributes are left alone.
//
// The file keeps one encoding (see output/ansi_text.h). The first line an
// ANSI file cannot take converts it to UTF-8 with a byte-order mark: the old
// lines and the new one are written to a new file that then replaces the
// history in one rename, so a failure at any point leaves the history as it
// was (WriteFailed) and never half-converted.
//
// Copies of the program appending at the same moment take turns through a
// mutex named after the file; each line is one write to an append-only
// handle. When the turn does not come within seconds, nothing is written
// (WriteFailed).
HistoryAppendResult AppendHistoryLine(const std::wstring& path, std::wstring_view line,
                                      bool hidden, bool system,
                                      const std::function<bool()>& settings_writable,
                                      const FileWriteFn& write = WriteWholeBytes);

}  // namespace ondrix
