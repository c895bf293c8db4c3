// The main window. One object holds the widgets, the menu items, the timers
// and the state of the selected file and its calculation; the behaviour is
// split over files named after what they hold:
//   form1_create.cpp    creating the window, every show, widget tree, menus
//                       from their tables, message switch
//   form1_layout.cpp    normal and mini layouts, mode switch, move/size rules,
//                       DPI sizes, balloon tips
//   form1_options.cpp   the click of an option row, appearance options,
//                       message boxes, tray icon, closing
//   form1_settings.cpp  LoadSettings and the key-group values
//   form1_keys.cpp      keyboard and mouse commands, help menu
//   form1_calc.cpp      starting, watching and finishing a calculation
//   form1_intake.cpp    how a file becomes the selected file (drop, open
//                       dialog, command line), title bar, file-name field
//   form1_verify.cpp    comparison, clipboard commands, file details report
//   form1_files.cpp     checksum file, history file and its commands
//   form1_shell.cpp     properties sheet, Explorer, a second copy
//   form1_shell_verb.cpp  the Explorer verb's commands, the chooser at
//                       start, shortcuts
//   form1_update.cpp    the scheduled and the manual update check, its panel
//   form1_notices.cpp   the age warning, the donation reminder, About
// The menu tables are in options_menu.cpp; menu_item.h, layout_rules.*,
// help_text.* and file_exists.* hold the small pieces the window uses.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "settings/ini_file.h"
#include "settings/settings_keys.h"
#include "settings/settings_values.h"
#include "ui/menu_item.h"
#include "win/balloon_tip.h"
#include "win/busy_bar.h"
#include "win/bevel.h"
#include "win/combo_list.h"
#include "win/control.h"
#include "win/desktop.h"
#include "win/edit.h"
#include "win/flat_button.h"
#include "win/handles.h"
#include "win/label.h"
#include "win/panel.h"
#include "win/popup_menu.h"
#include "win/radio_button.h"
#include "win/status_bar.h"
#include "win/timer.h"
#include "win/tray_icon.h"
#include "win/form.h"
#include "win/window_base.h"
#include "job/calc_job.h"
#include "startup/file_info_text.h"
#include "verify/compare.h"
#include "verify/file_details.h"
#include "update/build_date.h"

namespace ondrix {
class Tfm_wybierz_algorytm;
}

namespace ondrix::ui {

class TForm1;

// One row of a menu table. Entries nest by depth: a submenu is followed by
// its entries one level deeper. Separators have no item. An option's row is
// the whole option: the key its tick mirrors (ticked from the settings file
// at start, written back by its group), how a click changes the tick, what
// applies the change and when.
struct MenuEntry {
  enum Kind { Item, Separator, Submenu };
  // What a click on the item does.
  enum class Action {
    Command,  // runs `click`
    Toggle,   // inverts the tick
    Choose,   // moves the tick of its radio group here
  };
  // When an option's change takes effect.
  enum class Applies {
    // At once; then its group is written, unless the settings file refuses
    // writes (the change then holds for this run only).
    BeforeWrite,
    // Only once its group was written. A choice of a radio group is not even
    // ticked while the settings file refuses writes.
    OnceStored,
  };
  Kind kind = Item;
  int depth = 0;
  TMenuItem TForm1::*item = nullptr;  // null for separators
  std::wstring_view caption;
  std::wstring_view shortcut;  // label shown beside the caption
  void (TForm1::*click)() = nullptr;  // Command items; null for submenus and headings
  int radio_group = 0;                // > 0: one tick among the group's entries
  bool visible = true;
  bool enabled = true;
  Action action = Action::Command;
  std::optional<SettingKey> key;  // the key the tick mirrors, if any
  SettingsGroup group = SettingsGroup::Caption_bar_visible;  // written by Toggle and Choose items
  void (TForm1::*apply)() = nullptr;  // applies a Toggle or Choose item's new tick
  Applies applies = Applies::BeforeWrite;
};

// The three menus of the window, in their order.
std::span<const MenuEntry> OptionsMenuTable();  // PopupMenu1
std::span<const MenuEntry> HelpMenuTable();     // PopupMenu_pomoc
std::span<const MenuEntry> TrayMenuTable();     // PopupMenu_tray

inline constexpr wchar_t kFormTitle[] = L"Ondrix " ONDRIX_VERSION_TEXT;
inline constexpr wchar_t kApplicationTitle[] = L"Ondrix";
inline constexpr wchar_t kNoFileSelected[] = L"(no file selected)";
// The status text of a fresh window (the one after a calculation is
// job/progress_text.h's kStatusIdle, which differs by a leading space).
inline constexpr wchar_t kStatusAtStart[] = L"Status: IDLE";

class TForm1 : public win::Form {
 public:
  explicit TForm1(win::IDesktop& desktop);
  ~TForm1() override;

