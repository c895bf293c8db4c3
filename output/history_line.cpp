#include "output/history_line.h"

#include "text/path_text.h"

namespace ondrix {
namespace {

std::wstring LowerTrimmedAscii(std::wstring_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && text[begin] <= L' ') ++begin;
  while (end > begin && text[end - 1] <= L' ') --end;
  std::wstring lower(text.substr(begin, end - begin));
  for (wchar_t& c : lower)
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  return lower;
}

}  // namespace

std::wstring HistoryFilePath(std::wstring_view program_path) {
  const std::size_t name_start = program_path.size() - FileNameOf(program_path).size();
  const std::size_t dot = program_path.rfind(L'.');
  const std::wstring_view stem =
      (dot != std::wstring_view::npos && dot >= name_start) ? program_path.substr(0, dot)
                                                            : program_path;
  return std::wstring(stem) + L".txt";
}

std::wstring BuildHistoryLine(std::wstring_view type_display_name, std::wstring_view checksum,
                              std::wstring_view selected_file_path,
                              const HistoryOptions& options) {
  std::wstring line = LowerTrimmedAscii(type_display_name);
  if (line.size() < kHistoryTypeColumnWidth) line.resize(kHistoryTypeColumnWidth, L' ');
  line += L"  ";
  line += checksum;
  line += L' ';
  line += options.asterisk ? L'*' : L' ';
  line += options.full_path ? std::wstring(selected_file_path) : FileNameOf(selected_file_path);
  return line;
}

std::optional<std::wstring> HistoryLineToAppend(std::wstring_view type_display_name,
                                                std::wstring_view checksum,
                                                std::wstring_view selected_file_path,
                                                const HistoryOptions& options) {
  if (!options.log_to_file) return std::nullopt;
  return BuildHistoryLine(type_display_name, checksum, selected_file_path, options);
}

}  // namespace ondrix
