// The options menu's Explorer verb commands against a redirected registry,
// the chooser before the first show, a start as Explorer makes it, and the
// shortcut commands.
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cwctype>

#include "startup/chooser_dialog.h"
#include "startup/shell_verb.h"
#include "startup/shell_verb_text.h"
#include "startup/shortcuts.h"
#include "tests/support/registry_redirect.h"
#include "tests/support/scratch_folder.h"
#include "tests/ui/ui_fixture.h"

namespace ondrix::ui::testing {
namespace {

using test::RegistryRedirect;

const std::wstring kVerb = L"*\\Shell\\Ondrix";
const std::wstring kCommand = L"*\\Shell\\Ondrix\\command";
const std::wstring kUserVerb = L"Software\\Classes\\*\\Shell\\Ondrix";
constexpr wchar_t kRegistered[] =
    L"Operation completed! \r\r\nYou may now calculate file checksum using ''Calculate file checksum'' option "
    L"from Windows Explorer context menu. Just right-click on selected file.";
constexpr wchar_t kFailed[] =
    L"Operation failed!\r\r\nMake sure you have administrator privileges on this computer or if you are using "
    L"Windows Vista, run this application with administrative privileges and try again.";

class ShellVerbCommands : public UiTest {
 protected:
  std::wstring Command() const { return ShellVerbCommandLine(desktop.program_path); }
  std::string IniBytes() const { return test::ReadBytes(IniPath()); }
  std::optional<RegistryRedirect> registry;
};

TEST_F(ShellVerbCommands, EnableAsksForTheTitleAndRegisters) {
  registry.emplace();
  Start();
  EXPECT_FALSE(Ticked("EnableWindowsshellintegration1"));
  desktop.input_texts.push_back(L"Checksum \u00FC it");
  ASSERT_TRUE(form->ClickMenuItem("EnableWindowsshellintegration1"));

  ASSERT_EQ(desktop.input_captions.size(), 1u);
  EXPECT_EQ(desktop.input_captions[0], L"Enable Explorer integration");
  EXPECT_EQ(desktop.input_prompts[0], L"Enter text that will be displayed to you in Windows Explorer context menu\r\n");
  EXPECT_EQ(desktop.input_initials[0], L"Ondrix - Calculate File Checksum");
  EXPECT_EQ(RegistryRedirect::Value(HKEY_CLASSES_ROOT, kVerb), L"Checksum \u00FC it");
  EXPECT_EQ(RegistryRedirect::Value(HKEY_CLASSES_ROOT, kCommand), L"\"" + desktop.program_path + L"\" \"%1\"");
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, kRegistered);
  EXPECT_EQ(desktop.messages[0].icon, win::MessageIcon::Information);
  EXPECT_TRUE(Ticked("EnableWindowsshellintegration1"));
  EXPECT_EQ(Stored(L"ShellIntegration"), L"1");
  EXPECT_EQ(Stored(L"ShellDefaultAction"), L"MD5");
}

// An empty title is registered as it is; renaming offers it as it is and
// writes the command again.
TEST_F(ShellVerbCommands, EmptyTitleThenRename) {
  registry.emplace();
  Start();
  desktop.input_texts = {std::wstring(), std::wstring(L"Renamed")};
  ASSERT_TRUE(form->ClickMenuItem("EnableWindowsshellintegration1"));
  EXPECT_EQ(RegistryRedirect::Value(HKEY_CLASSES_ROOT, kVerb), L"");
  EXPECT_EQ(ReadShellVerbTitle(), L"");

  RegistryRedirect::SetValue(HKEY_CLASSES_ROOT, kCommand, L"\"C:\\gone\\ondrix.exe\" \"%1\"");
  ASSERT_TRUE(form->ClickMenuItem("Changecontextmenutitle1"));
  ASSERT_EQ(desktop.input_captions.size(), 2u);
  EXPECT_EQ(desktop.input_captions[1], L"Change title");
  EXPECT_EQ(desktop.input_prompts[1], L"Enter new context menu title\r\n");
  EXPECT_EQ(desktop.input_initials[1], L"");
  EXPECT_EQ(RegistryRedirect::Value(HKEY_CLASSES_ROOT, kVerb), L"Renamed");
  EXPECT_EQ(RegistryRedirect::Value(HKEY_CLASSES_ROOT, kCommand), Command());
  ASSERT_EQ(desktop.messages.size(), 2u);
  EXPECT_EQ(desktop.messages[1].text, kRegistered);
}

// Cancel in either input dialog changes neither the registry nor the file.
TEST_F(ShellVerbCommands, CancelWritesNothing) {
  registry.emplace();
  Start();
  ASSERT_TRUE(form->ClickMenuItem("EnableWindowsshellintegration1"));  // no answer queued: Cancel
  EXPECT_FALSE(RegistryRedirect::KeyExists(HKEY_CLASSES_ROOT, kVerb));
  EXPECT_FALSE(test::FileExists(IniPath()));
  EXPECT_TRUE(desktop.messages.empty());

  form.reset();
  WriteIni("ShellIntegration=1\r\n");
  RegistryRedirect::SetValue(HKEY_CLASSES_ROOT, kVerb, L"Kept");
  RegistryRedirect::SetValue(HKEY_CLASSES_ROOT, kCommand, Command());
  Start();
  const std::string before = IniBytes();
  ASSERT_TRUE(form->ClickMenuItem("Changecontextmenutitle1"));
  EXPECT_EQ(desktop.input_initials.back(), L"Kept");
  EXPECT_EQ(RegistryRedirect::Value(HKEY_CLASSES_ROOT, kVerb), L"Kept");
  EXPECT_EQ(IniBytes(), before);
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_TRUE(Ticked("EnableWindowsshellintegration1"));
}

TEST_F(ShellVerbCommands, RetitleAndRepairNeedTheVerbEnabled) {
  registry.emplace();
  Start();
  for (const char* item : {"Changecontextmenutitle1", "FixcontextmenuifyouseeOpenfilewithwindow1"}) {
    desktop.messages.clear();
    ASSERT_TRUE(form->ClickMenuItem(item));
    ASSERT_EQ(desktop.messages.size(), 1u) << item;
    EXPECT_EQ(desktop.messages[0].text, L"Enable shell integration first :)");
    EXPECT_EQ(desktop.messages[0].icon, win::MessageIcon::Information);
  }
  EXPECT_TRUE(desktop.input_prompts.empty());
  EXPECT_FALSE(RegistryRedirect::KeyExists(HKEY_CLASSES_ROOT, kVerb));
  EXPECT_FALSE(test::FileExists(IniPath()));
}

// The program "moved": the start rewrites the command silently and ticks
// the item whatever the file said; the repair command does the same on
// request and keeps the title.
TEST_F(ShellVerbCommands, MovedProgramIsRepaired) {
  registry.emplace();
  WriteIni("ShellIntegration=0\r\n");
  RegistryRedirect::SetValue(HKEY_CLASSES_ROOT, kVerb, L"My title");
  RegistryRedirect::SetValue(HKEY_CLASSES_ROOT, kCommand, L"\"C:\\Old place\\ondrix.exe\" \"%1\"");
  Start();
  EXPECT_TRUE(Ticked("EnableWindowsshellintegration1"));
  EXPECT_EQ(RegistryRedirect::Value(HKEY_CLASSES_ROOT, kCommand), Command());
  EXPECT_EQ(RegistryRedirect::Value(HKEY_CLASSES_ROOT, kVerb), L"My title");
  EXPECT_TRUE(desktop.messages.empty());

  RegistryRedirect::SetValue(HKEY_CLASSES_ROOT, kCommand, L"\"C:\\Old place\\ondrix.exe\" \"%1\"");
  ASSERT_TRUE(form->ClickMenuItem("FixcontextmenuifyouseeOpenfilewithwindow1"));
  EXPECT_EQ(RegistryRedirect::Value(HKEY_CLASSES_ROOT, kCommand), Command());
  EXPECT_EQ(RegistryRedirect::Value(HKEY_CLASSES_ROOT, kVerb), L"My title");
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, kRegistered);
  EXPECT_EQ(Stored(L"ShellIntegration"), L"1");
}

