// What the system says about the selected file: can it be opened, its size,
// its three times, the shell's size text, and the paths of a drop. Paths are
// UTF-16 of any length.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <string>

namespace ondrix {

// Empty when `path` can be opened for reading the way the worker opens it
// (other readers allowed, writers denied), else the system's text for the
// failure (sharing violation, access denied, not found, ...).
std::wstring TryOpenFile(const std::wstring& path);

// The size found by a directory search that matches files of every
// attribute but not directories; 0 when nothing is found.
std::int64_t GetFileSize64(const std::wstring& path);

struct FileTimeTexts {
  std::wstring created = L"?";
  std::wstring modified = L"?";
  std::wstring accessed = L"?";
};

// The creation, last-write and last-access times in local time, each as the
// user's short date, a space and hh:mm:ss (24-hour clock, the locale's time
// separator); all three "?" when the directory search finds nothing.
// Directories are found too.
FileTimeTexts ReadFileTimes(const std::wstring& path);

// One local time as ReadFileTimes writes it.
std::wstring FileTimeText(const SYSTEMTIME& local_time);

// The shell's short size text ("1.17 MB", "0 bytes").
std::wstring ShortSizeText(std::int64_t size);

// The size text of Label4 and the details report: the short size text,
// " ( ", the byte count grouped by `separator`, " B )".
std::wstring FormatSizeText(std::int64_t size, std::wstring_view separator);

// Number of items in a drop, and the full path of one of them (no length
// limit); empty when `index` is out of range.
unsigned DroppedItemCount(HDROP drop);
std::wstring ReadDroppedPath(HDROP drop, unsigned index);

}  // namespace ondrix
