// The main window. One object holds the widgets, the selected file, the
// calculation state, the option ticks and the timers; the behaviour is split
// over files named after what they hold:
//   form1_create.cpp    creation step, show step, widget tree, message switch
//   form1_layout.cpp    normal and mini layouts, mode switch, move/size rules
//   form1_options.cpp   option entries of the menus and appearance options
//   form1_settings.cpp  LoadSettings and the key-group writers
//   form1_keys.cpp      keyboard and mouse commands, help menu
//   form1_pending.cpp   commands whose work is done by later parts
// The menu tables are in options_menu.cpp.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "settings/ini_file.h"
#include "settings/settings_keys.h"
#include "settings/settings_values.h"
#include "ui/menu_item.h"
#include "win/balloon_tip.h"
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

namespace ondrix::ui {

class TForm1;

// One row of a menu table. Entries nest by depth: a submenu is followed by
// its entries one level deeper. Separators have no item.
struct MenuEntry {
  enum Kind { Item, Separator, Submenu };
  Kind kind;
  int depth;
  TMenuItem TForm1::*item;  // null for separators
  std::wstring_view caption;
  std::wstring_view shortcut;  // label shown beside the caption
  void (TForm1::*click)();     // null for submenus and headings
  int radio_group = 0;         // > 0: one tick among the group's entries
  bool visible = true;
  bool enabled = true;
};

// The three menus of the window, in their order.
std::span<const MenuEntry> OptionsMenuTable();  // PopupMenu1
std::span<const MenuEntry> HelpMenuTable();     // PopupMenu_pomoc
std::span<const MenuEntry> TrayMenuTable();     // PopupMenu_tray

inline constexpr wchar_t kFormTitle[] = L"Ondrix " ONDRIX_VERSION_TEXT;
inline constexpr wchar_t kApplicationTitle[] = L"Ondrix";
inline constexpr wchar_t kNoFileSelected[] = L"(no file selected)";
inline constexpr wchar_t kStatusIdle[] = L"Status: IDLE";

class TForm1 : public win::Form {
 public:
  explicit TForm1(win::IDesktop& desktop);
  ~TForm1() override;

  // Creation step: the window, its widgets and the settings. `first_argument`
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

  // Hidden: the type selectors mirrored by ComboBox1, and buttons that take
  // no part in the layout.
  win::Panel Panel3;
  win::RadioButton RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton5,
      RadioButton6, RadioButton7, RadioButton8, RadioButton9, RadioButton10, RadioButton11;
  win::FlatButton SpeedButton5, SpeedButton13, SpeedButton14, SpeedButton8, SpeedButton12;
  win::RadioButton* Selector(int n);  // RadioButton<n>, 1..11