  // Creates the window, its widgets and menus, and loads the settings. `first_argument`
  // is the command line's first argument (empty without one); it decides
  // whether the chooser is shown at creation.
  bool Create(std::wstring_view first_argument = {});

  win::IDesktop& Desktop() const noexcept { return desktop_; }
  const IniFile& Settings() const noexcept { return ini_; }

  // ---- widgets (names of the form designer) -------------------------------
  win::Panel Panel1;
  win::Label Label8;
  win::FlatButton btn_info, btn_config, btn_up, btn_down;
  win::Bevel Bevel1;

  win::Panel Panel4;
  win::Label Label1, Label3, Label5, Label7, Label2;
  win::Bevel Bevel2;

  win::Panel Panel2;
  win::Panel Panel5;
  win::Label label9, Label4;
  win::FlatButton btn_openfile;
  win::Panel Panel8;
  win::FlatButton btn_kopiujsume, btn_savefile;
  win::Panel Panel6;
  win::Edit Edit1;
  win::Bevel bv2;
  win::Panel Panel9;
  win::FlatButton SpeedButton9;
  win::Panel Panel7;
  win::Edit Edit2;
  win::FlatButton speed_warn, speed_blad, speed_ok;
  win::Panel Panel10;
  win::Panel Panel11;
  win::ComboList ComboBox1;
  win::FlatButton SpeedButton3, SpeedButton2, SpeedButton1;
  win::Panel Panel12;

  win::StatusBar StatusBar1;

  win::Panel Panel_mini;
  win::Panel panel_mini_left1, panel_mini_left2, panel_mini_left3, panel_mini_right;

  win::Panel Panel_aktualizacja;
  win::Label Label10, Label11;
  win::BusyBar Animate1;  // the notice panel's animation

  // Hidden: the type selectors mirrored by ComboBox1, and buttons that take
  // no part in the layout.
  win::Panel Panel3;
  win::RadioButton RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton5,
      RadioButton6, RadioButton7, RadioButton8, RadioButton9, RadioButton10, RadioButton11;
  win::FlatButton SpeedButton5, SpeedButton13, SpeedButton14, SpeedButton8, SpeedButton12;
  win::RadioButton* Selector(int n);  // RadioButton<n>, 1..11

