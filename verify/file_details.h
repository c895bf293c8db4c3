// The file details report (name, folder, path, size, times, checksum,
// comparison, row) and the compact details tip of the file-name field.
// Pure functions of what the window shows; the window copies the lines to
// the clipboard or writes them to a temporary file for Notepad.
//
// Texts are UTF-16 (see text/path_text.h for the convention).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ondrix {

struct FileDetailsInputs {
  std::wstring name_field_text;     // label9 as shown, e.g. "(no file selected)"
  std::wstring selected_file_path;  // SelectedFilePath
  std::wstring size_text;           // FormatSizeText(SelectedFileSize, " ")
  std::wstring created_text;        // FileCreatedText
  std::wstring modified_text;       // FileModifiedText
  std::wstring accessed_text;       // FileAccessedText
  std::string calc_type_key;        // CalcTypeKey; empty before any calculation
  std::wstring computed;            // Edit1 as displayed
  std::wstring expected;            // Edit2 as displayed
  bool asterisk = true;             // AddAsterixWhenSavedToFile
};

// The label of the checksum line for a type key ("MD5: ", "HAVAL: ", ...);
// empty for an unknown key.
std::wstring_view ReportTypeLabel(std::string_view calc_type_key);

// The report, one element per line, without line endings. The type line is
// left out while no calculation was started, the expected and result lines
// while Edit2 is empty. The result line says "match" only for a real
// checksum: an aborted calculation ("?") never matches.
std::vector<std::wstring> BuildFileDetails(const FileDetailsInputs& in);

// The title and text of the details tip of the file-name field.
struct FileDetailsTip {
  std::wstring title;
  std::wstring text;
};

// Title: the path when it is shorter than 90 characters, else the file name.
// Text: the current size in plain digits and the three times, CR LF between
// the lines and none after the last.
FileDetailsTip BuildFileDetailsTip(std::wstring_view path, std::int64_t current_size,
                                   std::wstring_view created_text,
                                   std::wstring_view modified_text,
                                   std::wstring_view accessed_text);

}  // namespace ondrix