TEST_F(ShellVerbCommands, DisableWhenPresentAndWhenAbsent) {
  registry.emplace();
  WriteIni("ShellIntegration=1\r\nShellDefaultAction=ask\r\n");
  RegistryRedirect::SetValue(HKEY_CLASSES_ROOT, kVerb, L"Title");
  RegistryRedirect::SetValue(HKEY_CLASSES_ROOT, kCommand, Command());
  Start();
  ASSERT_TRUE(Ticked("EnableWindowsshellintegration1"));
  ASSERT_TRUE(form->ClickMenuItem("EnableWindowsshellintegration1"));
  EXPECT_FALSE(RegistryRedirect::KeyExists(HKEY_CLASSES_ROOT, kVerb));
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, L"Operation completed! ");
  EXPECT_EQ(desktop.messages[0].icon, win::MessageIcon::Information);
  EXPECT_FALSE(Ticked("EnableWindowsshellintegration1"));
  EXPECT_EQ(Stored(L"ShellIntegration"), L"0");
  EXPECT_EQ(Stored(L"ShellDefaultAction"), L"ask");

  // Ticked from the file while nothing is registered.
  form.reset();
  desktop.messages.clear();
  WriteIni("ShellIntegration=1\r\n");
  Start();
  ASSERT_TRUE(Ticked("EnableWindowsshellintegration1"));
  ASSERT_TRUE(form->ClickMenuItem("EnableWindowsshellintegration1"));
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, L"Operation completed! ");
  EXPECT_FALSE(Ticked("EnableWindowsshellintegration1"));
  EXPECT_EQ(Stored(L"ShellIntegration"), L"0");
}

