// Creating the window, what every show does, the widget tree and the
// window's message switch.
#include <windowsx.h>

#include <exception>

#include "engines/checksum_types.h"
#include "settings/settings_file.h"
#include "ui/form1.h"
#include "win/dpi.h"
#include "win/error_guard.h"
#include "win/file_stream.h"
#include "win/hints.h"

namespace ondrix::ui {
namespace {

constexpr UINT kTrayCallback = WM_APP + 1;
constexpr wchar_t kWebAddress[] = L"www.ondrix.org";

}  // namespace

TForm1::TForm1(win::IDesktop& desktop)
    : desktop_(desktop), ini_(SettingsPathFor(desktop.ProgramPath())) {
  // The worker reads through a Win32 handle (any path length, writers kept
  // out) and a stop can cancel a read it is blocked in.
  Job.OpenStream = OpenFileStream;
  Job.MakeReadCanceller = ReadCancellerForThisThread;
}

TForm1::~TForm1() { win::SetErrorReporter(nullptr); }

namespace {

// The text the critical-error box shows for an error no handler caught.
std::wstring ErrorMessageOf(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const ESettingsWrite& e) {
    return e.Message();
  } catch (const std::exception& e) {
    return Utf8ToWide(e.what());
  } catch (...) {
    return L"Unknown error";
  }
}

}  // namespace

win::RadioButton* TForm1::Selector(int n) {
  win::RadioButton* selectors[] = {&RadioButton1, &RadioButton2, &RadioButton3, &RadioButton4,
                                   &RadioButton5, &RadioButton6, &RadioButton7, &RadioButton8,
                                   &RadioButton9, &RadioButton10, &RadioButton11};
  return n >= 1 && n <= 11 ? selectors[n - 1] : nullptr;
}

bool TForm1::Create(std::wstring_view first_argument) {
  FirstArgument.assign(first_argument);
  // Errors that reach an entry from the system end in the critical-error box.
  win::SetErrorReporter([this](std::exception_ptr error) { ShowCriticalError(ErrorMessageOf(error)); });

  // The calculation competes hard for the processor until the stored
  // class is applied by LoadSettings; a refusal is of no concern.
  ::SetPriorityClass(::GetCurrentProcess(), REALTIME_PRIORITY_CLASS);

  const win::WindowClassInfo cls{.name = L"TForm1",
                                 .icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1)),
                                 .background = nullptr};
  // Created with the design border (single border with caption bar) so that
  // CaptionBarHeight measures that frame; LoadSettings picks the final one.
  constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_BORDER | WS_CLIPCHILDREN;
  if (!CreateForm(cls, kFormTitle, kStyle, WS_EX_TOPMOST, 782, 443)) return false;

  // Hints stay an hour, come after 1 s and after 0.1 s between controls.
  win::SetHintDelays(1000, 3600000, 100);
  // The balloon tips of the fields.
  CreateBalloonTipWindow();

  CreateWidgets();
  BuildMenus();
  ResetWidgets();
  // The caption bar's height, measured on the design frame.
  RECT outer{};
  ::GetWindowRect(Hwnd(), &outer);
  CaptionBarHeight = (outer.bottom - outer.top) - ClientHeight();

  // The settings: an error while loading is reported and the creation goes on.
  win::Guard([this] {
    LoadSettings();
    ApplyHiddenSystemAttributes(ini_.Path(), Makeinifilehidden1.Checked(), Makeinifilesystem1.Checked());
  });
  // The window keeps the caption it was created with: its taskbar
  // button shows that caption, as for every top-level window of its own.
  CalcTypeKey.clear();
  // Drops from Explorer; the drop handler comes with the file intake.
  ::DragAcceptFiles(Hwnd(), TRUE);
  CalcIdle = 1;
  // With the default action "ask" and a file argument, the type chooser;
  // Escape there ends the program.
  if (!ShowChooserAtCreation()) return false;
  // The type list fills its cell of the normal layout.
  Panel11.DisableAlign();
  ComboBox1.SetAlign(win::alClient);
  Panel11.EnableAlign();
  return true;
}

