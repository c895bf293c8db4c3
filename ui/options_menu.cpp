// The menus of the main window as tables: the options menu (right mouse
// button, F10, the gear button), the help menu and the tray icon's menu.
// One row per entry in the order shown. A row makes the entry, and for an
// option it is the whole option: the key its tick mirrors (ticked from the
// file at start, written back by the key's group), and what a click does.
#include <array>

#include "ui/form1.h"

namespace ondrix::ui {
namespace {

using E = MenuEntry;
using F = TForm1;
using K = SettingKey;
using G = SettingsGroup;
using A = MenuEntry::Action;

// Radio groups: the entries of a group keep one tick between them.
constexpr int kTransparencyGroup = 1;
constexpr int kDefaultActionGroup = 2;
constexpr int kPriorityGroup = 3;

// A command: the click runs `click`.
constexpr E Item(int depth, TMenuItem F::*item, std::wstring_view caption, void (F::*click)(),
                 std::wstring_view shortcut = {}) {
  return E{.kind = E::Item, .depth = depth, .item = item, .caption = caption, .shortcut = shortcut, .click = click};
}
// A command whose tick mirrors `key` (loaded at start, written by its group).
constexpr E TickedItem(int depth, TMenuItem F::*item, std::wstring_view caption, void (F::*click)(), K key) {
  return E{.kind = E::Item, .depth = depth, .item = item, .caption = caption, .click = click, .key = key};
}
// An option: the click inverts the tick, runs `apply` and writes `group`.
constexpr E Option(int depth, TMenuItem F::*item, std::wstring_view caption, K key, G group,
                   void (F::*apply)() = nullptr, std::wstring_view shortcut = {},
                   MenuEntry::Applies applies = MenuEntry::Applies::BeforeWrite) {
  return E{.kind = E::Item, .depth = depth, .item = item, .caption = caption, .shortcut = shortcut,
           .action = A::Toggle, .key = key, .group = group, .apply = apply, .applies = applies};
}
// One choice of a radio group: the click moves the group's tick here, runs
// `apply` and writes `group`.
constexpr E Choice(int depth, TMenuItem F::*item, std::wstring_view caption, int radio_group, K key, G group,
                   void (F::*apply)() = nullptr, bool visible = true,
                   MenuEntry::Applies applies = MenuEntry::Applies::BeforeWrite) {
  return E{.kind = E::Item, .depth = depth, .item = item, .caption = caption, .radio_group = radio_group,
           .visible = visible, .action = A::Choose, .key = key, .group = group, .apply = apply,
           .applies = applies};
}
constexpr E Sub(int depth, TMenuItem F::*item, std::wstring_view caption) {
  return E{.kind = E::Submenu, .depth = depth, .item = item, .caption = caption};
}
constexpr E Sep(int depth) { return E{.kind = E::Separator, .depth = depth, .caption = L"-"}; }

constexpr auto kStored = MenuEntry::Applies::OnceStored;

}  // namespace

// Function-local tables: as friends of TForm1 they may name its private
// handlers.
std::span<const MenuEntry> OptionsMenuTable() {
  // One level of the transparency submenu (a lambda, so it shares the
  // table's access to the private apply routine).
  constexpr auto TransparencyChoice = [](TMenuItem F::*item, std::wstring_view caption, bool visible = true) {
    return Choice(1, item, caption, kTransparencyGroup, K::Transparency_value, G::Transparency_value,
                  &F::ApplyTransparencyChoice, visible);
  };
  static const auto kOptionsMenu = std::to_array<E>({
    Option(0, &F::Savewindowsposition1, L"Autosave window position", K::SavePosition, G::SavePosition),
    Option(0, &F::Autosavewindowwidth1, L"Autosave window width", K::SaveWidth, G::SaveWidth),
    Option(0, &F::Autosavewindowsizenormalorminibar1, L"Autosave window style - normal or minibar", K::SaveStyle,
           G::SaveStyle),
    Sep(0),
    Option(0, &F::Savedefaultchecksum1, L"Autosave last used checksum type", K::SaveLastChecksumType,
           G::SaveLastChecksumType),
    Option(0, &F::EnableESCkeytocloseapplication1, L"Enable ESC key to close application",
           K::EscapeClosesApplication, G::EscapeClosesApplication),
    Option(0, &F::Enablestayontop1, L"Enable \"stay on top\"", K::StayOnTop, G::StayOnTop, &F::ApplyStayOnTop,
           L"Ctrl+T"),
    // Snapping is done while the window is moved and reads the tick.
    Option(0, &F::Snaptoedge1, L"Snap to screen edge", K::SnapToEdge, G::SnapToEdge),
    Option(0, &F::Setfocuswhelfiledroppedonthisform1, L"Set focus when file dropped on this form",
           K::SetFocusWhenFileDroppedOnForm, G::SetFocusWhenFileDroppedOnForm),
    // Written even when the settings file refuses writes (an ungated group).
    Option(0, &F::Showcaptionbar1, L"Show caption bar", K::Caption_bar_visible, G::Caption_bar_visible,
           &F::ApplyCaptionBarChoice, L"F3"),

    Sub(0, &F::Colors1, L"Colors"),
    Item(1, &F::Selectforbackground1, L"Background", &F::Selectforbackground1Click),
    Item(1, &F::Selectforeditboxes1, L"Edit boxes", &F::Selectforeditboxes1Click),
    Item(1, &F::exteditfields1, L"Text (edit fields)", &F::exteditfields1Click),
    E{.kind = E::Item, .depth = 1, .item = &F::Colorshidden1, .caption = L"", .visible = false},
    Sep(1),
    Item(1, &F::Restoredefaultcolors1, L"Restore default colors", &F::Restoredefaultcolors1Click),

    Sub(0, &F::ransparency1, L"Transparency level (visibility)"),
    TransparencyChoice(&F::Disable1, L"Disable"),
    Sep(1),
    TransparencyChoice(&F::N901, L"90%"),
    TransparencyChoice(&F::N801, L"80%"),
    TransparencyChoice(&F::N701, L"70%"),
    TransparencyChoice(&F::N601, L"60%"),
    TransparencyChoice(&F::N501, L"50%"),
    TransparencyChoice(&F::N401, L"40%"),
    TransparencyChoice(&F::N301, L"30%"),
    TransparencyChoice(&F::N201, L"20%", false),
    TransparencyChoice(&F::N101, L"10%", false),
    Sep(1),
    Option(1, &F::Applytominiformonly1, L"Apply to miniform only", K::Transparency_Only_For_Miniform,
           G::Transparency_value, &F::ApplyOpacityRule),
    Sep(0),

    Option(0, &F::Autocalculatewhenchecksumtypechanged1, L"Autocalculate when checksum type changed",
           K::AutocalculateWhenChecksumTypeChanged, G::AutocalculateWhenChecksumTypeChanged),
    Option(0, &F::Autocalculatewhenfiledropped1, L"Autocalculate when file dropped", K::AutocalculateWhenFileDropped,
           G::AutocalculateWhenFileDropped),
    Option(0, &F::Autopastechecksumfromclipboard1, L"Auto paste checksum from clipboard (context menu)",
           K::AutoPasteChecksumFromClipboard, G::AutoPasteChecksumFromClipboard),
    // The title follows the next time it is set.
    Option(0, &F::Showfilenameontitlebar1, L"Show file name on title bar", K::ShowFilenameOnTitleBar,
           G::ShowFilenameOnTitleBar),
    Option(0, &F::Useboldfont1, L"Use bold font", K::UseBoldFont, G::UseBoldFont, &F::ApplyBoldFont),
    Option(0, &F::Flashtaskbarwhencalculationcompleted1, L"Flash taskbar when calculation completed",
           K::FlashWindowWhenCompleted, G::FlashWindowWhenCompleted),
    Option(0, &F::Showuppercasechecksums1, L"Uppercase checksums", K::ShowUppercaseChecksum,
           G::ShowUppercaseChecksum, &F::ApplyUppercaseChoice, L"Ctrl+U"),
    Sep(0),

    Sub(0, &F::Shellintegration1, L"Shell integration and default action"),
    TickedItem(1, &F::EnableWindowsshellintegration1, L"Enable/Disable or change title",
               &F::EnableWindowsshellintegration1Click, K::ShellIntegration),
    Sep(1),
    E{.kind = E::Item, .depth = 1, .item = &F::Defaultaction1, .caption = L"- Default action -", .enabled = false},
    Choice(1, &F::Nocalculate1, L"No calculate, just select file", kDefaultActionGroup, K::ShellDefaultAction,
           G::ShellDefaultAction),
    Choice(1, &F::Askforchecksumtypetocalculate1, L"Ask for checksum type to calculate", kDefaultActionGroup,
           K::ShellDefaultAction, G::ShellDefaultAction),
    Choice(1, &F::MD41, L"MD4", kDefaultActionGroup, K::ShellDefaultAction, G::ShellDefaultAction),
    Choice(1, &F::MD51, L"MD5", kDefaultActionGroup, K::ShellDefaultAction, G::ShellDefaultAction),
    Choice(1, &F::SHA11, L"SHA1", kDefaultActionGroup, K::ShellDefaultAction, G::ShellDefaultAction),
    Choice(1, &F::SHA2561, L"SHA-256", kDefaultActionGroup, K::ShellDefaultAction, G::ShellDefaultAction),
    Choice(1, &F::SHA3841, L"SHA-384", kDefaultActionGroup, K::ShellDefaultAction, G::ShellDefaultAction),
    Choice(1, &F::SHA5121, L"SHA-512", kDefaultActionGroup, K::ShellDefaultAction, G::ShellDefaultAction),
    Choice(1, &F::RIPEMD1281, L"RIPEMD-128", kDefaultActionGroup, K::ShellDefaultAction, G::ShellDefaultAction),
    Choice(1, &F::RIPEMD1601, L"RIPEMD-160", kDefaultActionGroup, K::ShellDefaultAction, G::ShellDefaultAction),
    Choice(1, &F::HAVAL2561, L"HAVAL 256", kDefaultActionGroup, K::ShellDefaultAction, G::ShellDefaultAction),
    Choice(1, &F::IGER1921, L"TIGER 192", kDefaultActionGroup, K::ShellDefaultAction, G::ShellDefaultAction),
    Choice(1, &F::CRC321, L"CRC32", kDefaultActionGroup, K::ShellDefaultAction, G::ShellDefaultAction),
    Sep(1),
    Item(1, &F::Changecontextmenutitle1, L"Change context menu title...", &F::Changecontextmenutitle1Click),
    Item(1, &F::FixcontextmenuifyouseeOpenfilewithwindow1, L"Fix context menu integration - \"Open with\" problem",
         &F::FixcontextmenuifyouseeOpenfilewithwindow1Click),
    Sep(0),

    Sub(0, &F::Logfile1, L"History file"),
    Option(1, &F::Enable1, L"Enable", K::LogToFile, G::LogToFile, &F::ApplyHistoryChoice),
    Option(1, &F::Storefullpath1, L"Store full path", K::SaveFullPathInLogFile, G::LogToFile),
    Option(1, &F::Windowsformataddasterixtofilepath1, L"Add asterix to filename", K::AddAsterixToLogFile,
           G::LogToFile),
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
    Option(1, &F::Displaytimeelapsedandcalculatestateinbottombaroftheform1,
           L"Display \"Time elapsed\" on program bottom status bar, like 00:15:10", K::DisplayTimeElapsedOnStatusBar,
           G::DisplayTimeElapsedOnStatusBar),
    Sep(1),
    Option(1, &F::Savetofileasbinaryformataddasterixtofilename1, L"Add asterix when saving / creating checksum file",
           K::AddAsterixWhenSavedToFile, G::AddAsterixWhenSavedToFile),
    Option(1, &F::Usefullpathwhensavingcreatingchecksumfile1, L"Use full path when saving / creating checksum file",
           K::FullPathInSaveToFile, G::FullPathInSaveToFile),
    Sep(1),
    // The writer of these groups applies the attributes once the keys are stored.
    Sub(1, &F::Fileattributes1, L"File attributes"),
    Option(2, &F::Makeinifilehidden1, L"Make .ini file as hidden (H)", K::MakeIniFileHidden, G::MakeIniFileHidden),
    Option(2, &F::Makeinifilesystem1, L"Make .ini file as system (S)", K::MakeIniFileSystem, G::MakeIniFileHidden),
    Option(2, &F::MakehistoryfileashiddenH1, L"Make history file as hidden (H)", K::MakeHistoryFileHidden,
           G::MakeHistoryFileHidden),
    Option(2, &F::MakehistoryfileassystemS1, L"Make history file as system (S)", K::MakeHistoryFileSystem,
           G::MakeHistoryFileHidden),
    Sep(1),
    Option(1, &F::Enablewarningifprogramisolderthat2monthsrecommended1,
           L"Enable warning if program is older that 2 months (recommended)", K::EnableOldVersionWarning,
           G::EnableOldVersionWarning),
    Sep(1),
    // A class that cannot be stored is not chosen: with the settings file
    // refusing writes every class is left unticked and none is applied.
    Sub(1, &F::Applicationthreadpriority1, L"Application thread priority"),
    Choice(2, &F::REALTIMEPRIORITYCLASS1, L"REALTIME_PRIORITY_CLASS    (for 2000/XP only)", kPriorityGroup,
           K::ApplicationThreadLevel, G::ApplicationThreadLevel, &F::ApplyProcessPriority, true, kStored),
    Choice(2, &F::HIGHPRIORITYCLASS1, L"HIGH_PRIORITY_CLASS", kPriorityGroup, K::ApplicationThreadLevel,
           G::ApplicationThreadLevel, &F::ApplyProcessPriority, true, kStored),
    Choice(2, &F::ABOVENORMALPRIORITYCLASS1, L"ABOVE_NORMAL_PRIORITY_CLASS", kPriorityGroup,
           K::ApplicationThreadLevel, G::ApplicationThreadLevel, &F::ApplyProcessPriority, true, kStored),
    Choice(2, &F::NORMALPRIORITYCLASS1, L"NORMAL_PRIORITY_CLASS         (default)", kPriorityGroup,
           K::ApplicationThreadLevel, G::ApplicationThreadLevel, &F::ApplyProcessPriority, true, kStored),
    Choice(2, &F::BELOWNORMALPRIORITYCLASS1, L"BELOW_NORMAL_PRIORITY_CLASS", kPriorityGroup,
           K::ApplicationThreadLevel, G::ApplicationThreadLevel, &F::ApplyProcessPriority, true, kStored),
    Choice(2, &F::IDLEPRIORITYCLASS1, L"IDLE_PRIORITY_CLASS", kPriorityGroup, K::ApplicationThreadLevel,
           G::ApplicationThreadLevel, &F::ApplyProcessPriority, true, kStored),
    Sep(1),
    // The restart offer comes only once the new value is stored; the tick
    // changes for this run either way.
    Option(1, &F::DisableformscalingDPI1,
           L"Disable form scaling (DPI) if you are facing any problems with application window scaling",
           K::DisableFormScaling, G::DisableFormScaling, &F::OfferRestartForScaling, {}, kStored),
    Option(1, &F::Hidetotrayicononclose1,
           L"Hide to tray icon on program close (can be closed completely from tray icon only)",
           K::Hide_to_tray_on_close, G::Hide_to_tray_on_close),
    Sep(0),

    // Neither starts nor stops a check in this run.
    Sub(0, &F::Othersettings1, L"Check for update"),
    Option(1, &F::Checkforupdate1, L"Enable (every week)", K::CheckForUpdate, G::CheckForUpdate),
    Sep(1),
    Item(1, &F::Checkfornewerversionnow1, L"Check now !", &F::Checkfornewerversionnow1Click),
});
  return kOptionsMenu;
}

std::span<const MenuEntry> HelpMenuTable() {
  static const auto kHelpMenu = std::to_array<E>({
    Item(0, &F::Keyboardshortcuts1, L"Keyboard shortcuts", &F::Keyboardshortcuts1Click),
    Sep(0),
    Item(0, &F::About1, L"About", &F::About1Click),
});
  return kHelpMenu;
}

std::span<const MenuEntry> TrayMenuTable() {
  static const auto kTrayMenu = std::to_array<E>({
    Item(0, &F::Show1, L"Show", &F::Show1Click),
    Item(0, &F::Clone1, L"Clone", &F::Clone1Click),
    Sep(0),
    Item(0, &F::Exit1, L"Exit", &F::Exit1Click),
});
  return kTrayMenu;
}

}  // namespace ondrix::ui