// An ordinary user: the machine-wide classes refuse the keys, the user's
// own classes take them, and the command reports success; disabling
// removes them from there.
TEST_F(ShellVerbCommands, OrdinaryUserGetsTheVerbInTheirOwnClasses) {
  registry.emplace(RegistryRedirect::Options{.machine_refuses = true});
  Start();
  desktop.input_texts.push_back(L"Mine");
  ASSERT_TRUE(form->ClickMenuItem("EnableWindowsshellintegration1"));
  EXPECT_FALSE(RegistryRedirect::KeyExists(HKEY_CLASSES_ROOT, kVerb));
  EXPECT_EQ(RegistryRedirect::Value(HKEY_CURRENT_USER, kUserVerb), L"Mine");
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, kRegistered);
  EXPECT_TRUE(Ticked("EnableWindowsshellintegration1"));

  ASSERT_TRUE(form->ClickMenuItem("EnableWindowsshellintegration1"));
  EXPECT_FALSE(RegistryRedirect::KeyExists(HKEY_CURRENT_USER, kUserVerb));
  EXPECT_EQ(desktop.messages.back().text, L"Operation completed! ");
  EXPECT_FALSE(Ticked("EnableWindowsshellintegration1"));
}

// Neither place takes the keys: the failure box, the tick unchanged, the
// group written all the same.
TEST_F(ShellVerbCommands, RefusedEverywhereReportsFailure) {
  registry.emplace(RegistryRedirect::Options{.machine_refuses = true, .user_refuses = true});
  Start();
  desktop.input_texts.push_back(L"Title");
  ASSERT_TRUE(form->ClickMenuItem("EnableWindowsshellintegration1"));
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, kFailed);
  EXPECT_EQ(desktop.messages[0].icon, win::MessageIcon::Error);
  EXPECT_FALSE(Ticked("EnableWindowsshellintegration1"));
  EXPECT_EQ(Stored(L"ShellIntegration"), L"0");
}

// The settings file cannot be written: the registry change stands, the
// tick follows it, the file stays absent.
TEST_F(ShellVerbCommands, GateFailingAfterTheRegistryChange) {
  registry.emplace();
  desktop.program_path = dir_ + L"\\missing\\ondrix.exe";
  Start();
  desktop.input_texts.push_back(L"Title");
  ASSERT_TRUE(form->ClickMenuItem("EnableWindowsshellintegration1"));
  EXPECT_EQ(RegistryRedirect::Value(HKEY_CLASSES_ROOT, kCommand), Command());
  EXPECT_TRUE(Ticked("EnableWindowsshellintegration1"));
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, kRegistered);
  EXPECT_FALSE(test::FileExists(dir_ + L"\\missing\\ondrix.ini"));
}

