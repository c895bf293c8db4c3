// The control model the main window is written against: a tree of child
// windows with the vocabulary of the form designer (Align, margins, bounds,
// Visible, Enabled, Caption, Hint, Color). Containers realign their children
// whenever something that affects the layout changes, so layout code can
// state the result it wants step by step.
//
// Ownership: a Control owns the child window it created. Its destructor takes
// it out of the tree and destroys that window; when the parent window is
// destroyed first, Windows destroys the child and the control only forgets
// it (WM_NCDESTROY). The tree holds plain pointers; a control that dies
// takes itself out of its parent's children and releases its own.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "win/align.h"
#include "win/handles.h"

namespace ondrix::win {

enum class MouseButton { Left, Right, Middle };

class Control {
 public:
  Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control();

  HWND Hwnd() const noexcept { return hwnd_; }
  // True while the control has a live window.
  bool HasWindow() const noexcept { return hwnd_ != nullptr && ::IsWindow(hwnd_); }

  // --- tree ---
  Control* Parent() const noexcept { return parent_; }
  const std::vector<Control*>& Children() const noexcept { return children_; }
  // Moves the control into `parent`, behind the children already there (so
  // it comes last within its alignment group), and realigns both containers.
  void SetParent(Control& parent);

  // --- layout ---
  Align GetAlign() const noexcept { return align_; }
  void SetAlign(Align align);
  bool AlignWithMargins() const noexcept { return with_margins_; }
  void SetAlignWithMargins(bool on);
  const Margins& GetMargins() const noexcept { return margins_; }
  void SetMargins(const Margins& margins);
  void SetMarginLeft(int px);
  void SetMarginTop(int px);
  void SetMarginRight(int px);
  void SetMarginBottom(int px);
  const SizeConstraints& Constraints() const noexcept { return constraints_; }
  void SetConstraints(const SizeConstraints& constraints);

  // Bounds in the parent's client coordinates.
  Bounds GetBounds() const;
  int Left() const { return GetBounds().Left; }
  int Top() const { return GetBounds().Top; }
  int Width() const { return GetBounds().Width; }
  int Height() const { return GetBounds().Height; }
  void SetBounds(const Bounds& bounds);
  void SetBounds(int left, int top, int width, int height) { SetBounds({left, top, width, height}); }
  void SetLeft(int left);
  void SetTop(int top);
  void SetWidth(int width);
  void SetHeight(int height);
  int ClientWidth() const;
  int ClientHeight() const;
  void SetClientWidth(int width);
  void SetClientHeight(int height);

  // While alignment is disabled, changes are collected and the container is
  // realigned once when the last EnableAlign comes.
  void DisableAlign() noexcept { ++align_disabled_; }
  void EnableAlign();

  // --- state and text ---
  bool Visible() const noexcept { return visible_; }
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const;
  void SetEnabled(bool enabled);
  std::wstring Caption() const;
  virtual void SetCaption(std::wstring_view caption);
  std::wstring Text() const { return Caption(); }
  void SetText(std::wstring_view text) { SetCaption(text); }
  const std::wstring& Hint() const noexcept { return hint_; }
  void SetHint(std::wstring_view hint);

  // --- appearance ---
  // Background colour; without one of its own a control shows its parent's.
  COLORREF Color() const;
  bool HasOwnColor() const noexcept { return has_color_; }
  virtual void SetColor(COLORREF color);
  void ResetColor();
  COLORREF FontColor() const noexcept { return font_color_; }
  virtual void SetFontColor(COLORREF color);
  HFONT Font() const noexcept { return font_; }
  // Not owned; the form keeps its fonts alive. Applies to the whole subtree.
  void SetFont(HFONT font);
  // The brush children paint their background with when they show ours.
  HBRUSH BackgroundBrush();
  void Invalidate();
  // Redraws now, frame included.
  void Repaint();

  // --- events ---
  std::function<void(MouseButton, POINT)> OnMouseDown;  // client coordinates
  std::function<void()> OnClick;
  // Return true to swallow the key.
  std::function<bool(WPARAM key)> OnKeyDown;
  // The pointer entered or left the control's window.
  std::function<void()> OnMouseEnter;
  std::function<void()> OnMouseLeave;

  // The control of a window we created, or null.
  static Control* FromHwnd(HWND hwnd);
  // For a container's window procedure: hands a child's notification
  // (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*, WM_DRAWITEM) back to the child.
  static bool ReflectToChild(UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result);

  // What every container does with its own messages: realign on WM_SIZE,
  // reflect children's notifications, paint its background colour.
  bool HandleContainerMessage(UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result);

  // Adopts a window we do not subclass as the root of a control tree: the
  // main window's client area. Its window procedure calls
  // HandleContainerMessage.
  void AttachRoot(HWND hwnd);

 protected:
  // Creates the window as a child of `parent` and subclasses it.
  bool CreateChild(Control& parent, const wchar_t* window_class, DWORD style, DWORD ex_style,
                   std::wstring_view text, const Bounds& bounds);

  // Messages of the subclassed window.
  virtual LRESULT HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam);
  LRESULT DefaultHandle(UINT msg, WPARAM wparam, LPARAM lparam);
  // A notification the parent reflected to us.
  virtual bool OnReflected(UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result);
  virtual void OnFontChanged() {}
  virtual void OnColorChanged() { Invalidate(); }
  // The rectangle children are aligned in (client rectangle by default).
  virtual Bounds AlignArea() const;
  // The window height to request for a control height (the drop-down list
  // asks for room for its list).
  virtual int WindowHeightFor(int height) const { return height; }
  // Sets the child's window rectangle without asking its parent to realign.
  void MoveWindowTo(const Bounds& bounds);
  void RealignParent();
  bool IsContainer() const noexcept { return !children_.empty(); }

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam,
                                       UINT_PTR id, DWORD_PTR ref);
  void Detach();

  friend void Realign(Control& container);

  HWND hwnd_ = nullptr;
  bool subclassed_ = false;
  bool mouse_inside_ = false;
  Control* parent_ = nullptr;
  std::vector<Control*> children_;
  Align align_ = alNone;
  bool with_margins_ = false;
  Margins margins_;
  SizeConstraints constraints_;
  Bounds bounds_;  // used while there is no window
  bool visible_ = true;
  int align_disabled_ = 0;
  bool align_pending_ = false;
  bool aligning_ = false;
  std::wstring hint_;
  bool has_color_ = false;
  COLORREF color_ = 0;
  COLORREF font_color_ = ::GetSysColor(COLOR_WINDOWTEXT);
  UniqueBrush brush_;
  HFONT font_ = nullptr;
};

// Places the aligned children of `container` (see ArrangeAligned).
void Realign(Control& container);

// Disables alignment of a container for a scope.
class AlignBatch {
 public:
  explicit AlignBatch(Control& container) : container_(container) { container_.DisableAlign(); }
  ~AlignBatch() { container_.EnableAlign(); }
  AlignBatch(const AlignBatch&) = delete;
  AlignBatch& operator=(const AlignBatch&) = delete;

 private:
  Control& container_;
};

}  // namespace ondrix::win
