#include "startup/shell_verb_text.h"

namespace ondrix {

std::wstring ShellVerbCommandLine(std::wstring_view program_path) {
  std::wstring command = L"\"";
  command += program_path;
  command += L"\" \"%1\"";
  return command;
}

}  // namespace ondrix