  // ---- menu items (options menu PopupMenu1) --------------------------------
  // Each is named after its component, and that name is what tests and the
  // settings file's key table call it by.
  ONDRIX_MENU_ITEM(Savewindowsposition1);
  ONDRIX_MENU_ITEM(Autosavewindowwidth1);
  ONDRIX_MENU_ITEM(Autosavewindowsizenormalorminibar1);
  ONDRIX_MENU_ITEM(Savedefaultchecksum1);
  ONDRIX_MENU_ITEM(EnableESCkeytocloseapplication1);
  ONDRIX_MENU_ITEM(Enablestayontop1);
  ONDRIX_MENU_ITEM(Snaptoedge1);
  ONDRIX_MENU_ITEM(Setfocuswhelfiledroppedonthisform1);
  ONDRIX_MENU_ITEM(Showcaptionbar1);
  ONDRIX_MENU_ITEM(Colors1);
  ONDRIX_MENU_ITEM(Selectforbackground1);
  ONDRIX_MENU_ITEM(Selectforeditboxes1);
  ONDRIX_MENU_ITEM(exteditfields1);
  ONDRIX_MENU_ITEM(Colorshidden1);
  ONDRIX_MENU_ITEM(Restoredefaultcolors1);
  ONDRIX_MENU_ITEM(ransparency1);
  ONDRIX_MENU_ITEM(Disable1);
  ONDRIX_MENU_ITEM(N901); ONDRIX_MENU_ITEM(N801); ONDRIX_MENU_ITEM(N701); ONDRIX_MENU_ITEM(N601);
  ONDRIX_MENU_ITEM(N501); ONDRIX_MENU_ITEM(N401); ONDRIX_MENU_ITEM(N301); ONDRIX_MENU_ITEM(N201);
  ONDRIX_MENU_ITEM(N101);
  ONDRIX_MENU_ITEM(Applytominiformonly1);
  ONDRIX_MENU_ITEM(Autocalculatewhenchecksumtypechanged1);
  ONDRIX_MENU_ITEM(Autocalculatewhenfiledropped1);
  ONDRIX_MENU_ITEM(Autopastechecksumfromclipboard1);
  ONDRIX_MENU_ITEM(Showfilenameontitlebar1);
  ONDRIX_MENU_ITEM(Useboldfont1);
  ONDRIX_MENU_ITEM(Flashtaskbarwhencalculationcompleted1);
  ONDRIX_MENU_ITEM(Showuppercasechecksums1);
  ONDRIX_MENU_ITEM(Shellintegration1);
  ONDRIX_MENU_ITEM(EnableWindowsshellintegration1);
  ONDRIX_MENU_ITEM(Defaultaction1);
  ONDRIX_MENU_ITEM(Nocalculate1);
  ONDRIX_MENU_ITEM(Askforchecksumtypetocalculate1);
  ONDRIX_MENU_ITEM(MD41); ONDRIX_MENU_ITEM(MD51); ONDRIX_MENU_ITEM(SHA11); ONDRIX_MENU_ITEM(SHA2561);
  ONDRIX_MENU_ITEM(SHA3841); ONDRIX_MENU_ITEM(SHA5121); ONDRIX_MENU_ITEM(RIPEMD1281); ONDRIX_MENU_ITEM(RIPEMD1601);
  ONDRIX_MENU_ITEM(HAVAL2561); ONDRIX_MENU_ITEM(IGER1921); ONDRIX_MENU_ITEM(CRC321);
  ONDRIX_MENU_ITEM(Changecontextmenutitle1);
  ONDRIX_MENU_ITEM(FixcontextmenuifyouseeOpenfilewithwindow1);
  ONDRIX_MENU_ITEM(Logfile1);
  ONDRIX_MENU_ITEM(Enable1);
  ONDRIX_MENU_ITEM(Storefullpath1);
  ONDRIX_MENU_ITEM(Windowsformataddasterixtofilepath1);
  ONDRIX_MENU_ITEM(View1);
  ONDRIX_MENU_ITEM(Deletefile1);
  ONDRIX_MENU_ITEM(Placeshortcutondesktop1);
  ONDRIX_MENU_ITEM(Placeshortcutonquicklaunchbar1);
  ONDRIX_MENU_ITEM(Othersettings2);
  ONDRIX_MENU_ITEM(Displaytimeelapsedandcalculatestateinbottombaroftheform1);
  ONDRIX_MENU_ITEM(Savetofileasbinaryformataddasterixtofilename1);
  ONDRIX_MENU_ITEM(Usefullpathwhensavingcreatingchecksumfile1);
  ONDRIX_MENU_ITEM(Fileattributes1);
  ONDRIX_MENU_ITEM(Makeinifilehidden1);
  ONDRIX_MENU_ITEM(Makeinifilesystem1);
  ONDRIX_MENU_ITEM(MakehistoryfileashiddenH1);
  ONDRIX_MENU_ITEM(MakehistoryfileassystemS1);
  ONDRIX_MENU_ITEM(Enablewarningifprogramisolderthat2monthsrecommended1);
  ONDRIX_MENU_ITEM(Applicationthreadpriority1);
  ONDRIX_MENU_ITEM(REALTIMEPRIORITYCLASS1);
  ONDRIX_MENU_ITEM(HIGHPRIORITYCLASS1);
  ONDRIX_MENU_ITEM(ABOVENORMALPRIORITYCLASS1);
  ONDRIX_MENU_ITEM(NORMALPRIORITYCLASS1);
  ONDRIX_MENU_ITEM(BELOWNORMALPRIORITYCLASS1);
  ONDRIX_MENU_ITEM(IDLEPRIORITYCLASS1);
  ONDRIX_MENU_ITEM(DisableformscalingDPI1);
  ONDRIX_MENU_ITEM(Hidetotrayicononclose1);
  ONDRIX_MENU_ITEM(Othersettings1);
  ONDRIX_MENU_ITEM(Checkforupdate1);
  ONDRIX_MENU_ITEM(Checkfornewerversionnow1);
  // help menu PopupMenu_pomoc
  ONDRIX_MENU_ITEM(Keyboardshortcuts1);
  ONDRIX_MENU_ITEM(About1);
  // tray menu PopupMenu_tray
  ONDRIX_MENU_ITEM(Show1);
  ONDRIX_MENU_ITEM(Clone1);
  ONDRIX_MENU_ITEM(Exit1);

