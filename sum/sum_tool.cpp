#include "sum/sum_tool.h"

#include <cstdint>
#include <exception>
#include <optional>
#include <ostream>

#include "engines/file_stream.h"
#include "output/checksum_file_text.h"

namespace ondrix {
namespace {

constexpr std::string_view kToolName = "ondrix-sum";
constexpr std::string_view kDefaultTypeKey = "md5";

struct SumRequest {
  enum class Action { kSum, kList, kHelp };
  Action action = Action::kSum;
  const ChecksumTypeInfo* type = nullptr;
  std::vector<std::string> files;
};

std::string KeyList() {
  std::string keys;
  for (const auto& row : ChecksumTypes()) {
    if (!keys.empty()) keys += ", ";
    keys += row.key;
  }
  return keys;
}

void WriteUsage(std::ostream& out) {
  out << "Usage: " << kToolName << " [-t TYPE] FILE...\n"
      << "Prints the line Ondrix writes into a checksum file for each FILE.\n"
      << "\n"
      << "  -t, --type TYPE  checksum type (default " << kDefaultTypeKey << "), one of:\n"
      << "                   " << KeyList() << "\n"
      << "      --list       list the checksum types with their names\n"
      << "      --help       show this help\n"
      << "      --           end of options; every later argument is a file\n"
      << "\n"
      << "Exit status: 0 when every file was read, 1 when some file could not be\n"
      << "read (the others are still printed), 2 for a wrong command line.\n";
}

void WriteTypeList(std::ostream& out) {
  for (const auto& row : ChecksumTypes()) {
    std::string key(row.key);
    key.resize(12, ' ');
    out << key << row.display_name << '\n';
  }
}

void ReportUsageError(std::ostream& err, std::string_view message) {
  err << kToolName << ": " << message << '\n'
      << "Try '" << kToolName << " --help' for more information.\n";
}

void ReportFileError(std::ostream& err, std::string_view name, std::string_view reason) {
  err << kToolName << ": " << name << ": " << reason << '\n';
}

// Null after a usage error, which it has reported.
std::optional<SumRequest> ParseArgs(const std::vector<std::string>& args, std::ostream& err) {
  SumRequest request;
  std::string_view type_key = kDefaultTypeKey;
  bool options_ended = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (options_ended || arg.size() < 2 || arg[0] != '-') {
      request.files.push_back(arg);
    } else if (arg == "--") {
      options_ended = true;
    } else if (arg == "--help") {
      request.action = SumRequest::Action::kHelp;
    } else if (arg == "--list") {
      request.action = SumRequest::Action::kList;
    } else if (arg == "-t" || arg == "--type") {
      if (i + 1 == args.size()) {
        ReportUsageError(err, "option '" + arg + "' needs a checksum type");
        return std::nullopt;
      }
      type_key = args[++i];
    } else {
      ReportUsageError(err, "unknown option '" + arg + "'");
      return std::nullopt;
    }
  }
  if (request.action != SumRequest::Action::kSum) return request;

  request.type = FindTypeByKey(type_key);
  if (!request.type) {
    ReportUsageError(err, "unknown checksum type '" + std::string(type_key) +
                              "'; valid types: " + KeyList());
    return std::nullopt;
  }
  if (request.files.empty()) {
    ReportUsageError(err, "no file given");
    return std::nullopt;
  }
  return request;
}

// Prints the file's line, or reports why there is none.
bool SumOneFile(const ChecksumTypeInfo& type, const std::string& name, std::ostream& out,
                std::ostream& err) {
  std::filesystem::path path;
  try {
    path = PathFromUtf8(name);
  } catch (const std::exception&) {
    ReportFileError(err, name, "not a valid file name");
    return false;
  }
  FileStream stream(path);
  if (!stream.IsOpen()) {
    ReportFileError(err, name, stream.ErrorText());
    return false;
  }
  const StreamChecksum checksum = ChecksumOfStream(type, stream);
  if (!checksum.ok) {
    ReportFileError(err, name, checksum.text);
    return false;
  }
  out << ChecksumLine(type, checksum.text, name) << '\n';
  return true;
}

}  // namespace

std::string ChecksumLine(const ChecksumTypeInfo& type, std::string_view checksum,
                         std::string_view name) {
  if (type.IsCrc()) return BuildSfvDataLine(name, checksum);
  return BuildHashRecord(checksum, name, /*asterisk=*/true);
}

std::filesystem::path PathFromUtf8(std::string_view text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

int RunSumTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<SumRequest> request = ParseArgs(args, err);
  if (!request) return kSumExitUsage;
  switch (request->action) {
    case SumRequest::Action::kHelp:
      WriteUsage(out);
      return kSumExitOk;
    case SumRequest::Action::kList:
      WriteTypeList(out);
      return kSumExitOk;
    case SumRequest::Action::kSum:
      break;
  }
  bool all_read = true;
  for (const std::string& name : request->files)
    if (!SumOneFile(*request->type, name, out, err)) all_read = false;
  out.flush();
  return all_read ? kSumExitOk : kSumExitFileFailed;
}

}  // namespace ondrix
