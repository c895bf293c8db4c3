#include "text/path_text.h"

namespace ondrix {
namespace {

bool IsPathDelimiter(wchar_t c) { return c == L'\\' || c == L'/' || c == L':'; }

std::size_t NameStart(std::wstring_view path) {
  std::size_t i = path.size();
  while (i > 0 && !IsPathDelimiter(path[i - 1])) --i;
  return i;
}

}  // namespace

std::wstring FileNameOf(std::wstring_view path) { return std::wstring(path.substr(NameStart(path))); }

std::wstring FolderOf(std::wstring_view path) {
  std::size_t end = NameStart(path);
  // Keep a drive colon ("C:"), drop the separator(s) before the name.
  while (end > 0 && (path[end - 1] == L'\\' || path[end - 1] == L'/')) --end;
  return std::wstring(path.substr(0, end));
}

}  // namespace ondrix