  win::PopupMenu PopupMenu1, PopupMenu_pomoc, PopupMenu_tray;

  // Every item of the three menus, found by component name (null when no
  // item has that name).
  TMenuItem* FindMenuItem(std::string_view name);
  // Runs the click handler of the entry with that component name, as a click
  // on it would. False when there is none.
  bool ClickMenuItem(std::string_view name);
  // Runs an option entry as a click on it would (F3, Ctrl+U, Ctrl+T).
  void ClickOption(TMenuItem& item);

  // ---- timers ----------------------------------------------------------------
  win::Timer Timer1;               // 200 ms: progress monitor
  win::Timer Timer2;               // 100 ms: delay before the scheduled update check
  win::Timer timer_aktualizacja2;  // 100 ms: runs the scheduled update check
  win::TrayIcon TrayIcon1;

  // ---- state that the program entry and tests set or read ----------------------
  // The selected file; empty before the first.
  std::wstring SelectedFilePath;
  // 0 from the moment a file is taken over until its calculation ends or is
  // declined (Esc then aborts instead of closing); 1 otherwise.
  std::uint8_t CalcIdle = 1;
  // 1 while a worker runs: drops, Ctrl keys and F5 are refused.
  std::uint8_t CalcRunning = 0;
  // The type key of the checksum shown ("md5" ... "crc32"); empty when none.
  std::string CalcTypeKey;
  // Set by the program entry: the start had a file argument (the type it is
  // calculated with is then not stored), and the first show still has to
  // process it.
  std::uint8_t StartedWithArgument = 0;
  std::uint8_t FirstShowPending = 0;
  std::wstring FirstArgument;  // the command line's first argument, or empty
  // The checksum type chooser, created before the window when there is an
  // argument; null otherwise. Not owned.
  Tfm_wybierz_algorytm* fm_wybierz_algorytm = nullptr;
  int ArgumentCount = 0;
  std::uint8_t MiniMode = 0;
  std::int32_t CaptionBarHeight = 0;
  std::int32_t NormalMinWidth = kNormalWidthAt96;
  // Set by tests, which create several windows in one thread: the window
  // then does not end the message loop when it is destroyed.
  bool QuitOnDestroy = true;
  Color BackgroundColor = kClBtnFace;
  Color EditColor = kClWindow;
  Color EditFontColor = kClWindowText;
  // Initial colours of the three colour dialogs.
  Color ColorDialog_background = kClBtnFace;
  Color ColorDialog_editboxes = kClWindow;
  Color ColorDialog_text_in_editbox = kClWindowText;
  // Whether alpha blending is on as last applied.
  bool AlphaBlend = false;