  // ---- menu items (options menu PopupMenu1) --------------------------------
  TMenuItem Savewindowsposition1{"Savewindowsposition1"};
  TMenuItem Autosavewindowwidth1{"Autosavewindowwidth1"};
  TMenuItem Autosavewindowsizenormalorminibar1{"Autosavewindowsizenormalorminibar1"};
  TMenuItem Savedefaultchecksum1{"Savedefaultchecksum1"};
  TMenuItem EnableESCkeytocloseapplication1{"EnableESCkeytocloseapplication1"};
  TMenuItem Enablestayontop1{"Enablestayontop1"};
  TMenuItem Snaptoedge1{"Snaptoedge1"};
  TMenuItem Setfocuswhelfiledroppedonthisform1{"Setfocuswhelfiledroppedonthisform1"};
  TMenuItem Showcaptionbar1{"Showcaptionbar1"};
  TMenuItem Colors1{"Colors1"};
  TMenuItem Selectforbackground1{"Selectforbackground1"};
  TMenuItem Selectforeditboxes1{"Selectforeditboxes1"};
  TMenuItem exteditfields1{"exteditfields1"};
  TMenuItem Colorshidden1{"Colorshidden1"};
  TMenuItem Restoredefaultcolors1{"Restoredefaultcolors1"};
  TMenuItem ransparency1{"ransparency1"};
  TMenuItem Disable1{"Disable1"};
  TMenuItem N901{"N901"}, N801{"N801"}, N701{"N701"}, N601{"N601"}, N501{"N501"}, N401{"N401"},
      N301{"N301"}, N201{"N201"}, N101{"N101"};
  TMenuItem Applytominiformonly1{"Applytominiformonly1"};
  TMenuItem Autocalculatewhenchecksumtypechanged1{"Autocalculatewhenchecksumtypechanged1"};
  TMenuItem Autocalculatewhenfiledropped1{"Autocalculatewhenfiledropped1"};
  TMenuItem Autopastechecksumfromclipboard1{"Autopastechecksumfromclipboard1"};
  TMenuItem Showfilenameontitlebar1{"Showfilenameontitlebar1"};
  TMenuItem Useboldfont1{"Useboldfont1"};
  TMenuItem Flashtaskbarwhencalculationcompleted1{"Flashtaskbarwhencalculationcompleted1"};
  TMenuItem Showuppercasechecksums1{"Showuppercasechecksums1"};
  TMenuItem Shellintegration1{"Shellintegration1"};
  TMenuItem EnableWindowsshellintegration1{"EnableWindowsshellintegration1"};
  TMenuItem Defaultaction1{"Defaultaction1"};
  TMenuItem Nocalculate1{"Nocalculate1"};
  TMenuItem Askforchecksumtypetocalculate1{"Askforchecksumtypetocalculate1"};
  TMenuItem MD41{"MD41"}, MD51{"MD51"}, SHA11{"SHA11"}, SHA2561{"SHA2561"}, SHA3841{"SHA3841"},
      SHA5121{"SHA5121"}, RIPEMD1281{"RIPEMD1281"}, RIPEMD1601{"RIPEMD1601"},
      HAVAL2561{"HAVAL2561"}, IGER1921{"IGER1921"}, CRC321{"CRC321"};
  TMenuItem Changecontextmenutitle1{"Changecontextmenutitle1"};
  TMenuItem FixcontextmenuifyouseeOpenfilewithwindow1{"FixcontextmenuifyouseeOpenfilewithwindow1"};
  TMenuItem Logfile1{"Logfile1"};
  TMenuItem Enable1{"Enable1"};
  TMenuItem Storefullpath1{"Storefullpath1"};
  TMenuItem Windowsformataddasterixtofilepath1{"Windowsformataddasterixtofilepath1"};
  TMenuItem View1{"View1"};
  TMenuItem Deletefile1{"Deletefile1"};
  TMenuItem Placeshortcutondesktop1{"Placeshortcutondesktop1"};
  TMenuItem Placeshortcutonquicklaunchbar1{"Placeshortcutonquicklaunchbar1"};
  TMenuItem Othersettings2{"Othersettings2"};
  TMenuItem Displaytimeelapsedandcalculatestateinbottombaroftheform1{
      "Displaytimeelapsedandcalculatestateinbottombaroftheform1"};
  TMenuItem Savetofileasbinaryformataddasterixtofilename1{"Savetofileasbinaryformataddasterixtofilename1"};
  TMenuItem Usefullpathwhensavingcreatingchecksumfile1{"Usefullpathwhensavingcreatingchecksumfile1"};
  TMenuItem Fileattributes1{"Fileattributes1"};
  TMenuItem Makeinifilehidden1{"Makeinifilehidden1"};
  TMenuItem Makeinifilesystem1{"Makeinifilesystem1"};
  TMenuItem MakehistoryfileashiddenH1{"MakehistoryfileashiddenH1"};
  TMenuItem MakehistoryfileassystemS1{"MakehistoryfileassystemS1"};
  TMenuItem Enablewarningifprogramisolderthat2monthsrecommended1{
      "Enablewarningifprogramisolderthat2monthsrecommended1"};
  TMenuItem Applicationthreadpriority1{"Applicationthreadpriority1"};
  TMenuItem REALTIMEPRIORITYCLASS1{"REALTIMEPRIORITYCLASS1"};
  TMenuItem HIGHPRIORITYCLASS1{"HIGHPRIORITYCLASS1"};
  TMenuItem ABOVENORMALPRIORITYCLASS1{"ABOVENORMALPRIORITYCLASS1"};
  TMenuItem NORMALPRIORITYCLASS1{"NORMALPRIORITYCLASS1"};
  TMenuItem BELOWNORMALPRIORITYCLASS1{"BELOWNORMALPRIORITYCLASS1"};
  TMenuItem IDLEPRIORITYCLASS1{"IDLEPRIORITYCLASS1"};
  TMenuItem DisableformscalingDPI1{"DisableformscalingDPI1"};
  TMenuItem Hidetotrayicononclose1{"Hidetotrayicononclose1"};
  TMenuItem Othersettings1{"Othersettings1"};
  TMenuItem Checkforupdate1{"Checkforupdate1"};
  TMenuItem Checkfornewerversionnow1{"Checkfornewerversionnow1"};
  // help menu PopupMenu_pomoc
  TMenuItem Keyboardshortcuts1{"Keyboardshortcuts1"};
  TMenuItem About1{"About1"};
  // tray menu PopupMenu_tray
  TMenuItem Show1{"Show1"};
  TMenuItem Clone1{"Clone1"};
  TMenuItem Exit1{"Exit1"};

