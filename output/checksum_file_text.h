// What goes into a checksum file: the file kind of each checksum type (its
// extension and save-dialog filter) and the lines themselves. The writer and
// the console tool build their lines here, so both produce the same files.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ondrix {

struct ChecksumFileKind {
  std::string_view key;        // checksum type key, as in the type catalogue
  std::string_view extension;  // with its dot: ".md5", ".sfv", …
  std::string_view filter;     // save-dialog filter: description|patterns|…
};

// The file kind of a type key; null for an unknown key.
const ChecksumFileKind* FindChecksumFileKind(std::string_view key);

// One hash-file line without its line ending: checksum, a space, then "*" (or
// a second space when `asterisk` is off), then the name field.
std::string BuildHashRecord(std::string_view checksum, std::string_view name_field, bool asterisk);

// The data line of an SFV file: the file name, a space, the checksum.
std::string BuildSfvDataLine(std::string_view file_name, std::string_view checksum);

// The three lines of an SFV file: the two comment lines naming the program and
// its web page, then the data line.
std::vector<std::string> BuildSfvLines(std::string_view file_name, std::string_view checksum);

// The lines as file content: every line, the last one included, ends in CR LF.
std::string JoinLinesCrLf(const std::vector<std::string>& lines);

}  // namespace ondrix