  // The worker, its end flags and its result; the window reads them when a
  // tick of Timer1 finishes the job.
  CalcJob Job;

  // ---- what the program entry, the keys and tests call -----------------------
  // Every time the window becomes visible (form1_create.cpp).
  void FormShow();
  // Keys (form1_keys.cpp). FormKeyDown answers true when the key was handled
  // and must not reach the control. PreviewKeyMessage is for the message
  // loop: it offers a key press to FormKeyDown before the focused control
  // sees it (translating it first, so that the character it produces is in
  // the queue to be removed), and answers true when the message was taken
  // care of; the loop then neither translates nor dispatches it.
  bool FormKeyDown(WORD key, bool ctrl);
  bool PreviewKeyMessage(MSG& msg);
  void SetStatusText(std::wstring_view text);
  std::wstring StatusText() const { return StatusBar1.PanelText(0); }
  void TerminateNow();
  // Layout and geometry (form1_layout.cpp). SetFormBounds sets the outer
  // bounds with the form's limits applied.
  void btn_upClick();
  void btn_downClick();
  void SetFormBounds(int left, int top, int width, int height);
  RECT FormRect() const;
  RECT WorkArea() const;
  bool HasCaptionBar() const;
  void PullBackOntoWorkArea();
  void SetBalloonTip(win::Control& control, int icon, std::wstring_view title,
                     std::wstring_view text);
  HWND BalloonTipWindow() const noexcept { return balloon_.Hwnd(); }
  std::wstring WindowTitle() const;  // form1_options.cpp
  // The calculation's progress tick and the type list's change (form1_calc.cpp).
  void Timer1Timer();
  void ComboBox1Change(bool by_user);
  // The first show's file argument (form1_intake.cpp).
  void ProcessFirstArgument();
  // Checksum file and history (form1_files.cpp).
  void SaveChecksumFile();
  void View1Click();
  void Deletefile1Click();
  // Updates and notices (form1_update.cpp, form1_notices.cpp).
  // 1 for a check asked for with "Check now !", 0 for the scheduled one.
  std::uint8_t UpdateCheckManual = 0;
  // Set by the fetch when the document could not be had or read.
  std::uint8_t UpdateCheckFailed = 0;
  // Ticks of Timer2 left before the scheduled check.
  std::int32_t UpdateDelayTicks = 5;
  // The release's date the age warning counts from; tests set their own.
  Date BuildDate = ReleaseBuildDate();
  void CheckForUpdates();
  void RecordUpdateCheck(bool with_count);
  void AgeCheck();
  void ShowDonationReminder();
  // True while CheckForUpdates waits for the document.
  bool UpdateCheckRunning() const noexcept { return update_check_running_; }
  // Clipboard and details (form1_verify.cpp), shell (form1_shell.cpp).
  void CopyChecksumKey();
  void PasteChecksumKey();
  void CopyRowKey();
  void ShowDetailsInNotepad();
  void ShowFileProperties();
  void LocateInExplorer();
  void Clone1Click();

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) override;
  void OnDpiChanged(UINT dpi, const RECT& suggested) override;

 private:
  // The menu tables name the handlers and `apply` functions below.
  friend std::span<const MenuEntry> OptionsMenuTable();
  friend std::span<const MenuEntry> HelpMenuTable();
  friend std::span<const MenuEntry> TrayMenuTable();

  // ---- creation (form1_create.cpp) -----------------------------------------------
  void CreateWidgets();
  void ResetWidgets();
  void BuildMenus();
  void BuildMenu(win::PopupMenu& popup, std::span<const MenuEntry> table);
  void OnClose();  // form1_options.cpp
  void OnTrayMessage(LPARAM lparam);

