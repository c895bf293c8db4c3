// The key table, the key groups and the typed reads built on them.
#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <stdexcept>
#include <string>

#include "settings/settings_keys.h"
#include "settings/settings_rules.h"
#include "settings/settings_values.h"

namespace ondrix {
namespace {

using K = SettingKey;
using G = SettingsGroup;

TEST(SettingsKeys, TableIsCompleteAndEveryTextDefaultReadsUnderItsType) {
  const auto& keys = SettingKeys();
  std::set<std::string> lower_names;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const auto& row = keys[i];
    EXPECT_EQ(std::size_t(row.key), i) << row.name;
    std::string lower(row.name);
    for (auto& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_TRUE(lower_names.insert(lower).second) << row.name;  // the file ignores case
    EXPECT_EQ(FindSettingKey(lower), &row);
    if (row.default_kind != DefaultKind::Text) continue;
    switch (row.type) {
      case SettingType::Boolean:
        EXPECT_TRUE(row.default_text == "0" || row.default_text == "1") << row.name;
        break;
      case SettingType::Integer:
        EXPECT_TRUE(ParseStoredInt(row.default_text).has_value()) << row.name;
        break;
      case SettingType::Colour:
        EXPECT_TRUE(ColorFromName(row.default_text).has_value()) << row.name;
        break;
      case SettingType::Date:
        EXPECT_TRUE(ReadDate(row.default_text).has_value()) << row.name;
        break;
      case SettingType::String:
        break;
    }
  }
  EXPECT_EQ(keys.size(), 48u);
  EXPECT_EQ(keys.front().name, "Caption_bar_visible");
  EXPECT_EQ(keys.back().name, "Context_Menu_Last_Used_Checksum_Type");
  EXPECT_EQ(FindSettingKey("Colour_for_background"), nullptr);
}

TEST(SettingsKeys, NoSettingsFileGivesTheDocumentedFirstStart) {
  const StoredText absent;
  EXPECT_EQ(IntSetting(K::Caption_bar_visible, absent), 1);
  EXPECT_TRUE(BoolSetting(K::StayOnTop, absent));
  EXPECT_TRUE(BoolSetting(K::SnapToEdge, absent));
  EXPECT_TRUE(BoolSetting(K::AutocalculateWhenChecksumTypeChanged, absent));
  EXPECT_TRUE(BoolSetting(K::AutocalculateWhenFileDropped, absent));
  EXPECT_TRUE(BoolSetting(K::ShowFilenameOnTitleBar, absent));
  EXPECT_TRUE(BoolSetting(K::AddAsterixToLogFile, absent));
  EXPECT_TRUE(BoolSetting(K::AddAsterixWhenSavedToFile, absent));
  EXPECT_TRUE(BoolSetting(K::EnableOldVersionWarning, absent));
  EXPECT_TRUE(BoolSetting(K::CheckForUpdate, absent));
  EXPECT_FALSE(BoolSetting(K::UseBoldFont, absent));
  EXPECT_FALSE(BoolSetting(K::LogToFile, absent));
  EXPECT_EQ(IntSetting(K::ApplicationThreadLevel, absent), 32);
  EXPECT_EQ(IntSetting(K::Transparency_value, absent), 255);
  EXPECT_EQ(IntSetting(K::Transparency_Only_For_Miniform, absent), 1);
  EXPECT_EQ(IntSetting(K::Miniform, absent), -1);
  EXPECT_EQ(IntSetting(K::Param1, absent), 1);
  EXPECT_EQ(IntSetting(K::Param2, absent), 0);
  EXPECT_EQ(IntSetting(K::Width, absent, NormalMinWidthFor(96)), 415);
  EXPECT_EQ(StringSetting(K::DefaultChecksum, absent), "MD5");
  EXPECT_EQ(StringSetting(K::ShellDefaultAction, absent), "MD5");
  EXPECT_EQ(DefaultActionItemFor(StringSetting(K::ShellDefaultAction, absent))->item, "MD51");
  EXPECT_EQ(StringSetting(K::Context_Menu_Last_Used_Checksum_Type, absent), "MD5");
  EXPECT_EQ(ColorSetting(K::Color_for_background, absent), kClBtnFace);
  EXPECT_EQ(ColorSetting(K::Color_for_edit_controls, absent), kClWindow);
  EXPECT_EQ(ColorSetting(K::Color_for_fonts_in_edit_controls, absent), kClWindowText);
  EXPECT_EQ(DateSetting(K::LastUpdateCheck, absent), (Date{2009, 1, 1}));
}

TEST(SettingsKeys, StoredTextsOverrideDefaultsOnlyWhenTheyReadAsTheirType) {
  // Present but empty: a string is empty, not its default; numbers fall back.
  EXPECT_EQ(StringSetting(K::ShellDefaultAction, StoredText("")), "");
  EXPECT_EQ(DefaultActionItemFor(StringSetting(K::ShellDefaultAction, StoredText("")))->item,
            "Nocalculate1");
  EXPECT_TRUE(BoolSetting(K::StayOnTop, StoredText("")));
  EXPECT_FALSE(BoolSetting(K::UseBoldFont, StoredText("true")));
  EXPECT_FALSE(BoolSetting(K::StayOnTop, StoredText("0")));
  EXPECT_EQ(IntSetting(K::Caption_bar_visible, StoredText("2")), 2);
  EXPECT_EQ(IntSetting(K::Miniform, StoredText("x")), -1);
  EXPECT_EQ(IntSetting(K::Left, StoredText("-20"), 300), -20);
  EXPECT_EQ(IntSetting(K::Left, StoredText("left"), 300), 300);
  EXPECT_EQ(IntSetting(K::Top, std::nullopt, 150), 150);
  EXPECT_EQ(ColorSetting(K::Color_for_background, StoredText("$00C08040")), 0x00C08040u);
  EXPECT_EQ(ColorSetting(K::Color_for_background, StoredText("purple-ish")), kClBtnFace);
  EXPECT_EQ(DateSetting(K::LastUpdateCheck, StoredText("2024-12-27")), (Date{2024, 12, 27}));
  EXPECT_EQ(DateSetting(K::LastUpdateCheck, StoredText("27.12.2024")), (Date{2009, 1, 1}));

  // Asking for the wrong type or forgetting a computed default is a bug.
  EXPECT_THROW(BoolSetting(K::Transparency_value, std::nullopt), std::logic_error);
  EXPECT_THROW(IntSetting(K::Width, std::nullopt), std::logic_error);
  EXPECT_THROW(IntSetting(K::UpdateCount, std::nullopt), std::logic_error);
  EXPECT_THROW(StringSetting(K::LastUpdateCheck, std::nullopt), std::logic_error);
}

TEST(SettingsKeys, MirroredItemsMatchTheRadioGroupTables) {
  const auto items = [](K key) {
    std::set<std::string_view> out;
    for (auto item : KeyInfo(key).items) out.insert(item);
    return out;
  };
  std::set<std::string_view> levels, priorities, actions;
  for (const auto& row : TransparencyLevels()) levels.insert(row.item);
  for (const auto& row : PriorityItems()) priorities.insert(row.item);
  for (const auto& row : DefaultActionItems()) actions.insert(row.item);
  EXPECT_EQ(items(K::Transparency_value), levels);
  EXPECT_EQ(items(K::ApplicationThreadLevel), priorities);
  EXPECT_EQ(items(K::ShellDefaultAction), actions);
  EXPECT_EQ(levels.size(), 10u);
  EXPECT_EQ(priorities.size(), 6u);
  EXPECT_EQ(actions.size(), 13u);

  // No menu item mirrors two keys.
  std::set<std::string_view> all;
  std::size_t count = 0;
  for (const auto& row : SettingKeys()) {
    for (auto item : row.items) all.insert(item);
    count += row.items.size();
  }
  EXPECT_EQ(all.size(), count);
}

TEST(SettingsKeys, EveryKeyHasAWriterAndGroupsAreWellFormed) {
  std::set<K> written;
  const auto& groups = SettingsGroups();
  for (std::size_t i = 0; i < groups.size(); ++i) {
    const auto& g = groups[i];
    EXPECT_EQ(std::size_t(g.group), i);
    ASSERT_FALSE(g.keys.empty());
    EXPECT_EQ(g.gated, g.group != G::Caption_bar_visible);
    for (const auto& gk : g.keys) written.insert(gk.key);
  }
  EXPECT_EQ(written.size(), kSettingKeyCount);
  EXPECT_EQ(groups.size(), 35u);
}

TEST(SettingsKeys, GroupWritesFollowTheGroupOrderAndSkipOnlyOptionalKeys) {
  const auto names = [](const std::vector<KeyWrite>& plan) {
    std::vector<std::string> out;
    for (const auto& w : plan) out.push_back(std::string(w.name) + "=" + w.text);
    return out;
  };
  using V = std::vector<std::string>;
  EXPECT_EQ(names(PlanGroupWrite(G::SavePosition, {{K::Top, "20"}, {K::SavePosition, "1"},
                                                    {K::Left, "-8"}})),
            (V{"SavePosition=1", "Left=-8", "Top=20"}));
  EXPECT_EQ(names(PlanGroupWrite(G::SavePosition, {{K::SavePosition, "0"}})), (V{"SavePosition=0"}));
  EXPECT_EQ(names(PlanGroupWrite(G::ShellDefaultAction,
                                 {{K::ShellIntegration, "1"}, {K::ShellDefaultAction, ""}})),
            (V{"ShellDefaultAction=", "ShellIntegration=1"}));
  EXPECT_EQ(names(PlanGroupWrite(G::RecordUpdateCheck, {{K::UpdateCount, "1"},
                                                         {K::LastUpdateCheck, "2025-01-03"},
                                                         {K::CheckForUpdate, "1"}})),
            (V{"CheckForUpdate=1", "LastUpdateCheck=2025-01-03", "UpdateCount=1"}));
  EXPECT_EQ(names(PlanGroupWrite(G::Param1, {{K::Param2, "1"}})), (V{"Param2=1"}));
  EXPECT_EQ(names(PlanGroupWrite(G::LogToFile, {{K::AddAsterixToLogFile, "1"},
                                                {K::LogToFile, "1"},
                                                {K::SaveFullPathInLogFile, "0"}})),
            (V{"LogToFile=1", "SaveFullPathInLogFile=0", "AddAsterixToLogFile=1"}));

  // A required key missing, a foreign key, or nothing at all: refused before
  // anything could be written.
  EXPECT_THROW(PlanGroupWrite(G::SavePosition, {{K::Left, "1"}}), std::logic_error);
  EXPECT_THROW(PlanGroupWrite(G::Transparency_value, {{K::Transparency_value, "125"}}),
               std::logic_error);
  EXPECT_THROW(PlanGroupWrite(G::StayOnTop, {{K::StayOnTop, "1"}, {K::SnapToEdge, "1"}}),
               std::logic_error);
  EXPECT_THROW(PlanGroupWrite(G::Param1, {}), std::logic_error);
}

TEST(SettingsKeys, SettingsAndHistoryFilesSitBesideTheProgram) {
  const struct {
    const wchar_t* exe;
    const wchar_t* ini;
    const wchar_t* txt;
  } cases[] = {
      {L"C:\\Tools\\X.exe", L"C:\\Tools\\X.ini", L"C:\\Tools\\X.txt"},
      {L"C:\\my.tools\\checker", L"C:\\my.tools\\checker.ini", L"C:\\my.tools\\checker.txt"},
      {L"D:\\a\\b.c.EXE", L"D:\\a\\b.c.ini", L"D:\\a\\b.c.txt"},
      {L"\\\\server\\share\\\x03A9mega.exe", L"\\\\server\\share\\\x03A9mega.ini",
       L"\\\\server\\share\\\x03A9mega.txt"},
      {L"X:prog.exe", L"X:prog.ini", L"X:prog.txt"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SettingsPathFor(c.exe), c.ini);
    EXPECT_EQ(HistoryPathFor(c.exe), c.txt);
  }
}

}  // namespace
}  // namespace ondrix