void TForm1::CreateWidgets() {
  win::Control& root = Surface();
  const win::Bounds none{};

  // Normal layout, top to bottom; the sizes come from ApplyDesignSizes.
  Panel1.Create(root);
  Label8.Create(Panel1, L"Drop a file on the form to calculate selected checksum");
  Label8.SetAutoSize(true);
  btn_info.Create(Panel1, win::Glyph::Info);
  btn_info.SetHint(L"Help (F1)");
  btn_config.Create(Panel1, win::Glyph::Gear);
  btn_config.SetHint(L"Options (F10)");
  btn_up.Create(Panel1, win::Glyph::ArrowUp);
  btn_up.SetHint(L"Show less (F2)");
  btn_down.Create(Panel1, win::Glyph::ArrowDown, {}, none, false);
  btn_down.SetHint(L"Show more (F2)");
  Bevel1.Create(Panel1, win::BevelShape::TopLine);

  StatusBar1.Create(root);

  Panel4.Create(root);
  Label1.Create(Panel4, L"Filename:");
  Label3.Create(Panel4, L"Size:", none, false);
  Label5.Create(Panel4, L"File checksum:");
  Label7.Create(Panel4, L"Compare with:");
  Label2.Create(Panel4, L"Checksum type:");
  Bevel2.Create(Panel4, win::BevelShape::TopLine);

  Panel2.Create(root);
  Panel5.Create(Panel2);
  label9.Create(Panel5, kNoFileSelected);
  Label4.Create(Panel5, L"");
  btn_openfile.Create(Panel5, win::Glyph::Open);
  btn_openfile.SetHint(L"Select file and calculate checksum (Ctrl+O)");

  Panel8.Create(Panel2);
  btn_kopiujsume.Create(Panel8, win::Glyph::Copy);
  btn_kopiujsume.SetHint(L"Copy checksum to clipboard (Ctrl+C)");
  btn_savefile.Create(Panel8, win::Glyph::Save);
  btn_savefile.SetHint(L"Save to file (Ctrl+S)");
  Panel6.Create(Panel8);
  Edit1.Create(Panel6, none, true);

  bv2.Create(Panel2, win::BevelShape::TopLine);

  Panel9.Create(Panel2);
  SpeedButton9.Create(Panel9, win::Glyph::Paste);
  SpeedButton9.SetHint(L"Paste from clipboard (Ctrl+V)");
  speed_warn.Create(Panel9, win::Glyph::Warning, {}, none, false);
  speed_warn.SetHint(L"Checksums length different");
  speed_blad.Create(Panel9, win::Glyph::Error, {}, none, false);
  speed_blad.SetHint(L"Checksums do not match");
  speed_ok.Create(Panel9, win::Glyph::Ok, {}, none, false);
  speed_ok.SetHint(L"Checksums match");
  Panel7.Create(Panel9);
  Edit2.Create(Panel7);

  Panel10.Create(Panel2);
  SpeedButton1.Create(Panel10, win::Glyph::Document);
  SpeedButton1.SetHint(L"Show file details in Notepad (Ctrl+I)");
  SpeedButton2.Create(Panel10, win::Glyph::Clipboard);
  SpeedButton2.SetHint(L"Copy file details to clipboard (Ctrl+B)");
  SpeedButton3.Create(Panel10, win::Glyph::Calculate, L"Calculate");
  SpeedButton3.SetHint(L"Calculate selected checksum type (F5)");
  Panel11.Create(Panel10);
  ComboBox1.Create(Panel11);
  for (const ChecksumTypeInfo& type : ChecksumTypes()) ComboBox1.AddItem(Utf8ToWide(type.display_name));

  Panel12.Create(Panel2);

  // The mini bar's cells receive controls when the mini layout is built.
  Panel_mini.Create(root, none, false);
  panel_mini_left1.Create(Panel_mini);
  panel_mini_left2.Create(Panel_mini);
  panel_mini_right.Create(Panel_mini);
  panel_mini_left3.Create(Panel_mini);

  Panel_aktualizacja.Create(root, none, false);
  Label10.Create(Panel_aktualizacja, L"Checking for update");
  Label11.Create(Panel_aktualizacja,
                 L"To disable it, go to \"Settings\" -> \"Check for update\" under Settings icon on the main form.");

  // Hidden: the type selectors and the buttons without a place in a layout.
  Panel3.Create(root, none, false);
  for (const ChecksumTypeInfo& type : ChecksumTypes()) {
    Selector(type.selector)->Create(Panel3, Utf8ToWide(type.display_name));
  }
  SpeedButton5.Create(root, win::Glyph::None, L"Calculate again", none, false);
  // Never shown: they hold the pictures of the "Cancel" and "Calculate"
  // states of SpeedButton3.
  SpeedButton13.Create(root, win::Glyph::Cancel, {}, none, false);
  SpeedButton14.Create(root, win::Glyph::Calculate, {}, none, false);
  SpeedButton8.Create(root, win::Glyph::None, L"mini", none, false);
  SpeedButton12.Create(root, win::Glyph::None, L"std size", none, false);

  // Fixed alignment of the tree; the layouts move what changes between modes.
  Panel1.SetAlign(win::alTop);
  StatusBar1.SetAlign(win::alBottom);
  Panel4.SetAlign(win::alLeft);
  Panel2.SetAlign(win::alClient);
  Panel_mini.SetAlign(win::alClient);
  Bevel1.SetAlign(win::alBottom);
  for (win::Panel* row : {&Panel5, &Panel8}) row->SetAlign(win::alTop);
  bv2.SetAlign(win::alTop);
  for (win::Panel* row : {&Panel9, &Panel10, &Panel12}) row->SetAlign(win::alTop);
  Panel7.SetAlign(win::alClient);
  for (win::FlatButton* b : {&speed_ok, &speed_blad, &speed_warn}) b->SetAlign(win::alRight);
  SpeedButton9.SetAlign(win::alLeft);
  SpeedButton1.SetAlign(win::alRight);

  // Buttons and their commands.
  btn_info.OnClick = [this] { btn_infoClick(); };
  btn_config.OnClick = [this] { btn_configClick(); };
  btn_up.OnClick = [this] { btn_upClick(); };
  btn_down.OnClick = [this] { btn_downClick(); };
  btn_openfile.OnClick = [this] { btn_openfileClick(); };
  btn_savefile.OnClick = [this] { btn_savefileClick(); };
  SpeedButton3.OnClick = [this] { SpeedButton3Click(); };
  SpeedButton5.OnClick = [this] { SpeedButton3.Click(); };
  SpeedButton2.OnClick = [this] { CopyDetailsToClipboard(); };
  ComboBox1.OnChange = [this] { ComboBox1Change(true); };
  // Enter in the text fields and the list produces no character and no beep.
  for (win::Control* field : std::initializer_list<win::Control*>{&Edit1, &Edit2, &ComboBox1}) {
    field->OnKeyDown = [this](WPARAM key) {
      if (key == VK_RETURN) RemovePendingChar();
      return false;
    };
  }
  // Pointer commands (form1_keys.cpp), then the comparison, clipboard and
  // report buttons and the file-name field (form1_verify.cpp); each event
  // is wired in one place only.
  WireMouse();
  WireCalculationCommands();

  for (win::Timer* timer : {&Timer1, &Timer2, &timer_aktualizacja2}) timer->SetOwner(Hwnd());
  Timer1.SetInterval(200);
  Timer2.SetInterval(100);
  timer_aktualizacja2.SetInterval(100);
  Timer1.OnTimer = [this] { Timer1Timer(); };
  Timer2.OnTimer = [this] { Timer2Timer(); };
  timer_aktualizacja2.OnTimer = [this] { timer_aktualizacja2Timer(); };

  TrayIcon1.SetOwner(Hwnd(), kTrayCallback);
  TrayIcon1.SetIcon(::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1)));
}