  // ---- layout (form1_layout.cpp) ---------------------------------------------
  void ApplyNormalMode();
  void ApplyMiniMode();
  void FormResize();
  void ApplyCurrentLayout();
  void SetFormClientHeight(int height);
  void SetCaptionBar(bool shown);
  void FinishModeSwitch();
  void CentreWhereDefaulted();
  void WriteGeometryAfterMove();
  void CreateBalloonTipWindow();
  // Sizes of the design at the DPI the widgets are scaled to.
  int Px(int px_at_96) const;
  void ApplyDesignSizes();
  void ReflectDpi();
  void OnMoving(RECT& rect);
  void OnExitSizeMove();
  void OnEnterSizeMove();
  bool OnNcLButtonDblClk(WPARAM hit);

  // ---- options (form1_options.cpp) ---------------------------------------------
  // What a click on the entry does, as its row says.
  void RunEntry(const MenuEntry& entry);
  // The row of an item of the options menu; null for the other menus.
  const MenuEntry* OptionRow(const TMenuItem& item) const;
  void SetTopmost(int flag);
  void ApplyStayOnTop();
  void ApplyColors();
  void ApplyBoldFont();
  void ApplyUppercase();
  int OpacityValue() const;
  void ApplyOpacityRule();
  void ApplyProcessPriority();
  void ShowCriticalError(std::wstring_view message);
  // A modal box with the stay-on-top state lifted around it.
  int ShowMessage(std::wstring_view text, std::wstring_view title, win::MessageIcon icon,
                  win::MessageButtons buttons = win::MessageButtons::Ok);
  void SetAlphaBlend(bool blend, std::uint8_t alpha);
  void HideToTray();
  void ShowFromTray();
  void TrayIconClick();
  // What an option entry's new tick changes (the `apply` of its row).
  void ApplyCaptionBarChoice();
  void ApplyTransparencyChoice();
  void ApplyUppercaseChoice();
  void ApplyHistoryChoice();
  void OfferRestartForScaling();
  // Commands of the options and tray menus.
  void Selectforbackground1Click();
  void Selectforeditboxes1Click();
  void exteditfields1Click();
  void Restoredefaultcolors1Click();
  void Show1Click();
  void Exit1Click();

  // ---- settings (form1_settings.cpp) --------------------------------------------
  void LoadSettings();
  // Writes one key group from the current state through the gate; a write
  // that fails after the gate passed reaches the critical-error box.
  bool SaveSettingGroup(SettingsGroup group);
  GroupTexts GroupValues(SettingsGroup group) const;
  bool SettingsFileWritable() const;
  // The item whose tick mirrors `key`; null when no row names the key.
  const TMenuItem* ItemMirroring(SettingKey key) const;

  // ---- keys and mouse (form1_keys.cpp) ----------------------------------------------
  void RemovePendingChar();
  void OpenOptionsMenuAt(POINT screen);
  void OpenHelpMenuAt(POINT screen);
  void btn_infoClick();
  void btn_configClick();
  void StartWindowDrag();
  void WireMouse();
  void Keyboardshortcuts1Click();
  void About1Click();
  void CloseByUser();

  // ---- calculation (form1_calc.cpp) -------------------------------------------------
  ChecksumType CheckedType();
  void StartCalculation();
  void AbortCalculation();
  void SpeedButton3Click();
  void EndFinishedWorker();
  void CompleteCalculation();
  void FinishAbortedCalculation();
  void FinishFailedCalculation();
  void EnableControlsAfterCalculation();
  void EndCalculationDisplay(std::wstring_view checksum_text);
  void FlashTaskbar();
  void StopCalculationForClose();