  win::PopupMenu PopupMenu1, PopupMenu_pomoc, PopupMenu_tray;

  // Every item of the three menus, found by component name (null when no
  // item has that name).
  TMenuItem* FindMenuItem(std::string_view name);
  // Runs the click handler of the entry with that component name, as a click
  // on it would. False when there is none.
  bool ClickMenuItem(std::string_view name);

  // ---- timers ----------------------------------------------------------------
  win::Timer Timer1;               // 200 ms: progress monitor
  win::Timer Timer2;               // 100 ms: delay before the scheduled update check
  win::Timer timer_aktualizacja2;  // 100 ms: runs the scheduled update check
  win::TrayIcon TrayIcon1;

  // ---- calculation state ------------------------------------------------------
  std::int64_t SelectedFileSize = 0;
  std::int64_t CrcBytesRead = 0;
  std::wstring SelectedFilePath;
  std::atomic<std::uint8_t> CalcIdle{1};
  std::atomic<std::uint8_t> CalcCompleted{0};
  std::wstring ResultChecksum;
  std::string CalcTypeKey;
  std::uint32_t CalcStartTick = 0;
  std::uint8_t CalcRunning = 0;
  std::uint8_t StartedWithArgument = 0;

  // ---- start-up --------------------------------------------------------------
  std::uint8_t FirstShowPending = 0;
  std::wstring PendingChosenType;
  std::wstring FirstArgument;  // the command line's first argument, or empty
  int ArgumentCount = 0;
  int UpdateDelayTicks = 5;

  // ---- window mode and geometry ---------------------------------------------
  std::uint8_t MiniMode = 0;
  std::int32_t CaptionBarHeight = 0;
  double DpiScale = 1.0;
  std::int32_t NormalMinWidth = kNormalWidthAt96;
  // Set by tests, which create several windows in one thread: the window
  // then does not end the message loop when it is destroyed.
  bool QuitOnDestroy = true;

  // ---- appearance state -------------------------------------------------------
  Color BackgroundColor = kClBtnFace;
  Color EditColor = kClWindow;
  Color EditFontColor = kClWindowText;
  // Initial colours of the three colour dialogs.
  Color ColorDialog_background = kClBtnFace;
  Color ColorDialog_editboxes = kClWindow;
  Color ColorDialog_text_in_editbox = kClWindowText;
  // The window's alpha as last applied, and whether blending is on.
  bool AlphaBlend = false;
  std::uint8_t AlphaBlendValue = 255;
  // The level the transparency entries stand for while none is ticked (a
  // hand-edited Transparency_value).
  int StoredTransparencyValue = kOpaqueValue;
  bool TrayIconShown = false;

  // ---- creation and show steps -------------------------------------------
  void FormShow();

  // ---- layout (form1_layout.cpp) ---------------------------------------------
  void ApplyNormalMode();
  void ApplyMiniMode();
  void btn_upClick();
  void btn_downClick();
  void FormResize();
  void ApplyOpacityRule();
  void ApplyCurrentLayout();
  // Outer window geometry with the form's limits applied.
  void SetFormBounds(int left, int top, int width, int height);
  void SetFormClientHeight(int height);
  RECT FormRect() const;
  RECT WorkArea() const;
  bool HasCaptionBar() const;
  void SetCaptionBar(bool shown);
  void FinishModeSwitch();
  void PullBackOntoWorkArea();
  void CentreWhereDefaulted();
  void WriteGeometryAfterMove();
  void CreateBalloonTipWindow();
  void SetBalloonTip(win::Control& control, int icon, std::wstring_view title,
                     std::wstring_view text);
  HWND BalloonTipWindow() const noexcept { return balloon_.Hwnd(); }
  // Sizes of the design at the DPI the widgets are scaled to.
  int Px(int px_at_96) const;
  void ApplyDesignSizes();

