#include "settings/settings_values.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace ondrix {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Digits only, no sign; nothing on an empty text, a stray character or a
// value above `limit`.
std::optional<std::uint64_t> ParseDigits(std::string_view digits, int base, std::uint64_t limit) {
  if (digits.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : digits) {
    const int d = HexDigit(c);
    if (d < 0 || d >= base) return std::nullopt;
    value = value * unsigned(base) + unsigned(d);
    if (value > limit) return std::nullopt;
  }
  return value;
}

std::optional<std::uint32_t> ParseHexPattern(std::string_view digits) {
  const auto v = ParseDigits(digits, 16, 0xFFFFFFFFu);
  if (!v) return std::nullopt;
  return std::uint32_t(*v);
}

// Decimal with an optional sign, as a 64-bit value limited to 33 bits, so the
// callers decide which 32-bit range they accept.
std::optional<std::int64_t> ParseDecimal(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  const auto v = ParseDigits(text, 10, 0x1FFFFFFFFull);
  if (!v) return std::nullopt;
  return negative ? -std::int64_t(*v) : std::int64_t(*v);
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

constexpr Color System(int index) { return 0xFF000000u + Color(index); }

const std::array<ColorName, kColorNameCount> kColorNames = {{
    {"clBlack", 0x00000000},
    {"clMaroon", 0x00000080},
    {"clGreen", 0x00008000},
    {"clOlive", 0x00008080},
    {"clNavy", 0x00800000},
    {"clPurple", 0x00800080},
    {"clTeal", 0x00808000},
    {"clGray", 0x00808080},
    {"clSilver", 0x00C0C0C0},
    {"clRed", 0x000000FF},
    {"clLime", 0x0000FF00},
    {"clYellow", 0x0000FFFF},
    {"clBlue", 0x00FF0000},
    {"clFuchsia", 0x00FF00FF},
    {"clAqua", 0x00FFFF00},
    {"clWhite", 0x00FFFFFF},
    {"clMoneyGreen", 0x00C0DCC0},
    {"clSkyBlue", 0x00F0CAA6},
    {"clCream", 0x00F0FBFF},
    {"clMedGray", 0x00A4A0A0},
    {"clNone", kClNone},
    {"clDefault", kClDefault},
    {"clScrollBar", System(0)},
    {"clBackground", System(1)},
    {"clActiveCaption", System(2)},
    {"clInactiveCaption", System(3)},
    {"clMenu", System(4)},
    {"clWindow", System(5)},
    {"clWindowFrame", System(6)},
    {"clMenuText", System(7)},
    {"clWindowText", System(8)},
    {"clCaptionText", System(9)},
    {"clActiveBorder", System(10)},
    {"clInactiveBorder", System(11)},
    {"clAppWorkSpace", System(12)},
    {"clHighlight", System(13)},
    {"clHighlightText", System(14)},
    {"clBtnFace", System(15)},
    {"clBtnShadow", System(16)},
    {"clGrayText", System(17)},
    {"clBtnText", System(18)},
    {"clInactiveCaptionText", System(19)},
    {"clBtnHighlight", System(20)},
    {"cl3DDkShadow", System(21)},
    {"cl3DLight", System(22)},
    {"clInfoText", System(23)},
    {"clInfoBk", System(24)},
    {"clHotLight", System(26)},
    {"clGradientActiveCaption", System(27)},
    {"clGradientInactiveCaption", System(28)},
    {"clMenuHighlight", System(29)},
    {"clMenuBar", System(30)},
}};

// The highest index GetSysColor numbers among the named system colours.
constexpr int kLastSystemColorIndex = 30;

const std::array<TransparencyLevel, 10> kLevels = {{
    {"Disable1", "Disable", 255},
    {"N901", "90%", 225},
    {"N801", "80%", 200},
    {"N701", "70%", 175},
    {"N601", "60%", 150},
    {"N501", "50%", 125},
    {"N401", "40%", 100},
    {"N301", "30%", 75},
    {"N201", "20%", 50},
    {"N101", "10%", 25},
}};

const std::array<PriorityItem, 6> kPriorities = {{
    {"REALTIMEPRIORITYCLASS1", "REALTIME_PRIORITY_CLASS    (for 2000/XP only)", 256},
    {"HIGHPRIORITYCLASS1", "HIGH_PRIORITY_CLASS", 128},
    {"ABOVENORMALPRIORITYCLASS1", "ABOVE_NORMAL_PRIORITY_CLASS", 32768},
    {"NORMALPRIORITYCLASS1", "NORMAL_PRIORITY_CLASS         (default)", 32},
    {"BELOWNORMALPRIORITYCLASS1", "BELOW_NORMAL_PRIORITY_CLASS", 16384},
    {"IDLEPRIORITYCLASS1", "IDLE_PRIORITY_CLASS", 64},
}};

DefaultActionItem TypeAction(std::string_view item, std::string_view caption, ChecksumType type) {
  return {item, caption, TypeInfo(type).display_name, type};
}

const std::array<DefaultActionItem, 13>& ActionTable() {
  using CT = ChecksumType;
  static const std::array<DefaultActionItem, 13> table = {{
      {"Nocalculate1", "No calculate, just select file", kNoCalculateText, std::nullopt},
      {"Askforchecksumtypetocalculate1", "Ask for checksum type to calculate", kAskText,
       std::nullopt},
      TypeAction("MD41", "MD4", CT::MD4),
      TypeAction("MD51", "MD5", CT::MD5),
      TypeAction("SHA11", "SHA1", CT::SHA1),
      TypeAction("SHA2561", "SHA-256", CT::SHA256),
      TypeAction("SHA3841", "SHA-384", CT::SHA384),
      TypeAction("SHA5121", "SHA-512", CT::SHA512),
      TypeAction("RIPEMD1281", "RIPEMD-128", CT::RIPEMD128),
      TypeAction("RIPEMD1601", "RIPEMD-160", CT::RIPEMD160),
      TypeAction("HAVAL2561", "HAVAL 256", CT::HAVAL),
      TypeAction("IGER1921", "TIGER 192", CT::TIGER),
      TypeAction("CRC321", "CRC32", CT::CRC32),
  }};
  return table;
}

}  // namespace

