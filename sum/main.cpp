// Process entry of ondrix-sum. On Windows the arguments arrive as UTF-16 so
// that any file name can be given; the tool works on UTF-8 and prints UTF-8.
#include <iostream>
#include <string>
#include <vector>

#include "sum/stdin_stream.h"
#include "sum/sum_tool.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <filesystem>
#include <optional>
#include <string_view>

#include "text/utf.h"

// A name from a list the window wrote in the ANSI code page.
std::optional<std::string> AnsiToUtf8(std::string_view text) {
  if (text.empty()) return std::string();
  const int length = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(),
                                         int(text.size()), nullptr, 0);
  if (length <= 0) return std::nullopt;
  std::wstring wide(std::size_t(length), L'\0');
  MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), int(text.size()), wide.data(),
                      length);
  return ondrix::WideToUtf8(wide);
}

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
  // Lists and files read from standard input are bytes, never text.
  _setmode(_fileno(stdin), _O_BINARY);
  ondrix::StdinStream standard_input;
  ondrix::SumEnvironment environment;
  environment.standard_input = &standard_input;
  environment.ansi_to_utf8 = AnsiToUtf8;
  const int status = ondrix::RunSumTool(args, environment, std::cout, std::cerr);
  if (console_page != 0) SetConsoleOutputCP(console_page);
  return status;
}
#else
int main(int argc, char** argv) {
  ondrix::StdinStream standard_input;
  ondrix::SumEnvironment environment;
  environment.standard_input = &standard_input;
  return ondrix::RunSumTool(std::vector<std::string>(argv + 1, argv + argc), environment,
                            std::cout, std::cerr);
}
#endif
