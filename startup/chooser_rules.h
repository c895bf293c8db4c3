// The checksum type chooser as data: its thirteen buttons with caption,
// place and pick, and which of them the stored last pick marks.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace ondrix {

// Sizes at 96 DPI.
inline constexpr int kChooserClientWidth = 199;
inline constexpr int kChooserClientHeight = 243;
inline constexpr int kChooserButtonHeight = 25;

struct ChooserButton {
  std::string_view name;      // Button1 ... Button13
  std::wstring_view caption;  // Button13's is replaced when the dialog is shown
  int left, top, width;       // client coordinates at 96 DPI
  // The display name the button picks; empty for "No calculate". The
  // bottom button picks the stored last pick instead.
  std::string_view pick;
  bool repeats_last = false;
};

// In tab order: the left column, the right column, the bottom button.
const std::array<ChooserButton, 13>& ChooserButtons();

// The button the stored last pick marks (bold and focused): the one whose
// pick equals it exactly, "No calculate" for an empty value or
// "nocalculate"; -1 for any other value. An index into ChooserButtons().
int MarkedChooserButton(std::string_view last_used);

// What the bottom button picks for a stored value: the value itself, except
// that "nocalculate" stands for "No calculate", which picks no type.
std::string LastUsedPick(std::string_view last_used);

// The bottom button's caption: "Last used (F2)   " and the stored value.
std::wstring LastUsedCaption(std::string_view last_used);

}  // namespace ondrix