// ---- Booleans and integers ---------------------------------------------

std::optional<std::int32_t> ParseStoredInt(std::string_view text) {
  if (text.size() >= 3 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    const auto v = ParseHexPattern(text.substr(2));
    if (!v) return std::nullopt;
    return std::int32_t(*v);
  }
  if (!text.empty() && text[0] == '$') {
    const auto v = ParseHexPattern(text.substr(1));
    if (!v) return std::nullopt;
    return std::int32_t(*v);
  }
  const auto v = ParseDecimal(text);
  if (!v || *v < std::numeric_limits<std::int32_t>::min() ||
      *v > std::numeric_limits<std::int32_t>::max())
    return std::nullopt;
  return std::int32_t(*v);
}

bool ReadBool(std::string_view text, bool default_value) {
  const auto v = ParseStoredInt(text);
  return v ? *v != 0 : default_value;
}

std::int32_t ReadInt(std::string_view text, std::int32_t default_value) {
  return ParseStoredInt(text).value_or(default_value);
}

std::string WriteBool(bool value) { return value ? "1" : "0"; }

std::string WriteInt(std::int64_t value) { return std::to_string(value); }

// ---- Colours -----------------------------------------------------------

const std::array<ColorName, kColorNameCount>& StandardColorNames() { return kColorNames; }

std::optional<Color> ColorFromName(std::string_view name) {
  for (const auto& row : kColorNames)
    if (EqualsIgnoringCase(row.name, name)) return row.value;
  return std::nullopt;
}

std::string_view NameOfColor(Color value) {
  for (const auto& row : kColorNames)
    if (row.value == value) return row.name;
  return {};
}

std::string ColorToText(Color value) {
  const auto name = NameOfColor(value);
  if (!name.empty()) return std::string(name);
  char text[10];
  std::snprintf(text, sizeof text, "$%08X", unsigned(value));
  return text;
}

Color ReadColor(std::string_view text, Color default_value) {
  if (const auto named = ColorFromName(text)) return *named;
  if (!text.empty() && text[0] == '$') return ParseHexPattern(text.substr(1)).value_or(default_value);
  // Decimal: a signed 32-bit value (as a negative number spells a system
  // colour) or an unsigned one.
  const auto v = ParseDecimal(text);
  if (!v || *v < std::numeric_limits<std::int32_t>::min() ||
      *v > std::numeric_limits<std::uint32_t>::max())
    return default_value;
  return Color(std::uint32_t(*v));
}

bool IsSystemColor(Color value) { return (value & 0xFF000000u) == 0xFF000000u; }

int SystemColorIndex(Color value) { return int(value & 0xFFu); }

std::uint32_t ResolveColor(Color value, int fallback_index,
                           const std::function<std::uint32_t(int)>& system_color) {
  if (value == kClNone || value == kClDefault) return system_color(fallback_index);
  if (IsSystemColor(value)) {
    const int index = SystemColorIndex(value);
    return system_color(index <= kLastSystemColorIndex ? index : fallback_index);
  }
  return value & 0x00FFFFFFu;
}

// ---- Dates -------------------------------------------------------------

namespace {

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

std::optional<int> PositionalNumber(std::string_view text, std::size_t pos, std::size_t count) {
  const auto v = ParseDigits(text.substr(pos, count), 10, 9999);
  if (!v) return std::nullopt;
  return int(*v);
}

}  // namespace

bool IsValidDate(const Date& d) {
  return d.year >= 1 && d.year <= 9999 && d.month >= 1 && d.month <= 12 && d.day >= 1 &&
         d.day <= DaysInMonth(d.year, d.month);
}

