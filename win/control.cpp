#include "win/control.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "win/app_cursor.h"
#include "win/error_guard.h"
#include "win/hints.h"

namespace ondrix::win {

namespace {

constexpr UINT_PTR kSubclassId = 0x4F4E4458;  // one id for all our controls
// The window property that leads from a control's window to its object.
// (GetWindowSubclass would do, but it is exported by ordinal only.)
constexpr wchar_t kControlProperty[] = L"OndrixControl";

HINSTANCE ThisModule() { return ::GetModuleHandleW(nullptr); }

}  // namespace

Control::~Control() {
  // The control may die before its parent window; take it out of the tree
  // so the container never aligns a dangling pointer.
  if (parent_ != nullptr) {
    std::erase(parent_->children_, this);
    parent_ = nullptr;
  }
  for (Control* child : children_) child->parent_ = nullptr;
  children_.clear();
  if (subclassed_ && HasWindow()) {
    HWND hwnd = hwnd_;
    Detach();
    ::DestroyWindow(hwnd);
  }
}

bool Control::CreateChild(Control& parent, const wchar_t* window_class, DWORD style, DWORD ex_style,
                          std::wstring_view text, const Bounds& bounds) {
  const std::wstring caption(text);
  HWND hwnd = ::CreateWindowExW(ex_style, window_class, caption.c_str(), style | WS_CHILD,
                                bounds.Left, bounds.Top, bounds.Width, WindowHeightFor(bounds.Height), parent.Hwnd(), nullptr, ThisModule(), nullptr);
  if (hwnd == nullptr) return false;
  hwnd_ = hwnd;
  ::SetPropW(hwnd, kControlProperty, this);
  subclassed_ = ::SetWindowSubclass(hwnd, &Control::SubclassProc, kSubclassId,
                                    reinterpret_cast<DWORD_PTR>(this)) != FALSE;
  visible_ = (style & WS_VISIBLE) != 0;
  parent_ = &parent;
  parent.children_.push_back(this);
  SetFont(parent.Font());
  return true;
}

void Control::AttachRoot(HWND hwnd) {
  hwnd_ = hwnd;
  subclassed_ = false;
  visible_ = true;
}

void Control::Detach() {
  if (subclassed_ && hwnd_ != nullptr) {
    ::RemoveWindowSubclass(hwnd_, &Control::SubclassProc, kSubclassId);
    ::RemovePropW(hwnd_, kControlProperty);
  }
  subclassed_ = false;
  hwnd_ = nullptr;
}

Control* Control::FromHwnd(HWND hwnd) {
  if (hwnd == nullptr) return nullptr;
  return static_cast<Control*>(::GetPropW(hwnd, kControlProperty));
}

LRESULT CALLBACK Control::SubclassProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                       DWORD_PTR ref) {
  auto* self = reinterpret_cast<Control*>(ref);
  if (msg == WM_NCDESTROY) {
    self->Detach();
    return ::DefSubclassProc(hwnd, msg, wparam, lparam);
  }
  LRESULT result = 0;
  Guard([&] { result = self->HandleMessage(msg, wparam, lparam); });
  return result;
}

LRESULT Control::DefaultHandle(UINT msg, WPARAM wparam, LPARAM lparam) {
  return ::DefSubclassProc(hwnd_, msg, wparam, lparam);
}

LRESULT Control::HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (OnMouseDown) {
        const MouseButton button = msg == WM_LBUTTONDOWN   ? MouseButton::Left
                                   : msg == WM_RBUTTONDOWN ? MouseButton::Right
                                                           : MouseButton::Middle;
        OnMouseDown(button, POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
      }
      break;
    case WM_KEYDOWN:
      if (OnKeyDown && OnKeyDown(wparam)) return 0;
      break;
    case WM_MOUSEMOVE:
      if (!mouse_inside_ && (OnMouseEnter || OnMouseLeave)) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd_, 0};
        mouse_inside_ = ::TrackMouseEvent(&track) != FALSE;
        if (OnMouseEnter) OnMouseEnter();
      }
      break;
    case WM_MOUSELEAVE:
      mouse_inside_ = false;
      if (OnMouseLeave) OnMouseLeave();
      break;
    case WM_SETCURSOR:
      if (AnswerSetCursor(lparam)) return TRUE;
      break;
    default: {
      LRESULT result = 0;
      if (HandleContainerMessage(msg, wparam, lparam, result)) return result;
    }
  }
  return DefaultHandle(msg, wparam, lparam);
}

