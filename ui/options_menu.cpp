// The menus of the main window as tables: the options menu (right mouse
// button, F10, the gear button), the help menu and the tray icon's menu.
// One row per entry in the order shown; the same rows drive creation, ticks
// and the click handlers.
#include <array>

#include "ui/form1.h"

namespace ondrix::ui {
namespace {

using E = MenuEntry;
using F = TForm1;

// Radio groups: the entries of a group keep one tick between them.
constexpr int kTransparencyGroup = 1;
constexpr int kDefaultActionGroup = 2;
constexpr int kPriorityGroup = 3;

constexpr E Item(int depth, TMenuItem F::*item, std::wstring_view caption, void (F::*click)(),
                 std::wstring_view shortcut = {}) {
  return E{E::Item, depth, item, caption, shortcut, click};
}
constexpr E Radio(int depth, TMenuItem F::*item, std::wstring_view caption, void (F::*click)(), int group,
                  bool visible = true) {
  return E{E::Item, depth, item, caption, {}, click, group, visible};
}
constexpr E Sub(int depth, TMenuItem F::*item, std::wstring_view caption) {
  return E{E::Submenu, depth, item, caption, {}, nullptr};
}
constexpr E Sep(int depth) { return E{E::Separator, depth, nullptr, L"-", {}, nullptr}; }

const auto kOptionsMenu = std::to_array<E>({
    Item(0, &F::Savewindowsposition1, L"Autosave window position", &F::Savewindowsposition1Click),
    Item(0, &F::Autosavewindowwidth1, L"Autosave window width", &F::Autosavewindowwidth1Click),
    Item(0, &F::Autosavewindowsizenormalorminibar1, L"Autosave window style - normal or minibar",
         &F::Autosavewindowsizenormalorminibar1Click),
    Sep(0),
    Item(0, &F::Savedefaultchecksum1, L"Autosave last used checksum type", &F::Savedefaultchecksum1Click),
    Item(0, &F::EnableESCkeytocloseapplication1, L"Enable ESC key to close application",
         &F::EnableESCkeytocloseapplication1Click),
    Item(0, &F::Enablestayontop1, L"Enable \"stay on top\"", &F::Enablestayontop1Click, L"Ctrl+T"),
    Item(0, &F::Snaptoedge1, L"Snap to screen edge", &F::Snaptoedge1Click),
    Item(0, &F::Setfocuswhelfiledroppedonthisform1, L"Set focus when file dropped on this form",
         &F::Setfocuswhelfiledroppedonthisform1Click),
    Item(0, &F::Showcaptionbar1, L"Show caption bar", &F::Showcaptionbar1Click, L"F3"),

    Sub(0, &F::Colors1, L"Colors"),
    Item(1, &F::Selectforbackground1, L"Background", &F::Selectforbackground1Click),
    Item(1, &F::Selectforeditboxes1, L"Edit boxes", &F::Selectforeditboxes1Click),
    Item(1, &F::exteditfields1, L"Text (edit fields)", &F::exteditfields1Click),
    E{E::Item, 1, &F::Colorshidden1, L"", {}, nullptr, 0, false},
    Sep(1),
    Item(1, &F::Restoredefaultcolors1, L"Restore default colors", &F::Restoredefaultcolors1Click),

    Sub(0, &F::ransparency1, L"Transparency level (visibility)"),
    Radio(1, &F::Disable1, L"Disable", &F::Disable1Click, kTransparencyGroup),
    Sep(1),
    Radio(1, &F::N901, L"90%", &F::N901Click, kTransparencyGroup),
    Radio(1, &F::N801, L"80%", &F::N801Click, kTransparencyGroup),
    Radio(1, &F::N701, L"70%", &F::N701Click, kTransparencyGroup),
    Radio(1, &F::N601, L"60%", &F::N601Click, kTransparencyGroup),
    Radio(1, &F::N501, L"50%", &F::N501Click, kTransparencyGroup),
    Radio(1, &F::N401, L"40%", &F::N401Click, kTransparencyGroup),
    Radio(1, &F::N301, L"30%", &F::N301Click, kTransparencyGroup),
    Radio(1, &F::N201, L"20%", &F::N201Click, kTransparencyGroup, false),
    Radio(1, &F::N101, L"10%", &F::N101Click, kTransparencyGroup, false),
    Sep(1),
    Item(1, &F::Applytominiformonly1, L"Apply to miniform only", &F::Applytominiformonly1Click),
    Sep(0),

    Item(0, &F::Autocalculatewhenchecksumtypechanged1, L"Autocalculate when checksum type changed",
         &F::Autocalculatewhenchecksumtypechanged1Click),
    Item(0, &F::Autocalculatewhenfiledropped1, L"Autocalculate when file dropped",
         &F::Autocalculatewhenfiledropped1Click),
    Item(0, &F::Autopastechecksumfromclipboard1, L"Auto paste checksum from clipboard (context menu)",
         &F::Autopastechecksumfromclipboard1Click),
    Item(0, &F::Showfilenameontitlebar1, L"Show file name on title bar", &F::Showfilenameontitlebar1Click),
    Item(0, &F::Useboldfont1, L"Use bold font", &F::Useboldfont1Click),
    Item(0, &F::Flashtaskbarwhencalculationcompleted1, L"Flash taskbar when calculation completed",
         &F::Flashtaskbarwhencalculationcompleted1Click),
    Item(0, &F::Showuppercasechecksums1, L"Uppercase checksums", &F::Showuppercasechecksums1Click, L"Ctrl+U"),
    Sep(0),

    Sub(0, &F::Shellintegration1, L"Shell integration and default action"),
    Item(1, &F::EnableWindowsshellintegration1, L"Enable/Disable or change title",
         &F::EnableWindowsshellintegration1Click),
    Sep(1),
    E{E::Item, 1, &F::Defaultaction1, L"- Default action -", {}, nullptr, 0, true, false},
    Radio(1, &F::Nocalculate1, L"No calculate, just select file", &F::DefaultActionClick, kDefaultActionGroup),
    Radio(1, &F::Askforchecksumtypetocalculate1, L"Ask for checksum type to calculate", &F::DefaultActionClick,
          kDefaultActionGroup),
    Radio(1, &F::MD41, L"MD4", &F::DefaultActionClick, kDefaultActionGroup),
    Radio(1, &F::MD51, L"MD5", &F::DefaultActionClick, kDefaultActionGroup),
    Radio(1, &F::SHA11, L"SHA1", &F::DefaultActionClick, kDefaultActionGroup),
    Radio(1, &F::SHA2561, L"SHA-256", &F::DefaultActionClick, kDefaultActionGroup),
    Radio(1, &F::SHA3841, L"SHA-384", &F::DefaultActionClick, kDefaultActionGroup),
    Radio(1, &F::SHA5121, L"SHA-512", &F::DefaultActionClick, kDefaultActionGroup),
    Radio(1, &F::RIPEMD1281, L"RIPEMD-128", &F::DefaultActionClick, kDefaultActionGroup),
    Radio(1, &F::RIPEMD1601, L"RIPEMD-160", &F::DefaultActionClick, kDefaultActionGroup),
    Radio(1, &F::HAVAL2561, L"HAVAL 256", &F::DefaultActionClick, kDefaultActionGroup),
    Radio(1, &F::IGER1921, L"TIGER 192", &F::DefaultActionClick, kDefaultActionGroup),
    Radio(1, &F::CRC321, L"CRC32", &F::DefaultActionClick, kDefaultActionGroup),
    Sep(1),
    Item(1, &F::Changecontextmenutitle1, L"Change context menu title...", &F::Changecontextmenutitle1Click),
    Item(1, &F::FixcontextmenuifyouseeOpenfilewithwindow1, L"Fix context menu integration - \"Open with\" problem",
         &F::FixcontextmenuifyouseeOpenfilewithwindow1Click),
    Sep(0),

    Sub(0, &F::Logfile1, L"History file"),
    Item(1, &F::Enable1, L"Enable", &F::Enable1Click),
    Item(1, &F::Storefullpath1, L"Store full path", &F::Storefullpath1Click),
    Item(1, &F::Windowsformataddasterixtofilepath1, L"Add asterix to filename",
         &F::Windowsformataddasterixtofilepath1Click),
    Sep(1),
    Item(1, &F::View1, L"View", &F::View1Click, L"Ctrl+H"),
    Sep(1),
    Item(1, &F::Deletefile1, L"Delete file", &F::Deletefile1Click),
    Sep(0),

    Item(0, &F::Placeshortcutondesktop1, L"Place shortcut on desktop", &F::Placeshortcutondesktop1Click),
    Item(0, &F::Placeshortcutonquicklaunchbar1, L"Place shortcut on Quick Launch bar",
         &F::Placeshortcutonquicklaunchbar1Click),
    Sep(0),

    Sub(0, &F::Othersettings2, L"Other settings"),
    Item(1, &F::Displaytimeelapsedandcalculatestateinbottombaroftheform1,
         L"Display \"Time elapsed\" on program bottom status bar, like 00:15:10",
         &F::Displaytimeelapsedandcalculatestateinbottombaroftheform1Click),
    Sep(1),
    Item(1, &F::Savetofileasbinaryformataddasterixtofilename1, L"Add asterix when saving / creating checksum file",
         &F::Savetofileasbinaryformataddasterixtofilename1Click),
    Item(1, &F::Usefullpathwhensavingcreatingchecksumfile1, L"Use full path when saving / creating checksum file",
         &F::Usefullpathwhensavingcreatingchecksumfile1Click),
    Sep(1),
    Sub(1, &F::Fileattributes1, L"File attributes"),
    Item(2, &F::Makeinifilehidden1, L"Make .ini file as hidden (H)", &F::Makeinifilehidden1Click),
    Item(2, &F::Makeinifilesystem1, L"Make .ini file as system (S)", &F::Makeinifilesystem1Click),
    Item(2, &F::MakehistoryfileashiddenH1, L"Make history file as hidden (H)", &F::MakehistoryfileashiddenH1Click),
    Item(2, &F::MakehistoryfileassystemS1, L"Make history file as system (S)", &F::MakehistoryfileassystemS1Click),
    Sep(1),
    Item(1, &F::Enablewarningifprogramisolderthat2monthsrecommended1,
         L"Enable warning if program is older that 2 months (recommended)",
         &F::Enablewarningifprogramisolderthat2monthsrecommended1Click),
    Sep(1),
    Sub(1, &F::Applicationthreadpriority1, L"Application thread priority"),
    Radio(2, &F::REALTIMEPRIORITYCLASS1, L"REALTIME_PRIORITY_CLASS    (for 2000/XP only)", &F::PriorityItemClick,
          kPriorityGroup),
    Radio(2, &F::HIGHPRIORITYCLASS1, L"HIGH_PRIORITY_CLASS", &F::PriorityItemClick, kPriorityGroup),
    Radio(2, &F::ABOVENORMALPRIORITYCLASS1, L"ABOVE_NORMAL_PRIORITY_CLASS", &F::PriorityItemClick, kPriorityGroup),
    Radio(2, &F::NORMALPRIORITYCLASS1, L"NORMAL_PRIORITY_CLASS         (default)", &F::PriorityItemClick,
          kPriorityGroup),
    Radio(2, &F::BELOWNORMALPRIORITYCLASS1, L"BELOW_NORMAL_PRIORITY_CLASS", &F::PriorityItemClick, kPriorityGroup),
    Radio(2, &F::IDLEPRIORITYCLASS1, L"IDLE_PRIORITY_CLASS", &F::PriorityItemClick, kPriorityGroup),
    Sep(1),
    Item(1, &F::DisableformscalingDPI1,
         L"Disable form scaling (DPI) if you are facing any problems with application window scaling",
         &F::DisableformscalingDPI1Click),
    Item(1, &F::Hidetotrayicononclose1,
         L"Hide to tray icon on program close (can be closed completely from tray icon only)",
         &F::Hidetotrayicononclose1Click),
    Sep(0),

    Sub(0, &F::Othersettings1, L"Check for update"),
    Item(1, &F::Checkforupdate1, L"Enable (every week)", &F::Checkforupdate1Click),
    Sep(1),
    Item(1, &F::Checkfornewerversionnow1, L"Check now !", &F::Checkfornewerversionnow1Click),
});

const auto kHelpMenu = std::to_array<E>({
    Item(0, &F::Keyboardshortcuts1, L"Keyboard shortcuts", &F::Keyboardshortcuts1Click),
    Sep(0),
    Item(0, &F::About1, L"About", &F::About1Click),
});

const auto kTrayMenu = std::to_array<E>({
    Item(0, &F::Show1, L"Show", &F::Show1Click),
    Item(0, &F::Clone1, L"Clone", &F::Clone1Click),
    Sep(0),
    Item(0, &F::Exit1, L"Exit", &F::Exit1Click),
});

}  // namespace

std::span<const MenuEntry> OptionsMenuTable() { return kOptionsMenu; }
std::span<const MenuEntry> HelpMenuTable() { return kHelpMenu; }
std::span<const MenuEntry> TrayMenuTable() { return kTrayMenu; }

}  // namespace ondrix::ui
