#include "startup/chooser_rules.h"

#include "text/utf.h"

namespace ondrix {
namespace {

constexpr int kLeftColumn = 8;
constexpr int kRightColumn = 103;
constexpr int kColumnWidth = 85;
constexpr int kRows[] = {14, 45, 76, 107, 138, 169};
constexpr std::string_view kNoCalculate = "nocalculate";

}  // namespace

const std::array<ChooserButton, 13>& ChooserButtons() {
  static const std::array<ChooserButton, 13> kButtons{{
      {"Button1", L"MD4", kLeftColumn, kRows[0], kColumnWidth, "MD4"},
      {"Button2", L"MD5", kLeftColumn, kRows[1], kColumnWidth, "MD5"},
      {"Button3", L"SHA1", kLeftColumn, kRows[2], kColumnWidth, "SHA1"},
      {"Button4", L"SHA-256", kLeftColumn, kRows[3], kColumnWidth, "SHA-256"},
      {"Button5", L"SHA-384", kLeftColumn, kRows[4], kColumnWidth, "SHA-384"},
      {"Button6", L"SHA-512", kLeftColumn, kRows[5], kColumnWidth, "SHA-512"},
      {"Button11", L"CRC32", kRightColumn, kRows[0], kColumnWidth, "CRC32"},
      {"Button7", L"RIPEMD-128", kRightColumn, kRows[1], kColumnWidth, "RIPEMD-128"},
      {"Button8", L"RIPEMD-160", kRightColumn, kRows[2], kColumnWidth, "RIPEMD-160"},
      // The caption is shorter than the type's display name.
      {"Button9", L"HAVAL 256", kRightColumn, kRows[3], kColumnWidth, "HAVAL 256,5"},
      {"Button10", L"TIGER 192", kRightColumn, kRows[4], kColumnWidth, "TIGER 192"},
      {"Button12", L"No calculate", kRightColumn, kRows[5], kColumnWidth, ""},
      {"Button13", L"Last used (F2)", kLeftColumn, 206, 180, "", true},
  }};
  return kButtons;
}

int MarkedChooserButton(std::string_view last_used) {
  if (last_used == kNoCalculate) last_used = {};
  const auto& buttons = ChooserButtons();
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    if (!buttons[i].repeats_last && buttons[i].pick == last_used) return static_cast<int>(i);
  }
  return -1;
}

std::string LastUsedPick(std::string_view last_used) {
  return last_used == kNoCalculate ? std::string() : std::string(last_used);
}

std::wstring LastUsedCaption(std::string_view last_used) {
  return L"Last used (F2)   " + Utf8ToWide(last_used);
}

}  // namespace ondrix
