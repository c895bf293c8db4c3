#include "verify/file_details.h"

#include <array>
#include <utility>

#include "text/path_text.h"
#include "verify/clipboard_text.h"
#include "verify/compare.h"

namespace ondrix {

std::wstring_view ReportTypeLabel(std::string_view calc_type_key) {
  static constexpr std::array<std::pair<std::string_view, std::wstring_view>, 11> kLabels = {{
      {"md4", L"MD4: "},
      {"md5", L"MD5: "},
      {"sha1", L"SHA1: "},
      {"sha256", L"SHA-256: "},
      {"sha384", L"SHA-384: "},
      {"sha512", L"SHA-512: "},
      {"ripemd128", L"RIPEMD-128: "},
      {"ripemd160", L"RIPEMD-160: "},
      {"haval", L"HAVAL: "},
      {"tiger", L"TIGER: "},
      {"crc32", L"CRC32: "},
  }};
  for (const auto& [key, label] : kLabels)
    if (key == calc_type_key) return label;
  return {};
}

std::vector<std::wstring> BuildFileDetails(const FileDetailsInputs& in) {
  std::vector<std::wstring> lines = {
      L"Filename: " + in.name_field_text,
      L"Folder:   " + FolderOf(in.selected_file_path),
      L"Path:     " + in.selected_file_path,
      L"Size:     " + in.size_text,
      L"",
      L"Created:  " + in.created_text,
      L"Modified: " + in.modified_text,
      L"Accessed: " + in.accessed_text,
      L"",
  };
  if (!in.calc_type_key.empty())
    lines.push_back(std::wstring(ReportTypeLabel(in.calc_type_key)) + in.computed);
  if (!in.expected.empty()) {
    lines.push_back(L"Expected: " + in.expected);
    lines.push_back(ChecksumsMatch(in.computed, in.expected) ? L"Result: Checksums match"
                                                             : L"Result: Checksums mismatch");
  }
  lines.push_back(L"");
  lines.push_back(BuildChecksumRow(in.selected_file_path, in.computed, in.asterisk));
  return lines;
}

FileDetailsTip BuildFileDetailsTip(std::wstring_view path, std::int64_t current_size,
                                   std::wstring_view created_text,
                                   std::wstring_view modified_text,
                                   std::wstring_view accessed_text) {
  FileDetailsTip tip;
  tip.title = path.size() < 90 ? std::wstring(path) : FileNameOf(path);
  tip.text = L"Size: " + std::to_wstring(current_size) + L"\r\nCREATED:  " +
             std::wstring(created_text) + L"\r\nMODIFIED: " + std::wstring(modified_text) +
             L"\r\nACCESSED: " + std::wstring(accessed_text);
  return tip;
}

}  // namespace ondrix
