// The key table, the key groups and the typed reads built on them.
#include <gtest/gtest.h>

#include <cctype>
#include <iterator>
#include <set>
#include <span>
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

// Every key of the settings file, written out here by hand rather than
// taken from the table, so that a misspelt key or menu item, a wrong type
// or a wrong default in the table shows: the name in reading order, the
// type letter, the default text (null where it is worked out at run time or
// never read) and the menu items that mirror the key.
TEST(SettingsKeys, TableHoldsTheKeysOfTheSettingsFile) {
  struct Expected {
    const char* name;
    char type;
    const char* default_text;
    const char* items;  // space-separated
  };
  const Expected expected[] = {
      {"Caption_bar_visible", 'i', "1", "Showcaptionbar1"},
      {"Hide_to_tray_on_close", 'b', "0", "Hidetotrayicononclose1"},
      {"DisableFormScaling", 'b', "0", "DisableformscalingDPI1"},
      {"ShowFilenameOnTitleBar", 'b', "1", "Showfilenameontitlebar1"},
      {"SavePosition", 'b', "0", "Savewindowsposition1"},
      {"SaveWidth", 'b', "0", "Autosavewindowwidth1"},
      {"SaveStyle", 'b', "0", "Autosavewindowsizenormalorminibar1"},
      {"Width", 'i', nullptr, ""},
      {"Left", 'i', nullptr, ""},
      {"Top", 'i', nullptr, ""},
      {"Miniform", 'i', "-1", ""},
      {"Transparency_value", 'i', "255", "Disable1 N101 N201 N301 N401 N501 N601 N701 N801 N901"},
      {"Transparency_Only_For_Miniform", 'i', "1", "Applytominiformonly1"},
      {"AutoPasteChecksumFromClipboard", 'b', "0", "Autopastechecksumfromclipboard1"},
      {"SaveLastChecksumType", 'b', "0", "Savedefaultchecksum1"},
      {"DefaultChecksum", 's', "MD5", ""},
      {"EscapeClosesApplication", 'b', "0", "EnableESCkeytocloseapplication1"},
      {"StayOnTop", 'b', "1", "Enablestayontop1"},
      {"ShowUppercaseChecksum", 'b', "0", "Showuppercasechecksums1"},
      {"AutocalculateWhenChecksumTypeChanged", 'b', "1", "Autocalculatewhenchecksumtypechanged1"},
      {"AutocalculateWhenFileDropped", 'b', "1", "Autocalculatewhenfiledropped1"},
      {"FlashWindowWhenCompleted", 'b', "0", "Flashtaskbarwhencalculationcompleted1"},
      {"ShellIntegration", 'b', "0", "EnableWindowsshellintegration1"},
      {"ShellDefaultAction", 's', "MD5", nullptr},  // its thirteen items below
      {"SnapToEdge", 'b', "1", "Snaptoedge1"},
      {"UseBoldFont", 'b', "0", "Useboldfont1"},
      {"LogToFile", 'b', "0", "Enable1"},
      {"SaveFullPathInLogFile", 'b', "0", "Storefullpath1"},
      {"AddAsterixToLogFile", 'b', "1", "Windowsformataddasterixtofilepath1"},
      {"AddAsterixWhenSavedToFile", 'b', "1", "Savetofileasbinaryformataddasterixtofilename1"},
      {"FullPathInSaveToFile", 'b', "0", "Usefullpathwhensavingcreatingchecksumfile1"},
      {"MakeIniFileHidden", 'b', "0", "Makeinifilehidden1"},
      {"MakeIniFileSystem", 'b', "0", "Makeinifilesystem1"},
      {"MakeHistoryFileHidden", 'b', "0", "MakehistoryfileashiddenH1"},
      {"MakeHistoryFileSystem", 'b', "0", "MakehistoryfileassystemS1"},
      {"EnableOldVersionWarning", 'b', "1", "Enablewarningifprogramisolderthat2monthsrecommended1"},
      {"DisplayTimeElapsedOnStatusBar", 'b', "0", "Displaytimeelapsedandcalculatestateinbottombaroftheform1"},
      {"CheckForUpdate", 'b', "1", "Checkforupdate1"},
      {"LastUpdateCheck", 'd', "2009-01-01", ""},
      {"Color_for_background", 'c', "clbtnface", "Selectforbackground1"},
      {"Color_for_edit_controls", 'c', "clwindow", "Selectforeditboxes1"},
      {"Color_for_fonts_in_edit_controls", 'c', "clWindowText", "exteditfields1"},
      {"SetFocusWhenFileDroppedOnForm", 'b', "0", "Setfocuswhelfiledroppedonthisform1"},
      {"ApplicationThreadLevel", 'i', "32",
       "REALTIMEPRIORITYCLASS1 HIGHPRIORITYCLASS1 ABOVENORMALPRIORITYCLASS1 NORMALPRIORITYCLASS1 "
       "BELOWNORMALPRIORITYCLASS1 IDLEPRIORITYCLASS1"},
      {"UpdateCount", 'i', nullptr, ""},
      {"Param1", 'i', "1", ""},
      {"Param2", 'i', "0", ""},
      {"Context_Menu_Last_Used_Checksum_Type", 's', "MD5", ""},
  };
  const auto& keys = SettingKeys();
  ASSERT_EQ(keys.size(), std::size(expected));
  const auto joined = [](std::span<const std::string_view> items) {
    std::string out;
    for (auto item : items) {
      if (!out.empty()) out += ' ';
      out += item;
    }
    return out;
  };
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const Expected& e = expected[i];
    const SettingKeyInfo& row = keys[i];
    SCOPED_TRACE(e.name);
    EXPECT_EQ(row.name, e.name);
    EXPECT_EQ(char(row.type), e.type);
    if (e.default_text) {
      EXPECT_EQ(row.default_kind, DefaultKind::Text);
      EXPECT_EQ(row.default_text, e.default_text);
    } else {
      EXPECT_NE(row.default_kind, DefaultKind::Text);
    }
    if (e.items) {
      EXPECT_EQ(joined(row.items), e.items);
    }
  }
  const auto actions = KeyInfo(K::ShellDefaultAction).items;
  ASSERT_EQ(actions.size(), 13u);  // no calculation, ask, and one per checksum type
  EXPECT_EQ(actions[0], "Nocalculate1");
  EXPECT_EQ(actions[1], "Askforchecksumtypetocalculate1");
  EXPECT_EQ(actions[2], "MD41");
  EXPECT_EQ(actions[12], "CRC321");
  EXPECT_EQ(KeyInfo(K::Width).default_kind, DefaultKind::NormalMinWidth);
  EXPECT_EQ(KeyInfo(K::Left).default_kind, DefaultKind::CentredLeft);
  EXPECT_EQ(KeyInfo(K::Top).default_kind, DefaultKind::CentredTop);
  EXPECT_EQ(KeyInfo(K::UpdateCount).default_kind, DefaultKind::None);

  // The radio groups offer exactly the items that mirror their keys.
  const auto items_of = [](auto rows) {
    std::set<std::string_view> out;
    for (const auto& row : rows) out.insert(row.item);
    return out;
  };
  const auto set_of = [](std::span<const std::string_view> items) {
    return std::set<std::string_view>(items.begin(), items.end());
  };
  EXPECT_EQ(items_of(TransparencyLevels()), set_of(KeyInfo(K::Transparency_value).items));
  EXPECT_EQ(items_of(PriorityItems()), set_of(KeyInfo(K::ApplicationThreadLevel).items));
  EXPECT_EQ(items_of(DefaultActionItems()), set_of(actions));
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