std::optional<Date> ReadDate(std::string_view text) {
  if (text.size() != 10) return std::nullopt;
  const auto y = PositionalNumber(text, 0, 4);
  const auto m = PositionalNumber(text, 5, 2);
  const auto d = PositionalNumber(text, 8, 2);
  if (!y || !m || !d) return std::nullopt;
  const Date date{*y, *m, *d};
  if (!IsValidDate(date)) return std::nullopt;
  return date;
}

std::string FormatDate(const Date& date) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year % 10000, date.month % 100,
                date.day % 100);
  return text;
}

// Counts days through 400-year eras of 146097 days, with years starting in
// March so that the leap day falls at the end of a year.
std::int64_t DaysFromCivil(const Date& date) {
  const std::int64_t y = std::int64_t(date.year) - (date.month <= 2 ? 1 : 0);
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t year_of_era = y - era * 400;                                   // [0, 399]
  const std::int64_t month_from_march = (date.month + 9) % 12;                      // [0, 11]
  const std::int64_t day_of_year = (153 * month_from_march + 2) / 5 + date.day - 1;  // [0, 365]
  const std::int64_t day_of_era =
      year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;  // [0, 146096]
  return era * 146097 + day_of_era - 719468;
}

std::int64_t DaysBetween(const Date& a, const Date& b) {
  const std::int64_t diff = DaysFromCivil(a) - DaysFromCivil(b);
  return diff < 0 ? -diff : diff;
}

// ---- Screen DPI and geometry -------------------------------------------

std::int64_t RoundTiesToEven(double value) {
  const double floor = std::floor(value);
  const double fraction = value - floor;
  auto result = std::int64_t(floor);
  if (fraction > 0.5 || (fraction == 0.5 && result % 2 != 0)) ++result;
  return result;
}

double DpiScaleFor(int ppi) { return ppi == 96 ? 1.0 : ppi / 96.0; }

int NormalMinWidthFor(int ppi) {
  if (ppi == 96) return kNormalWidthAt96;
  return int(RoundTiesToEven(kNormalWidthAt96 * DpiScaleFor(ppi))) + 10;
}

int Panel1MaxHeightFor(int ppi) { return 36 * int(RoundTiesToEven(DpiScaleFor(ppi))); }

int CentredOrigin(int work_area_extent, int window_extent) {
  return (work_area_extent - window_extent) / 2;  // C++ division truncates toward zero
}

// ---- Transparency ------------------------------------------------------

const std::array<TransparencyLevel, 10>& TransparencyLevels() { return kLevels; }

std::uint8_t AlphaFromStored(int value) { return std::uint8_t(unsigned(value) & 0xFFu); }

const TransparencyLevel* LevelItemForValue(int value) {
  for (const auto& level : kLevels)
    if (level.value == value) return &level;
  return nullptr;
}

Opacity OpacityFor(int value, bool apply_to_mini_only, bool mini_mode) {
  if (value == kOpaqueValue || (apply_to_mini_only && !mini_mode)) return {false, 255};
  // Alpha 0 would leave an invisible window that takes no clicks; only a
  // hand-edited value (0, 256, ...) gets here, and it is drawn opaque.
  if (AlphaFromStored(value) == 0) return {false, 255};
  return {true, AlphaFromStored(value)};
}

int TransparencyValueToStore(const IsTicked& ticked, int value_in_use) {
  int value = value_in_use;
  // The table lists Disable1 first and 90% ... 10% after it; the writer walks
  // 10% upwards and ends with Disable1.
  for (auto it = kLevels.rbegin(); it != kLevels.rend(); ++it)
    if (ticked(it->item)) value = it->value;
  return value;
}

// ---- Process priority --------------------------------------------------

const std::array<PriorityItem, 6>& PriorityItems() { return kPriorities; }

const PriorityItem* PriorityItemForValue(int value) {
  for (const auto& row : kPriorities)
    if (row.value == value) return &row;
  return nullptr;
}

int PriorityValueToStore(const IsTicked& ticked) {
  int value = kNormalPriorityValue;
  for (const auto& row : kPriorities)
    if (ticked(row.item)) value = row.value;
  return value;
}

// ---- Default action ----------------------------------------------------

const std::array<DefaultActionItem, 13>& DefaultActionItems() { return ActionTable(); }

const DefaultActionItem* DefaultActionItemFor(std::string_view stored_text) {
  const auto& table = ActionTable();
  if (stored_text.empty()) return &table[0];
  for (const auto& row : table)
    if (row.stored_text == stored_text) return &row;
  return nullptr;
}

std::string_view DefaultActionTextToStore(const IsTicked& ticked) {
  const auto& table = ActionTable();
  std::string_view text;
  if (ticked(table[0].item)) text = table[0].stored_text;
  for (std::size_t i = 2; i < table.size(); ++i)
    if (ticked(table[i].item)) text = table[i].stored_text;
  if (ticked(table[1].item)) text = table[1].stored_text;
  return text;
}

}  // namespace ondrix