  // ---- file intake (form1_intake.cpp) ---------------------------------------------------
  void SelectFile(const std::wstring& path);
  void ReadFileTimes(const std::wstring& path);
  bool TakeFileOver(const std::wstring& path);
  void ForgetResult();
  void OnDropFiles(HDROP drop);
  void btn_openfileClick();
  void ApplyTitleTexts(const WindowTitleTexts& texts);
  void UpdateTitleBar();
  void label9MouseEnter();
  void label9MouseLeave();
  void label9Click();

  // ---- comparison, clipboard, details (form1_verify.cpp) ------------------------------
  // Hooks the commands of the calculation's widgets to them; run by Create.
  void WireCalculationCommands();
  void CompareChecksums();
  void PasteChecksumFromClipboard();
  void PasteButtonClick();
  void CopyChecksumButtonClick();
  void IndicatorClick(CompareVerdict verdict);
  void CopyDetailsToClipboard();
  FileDetailsInputs DetailsInputs() const;

  // ---- checksum file and history (form1_files.cpp) -------------------------------------
  void btn_savefileClick();
  void AppendHistory(bool enabled);
  std::wstring HistoryPath() const;

  // ---- Explorer verb, chooser at start, shortcuts (form1_shell_verb.cpp) -------------
  void proc_shell_wlacz_integracje(std::wstring_view title, bool report);
  void proc_shell_wylacz_integracje();
  void EnableWindowsshellintegration1Click();
  void Changecontextmenutitle1Click();
  void FixcontextmenuifyouseeOpenfilewithwindow1Click();
  bool VerifyShellVerb();
  // False when the chooser ended the program (Escape).
  bool ShowChooserAtCreation();
  void Placeshortcutondesktop1Click();
  void Placeshortcutonquicklaunchbar1Click();
  void PlaceShortcutIn(win::ShellFolder folder, std::wstring_view subfolder, std::wstring_view confirmation);

  // ---- updates and notices (form1_update.cpp, form1_notices.cpp) -------------------------
  void Checkfornewerversionnow1Click();
  void RunAgeCheckOrDonationReminder();
  void Timer2Timer();
  void timer_aktualizacja2Timer();
  void ShowUpdatePanel();
  void HideUpdatePanel();
  void LayoutUpdatePanel();
  // Runs `work` on a helper thread, or only waits `ms` when it is empty,
  // while this thread keeps the window painted and answering with user
  // input to it blocked.
  void WaitPumpingMessages(DWORD ms, const std::function<void()>& work);
  // Opens a vendor page in the default browser.
  void OpenVendorPage(std::wstring_view url);

  // ---- state only the window uses ---------------------------------------------
  std::int64_t SelectedFileSize = 0;
  std::uint32_t CalcStartTick = 0;  // tick count when the running job started
  // The type the chooser picked for the file argument; empty without one.
  std::wstring PendingChosenType;
  double DpiScale = 1.0;
  // The level the transparency entries stand for while none is ticked (a
  // hand-edited Transparency_value).
  int StoredTransparencyValue = kOpaqueValue;
  // The selected file's times as the details show them.
  std::wstring FileCreatedText, FileModifiedText, FileAccessedText;

  win::IDesktop& desktop_;
  IniFile ini_;
  win::BalloonTip balloon_;
  win::UniqueFont font_;
  int design_dpi_ = 96;  // the DPI the widgets are scaled to
  std::vector<TMenuItem*> all_items_;
  // Left or Top took its default at start: the window is centred once its
  // layout has given it its real size.
  bool centre_left_pending_ = false;
  bool centre_top_pending_ = false;
  bool comparing_ = false;  // CompareChecksums puts the trimmed text back
  bool update_check_running_ = false;
  // What the notice panel hid, shown again when the check ends.
  bool panel4_was_visible_ = false, panel2_was_visible_ = false, panel_mini_was_visible_ = false;
  win::UniqueFont update_title_font_;
  // Report files Notepad may still hold are deleted when the window goes.
  struct TempFilesAtExit {
    ~TempFilesAtExit();
  } temp_files_at_exit_;
};

}  // namespace ondrix::ui
