// The history file beside the program: its path and the line a completed
// calculation appends to it. The file writing itself is the window's; the
// encoding of the bytes is decided by output/ansi_text.h.
//
// Texts are UTF-16 (see text/path_text.h for the convention).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ondrix {

// The five history options of the settings file. The line uses two of
// them; LogToFile decides whether a line is written at all, and the hidden
// and system flags go to ApplyHiddenSystemAttributes when the file is new.
struct HistoryOptions {
  bool log_to_file = false;        // LogToFile
  bool full_path = false;          // SaveFullPathInLogFile
  bool asterisk = true;            // AddAsterixToLogFile
  bool make_hidden = false;        // MakeHistoryFileHidden
  bool make_system = false;        // MakeHistoryFileSystem
};

// The program's path with its extension replaced by ".txt" (appended when
// the name has none).
std::wstring HistoryFilePath(std::wstring_view program_path);

// Width of the type column; the checksum starts at character 15, after the
// column and a two-space gap.
inline constexpr std::size_t kHistoryTypeColumnWidth = 12;

// One history line without its CR LF: the type's display name (ComboBox1's
// text) lower-cased, trimmed and padded to 12 characters, two spaces, the
// checksum as displayed, a space, "*" (or a space), then the full path or
// the bare file name. Display names are ASCII, so lower-casing ASCII letters
// is the locale's conversion for them.
std::wstring BuildHistoryLine(std::wstring_view type_display_name, std::wstring_view checksum,
                              std::wstring_view selected_file_path, const HistoryOptions& options);

// The line to append after a completed calculation, or nullopt when the
// history is off.
std::optional<std::wstring> HistoryLineToAppend(std::wstring_view type_display_name,
                                                std::wstring_view checksum,
                                                std::wstring_view selected_file_path,
                                                const HistoryOptions& options);

}  // namespace ondrix
