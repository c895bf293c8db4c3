#include "startup/file_info.h"

#include <shlwapi.h>

#include <cwchar>

#include "win/file_stream.h"
#include "startup/file_info_text.h"
#include "win/handles.h"

namespace ondrix {
namespace {

// A directory search treats '*' and '?' as patterns; no file name holds
// them, so such a path names no file rather than whichever file matches.
bool HasWildcard(std::wstring_view path) {
  if (path.starts_with(L"\\\\?\\")) path.remove_prefix(4);
  return path.find_first_of(L"*?") != std::wstring_view::npos;
}

// The directory entry of `path`, or nothing: a wildcard would match some
// other file, so a path with one finds nothing.
win::UniqueFind FindEntry(const std::wstring& path, WIN32_FIND_DATAW& data) {
  if (HasWildcard(path)) return {};
  return win::UniqueFind(::FindFirstFileW(ExtendedLengthPath(path).c_str(), &data));
}

std::wstring LocaleText(LCTYPE type, std::wstring_view fallback) {
  wchar_t buffer[16] = {};
  if (::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buffer, 16) > 1) return buffer;
  return std::wstring(fallback);
}

std::wstring TextOfFileTime(const FILETIME& utc) {
  SYSTEMTIME utc_parts{}, local{};
  if (!::FileTimeToSystemTime(&utc, &utc_parts)) return std::wstring(kUnknownFileTimeText);
  if (!::SystemTimeToTzSpecificLocalTime(nullptr, &utc_parts, &local))
    return std::wstring(kUnknownFileTimeText);
  return FileTimeText(local);
}

}  // namespace

std::wstring TryOpenFile(const std::wstring& path) {
  OpenedStream opened = OpenFileStream(path);
  return opened.stream ? std::wstring() : opened.error_text;
}

std::int64_t GetFileSize64(const std::wstring& path) {
  WIN32_FIND_DATAW data{};
  const win::UniqueFind find = FindEntry(path, data);
  if (!find || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return 0;
  return std::int64_t((std::uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
}

std::wstring FileTimeText(const SYSTEMTIME& local_time) {
  std::wstring text;
  const int n = ::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &local_time, nullptr,
                                  nullptr, 0, nullptr);
  if (n > 1) {
    text.resize(std::size_t(n));
    ::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &local_time, nullptr,
                      text.data(), n, nullptr);
    text.resize(std::size_t(n - 1));
  }
  const std::wstring separator = LocaleText(LOCALE_STIME, L":");
  wchar_t part[8];
  const auto two_digits = [&](WORD value) {
    std::swprintf(part, 8, L"%02u", unsigned(value));
    return std::wstring(part);
  };
  text += L' ';
  text += two_digits(local_time.wHour) + separator + two_digits(local_time.wMinute) + separator +
          two_digits(local_time.wSecond);
  return text;
}

FileTimeTexts ReadFileTimes(const std::wstring& path) {
  FileTimeTexts texts;
  WIN32_FIND_DATAW data{};
  const win::UniqueFind find = FindEntry(path, data);
  if (!find) return texts;
  texts.created = TextOfFileTime(data.ftCreationTime);
  texts.modified = TextOfFileTime(data.ftLastWriteTime);
  texts.accessed = TextOfFileTime(data.ftLastAccessTime);
  return texts;
}

std::wstring ShortSizeText(std::int64_t size) {
  wchar_t buffer[255] = {};
  if (!::StrFormatByteSizeW(size, buffer, 255)) return {};
  return buffer;
}

std::wstring FormatSizeText(std::int64_t size, std::wstring_view separator) {
  return FormatSizeText(ShortSizeText(size), size, separator);
}

unsigned DroppedItemCount(HDROP drop) { return ::DragQueryFileW(drop, 0xFFFFFFFFu, nullptr, 0); }

std::wstring ReadDroppedPath(HDROP drop, unsigned index) {
  if (index >= DroppedItemCount(drop)) return {};
  const UINT length = ::DragQueryFileW(drop, index, nullptr, 0);
  std::wstring path(std::size_t(length) + 1, L'\0');
  const UINT copied = ::DragQueryFileW(drop, index, path.data(), length + 1);
  path.resize(copied);
  return path;
}

}  // namespace ondrix
