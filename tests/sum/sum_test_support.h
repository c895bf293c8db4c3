// What the ondrix-sum tests share: running the tool in-process, and a folder
// of files made for each test and removed after it. Portable.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "sum/sum_tool.h"

namespace ondrix::test {

namespace fs = std::filesystem;

// The checksums of "abc", the file content most tests write.
constexpr std::string_view kMd5Abc = "900150983cd24fb0d6963f7d28e17f72";
constexpr std::string_view kSha256Abc =
    "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";

// A path as a command line names it: UTF-8.
inline std::string Utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

struct ToolRun {
  int status;
  std::string out, err;
};

inline ToolRun RunTool(const std::vector<std::string>& args, const SumEnvironment& environment = {}) {
  std::ostringstream out, err;
  const int status = RunSumTool(args, environment, out, err);
  return {status, out.str(), err.str()};
}

// A folder of the test's own under the system's temporary folder, removed
// with the fixture; names are UTF-8 and relative to it.
class SumFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    dir_ = fs::temp_directory_path() / ("ondrix-sum-test-" + std::to_string(stamp));
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  // Writes `content` to the file `name`; returns its path as UTF-8.
  std::string MakeFile(std::string_view name, std::string_view content) {
    const fs::path path = dir_ / PathFromUtf8(name);
    std::ofstream(path, std::ios::binary).write(content.data(), std::streamsize(content.size()));
    return Utf8(path);
  }
  std::string MakeFolder(std::string_view name) {
    const fs::path path = dir_ / PathFromUtf8(name);
    fs::create_directories(path);
    return Utf8(path);
  }
  std::string Missing(std::string_view name) { return Utf8(dir_ / PathFromUtf8(name)); }

  fs::path dir_;
};

}  // namespace ondrix::test
