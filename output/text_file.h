// Writing the program's text files: checksum files and the temporary report
// are written whole, the history file grows by one line at a time. The bytes
// are ANSI when the code page spells the content exactly, UTF-8 with a
// byte-order mark otherwise (output/ansi_text.h decides; this file supplies
// the Win32 code-page converter and does the file work).
#pragma once

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

// Appends `line` and CR LF to the history file at `path`, creating the file
// when there is none. Only a file created by this call gets attributes:
// normal, hidden, hidden and system, or system, as `hidden` and `system`
// say, and only when `settings_writable` answers true. An existing file's
// attributes are left alone.
//
// The file keeps one encoding: an ANSI file whose new line the code page
// cannot spell is rewritten as UTF-8 with a byte-order mark, old lines
// included (see output/ansi_text.h).
HistoryAppendResult AppendHistoryLine(const std::wstring& path, std::wstring_view line,
                                      bool hidden, bool system,
                                      const std::function<bool()>& settings_writable);

}  // namespace ondrix