  // ---- options (form1_options.cpp) ---------------------------------------------
  void SetTopmost(int flag);
  void ApplyStayOnTop();
  void ApplyColors();
  void ApplyBoldFont();
  void ApplyUppercase();
  int OpacityValue() const;
  void ChooseTransparencyLevel(TMenuItem& level);
  void SaveProcessPriority();
  void ApplyProcessPriority();
  void ChoosePriority(TMenuItem& item);
  void ChooseDefaultAction(TMenuItem& item);
  void ShowCriticalError(std::wstring_view message);
  // A modal box with the stay-on-top state lifted around it.
  int ShowMessage(std::wstring_view text, std::wstring_view title, win::MessageIcon icon,
                  win::MessageButtons buttons = win::MessageButtons::Ok);
  void SetAlphaBlend(bool blend, std::uint8_t alpha);
  std::wstring WindowTitle() const;
  void HideToTray();
  void ShowFromTray();
  void TrayIconClick();

  // Menu handlers of the option pattern.
  void Savewindowsposition1Click();
  void Autosavewindowwidth1Click();
  void Autosavewindowsizenormalorminibar1Click();
  void Savedefaultchecksum1Click();
  void EnableESCkeytocloseapplication1Click();
  void Enablestayontop1Click();
  void Snaptoedge1Click();
  void Setfocuswhelfiledroppedonthisform1Click();
  void Showcaptionbar1Click();
  void Selectforbackground1Click();
  void Selectforeditboxes1Click();
  void exteditfields1Click();
  void Restoredefaultcolors1Click();
  void Disable1Click();
  void N901Click();
  void N801Click();
  void N701Click();
  void N601Click();
  void N501Click();
  void N401Click();
  void N301Click();
  void N201Click();
  void N101Click();
  void Applytominiformonly1Click();
  void Autocalculatewhenchecksumtypechanged1Click();
  void Autocalculatewhenfiledropped1Click();
  void Autopastechecksumfromclipboard1Click();
  void Showfilenameontitlebar1Click();
  void Useboldfont1Click();
  void Flashtaskbarwhencalculationcompleted1Click();
  void Showuppercasechecksums1Click();
  void DefaultActionClick();  // any of the thirteen default-action items
  void Enable1Click();
  void Storefullpath1Click();
  void Windowsformataddasterixtofilepath1Click();
  void Displaytimeelapsedandcalculatestateinbottombaroftheform1Click();
  void Savetofileasbinaryformataddasterixtofilename1Click();
  void Usefullpathwhensavingcreatingchecksumfile1Click();
  void Makeinifilehidden1Click();
  void Makeinifilesystem1Click();
  void MakehistoryfileashiddenH1Click();
  void MakehistoryfileassystemS1Click();
  void Enablewarningifprogramisolderthat2monthsrecommended1Click();
  void PriorityItemClick();  // any of the six priority items
  void DisableformscalingDPI1Click();
  void Hidetotrayicononclose1Click();
  void Checkforupdate1Click();
  void Show1Click();
  void Exit1Click();

  // ---- settings (form1_settings.cpp) --------------------------------------------
  void LoadSettings();
  // Writes one key group from the current state through the gate; a write
  // that fails after the gate passed reaches the critical-error box.
  bool SaveSettingGroup(SettingsGroup group);
  GroupTexts GroupValues(SettingsGroup group) const;
  bool SettingsFileWritable() const;

