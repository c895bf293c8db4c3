// ondrix-sum: prints each file's checksum line as the program writes it into
// checksum files. Everything but the process entry lives here, so tests run
// the tool in-process on their own streams.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "engines/byte_stream.h"
#include "engines/checksum_types.h"
#include "engines/stream_checksum.h"
#include "sum/check_list.h"

namespace ondrix {

inline constexpr int kSumExitOk = 0;
inline constexpr int kSumExitFileFailed = 1;
inline constexpr int kSumExitUsage = 2;

// Runs the tool. `args` are the command-line arguments after the program
// name, in UTF-8. Checksum lines go to `out`, help and the type list too;
// messages about bad files and a wrong command line go to `err`. Returns the
// exit status: kSumExitOk when every file was read, kSumExitFileFailed when
// some file was not (the others are still printed), kSumExitUsage for a wrong
// command line.
int RunSumTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// A command line taken apart.
struct SumCommand {
  enum class Action { kSum, kCheck, kList, kHelp };
  Action action = Action::kSum;
  const ChecksumTypeInfo* type = nullptr;  // set for kSum and kCheck
  bool type_given = false;                 // -t was on the command line
  bool tag = false;                        // --tag
  CheckOptions check;                      // the options of --check
  std::vector<std::string> files;          // files, or with --check the lists
};
// Null after a wrong command line, which it has reported on `err`.
std::optional<SumCommand> ParseSumCommandLine(const std::vector<std::string>& args,
                                              std::ostream& err);

// What the process gives the tool beyond its arguments.
struct SumEnvironment {
  // Standard input, for "-" as a list or a file; null: "-" cannot be read.
  IByteStream* standard_input = nullptr;
  // Names in lists that are not UTF-8 are in this code page (Windows' ANSI
  // page); unset where names are plain bytes.
  std::function<std::optional<std::string>(std::string_view)> ansi_to_utf8;
};
int RunSumTool(const std::vector<std::string>& args, const SumEnvironment& environment,
               std::ostream& out, std::ostream& err);

// The line a checksum file holds for `name` with the default options: the hash
// record with an asterisk, or for crc32 the SFV data line.
std::string ChecksumLine(const ChecksumTypeInfo& type, std::string_view checksum,
                         std::string_view name);

// A UTF-8 command-line argument as a path.
std::filesystem::path PathFromUtf8(std::string_view text);

}  // namespace ondrix
