// The Explorer verb's keys in a redirected registry: registering, the
// per-user place when the machine-wide one refuses, reading the title,
// repairing the command, removing.
#include <gtest/gtest.h>

#include "startup/shell_verb.h"
#include "startup/shell_verb_text.h"
#include "tests/support/registry_redirect.h"

namespace ondrix {
namespace {

using test::RegistryRedirect;

const std::wstring kVerb = L"*\\Shell\\Ondrix";
const std::wstring kCommand = L"*\\Shell\\Ondrix\\command";
const std::wstring kUserVerb = L"Software\\Classes\\*\\Shell\\Ondrix";
const std::wstring kUserCommand = L"Software\\Classes\\*\\Shell\\Ondrix\\command";
// A folder the ANSI code page cannot spell, with spaces.
const std::wstring kProgram = L"C:\\Program Files\\\u0416\u4E2D tools\\ondrix.exe";

TEST(ShellVerb, RegistersTitleAndCommandMachineWide) {
  RegistryRedirect registry;
  EXPECT_FALSE(ShellVerbExists());
  EXPECT_EQ(ReadShellVerbTitle(), kDefaultShellVerbTitle);
  EXPECT_FALSE(VerifyShellVerb(kProgram));

  ASSERT_TRUE(RegisterShellVerb(L"Checksum \u00E9", kProgram));
  EXPECT_EQ(RegistryRedirect::Value(HKEY_CLASSES_ROOT, kVerb), L"Checksum \u00E9");
  EXPECT_EQ(RegistryRedirect::Value(HKEY_CLASSES_ROOT, kCommand), L"\"" + kProgram + L"\" \"%1\"");
  EXPECT_FALSE(RegistryRedirect::KeyExists(HKEY_CURRENT_USER, kUserVerb));
  EXPECT_EQ(ReadShellVerbTitle(), L"Checksum \u00E9");
  EXPECT_TRUE(VerifyShellVerb(kProgram));

  // An empty title is stored as such and read back empty, not as the default.
  ASSERT_TRUE(RegisterShellVerb(L"", kProgram));
  EXPECT_EQ(RegistryRedirect::Value(HKEY_CLASSES_ROOT, kVerb), L"");
  EXPECT_EQ(ReadShellVerbTitle(), L"");
}

TEST(ShellVerb, TitleThatIsNoStringReadsAsDefault) {
  RegistryRedirect registry;
  HKEY key = nullptr;
  ASSERT_EQ(::RegCreateKeyExW(HKEY_CLASSES_ROOT, kVerb.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const DWORD number = 7;
  ::RegSetValueExW(key, nullptr, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
  ::RegCloseKey(key);
  EXPECT_TRUE(ShellVerbExists());
  EXPECT_EQ(ReadShellVerbTitle(), kDefaultShellVerbTitle);
  // A verb key without a command is not registered.
  EXPECT_FALSE(VerifyShellVerb(kProgram));
}

// The program moved: the command is rewritten for the new path, the title
// stays; an empty command is not a registration and is left alone.
TEST(ShellVerb, VerifyRewritesACommandForAnotherPath) {
  RegistryRedirect registry;
  ASSERT_TRUE(RegisterShellVerb(L"Title", L"C:\\Old place\\ondrix.exe"));
  EXPECT_TRUE(VerifyShellVerb(kProgram));
  EXPECT_EQ(RegistryRedirect::Value(HKEY_CLASSES_ROOT, kCommand), ShellVerbCommandLine(kProgram));
  EXPECT_EQ(RegistryRedirect::Value(HKEY_CLASSES_ROOT, kVerb), L"Title");
  // Compared exactly: another letter case is another command.
  RegistryRedirect::SetValue(HKEY_CLASSES_ROOT, kCommand, ShellVerbCommandLine(L"c:\\program files\\x\\ONDRIX.exe"));
  EXPECT_TRUE(VerifyShellVerb(kProgram));
  EXPECT_EQ(RegistryRedirect::Value(HKEY_CLASSES_ROOT, kCommand), ShellVerbCommandLine(kProgram));

  RegistryRedirect::SetValue(HKEY_CLASSES_ROOT, kCommand, L"");
  EXPECT_FALSE(VerifyShellVerb(kProgram));
  EXPECT_EQ(RegistryRedirect::Value(HKEY_CLASSES_ROOT, kCommand), L"");
}

TEST(ShellVerb, RemovesTheVerbWithItsCommand) {
  RegistryRedirect registry;
  ASSERT_TRUE(RegisterShellVerb(L"Title", kProgram));
  // Someone else's verb beside ours stays.
  RegistryRedirect::SetValue(HKEY_CLASSES_ROOT, L"*\\Shell\\Other", L"Other");
  EXPECT_TRUE(RemoveShellVerb());
  EXPECT_FALSE(RegistryRedirect::KeyExists(HKEY_CLASSES_ROOT, kVerb));
  EXPECT_FALSE(ShellVerbExists());
  EXPECT_EQ(RegistryRedirect::Value(HKEY_CLASSES_ROOT, L"*\\Shell\\Other"), L"Other");
  // Absent from the start: nothing remains, which is success.
  EXPECT_TRUE(RemoveShellVerb());
}

// An ordinary user cannot write machine-wide: the same keys go to the
// user's classes, where reading, repairing and removing find them.
TEST(ShellVerb, FallsBackToTheUsersClasses) {
  RegistryRedirect registry({.machine_refuses = true});
  ASSERT_TRUE(RegisterShellVerb(L"Mine", L"C:\\Old\\ondrix.exe"));
  EXPECT_FALSE(RegistryRedirect::KeyExists(HKEY_CLASSES_ROOT, kVerb));
  EXPECT_EQ(RegistryRedirect::Value(HKEY_CURRENT_USER, kUserVerb), L"Mine");
  EXPECT_EQ(ReadShellVerbTitle(), L"Mine");
  EXPECT_TRUE(VerifyShellVerb(kProgram));
  EXPECT_EQ(RegistryRedirect::Value(HKEY_CURRENT_USER, kUserCommand), ShellVerbCommandLine(kProgram));
  EXPECT_TRUE(RemoveShellVerb());
  EXPECT_FALSE(RegistryRedirect::KeyExists(HKEY_CURRENT_USER, kUserVerb));
}

// The user's entry is what Explorer shows when both exist: it is read
// first and kept in step when the machine-wide one is written.
TEST(ShellVerb, UsersEntryTakesPrecedence) {
  RegistryRedirect registry;
  RegistryRedirect::SetValue(HKEY_CURRENT_USER, kUserVerb, L"User title");
  RegistryRedirect::SetValue(HKEY_CURRENT_USER, kUserCommand, ShellVerbCommandLine(L"C:\\Old\\ondrix.exe"));
  RegistryRedirect::SetValue(HKEY_CLASSES_ROOT, kVerb, L"Machine title");
  EXPECT_EQ(ReadShellVerbTitle(), L"User title");

  ASSERT_TRUE(RegisterShellVerb(L"New", kProgram));
  EXPECT_EQ(RegistryRedirect::Value(HKEY_CLASSES_ROOT, kVerb), L"New");
  EXPECT_EQ(RegistryRedirect::Value(HKEY_CURRENT_USER, kUserVerb), L"New");
  EXPECT_EQ(RegistryRedirect::Value(HKEY_CURRENT_USER, kUserCommand), ShellVerbCommandLine(kProgram));
  EXPECT_TRUE(RemoveShellVerb());
  EXPECT_FALSE(ShellVerbExists());
}

TEST(ShellVerb, FailsWhenNeitherPlaceTakesIt) {
  RegistryRedirect registry({.machine_refuses = true, .user_refuses = true});
  EXPECT_FALSE(RegisterShellVerb(L"Title", kProgram));
  EXPECT_FALSE(ShellVerbExists());
}

}  // namespace
}  // namespace ondrix