bool Control::HandleContainerMessage(UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  switch (msg) {
    case WM_SIZE:
      if (IsContainer()) Realign(*this);
      return false;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
      return ReflectToChild(msg, wparam, lparam, result);
    default:
      return false;
  }
}

bool Control::ReflectToChild(UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  HWND child = nullptr;
  switch (msg) {
    case WM_COMMAND:
      child = reinterpret_cast<HWND>(lparam);
      break;
    case WM_NOTIFY:
      child = reinterpret_cast<const NMHDR*>(lparam)->hwndFrom;
      break;
    case WM_DRAWITEM:
      child = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam)->hwndItem;
      break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
      child = reinterpret_cast<HWND>(lparam);
      break;
    default:
      return false;
  }
  Control* control = FromHwnd(child);
  return control != nullptr && control->OnReflected(msg, wparam, lparam, result);
}

bool Control::OnReflected(UINT msg, WPARAM wparam, LPARAM, LRESULT&) {
  if (msg == WM_COMMAND && HIWORD(wparam) == BN_CLICKED && OnClick) {
    OnClick();
    return true;
  }
  return false;
}

// --- tree ---

void Control::SetParent(Control& parent) {
  if (&parent == parent_) return;
  Control* old = parent_;
  if (old != nullptr) std::erase(old->children_, this);
  parent_ = &parent;
  parent.children_.push_back(this);
  if (hwnd_ != nullptr && parent.hwnd_ != nullptr) ::SetParent(hwnd_, parent.hwnd_);
  if (old != nullptr) Realign(*old);
  Realign(parent);
}

// --- layout ---

void Control::RealignParent() {
  if (parent_ != nullptr && align_ != alNone) Realign(*parent_);
}

void Control::SetAlign(Align align) {
  if (align == align_) return;
  const bool was_aligned = align_ != alNone;
  align_ = align;
  if (parent_ != nullptr && (was_aligned || align != alNone)) Realign(*parent_);
}

void Control::SetAlignWithMargins(bool on) {
  with_margins_ = on;
  RealignParent();
}

void Control::SetMargins(const Margins& margins) {
  margins_ = margins;
  if (with_margins_) RealignParent();
}

void Control::SetMarginLeft(int px) { SetMargins({px, margins_.Top, margins_.Right, margins_.Bottom}); }
void Control::SetMarginTop(int px) { SetMargins({margins_.Left, px, margins_.Right, margins_.Bottom}); }
void Control::SetMarginRight(int px) { SetMargins({margins_.Left, margins_.Top, px, margins_.Bottom}); }
void Control::SetMarginBottom(int px) { SetMargins({margins_.Left, margins_.Top, margins_.Right, px}); }

void Control::SetConstraints(const SizeConstraints& constraints) {
  constraints_ = constraints;
  const Bounds current = GetBounds();
  const Bounds limited = Constrain(current, constraints_);
  if (!(limited == current)) MoveWindowTo(limited);
  RealignParent();
}

Bounds Control::GetBounds() const {
  if (hwnd_ == nullptr || !subclassed_) {
    if (hwnd_ == nullptr) return bounds_;
    RECT rc{};
    ::GetClientRect(hwnd_, &rc);
    return {0, 0, rc.right, rc.bottom};
  }
  RECT rc{};
  ::GetWindowRect(hwnd_, &rc);
  ::MapWindowPoints(HWND_DESKTOP, ::GetParent(hwnd_), reinterpret_cast<POINT*>(&rc), 2);
  return {rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top};
}