// The widgets' first state: MD5 chosen, no panel bevels, empty fields, the
// idle status and the web address in the status bar.
void TForm1::ResetWidgets() {
  // MD5 in the type list, without its change handler.
  ComboBox1.SetItemIndex(1);
  Selector(TypeInfo(ChecksumType::MD5).selector)->SetChecked(true);
  Panel2.SetBevel(win::PanelBevel::None);
  Panel_mini.SetBevel(win::PanelBevel::None);
  CalcRunning = 0;
  Edit1.SetText(L"");
  Edit2.SetText(L"");
  Label4.SetCaption(L"");
  label9.SetCaption(kNoFileSelected);
  StatusBar1.SetPanelText(0, kStatusAtStart);
  StatusBar1.SetPanelText(1, kWebAddress);
}

void TForm1::BuildMenu(win::PopupMenu& popup, std::span<const MenuEntry> table) {
  // Command ids are unique over the three menus so WM_COMMAND could name any.
  UINT next_id = 100 + static_cast<UINT>(all_items_.size());
  std::vector<win::MenuItemDef> root;
  // The item lists being filled at each depth.
  std::vector<std::vector<win::MenuItemDef>*> levels{&root};
  for (const MenuEntry& entry : table) {
    levels.resize(static_cast<std::size_t>(entry.depth) + 1);
    std::vector<win::MenuItemDef>& into = *levels[static_cast<std::size_t>(entry.depth)];
    if (entry.kind == MenuEntry::Separator) {
      into.push_back(win::MenuSeparator());
      continue;
    }
    win::MenuItemDef def;
    def.id = next_id++;
    def.caption = entry.caption;
    def.shortcut = entry.shortcut;
    def.radio_group = entry.radio_group;
    def.visible = entry.visible;
    def.enabled = entry.enabled;
    if (entry.click != nullptr || entry.action != MenuEntry::Action::Command) {
      // The rows live in static tables; a click comes from a menu shown by a
      // message handler or a key, whose entry guards it.
      def.on_click = [this, &entry] { RunEntry(entry); };
    }
    into.push_back(std::move(def));
    if (entry.kind == MenuEntry::Submenu) levels.push_back(&into.back().submenu);
    all_items_.push_back(&(this->*entry.item));
  }
  popup.SetItems(std::move(root));
}

