// The settings file on disk: the INI functions, the writability gate, the
// attributes and the group writers, against real files.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "settings/ini_file.h"
#include "settings/settings_file.h"
#include "tests/support/scratch_folder.h"

namespace ondrix {
namespace {

using K = SettingKey;
using G = SettingsGroup;

// A fresh folder per test; each test names its own files so that no cached
// profile of an earlier test answers for it.
class SettingsFileTest : public ::testing::Test {
 protected:
  std::wstring PathOf(const std::wstring& name) const { return scratch_ / name; }

  static void WriteBytes(const std::wstring& path, const std::string& bytes) {
    ASSERT_TRUE(test::WriteBytes(path, bytes));
  }
  static std::string ReadBytes(const std::wstring& path) { return test::ReadBytes(path); }
  static bool Exists(const std::wstring& path) { return test::FileExists(path); }

  test::ScratchFolder scratch_;
};

TEST_F(SettingsFileTest, AbsentKeysTakeDefaultsAndEmptyValuesStayEmpty) {
  const std::wstring path = PathOf(L"absent.ini");
  const IniFile missing(path);
  EXPECT_EQ(missing.ReadText(L"StayOnTop"), std::nullopt);
  EXPECT_TRUE(missing.ReadBool(K::StayOnTop));
  EXPECT_EQ(missing.ReadString(K::ShellDefaultAction), "MD5");
  EXPECT_FALSE(Exists(path)) << "reading must not create the file";

  WriteBytes(path,
             "[Other]\r\nStayOnTop=0\r\n"
             "[settings]\r\n"
             "ShellDefaultAction=\r\n"
             "stayontop=true\r\n"
             "UseBoldFont=true\r\n"
             "SnapToEdge=0\r\n"
             "Caption_bar_visible=2\r\n"
             "LastUpdateCheck=someday\r\n"
             "Color_for_background=ClReD\r\n"
             "Transparency_value=0x80\r\n");
  const IniFile ini(path);
  EXPECT_EQ(ini.ReadText(L"ShellDefaultAction"), std::wstring());
  EXPECT_EQ(ini.ReadString(K::ShellDefaultAction), "");
  EXPECT_EQ(ini.ReadText(L"DefaultChecksum"), std::nullopt);
  EXPECT_EQ(ini.ReadString(K::DefaultChecksum), "MD5");
  EXPECT_TRUE(ini.ReadBool(K::StayOnTop));  // "true" is no integer: default 1
  EXPECT_FALSE(ini.ReadBool(K::UseBoldFont));  // ... default 0
  EXPECT_FALSE(ini.ReadBool(K::SnapToEdge));
  EXPECT_EQ(ini.ReadInt(K::Caption_bar_visible), 2);
  EXPECT_EQ(ini.ReadDate(K::LastUpdateCheck), (Date{2009, 1, 1}));
  EXPECT_EQ(ini.ReadColor(K::Color_for_background), 0x000000FFu);
  EXPECT_EQ(ini.ReadInt(K::Transparency_value), 128);
}

TEST_F(SettingsFileTest, ValuesReadLongerThanTheLimitAreCut) {
  const std::wstring path = PathOf(L"long.ini");
  WriteBytes(path, "[Settings]\r\nDefaultChecksum=" + std::string(3000, 'a') + "\r\n");
  EXPECT_EQ(IniFile(path).ReadString(K::DefaultChecksum), std::string(2047, 'a'));
}

TEST_F(SettingsFileTest, EveryTypeReadsBackWhatWasWritten) {
  const IniFile ini(PathOf(L"roundtrip.ini"));
  WriteSettingGroup(ini, G::SavePosition,
                    {{K::SavePosition, WriteBool(true)}, {K::Left, WriteInt(-8)}, {K::Top, WriteInt(20)}});
  WriteSettingGroup(ini, G::Transparency_value,
                    {{K::Transparency_value, WriteInt(125)}, {K::Transparency_Only_For_Miniform, "0"}});
  WriteSettingGroup(ini, G::SaveLastChecksumType,
                    {{K::SaveLastChecksumType, "1"}, {K::DefaultChecksum, "HAVAL 256,5"}});
  WriteSettingGroup(ini, G::Color_for_background, {{K::Color_for_background, ColorToText(0x00C08040)}});
  WriteSettingGroup(ini, G::Color_for_edit_controls, {{K::Color_for_edit_controls, ColorToText(0x000000FF)}});
  WriteSettingGroup(ini, G::RecordUpdateCheck, {{K::CheckForUpdate, "1"},
                                                {K::LastUpdateCheck, FormatDate({2024, 12, 27})},
                                                {K::UpdateCount, "1"}});
  WriteSettingGroup(ini, G::ApplicationThreadLevel, {{K::ApplicationThreadLevel, WriteInt(16384)}});
  WriteSettingGroup(ini, G::ShellDefaultAction, {{K::ShellDefaultAction, ""}, {K::ShellIntegration, "0"}});

  const IniFile again(ini.Path());
  EXPECT_TRUE(again.ReadBool(K::SavePosition));
  EXPECT_EQ(again.ReadInt(K::Left, 100), -8);
  EXPECT_EQ(again.ReadInt(K::Top, 100), 20);
  EXPECT_EQ(again.ReadInt(K::Transparency_value), 125);
  EXPECT_EQ(again.ReadInt(K::Transparency_Only_For_Miniform), 0);
  EXPECT_EQ(again.ReadString(K::DefaultChecksum), "HAVAL 256,5");
  EXPECT_EQ(again.ReadColor(K::Color_for_background), 0x00C08040u);
  EXPECT_EQ(again.ReadColor(K::Color_for_edit_controls), 0x000000FFu);
  EXPECT_EQ(again.ReadDate(K::LastUpdateCheck), (Date{2024, 12, 27}));
  EXPECT_EQ(again.ReadInt(K::ApplicationThreadLevel), 16384);
  EXPECT_EQ(again.ReadText(L"ShellDefaultAction"), std::wstring());
  EXPECT_EQ(again.ReadText(L"UpdateCount"), L"1");

  // Rewriting a key replaces its line in place.
  WriteSettingGroup(ini, G::SavePosition, {{K::SavePosition, "0"}});
  EXPECT_FALSE(IniFile(ini.Path()).ReadBool(K::SavePosition));
  EXPECT_EQ(IniFile(ini.Path()).ReadInt(K::Left, 100), -8);
}

TEST_F(SettingsFileTest, FileOnDiskIsAnsiWithoutByteOrderMarkAndCrLfLines) {
  const IniFile ini(PathOf(L"bytes.ini"));
  WriteSettingGroup(ini, G::SavePosition,
                    {{K::SavePosition, "1"}, {K::Left, "-8"}, {K::Top, "20"}});
  WriteSettingGroup(ini, G::Color_for_background, {{K::Color_for_background, "clBtnFace"}});
  EXPECT_EQ(ReadBytes(ini.Path()),
            "[Settings]\r\nSavePosition=1\r\nLeft=-8\r\nTop=20\r\nColor_for_background=clBtnFace\r\n");

  // A character of the ANSI code page is stored as its one ANSI byte.
  const IniFile accented(PathOf(L"accented.ini"));
  accented.WriteText(L"DefaultChecksum", L"caf\x00E9");
  char ansi[8] = {};
  BOOL lossy = FALSE;
  const int n = WideCharToMultiByte(CP_ACP, 0, L"\x00E9", 1, ansi, sizeof ansi, nullptr, &lossy);
  ASSERT_EQ(n, 1) << "ANSI code page " << GetACP();
  ASSERT_FALSE(lossy) << "ANSI code page " << GetACP();
  EXPECT_EQ(ReadBytes(accented.Path()), std::string("[Settings]\r\nDefaultChecksum=caf") + ansi[0] + "\r\n");
  EXPECT_EQ(accented.ReadText(L"DefaultChecksum"), L"caf\x00E9");
}

TEST_F(SettingsFileTest, CharactersOutsideTheAnsiCodePageBecomeQuestionMarks) {
  // Our own values are ASCII; this pins down what a foreign character does so
  // that nobody relies on it surviving.
  const IniFile ini(PathOf(L"foreign.ini"));
  ini.WriteText(L"DefaultChecksum", L"\x0416\x4E2D");
  BOOL lossy = FALSE;
  char ansi[8] = {};
  WideCharToMultiByte(CP_ACP, 0, L"\x0416", 1, ansi, sizeof ansi, nullptr, &lossy);
  if (!lossy) GTEST_SKIP() << "code page " << GetACP() << " spells the test character";
  EXPECT_EQ(ReadBytes(ini.Path()), "[Settings]\r\nDefaultChecksum=??\r\n");
  EXPECT_EQ(ini.ReadText(L"DefaultChecksum"), L"??");
}

TEST_F(SettingsFileTest, SettingsFileInAFolderTheCodePageCannotSpellWorks) {
  const std::wstring inner = PathOf(L"\x03A9\x4E2D\x0416");
  ASSERT_TRUE(CreateDirectoryW(inner.c_str(), nullptr));
  const std::wstring path = inner + L"\\prog.ini";
  EXPECT_TRUE(SettingsWritable(path));
  const IniFile ini(path);
  WriteSettingGroup(ini, G::StayOnTop, {{K::StayOnTop, "0"}});
  EXPECT_FALSE(IniFile(path).ReadBool(K::StayOnTop));
  EXPECT_EQ(ReadBytes(path), "[Settings]\r\nStayOnTop=0\r\n");
  DeleteFileW(path.c_str());
  RemoveDirectoryW(inner.c_str());
}

TEST_F(SettingsFileTest, GateAcceptsReadableOrCreatableFilesOnly) {
  // Missing in a writable folder: created, empty.
  const std::wstring created = PathOf(L"created.ini");
  EXPECT_TRUE(SettingsWritable(created));
  EXPECT_EQ(ReadBytes(created), "");

  // An existing file keeps its content.
  const std::wstring existing = PathOf(L"existing.ini");
  WriteBytes(existing, "[Settings]\r\nStayOnTop=0\r\n");
  EXPECT_TRUE(SettingsWritable(existing));
  EXPECT_EQ(ReadBytes(existing), "[Settings]\r\nStayOnTop=0\r\n");

  // Read-only, hidden and system files are found and pass.
  ASSERT_TRUE(SetFileAttributesW(existing.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                                       FILE_ATTRIBUTE_SYSTEM));
  EXPECT_TRUE(SettingsWritable(existing));

  // Held open for writing by another handle that shares nothing.
  const std::wstring held = PathOf(L"held.ini");
  WriteBytes(held, "[Settings]\r\n");
  const HANDLE writer = CreateFileW(held.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(SettingsWritable(held));
  CloseHandle(writer);
  EXPECT_TRUE(SettingsWritable(held));

  // A folder that cannot be created in.
  const std::wstring nowhere = PathOf(L"no-such-folder\\prog.ini");
  EXPECT_FALSE(SettingsWritable(nowhere));
  EXPECT_FALSE(Exists(nowhere));
}

TEST_F(SettingsFileTest, AttributesReplaceTheWholeWordAndIgnoreFailures) {
  const std::wstring path = PathOf(L"attributes.ini");
  WriteBytes(path, "[Settings]\r\n");
  // Wine reports every regular file as archived, so the archive bit is left
  // out of the comparison; read-only must go in every case.
  const DWORD kWatched = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  const struct {
    bool hidden, system;
    DWORD expected;
  } cases[] = {
      {false, false, 0},
      {true, false, FILE_ATTRIBUTE_HIDDEN},
      {true, true, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM},
      {false, true, FILE_ATTRIBUTE_SYSTEM},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                                     FILE_ATTRIBUTE_SYSTEM));
    ApplyHiddenSystemAttributes(path, c.hidden, c.system);
    EXPECT_EQ(GetFileAttributesW(path.c_str()) & kWatched, c.expected) << c.hidden << ' ' << c.system;
  }

