// The hardware paths: forcing one reaches the engines that have it, and every
// EachPath suite runs once per path name.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/engines/engine_test_support.h"

namespace ondrix::test {
namespace {

std::string ParamName(const testing::TestParamInfo<std::string>& info) { return info.param; }

INSTANTIATE_TEST_SUITE_P(Paths, PublishedVectors, testing::ValuesIn(PathNames()), ParamName);
INSTANTIATE_TEST_SUITE_P(Paths, EveryPath, testing::ValuesIn(PathNames()), ParamName);

std::string_view PathInUse(std::string_view key) {
  const ChecksumTypeInfo& info = Info(key);
  if (info.IsCrc()) return Crc32PathName();
  static std::string name;
  name = info.create_engine()->EnginePathName();
  return name;
}

TEST(EnginePaths, ForcingAPathReachesEveryEngineThatHasIt) {
  const std::vector<EnginePathRow> rows = AllEnginePaths();
  for (const EnginePathRow& row : rows) {
    std::printf("engine path %-10s %-9s %s\n", std::string(row.type_key).c_str(),
                std::string(row.path).c_str(), row.usable ? "runs here" : "not on this processor");
    if (!row.usable) continue;
    ForceEnginePath(row.path);
    EXPECT_EQ(PathInUse(row.type_key), row.path) << row.type_key;
  }
  ForceEnginePath("");
}

TEST(EnginePaths, EveryTypeHasThePortablePathLastAndDefaultsToItsFastest) {
  const std::vector<EnginePathRow> rows = AllEnginePaths();
  for (const auto& type : ChecksumTypes()) {
    SCOPED_TRACE(std::string(type.key));
    std::vector<EnginePathRow> own;
    for (const EnginePathRow& row : rows)
      if (row.type_key == type.key) own.push_back(row);
    ASSERT_FALSE(own.empty());
    EXPECT_EQ(own.back().path, kPortablePath);
    EXPECT_TRUE(own.back().usable);
    std::string_view fastest;
    for (const EnginePathRow& row : own)
      if (row.usable && fastest.empty()) fastest = row.path;
    // Nothing forced, or a name no engine has: the fastest usable path.
    ForceEnginePath("");
    EXPECT_EQ(PathInUse(type.key), fastest);
    ForceEnginePath("no-such-path");
    EXPECT_EQ(PathInUse(type.key), fastest);
  }
  ForceEnginePath("");
}

}  // namespace
}  // namespace ondrix::test