// ---- starts with a file ----------------------------------------------------------------

class StartWithFile : public ShellVerbCommands {
 protected:
  // The window as the program entry makes it for one argument, then its
  // first show; the calculation it starts is run to its end.
  bool CreateAndShow(const std::wstring& argument, Tfm_wybierz_algorytm* chooser) {
    form = std::make_unique<TForm1>(desktop);
    form->QuitOnDestroy = false;
    form->fm_wybierz_algorytm = chooser;
    form->ArgumentCount = 1;
    if (!form->Create(argument)) return false;
    visible_before_show_ = ::IsWindowVisible(form->Hwnd()) != FALSE;
    form->StartedWithArgument = 1;
    form->FirstShowPending = 1;
    form->FormShow();
    for (int i = 0; i < 4000 && form->Timer1.Enabled(); ++i) {
      form->Timer1Timer();
      if (form->Timer1.Enabled()) ::Sleep(5);
    }
    return true;
  }

  std::wstring ShownChecksum() const {
    std::wstring text = form->Edit1.Text();
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
    return text;
  }

  test::ScratchFolder files_;
  bool visible_before_show_ = true;
};

constexpr wchar_t kSha1Abc[] = L"a9993e364706816aba3e25717850c26c9cd0d89d";
constexpr wchar_t kSha256Abc[] = L"ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";

// "Ask": the chooser comes before the window is shown; F2 repeats the last
// pick, which the first show computes for the file.
TEST_F(StartWithFile, AskShowsTheChooserAndF2ComputesTheLastUsedType) {
  registry.emplace();
  WriteIni("ShellDefaultAction=ask\r\nContext_Menu_Last_Used_Checksum_Type=SHA1\r\n");
  const std::wstring file = files_ / L"data \u0416.bin";
  ASSERT_TRUE(test::WriteBytes(file, "abc"));
  Tfm_wybierz_algorytm chooser(desktop, IniPath());
  ASSERT_TRUE(chooser.Create());
  ::PostMessageW(chooser.Hwnd(), WM_KEYDOWN, VK_F2, 1);

  ASSERT_TRUE(CreateAndShow(file, &chooser));
  EXPECT_FALSE(visible_before_show_);
  EXPECT_TRUE(chooser.Picked());
  EXPECT_EQ(form->SelectedFilePath, file);
  EXPECT_EQ(form->ComboBox1.Text(), L"SHA1");
  EXPECT_EQ(ShownChecksum(), kSha1Abc);
  // The pick is used up.
  EXPECT_EQ(chooser.ChooserPick, L"");
  EXPECT_EQ(Stored(L"Context_Menu_Last_Used_Checksum_Type"), L"SHA1");
  form.reset();
}

