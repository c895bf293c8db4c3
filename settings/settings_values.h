// How option values are spelled in the settings file, and the small rules
// that turn stored values into window state: DPI sizes, opacity, priority
// classes and the default action.
#pragma once

#include <array>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "engines/checksum_types.h"

namespace ondrix {

// The INI reader hands over at most this many characters of a value.
inline constexpr std::size_t kMaxStoredTextLength = 2047;

// ---- Booleans and integers ---------------------------------------------

// The one integer syntax of the file: optional sign and decimal digits; or
// "0x"/"0X" followed by at least one hex digit; or "$" followed by at least
// one hex digit. Hex spells a 32-bit pattern ("$FFFFFFFF" is -1); anything
// outside 32 bits, any other character (spaces included) and the empty text
// give no value.
std::optional<std::int32_t> ParseStoredInt(std::string_view text);

// Non-zero is true; text that is not an integer gives `default_value`.
bool ReadBool(std::string_view text, bool default_value);
std::int32_t ReadInt(std::string_view text, std::int32_t default_value);
std::string WriteBool(bool value);   // "1" or "0"
std::string WriteInt(std::int64_t value);  // decimal, minus sign when negative

// ---- Colours -----------------------------------------------------------

// A colour value as the window keeps it: 00BBGGRR for an RGB colour,
// $FF000000 + index for a system colour, or one of the two special values.
using Color = std::uint32_t;

inline constexpr Color kClNone = 0x1FFFFFFF;
inline constexpr Color kClDefault = 0x20000000;
inline constexpr Color kClBtnFace = 0xFF00000F;
inline constexpr Color kClWindow = 0xFF000005;
inline constexpr Color kClWindowText = 0xFF000008;

struct ColorName {
  std::string_view name;
  Color value;
};

inline constexpr std::size_t kColorNameCount = 52;
const std::array<ColorName, kColorNameCount>& StandardColorNames();

// Names match without regard to case; null when no name matches.
std::optional<Color> ColorFromName(std::string_view name);
// The name a colour is written as; empty when it has none.
std::string_view NameOfColor(Color value);

// The name when the colour has one, else "$" and 8 upper-case hex digits.
std::string ColorToText(Color value);
// A name of the table (any case), else decimal or "$" + hex; anything else,
// or a number outside 32 bits, gives `default_value`.
Color ReadColor(std::string_view text, Color default_value);

// System colours are drawn in the system's current colour for their index.
bool IsSystemColor(Color value);
// The GetSysColor index of a system colour (the low byte).
int SystemColorIndex(Color value);

// The 00BBGGRR colour to paint with. `system_color(index)` answers a system
// colour; clNone and clDefault, which name no colour of their own, paint in
// the system colour `fallback_index` (the control's normal colour), and so
// does a system value whose index is beyond the system's table.
std::uint32_t ResolveColor(Color value, int fallback_index,
                           const std::function<std::uint32_t(int)>& system_color);

// ---- Dates -------------------------------------------------------------

struct Date {
  int year = 0;
  int month = 0;
  int day = 0;
  friend auto operator<=>(const Date&, const Date&) = default;
};

bool IsValidDate(const Date& date);
// "yyyy-mm-dd", read by position (characters 1-4, 6-7, 9-10); nothing when
// the text is not 10 characters, a field is not all digits, or the day does
// not exist (year 1..9999).
std::optional<Date> ReadDate(std::string_view text);
std::string FormatDate(const Date& date);
// Days since 1970-01-01 in the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(const Date& date);
// Whole days between two dates, in either direction.
std::int64_t DaysBetween(const Date& a, const Date& b);

// ---- Screen DPI and geometry -------------------------------------------

inline constexpr int kNormalWidthAt96 = 415;

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
std::int64_t RoundTiesToEven(double value);
// Exactly 1.0 at 96 pixels per inch, else ppi / 96.
double DpiScaleFor(int ppi);
// The normal layout's width and the default of the Width key.
int NormalMinWidthFor(int ppi);
// Maximum height of the title panel: 36 pixels times the rounded scale.
int Panel1MaxHeightFor(int ppi);
// Default Left/Top: half the free space, truncated toward zero (negative
// when the window is larger than the work area).
int CentredOrigin(int work_area_extent, int window_extent);

// ---- Transparency ------------------------------------------------------

inline constexpr int kOpaqueValue = 255;

struct TransparencyLevel {
  std::string_view item;
  std::string_view caption;
  int value;
};

// Disable1 (255), N901 (225) ... N101 (25), as the menu lists them.
const std::array<TransparencyLevel, 10>& TransparencyLevels();

// The alpha of a stored Transparency_value: its low 8 bits.
std::uint8_t AlphaFromStored(int value);
// The level item whose value is exactly `value`; null for any other value.
const TransparencyLevel* LevelItemForValue(int value);

struct Opacity {
  bool blend;
  std::uint8_t alpha;
  friend bool operator==(const Opacity&, const Opacity&) = default;
};

// Opaque with blending off when the value is 255 or when the opacity applies
// to the mini bar only and the normal layout is shown; otherwise blending on
// with the value's alpha. A value whose alpha is 0 (never one of the menu's,
// only a hand-edited one) is drawn opaque rather than invisible.
Opacity OpacityFor(int value, bool apply_to_mini_only, bool mini_mode);

// Asks whether the menu item of that component name is ticked.
using IsTicked = std::function<bool(std::string_view item)>;

// Transparency_value to write: the ticked level, taken 10% ... 90% then
// Disable1 with the last ticked winning; `value_in_use` when none is ticked
// (only a hand-edited value leaves every level unticked).
int TransparencyValueToStore(const IsTicked& ticked, int value_in_use);

// ---- Process priority --------------------------------------------------

inline constexpr int kNormalPriorityValue = 32;

struct PriorityItem {
  std::string_view item;
  std::string_view caption;
  int value;  // the Win32 priority class, also the stored value
};

// Real-time, high, above normal, normal, below normal, idle.
const std::array<PriorityItem, 6>& PriorityItems();
const PriorityItem* PriorityItemForValue(int value);
// ApplicationThreadLevel to write: the last ticked item in the order above;
// 32 (normal) when none is ticked.
int PriorityValueToStore(const IsTicked& ticked);

// ---- Default action for starts with a file argument --------------------

struct DefaultActionItem {
  std::string_view item;
  std::string_view caption;
  std::string_view stored_text;
  std::optional<ChecksumType> type;  // empty for "nocalculate" and "ask"
};

inline constexpr std::string_view kNoCalculateText = "nocalculate";
inline constexpr std::string_view kAskText = "ask";

// Menu order: Nocalculate1, Askforchecksumtypetocalculate1, then the eleven
// type items MD41 ... CRC321 in the type selector's order.
const std::array<DefaultActionItem, 13>& DefaultActionItems();
// Empty text and "nocalculate" give Nocalculate1, "ask" the ask item, a
// display name its type's item; exact and case-sensitive, null otherwise.
const DefaultActionItem* DefaultActionItemFor(std::string_view stored_text);
// ShellDefaultAction to write: the ticked item's text, taken "nocalculate",
// the eleven types, "ask" with the last ticked winning; empty when none.
std::string_view DefaultActionTextToStore(const IsTicked& ticked);

}  // namespace ondrix