  // ---- keys and mouse (form1_keys.cpp) ----------------------------------------------
  // Answers true when the key was handled and must not reach the control.
  bool FormKeyDown(WORD key, bool ctrl);
  // For the message loop: offers a key press to FormKeyDown before the
  // focused control sees it (translating it first, so that the character it
  // produces is in the queue to be removed). True when the message was taken
  // care of; the loop then neither translates nor dispatches it.
  bool PreviewKeyMessage(MSG& msg);
  void RemovePendingChar();
  void OpenOptionsMenuAt(POINT screen);
  void OpenHelpMenuAt(POINT screen);
  void btn_infoClick();
  void btn_configClick();
  void StartWindowDrag();
  void Keyboardshortcuts1Click();
  void About1Click();
  void CloseByUser();
  void TerminateNow();
  void SetStatusText(std::wstring_view text);
  std::wstring StatusText() const { return StatusBar1.PanelText(0); }

  // ---- calculation and commands of later parts (form1_pending.cpp) --------
  void StartCalculation();
  void AbortCalculation();
  void SpeedButton3Click();
  void ComboBox1Change(bool by_user);
  void btn_openfileClick();
  void btn_savefileClick();
  void SaveChecksumFile();
  void CopyChecksumKey();
  void PasteChecksumKey();
  void CopyRowKey();
  void ShowDetailsInNotepad();
  void CopyDetailsToClipboard();
  void ShowFileProperties();
  void LocateInExplorer();
  void FlashTaskbar();
  void View1Click();
  void Deletefile1Click();
  void Placeshortcutondesktop1Click();
  void Placeshortcutonquicklaunchbar1Click();
  void Checkfornewerversionnow1Click();
  void EnableWindowsshellintegration1Click();
  void Changecontextmenutitle1Click();
  void FixcontextmenuifyouseeOpenfilewithwindow1Click();
  bool VerifyShellVerb();
  void Clone1Click();
  void ShowChooserAtCreation();
  void RunAgeCheckOrDonationReminder();
  void ProcessFirstArgument();
  void UpdateTitleBar();
  void Timer1Timer();
  void Timer2Timer();
  void timer_aktualizacja2Timer();
  void StopCalculationForClose();

  // ---- calculation, intake and output (form1_calc/intake/verify/files.cpp) ----
  // The worker, its end flags and what it holds. The window's own CalcIdle,
  // CalcCompleted and ResultChecksum follow the job's when a tick finishes it.
  CalcJob Job;
  std::wstring FileCreatedText, FileModifiedText, FileAccessedText;
  ChecksumType CheckedType();
  void EndFinishedWorker();
  void CompleteCalculation();
  void FinishAbortedCalculation();
  void FinishFailedCalculation();
  void SelectFile(const std::wstring& path);
  void ReadFileTimes(const std::wstring& path);
  void OnDropFiles(HDROP drop);
  void label9MouseEnter();
  void label9MouseLeave();
  void label9Click();
  void CompareChecksums();
  void PasteChecksumFromClipboard();
  void PasteButtonClick();
  void CopyChecksumButtonClick();
  void IndicatorClick(CompareVerdict verdict);
  void AppendHistory(bool enabled);
  std::wstring HistoryPath() const;
  // Hooks the commands of these files to their widgets; run by Create.
  void WireCalculationCommands();

 private:
  void ApplyTitleTexts(const WindowTitleTexts& texts);
  void EnableControlsAfterCalculation();
  void EndCalculationDisplay(std::wstring_view checksum_text);
  bool TakeFileOver(const std::wstring& path);
  void ForgetResult();
  FileDetailsInputs DetailsInputs() const;
  bool comparing_ = false;
  // Report files Notepad may still hold are deleted when the window goes.
  struct TempFilesAtExit {
    ~TempFilesAtExit();
  } temp_files_at_exit_;

 public:
  // ---- end of calculation, intake and output ----------------------------------

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) override;
  void OnDpiChanged(UINT dpi, const RECT& suggested) override;

 private:
  void CreateWidgets();
  void ResetWidgets();
  void BuildMenus();
  void BuildMenu(win::PopupMenu& popup, std::span<const MenuEntry> table);
  void OnMoving(RECT& rect);
  void OnExitSizeMove();
  void OnEnterSizeMove();
  bool OnNcLButtonDblClk(WPARAM hit);
  void OnClose();
  void OnTrayMessage(LPARAM lparam);
  void WireMouse();
  void ReflectDpi();

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
  // The entry whose click runs now (shared handlers of radio-like groups).
  TMenuItem* clicked_item_ = nullptr;
};

}  // namespace ondrix::ui
