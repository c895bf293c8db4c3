// Single-line edit field with its own colours, optional bold text and a
// forced letter case that can be switched while the field holds text.
#pragma once

#include <functional>

#include "win/control.h"

namespace ondrix::win {

enum class CharCase { Normal, Upper, Lower };

class Edit : public Control {
 public:
  Edit();
  bool Create(Control& parent, const Bounds& bounds = {}, bool read_only = false, bool visible = true);

  void SetCaption(std::wstring_view text) override;

  bool ReadOnly() const;
  void SetReadOnly(bool read_only);
  CharCase GetCharCase() const noexcept { return char_case_; }
  // Switches ES_UPPERCASE / ES_LOWERCASE and converts the text already there.
  void SetCharCase(CharCase char_case);
  bool Bold() const noexcept { return bold_; }
  void SetBold(bool bold);

  void SelectAll();
  void SetSelection(int start, int end);
  // [start, end) of the selection.
  std::pair<int, int> Selection() const;
  void ReplaceSelection(std::wstring_view text);

  std::function<void()> OnChange;

 protected:
  bool OnReflected(UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result) override;
  void OnFontChanged() override;

 private:
  std::wstring Converted(std::wstring_view text) const;
  CharCase char_case_ = CharCase::Normal;
  bool bold_ = false;
  UniqueFont bold_font_;
};

// `text` in upper or lower case by the system's rules (CharUpperBuffW /
// CharLowerBuffW); unchanged for CharCase::Normal.
std::wstring ApplyCharCase(std::wstring_view text, CharCase char_case);

}  // namespace ondrix::win