// "No calculate" in the chooser: the file is shown, nothing is computed.
TEST_F(StartWithFile, NoCalculateOnlySelects) {
  registry.emplace();
  WriteIni("ShellDefaultAction=ask\r\n");
  const std::wstring file = files_ / L"a.bin";
  ASSERT_TRUE(test::WriteBytes(file, "abc"));
  Tfm_wybierz_algorytm chooser(desktop, IniPath());
  ASSERT_TRUE(chooser.Create());
  ::PostMessageW(chooser.Button12.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ::PostMessageW(chooser.Button12.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  ASSERT_TRUE(CreateAndShow(file, &chooser));
  EXPECT_EQ(form->SelectedFilePath, file);
  EXPECT_EQ(form->Edit1.Text(), L"");
  EXPECT_EQ(Stored(L"Context_Menu_Last_Used_Checksum_Type"), L"");
  form.reset();
}

// Escape in the chooser ends the program: the window's creation stops,
// nothing is selected, computed or written.
TEST_F(StartWithFile, EscapeInTheChooserEndsTheProgram) {
  registry.emplace();
  WriteIni("ShellDefaultAction=ask\r\n");
  const std::string before = IniBytes();
  const std::wstring file = files_ / L"a.bin";
  ASSERT_TRUE(test::WriteBytes(file, "abc"));
  Tfm_wybierz_algorytm chooser(desktop, IniPath());
  ASSERT_TRUE(chooser.Create());
  ::PostMessageW(chooser.Hwnd(), WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_FALSE(CreateAndShow(file, &chooser));
  EXPECT_EQ(desktop.exit_code, std::optional<UINT>(0));
  EXPECT_TRUE(form->SelectedFilePath.empty());
  EXPECT_FALSE(form->Timer1.Enabled());
  EXPECT_EQ(IniBytes(), before);
  form.reset();
}

// Started as Explorer starts it: the registered command line with the
// file put in for %1. The default action's type is computed, no chooser.
TEST_F(StartWithFile, RegisteredCommandLineComputesTheDefaultActionsType) {
  registry.emplace();
  WriteIni("ShellDefaultAction=SHA-256\r\n");
  const std::wstring file = files_ / L"with space, comma \u4E2D.txt";
  ASSERT_TRUE(test::WriteBytes(file, "abc"));
  ASSERT_TRUE(RegisterShellVerb(kDefaultShellVerbTitle, desktop.program_path));
  std::wstring command = *RegistryRedirect::Value(HKEY_CLASSES_ROOT, kCommand);
  command.replace(command.find(L"%1"), 2, file);
  int argc = 0;
  LPWSTR* argv = ::CommandLineToArgvW(command.c_str(), &argc);
  ASSERT_EQ(argc, 2);
  EXPECT_EQ(std::wstring(argv[0]), desktop.program_path);
  const std::wstring argument = argv[1];
  ::LocalFree(argv);

  Tfm_wybierz_algorytm chooser(desktop, IniPath());
  ASSERT_TRUE(chooser.Create());
  ASSERT_TRUE(CreateAndShow(argument, &chooser));
  EXPECT_FALSE(chooser.Picked());
  EXPECT_EQ(form->SelectedFilePath, file);
  EXPECT_EQ(form->ComboBox1.Text(), L"SHA-256");
  EXPECT_EQ(ShownChecksum(), kSha256Abc);
  form.reset();
}

// ---- shortcuts ----------------------------------------------------------------------------

struct LinkFields {
  std::wstring path, arguments, folder, icon;
  int show = 0, icon_index = -1;
};

std::optional<LinkFields> ReadLink(const std::wstring& link_path) {
  IShellLinkW* link = nullptr;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link)))) {
    return std::nullopt;
  }
  IPersistFile* file = nullptr;
  std::optional<LinkFields> fields;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
      SUCCEEDED(file->Load(link_path.c_str(), STGM_READ))) {
    LinkFields f;
    wchar_t text[1024] = {};
    // The target as its item list names it: the path the shell resolves.
    // (Wine keeps the link's other copy of the path in the ANSI code page
    // only, so that one is not compared.)
    PIDLIST_ABSOLUTE items = nullptr;
    if (SUCCEEDED(link->GetIDList(&items)) && items != nullptr) {
      if (::SHGetPathFromIDListW(items, text)) f.path = text;
      ::CoTaskMemFree(items);
    }
    text[0] = 0;
    link->GetArguments(text, 1024);
    f.arguments = text;
    text[0] = 0;
    link->GetWorkingDirectory(text, 1024);
    f.folder = text;
    link->GetShowCmd(&f.show);
    text[0] = 0;
    link->GetIconLocation(text, 1024, &f.icon_index);
    f.icon = text;
    fields = f;
  }
  if (file != nullptr) file->Release();
  link->Release();
  return fields;
}

int FilesIn(const std::wstring& folder) {
  WIN32_FIND_DATAW data{};
  HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
  int count = 0;
  if (find == INVALID_HANDLE_VALUE) return 0;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
  } while (::FindNextFileW(find, &data));
  ::FindClose(find);
  return count;
}

class Shortcuts : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    // A program folder the ANSI code page cannot spell.
    program_folder_ = files_ / L"\u0416\u4E2D tools";
    ::CreateDirectoryW(program_folder_.c_str(), nullptr);
    desktop.program_path = program_folder_ + L"\\ondrix.exe";
    test::WriteBytes(desktop.program_path, "MZ");
  }

  ComApartment com_;
  test::ScratchFolder files_;
  std::wstring program_folder_;
};