void Control::MoveWindowTo(const Bounds& bounds) {
  bounds_ = bounds;
  if (hwnd_ != nullptr && subclassed_) {
    ::SetWindowPos(hwnd_, nullptr, bounds.Left, bounds.Top, bounds.Width, WindowHeightFor(bounds.Height),
                   SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void Control::SetBounds(const Bounds& bounds) {
  MoveWindowTo(Constrain(bounds, constraints_));
  RealignParent();
}

void Control::SetLeft(int left) {
  Bounds b = GetBounds();
  b.Left = left;
  SetBounds(b);
}
void Control::SetTop(int top) {
  Bounds b = GetBounds();
  b.Top = top;
  SetBounds(b);
}
void Control::SetWidth(int width) {
  Bounds b = GetBounds();
  b.Width = width;
  SetBounds(b);
}
void Control::SetHeight(int height) {
  Bounds b = GetBounds();
  b.Height = height;
  SetBounds(b);
}

int Control::ClientWidth() const {
  RECT rc{};
  if (hwnd_ != nullptr) ::GetClientRect(hwnd_, &rc);
  return rc.right;
}

int Control::ClientHeight() const {
  RECT rc{};
  if (hwnd_ != nullptr) ::GetClientRect(hwnd_, &rc);
  return rc.bottom;
}

void Control::SetClientWidth(int width) { SetWidth(width + Width() - ClientWidth()); }
void Control::SetClientHeight(int height) { SetHeight(height + Height() - ClientHeight()); }

void Control::EnableAlign() {
  if (align_disabled_ > 0) --align_disabled_;
  if (align_disabled_ == 0 && align_pending_) Realign(*this);
}

Bounds Control::AlignArea() const {
  RECT rc{};
  if (hwnd_ != nullptr) ::GetClientRect(hwnd_, &rc);
  return {0, 0, rc.right, rc.bottom};
}

void Realign(Control& container) {
  if (container.align_disabled_ > 0) {
    container.align_pending_ = true;
    return;
  }
  if (container.aligning_ || container.hwnd_ == nullptr) return;
  container.align_pending_ = false;
  container.aligning_ = true;

  std::vector<AlignItem> items;
  items.reserve(container.children_.size());
  for (const Control* child : container.children_) {
    items.push_back({child->align_, child->visible_, child->with_margins_, child->margins_,
                     child->constraints_, child->GetBounds()});
  }
  ArrangeAligned(container.AlignArea(), items);
  for (std::size_t i = 0; i < items.size(); ++i) {
    Control* child = container.children_[i];
    if (child->align_ == alNone || !child->visible_) continue;
    if (!(items[i].bounds == child->GetBounds())) child->MoveWindowTo(items[i].bounds);
  }
  container.aligning_ = false;
}

// --- state and text ---

void Control::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  if (hwnd_ != nullptr && subclassed_) ::ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
  RealignParent();
}

bool Control::Enabled() const { return hwnd_ == nullptr || ::IsWindowEnabled(hwnd_) != FALSE; }

void Control::SetEnabled(bool enabled) {
  if (hwnd_ != nullptr) ::EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}

std::wstring Control::Caption() const {
  if (hwnd_ == nullptr) return {};
  const int length = ::GetWindowTextLengthW(hwnd_);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = ::GetWindowTextW(hwnd_, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return text;
}

void Control::SetCaption(std::wstring_view caption) {
  if (hwnd_ == nullptr) return;
  ::SetWindowTextW(hwnd_, std::wstring(caption).c_str());
}

void Control::SetHint(std::wstring_view hint) {
  hint_ = hint;
  if (hwnd_ != nullptr) SetWindowHint(hwnd_, hint_);
}

// --- appearance ---

COLORREF Control::Color() const {
  if (has_color_) return color_;
  if (parent_ != nullptr) return parent_->Color();
  return ::GetSysColor(COLOR_BTNFACE);
}

void Control::SetColor(COLORREF color) {
  has_color_ = true;
  color_ = color;
  brush_.Reset(::CreateSolidBrush(color));
  OnColorChanged();
}

void Control::ResetColor() {
  has_color_ = false;
  brush_.Reset();
  OnColorChanged();
}

void Control::SetFontColor(COLORREF color) {
  font_color_ = color;
  Invalidate();
}

HBRUSH Control::BackgroundBrush() {
  if (has_color_) return brush_.Get();
  if (parent_ != nullptr) return parent_->BackgroundBrush();
  return ::GetSysColorBrush(COLOR_BTNFACE);
}

void Control::SetFont(HFONT font) {
  font_ = font;
  if (hwnd_ != nullptr && subclassed_) ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  OnFontChanged();
  for (Control* child : children_) child->SetFont(font);
}

void Control::Invalidate() {
  if (hwnd_ != nullptr) ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void Control::Repaint() {
  if (hwnd_ != nullptr) {
    ::RedrawWindow(hwnd_, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
}

}  // namespace ondrix::win