  ApplyHiddenSystemAttributes(PathOf(L"missing.ini"), true, true);
  EXPECT_FALSE(Exists(PathOf(L"missing.ini")));
}

TEST_F(SettingsFileTest, FailedWriteNamesTheSettingsFileAndStopsTheGroup) {
  const std::wstring nowhere = PathOf(L"no-such-folder\\prog.ini");
  try {
    IniFile(nowhere).WriteText(L"StayOnTop", L"1");
    ADD_FAILURE() << "write into a missing folder succeeded";
  } catch (const ESettingsWrite& e) {
    EXPECT_EQ(e.Message(), L"Unable to write to " + nowhere);
    EXPECT_EQ(std::string(e.what()), "Unable to write to " + WideToUtf8(nowhere));
  }

  // Another handle holds the file and shares nothing: the group's first key
  // fails, the error names the file, and nothing of the group is stored.
  const std::wstring path = PathOf(L"locked.ini");
  WriteBytes(path, "[Settings]\r\nSavePosition=0\r\n");
  const HANDLE holder = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  try {
    WriteSettingGroup(IniFile(path), G::SavePosition,
                      {{K::SavePosition, "1"}, {K::Left, "5"}, {K::Top, "6"}});
    ADD_FAILURE() << "write into a locked file succeeded";
  } catch (const ESettingsWrite& e) {
    EXPECT_EQ(e.Message(), L"Unable to write to " + path);
  }
  CloseHandle(holder);
  EXPECT_EQ(ReadBytes(path), "[Settings]\r\nSavePosition=0\r\n");
}

TEST_F(SettingsFileTest, SaveSettingGroupHonoursTheGateAndTheAttributeGroups) {
  // Gate closed: a gated group is skipped silently, the caption bar is not.
  const IniFile nowhere(PathOf(L"no-such-folder\\prog.ini"));
  EXPECT_FALSE(SaveSettingGroup(nowhere, G::StayOnTop, {{K::StayOnTop, "1"}}));
  EXPECT_THROW(SaveSettingGroup(nowhere, G::Caption_bar_visible, {{K::Caption_bar_visible, "0"}}),
               ESettingsWrite);

  const DWORD kWatched = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  const IniFile ini(PathOf(L"prog.ini"));
  EXPECT_TRUE(SaveSettingGroup(ini, G::MakeIniFileHidden,
                               {{K::MakeIniFileHidden, "1"}, {K::MakeIniFileSystem, "0"}}));
  EXPECT_EQ(GetFileAttributesW(ini.Path().c_str()) & kWatched, DWORD(FILE_ATTRIBUTE_HIDDEN));
  EXPECT_TRUE(IniFile(ini.Path()).ReadBool(K::MakeIniFileHidden));

  const std::wstring history = PathOf(L"prog.txt");
  WriteBytes(history, "line\r\n");
  EXPECT_TRUE(SaveSettingGroup(ini, G::MakeHistoryFileHidden,
                               {{K::MakeHistoryFileHidden, "1"}, {K::MakeHistoryFileSystem, "1"}}));
  EXPECT_EQ(GetFileAttributesW(history.c_str()) & kWatched,
            DWORD(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  EXPECT_EQ(GetFileAttributesW(ini.Path().c_str()) & kWatched, DWORD(FILE_ATTRIBUTE_HIDDEN));
}

TEST(SettingsColours, SystemColoursPaintInTheSystemsColour) {
  EXPECT_EQ(ColorRefFor(kClBtnFace, COLOR_WINDOW), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(ColorRefFor(kClWindowText, COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_EQ(ColorRefFor(kClDefault, COLOR_WINDOW), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(ColorRefFor(0x00C08040, COLOR_WINDOW), 0x00C08040u);
}

}  // namespace
}  // namespace ondrix
