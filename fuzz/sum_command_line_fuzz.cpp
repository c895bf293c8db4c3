// ondrix-sum's command line: the input split at NUL bytes into arguments.
// Only the parsing runs (the files an argument might name are never opened),
// plus --help and --list, which print without reading anything. A command
// line is either taken, with what each action needs, or refused with a
// message.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "sum/sum_tool.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> args(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) args.emplace_back();
    else args.back() += char(data[i]);
  }
  if (args.size() > 64) return 0;

  std::ostringstream err;
  const auto command = ondrix::ParseSumCommandLine(args, err);
  if (!command) {
    FUZZ_CHECK(err.str().rfind("ondrix-sum: ", 0) == 0);
    FUZZ_CHECK(err.str().find("Try 'ondrix-sum --help'") != std::string::npos);
    return 0;
  }
  FUZZ_CHECK(err.str().empty());
  using Action = ondrix::SumCommand::Action;
  switch (command->action) {
    case Action::kSum:
      FUZZ_CHECK(command->type != nullptr && !command->files.empty());
      break;
    case Action::kCheck:
      FUZZ_CHECK(command->type != nullptr && !command->files.empty() && !command->tag);
      FUZZ_CHECK(command->type_given == (command->check.type != nullptr));
      break;
    case Action::kHelp:
    case Action::kList: {
      std::ostringstream out, run_err;
      FUZZ_CHECK(ondrix::RunSumTool(args, out, run_err) == ondrix::kSumExitOk);
      FUZZ_CHECK(!out.str().empty() && run_err.str().empty());
      break;
    }
  }
  return 0;
}