TEST_F(Shortcuts, DesktopLinkReadsBackAndIsReplaced) {
  const std::wstring desk = files_ / L"Desktop";
  ::CreateDirectoryW(desk.c_str(), nullptr);
  desktop.desktop_folder = desk + L"\\";
  Start();
  ASSERT_TRUE(form->ClickMenuItem("Placeshortcutondesktop1"));
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, L"Shortcut to this program placed on desktop !");
  EXPECT_EQ(desktop.messages[0].caption, L"Information");
  EXPECT_EQ(desktop.messages[0].icon, win::MessageIcon::Information);

  const std::wstring link = desk + L"\\ondrix.exe.lnk";
  const std::optional<LinkFields> fields = ReadLink(link);
  ASSERT_TRUE(fields.has_value());
  EXPECT_EQ(fields->path, desktop.program_path);
  EXPECT_EQ(fields->arguments, L"");
  EXPECT_EQ(fields->folder, program_folder_);
  EXPECT_EQ(fields->show, SW_SHOWNORMAL);
  EXPECT_EQ(fields->icon, desktop.program_path);
  EXPECT_EQ(fields->icon_index, 0);

  // Placed again: still one link, replaced.
  const HANDLE before = ::CreateFileW(link.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, 0, nullptr);
  ::CloseHandle(before);
  ASSERT_TRUE(form->ClickMenuItem("Placeshortcutondesktop1"));
  EXPECT_EQ(FilesIn(desk), 1);
  ASSERT_TRUE(ReadLink(link).has_value());
  EXPECT_EQ(ReadLink(link)->path, desktop.program_path);
  EXPECT_EQ(desktop.messages.size(), 2u);
}

TEST_F(Shortcuts, QuickLaunchLinkGoesBelowApplicationData) {
  const std::wstring appdata = files_ / L"AppData";
  const std::wstring quick = appdata + L"\\Microsoft\\Internet Explorer\\Quick Launch";
  for (const std::wstring& folder : {appdata, appdata + L"\\Microsoft", appdata + L"\\Microsoft\\Internet Explorer",
                                     quick}) {
    ::CreateDirectoryW(folder.c_str(), nullptr);
  }
  desktop.appdata_folder = appdata;
  Start();
  ASSERT_TRUE(form->ClickMenuItem("Placeshortcutonquicklaunchbar1"));
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, L"Shortcut to this program placed on Quick Launch bar !");
  const std::optional<LinkFields> fields = ReadLink(quick + L"\\ondrix.exe.lnk");
  ASSERT_TRUE(fields.has_value());
  EXPECT_EQ(fields->path, desktop.program_path);
}

// A folder that is missing, or where a folder holds the link's name: the
// error box names the link and the system's reason; no confirmation.
TEST_F(Shortcuts, UnwritableFolderGivesTheErrorBox) {
  const std::wstring blocked = files_ / L"Blocked";
  ::CreateDirectoryW(blocked.c_str(), nullptr);
  ::CreateDirectoryW((blocked + L"\\ondrix.exe.lnk").c_str(), nullptr);
  for (const std::wstring& folder : {files_ / L"missing", blocked}) {
    desktop.messages.clear();
    desktop.desktop_folder = folder;
    form.reset();
    Start();
    ASSERT_TRUE(form->ClickMenuItem("Placeshortcutondesktop1"));
    ASSERT_EQ(desktop.messages.size(), 1u) << WideToUtf8(folder);
    const std::wstring head = L"Cannot place shortcut\r\r\n" + folder + L"\\ondrix.exe.lnk\r\r\n";
    EXPECT_EQ(desktop.messages[0].text.rfind(head, 0), 0u) << WideToUtf8(desktop.messages[0].text);
    EXPECT_GT(desktop.messages[0].text.size(), head.size()) << "no reason given";
    EXPECT_EQ(desktop.messages[0].icon, win::MessageIcon::Error);
    EXPECT_EQ(desktop.messages[0].caption, L"Error");
  }
}

}  // namespace
}  // namespace ondrix::ui::testing
