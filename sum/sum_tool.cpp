#include "sum/sum_tool.h"

#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <ostream>

#include "engines/file_stream.h"
#include "output/checksum_file_text.h"
#include "sum/check_line.h"
#include "sum/check_list.h"
#include "sum/stdin_stream.h"

namespace ondrix {
namespace {

constexpr std::string_view kToolName = "ondrix-sum";
constexpr std::string_view kDefaultTypeKey = "md5";

std::string KeyList() {
  std::string keys;
  for (const auto& row : ChecksumTypes()) {
    if (!keys.empty()) keys += ", ";
    keys += row.key;
  }
  return keys;
}

void WriteUsage(std::ostream& out) {
  out << "Usage: " << kToolName << " [-t TYPE] [--tag] FILE...\n"
      << "  or:  " << kToolName << " -c [-t TYPE] [OPTION]... [LIST]...\n"
      << "Prints the line Ondrix writes into a checksum file for each FILE, or\n"
      << "checks the files named in checksum lists.\n"
      << "\n"
      << "  -t, --type TYPE  checksum type (default " << kDefaultTypeKey << "), one of:\n"
      << "                   " << KeyList() << "\n"
      << "      --tag        print BSD-style lines: TYPE (FILE) = CHECKSUM\n"
      << "  -c, --check      read checksum lists and check the files they name\n"
      << "      --list       list the checksum types with their names\n"
      << "      --help       show this help\n"
      << "      --           end of options; every later argument is a file\n"
      << "\n"
      << "Options that only apply with --check:\n"
      << "      --ignore-missing  skip listed files that do not exist\n"
      << "      --quiet           do not print OK for each file that matches\n"
      << "      --status          print nothing; the exit status tells the result\n"
      << "      --strict          fail when a line is improperly formatted\n"
      << "  -w, --warn            report each improperly formatted line\n"
      << "\n"
      << "A list may hold GNU lines (CHECKSUM *NAME or CHECKSUM  NAME, the escaped\n"
      << "form starting with a backslash), BSD lines (SHA256 (NAME) = CHECKSUM), SFV\n"
      << "lines (NAME CRC, ';' comments) and every checksum file Ondrix writes, in\n"
      << "ANSI or UTF-8, with CR LF or LF. Names are relative to the list's folder.\n"
      << "The type of a line is its BSD tag, else TYPE, else the list's extension\n"
      << "(.md5, .sha256, .sfv, ...), else the checksum's length; where a length fits\n"
      << "several types, -t or the extension must decide. LIST - or no LIST reads\n"
      << "standard input. Each file prints NAME: OK, NAME: FAILED or NAME: FAILED\n"
      << "open or read, as GNU sha256sum -c does.\n"
      << "\n"
      << "Exit status: 0 when every file was read (with --check: and matched), 1\n"
      << "when some file could not be read or did not match (the others are still\n"
      << "processed), 2 for a wrong command line.\n";
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

// The long options that take no value, and what each sets.
bool ApplyFlag(std::string_view name, SumCommand& request) {
  if (name == "help") request.action = SumCommand::Action::kHelp;
  else if (name == "list") request.action = SumCommand::Action::kList;
  else if (name == "check") request.action = SumCommand::Action::kCheck;
  else if (name == "tag") request.tag = true;
  else if (name == "quiet") request.check.quiet = true;
  else if (name == "status") request.check.status = true;
  else if (name == "strict") request.check.strict = true;
  else if (name == "warn") request.check.warn = true;
  else if (name == "ignore-missing") request.check.ignore_missing = true;
  else return false;
  return true;
}

// Null after a usage error, which it has reported.
std::optional<SumCommand> ParseArgs(const std::vector<std::string>& args, std::ostream& err) {
  SumCommand request;
  std::string_view type_key = kDefaultTypeKey;
  bool options_ended = false;
  // --help and --list win over everything else, as they always did.
  std::optional<SumCommand::Action> info_action;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (options_ended || arg.size() < 2 || arg[0] != '-') {
      request.files.push_back(arg);
    } else if (arg == "--") {
      options_ended = true;
    } else if (arg.rfind("--", 0) == 0) {
      const std::size_t equals = arg.find('=');
      const std::string name = arg.substr(2, equals == std::string::npos ? equals : equals - 2);
      if (name == "type") {
        if (equals != std::string::npos) {
          type_key = std::string_view(arg).substr(equals + 1);
        } else if (i + 1 == args.size()) {
          ReportUsageError(err, "option '" + arg + "' needs a checksum type");
          return std::nullopt;
        } else {
          type_key = args[++i];
        }
        request.type_given = true;
        continue;
      }
      if (equals != std::string::npos || !ApplyFlag(name, request)) {
        ReportUsageError(err, "unknown option '" + arg + "'");
        return std::nullopt;
      }
      if (name == "help" || name == "list") info_action = request.action;
    } else {
      // Short options, alone or run together: -c, -w, -t TYPE, -tTYPE, -cw.
      for (std::size_t k = 1; k < arg.size(); ++k) {
        const char option = arg[k];
        if (option == 'c') {
          request.action = SumCommand::Action::kCheck;
        } else if (option == 'w') {
          request.check.warn = true;
        } else if (option == 't') {
          if (k + 1 < arg.size()) {
            type_key = std::string_view(arg).substr(k + 1);
          } else if (i + 1 == args.size()) {
            ReportUsageError(err, "option '-t' needs a checksum type");
            return std::nullopt;
          } else {
            type_key = args[++i];
          }
          request.type_given = true;
          break;
        } else {
          ReportUsageError(err, "unknown option '-" + std::string(1, option) + "'");
          return std::nullopt;
        }
      }
    }
  }
  if (info_action) {
    request.action = *info_action;
    return request;
  }

  request.type = FindTypeByKey(type_key);
  if (!request.type) {
    ReportUsageError(err, "unknown checksum type '" + std::string(type_key) +
                              "'; valid types: " + KeyList());
    return std::nullopt;
  }
  const bool checking = request.action == SumCommand::Action::kCheck;
  if (checking) {
    if (request.tag) {
      ReportUsageError(err, "the --tag option is meaningless when verifying checksums");
      return std::nullopt;
    }
    request.check.type = request.type_given ? request.type : nullptr;
    if (request.files.empty()) request.files.push_back("-");
    return request;
  }
  for (const auto& [set, name] : {std::pair{request.check.quiet, "--quiet"},
                                  std::pair{request.check.status, "--status"},
                                  std::pair{request.check.strict, "--strict"},
                                  std::pair{request.check.warn, "--warn"},
                                  std::pair{request.check.ignore_missing, "--ignore-missing"}}) {
    if (set) {
      ReportUsageError(err, "the " + std::string(name) +
                                " option is meaningful only when verifying checksums");
      return std::nullopt;
    }
  }
  if (request.files.empty()) {
    ReportUsageError(err, "no file given");
    return std::nullopt;
  }
  return request;
}

// A name in a BSD line: where a backslash is not a folder separator, a name
// with a backslash or a line break is escaped and the line starts with a
// backslash, so that every name reads back as written.
std::string BsdLine(const ChecksumTypeInfo& type, std::string_view checksum, std::string_view name) {
#ifdef _WIN32
  constexpr std::string_view kEscaped = "\n\r";
#else
  constexpr std::string_view kEscaped = "\\\n\r";
#endif
  const bool escaped = name.find_first_of(kEscaped) != std::string_view::npos;
  std::string line = escaped ? "\\" : "";
  line += BsdTagOf(type);
  line += " (";
  if (escaped) {
    for (const char c : name) {
      if (c == '\n') line += "\\n";
      else if (c == '\r') line += "\\r";
      else if (c == '\\') line += "\\\\";
      else line += c;
    }
  } else {
    line += name;
  }
  line += ") = ";
  line += checksum;
  return line;
}

// Prints the file's line, or reports why there is none.
bool SumOneFile(const SumCommand& request, const std::string& name, IByteStream* standard_input,
                std::ostream& out, std::ostream& err) {
  const ChecksumTypeInfo& type = *request.type;
  std::unique_ptr<IByteStream> stream;
  if (name == "-" && standard_input) {
    stream = std::make_unique<BorrowedStream>(*standard_input);
  } else {
    std::filesystem::path path;
    try {
      path = PathFromUtf8(name);
    } catch (const std::exception&) {
      ReportFileError(err, name, "not a valid file name");
      return false;
    }
    auto file = std::make_unique<FileStream>(path);
    if (!file->IsOpen()) {
      ReportFileError(err, name, file->ErrorText());
      return false;
    }
    stream = std::move(file);
  }
  const StreamChecksum checksum = ChecksumOfStream(type, *stream);
  if (!checksum.ok) {
    ReportFileError(err, name, checksum.text);
    return false;
  }
  out << (request.tag ? BsdLine(type, checksum.text, name) : ChecksumLine(type, checksum.text, name))
      << '\n';
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

std::optional<SumCommand> ParseSumCommandLine(const std::vector<std::string>& args,
                                              std::ostream& err) {
  return ParseArgs(args, err);
}

int RunSumTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  return RunSumTool(args, SumEnvironment{}, out, err);
}

int RunSumTool(const std::vector<std::string>& args, const SumEnvironment& environment,
               std::ostream& out, std::ostream& err) {
  std::optional<SumCommand> request = ParseArgs(args, err);
  if (!request) return kSumExitUsage;
  switch (request->action) {
    case SumCommand::Action::kHelp:
      WriteUsage(out);
      return kSumExitOk;
    case SumCommand::Action::kList:
      WriteTypeList(out);
      return kSumExitOk;
    case SumCommand::Action::kCheck: {
      bool all_good = true;
      request->check.ansi_to_utf8 = environment.ansi_to_utf8;
      for (const std::string& list : request->files)
        if (!CheckList(list, request->check, environment.standard_input, out, err))
          all_good = false;
      out.flush();
      return all_good ? kSumExitOk : kSumExitFileFailed;
    }
    case SumCommand::Action::kSum:
      break;
  }
  bool all_read = true;
  for (const std::string& name : request->files)
    if (!SumOneFile(*request, name, environment.standard_input, out, err)) all_read = false;
  out.flush();
  return all_read ? kSumExitOk : kSumExitFileFailed;
}

}  // namespace ondrix