void TForm1::BuildMenus() {
  const std::pair<win::PopupMenu*, std::span<const MenuEntry>> menus[] = {
      {&PopupMenu1, OptionsMenuTable()}, {&PopupMenu_pomoc, HelpMenuTable()}, {&PopupMenu_tray, TrayMenuTable()}};
  UINT first_id = 100;
  for (auto& [popup, table] : menus) {
    BuildMenu(*popup, table);
    // Each non-separator row got the next id in table order.
    UINT id = first_id;
    for (const MenuEntry& entry : table) {
      if (entry.kind == MenuEntry::Separator) continue;
      (this->*entry.item).Bind(*popup, id++);
    }
    first_id = id;
  }
}

TMenuItem* TForm1::FindMenuItem(std::string_view name) {
  for (TMenuItem* item : all_items_) {
    if (item->Name() == name) return item;
  }
  return nullptr;
}

bool TForm1::ClickMenuItem(std::string_view name) {
  TMenuItem* item = FindMenuItem(name);
  if (item == nullptr || item->Menu() == nullptr) return false;
  // Guarded as the message that a real click arrives in would be.
  bool invoked = false;
  const bool finished = win::Guard([&] { invoked = item->Menu()->Invoke(item->Command()); });
  return invoked || !finished;  // a click that failed was run all the same
}

// Every time the window becomes visible.
void TForm1::FormShow() {
  // The current layout, built again.
  ComboBox1.SetLeft(Px(200));
  ApplyCurrentLayout();
  // The first show centres a window whose loading applied no layout.
  CentreWhereDefaulted();
  centre_left_pending_ = centre_top_pending_ = false;
  RunAgeCheckOrDonationReminder();
  // The type the chooser picked for the file argument.
  if (!PendingChosenType.empty() && ArgumentCount > 0) {
    if (const ChecksumTypeInfo* type = FindTypeByDisplayName(WideToUtf8(PendingChosenType))) {
      Selector(type->selector)->SetChecked(true);
      ComboBox1.SelectText(PendingChosenType);
    }
  }
  // The first show processes the file argument.
  if (FirstShowPending == 1) {
    FirstShowPending = 0;
    if (ArgumentCount > 0) ProcessFirstArgument();
  }
}

void TForm1::OnDpiChanged(UINT dpi, const RECT& suggested) {
  win::Form::OnDpiChanged(dpi, suggested);
  ReflectDpi();
  ApplyCurrentLayout();
}

LRESULT TForm1::HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_SHOWWINDOW:
      if (wparam) FormShow();
      break;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_DESTROY:
      TrayIcon1.Hide();
      if (QuitOnDestroy) ::PostQuitMessage(0);
      break;
    case WM_NCLBUTTONDBLCLK:
      if (OnNcLButtonDblClk(wparam)) return 0;
      break;
    case WM_ENTERSIZEMOVE: {
      const LRESULT result = win::Form::HandleMessage(msg, wparam, lparam);
      OnEnterSizeMove();
      return result;
    }
    case WM_EXITSIZEMOVE: {
      const LRESULT result = win::Form::HandleMessage(msg, wparam, lparam);
      OnExitSizeMove();
      return result;
    }
    case WM_MOVING:
      OnMoving(*reinterpret_cast<RECT*>(lparam));
      return TRUE;
    case WM_SIZE: {
      const LRESULT result = win::Form::HandleMessage(msg, wparam, lparam);
      if (wparam != SIZE_MINIMIZED) FormResize();
      return result;
    }
    case WM_ACTIVATEAPP:
      ApplyStayOnTop();
      break;
    case WM_SYSCOMMAND: {
      const UINT command = static_cast<UINT>(wparam & 0xFFF0);
      const LRESULT result = win::Form::HandleMessage(msg, wparam, lparam);
      if (command == SC_MINIMIZE || command == SC_RESTORE) ApplyStayOnTop();
      return result;
    }
    case kTrayCallback:
      OnTrayMessage(lparam);
      return 0;
    case WM_DROPFILES:
      OnDropFiles(reinterpret_cast<HDROP>(wparam));
      return 0;
    default:
      break;
  }
  // Button clicks and other children's notifications are reflected to their
  // controls from here, inside the guard of the window procedure.
  return win::Form::HandleMessage(msg, wparam, lparam);
}

void TForm1::OnTrayMessage(LPARAM lparam) {
  switch (LOWORD(lparam)) {
    case WM_LBUTTONUP:
      TrayIconClick();
      break;
    case WM_RBUTTONUP: {
      POINT at{};
      ::GetCursorPos(&at);
      PopupMenu_tray.TrackAt(Hwnd(), at);
      break;
    }
    default:
      break;
  }
}

}  // namespace ondrix::ui
