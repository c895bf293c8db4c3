// Process entry of ondrix-sum. On Windows the arguments arrive as UTF-16 so
// that any file name can be given; the tool works on UTF-8 and prints UTF-8.
#include <iostream>
#include <string>
#include <vector>

#include "sum/sum_tool.h"

#ifdef _WIN32
#include <windows.h>

#include <filesystem>

int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    try {
      const std::u8string text = std::filesystem::path(argv[i]).u8string();
      args.emplace_back(text.begin(), text.end());
    } catch (const std::exception&) {
      std::cerr << "ondrix-sum: argument " << i << " is not valid Unicode\n";
      return ondrix::kSumExitUsage;
    }
  }
  // A console shows the UTF-8 lines as text only in its UTF-8 code page; the
  // console's own page comes back afterwards, as its other programs expect.
  const UINT console_page = GetConsoleOutputCP();
  if (console_page != 0) SetConsoleOutputCP(CP_UTF8);
  const int status = ondrix::RunSumTool(args, std::cout, std::cerr);
  if (console_page != 0) SetConsoleOutputCP(console_page);
  return status;
}
#else
int main(int argc, char** argv) {
  return ondrix::RunSumTool(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
#endif
