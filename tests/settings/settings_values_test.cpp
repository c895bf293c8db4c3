// Value encodings of the settings file and the rules that turn stored values
// into window state.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <set>
#include <string>

#include "settings/settings_values.h"

namespace ondrix {
namespace {

TEST(SettingsValues, IntegersReadDecimalAndBothHexSpellingsElseTheDefault) {
  constexpr std::int32_t kDefault = 777;
  const struct {
    const char* text;
    std::int32_t expected;
  } cases[] = {
      {"0", 0},
      {"415", 415},
      {"-5", -5},
      {"+12", 12},
      {"007", 7},
      {"0x1F", 31},
      {"0X1f", 31},
      {"$FF", 255},
      {"$ff", 255},
      {"$7FFFFFFF", 2147483647},
      {"$FFFFFFFF", -1},  // hex spells a 32-bit pattern
      {"0x80000000", INT32_MIN},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      // Not integers: the default.
      {"", kDefault},
      {"0x", kDefault},  // too short to be hex, and not decimal either
      {"$", kDefault},
      {"0xG1", kDefault},
      {"$-1", kDefault},
      {"-0x1F", kDefault},
      {"-", kDefault},
      {"12a", kDefault},
      {" 12", kDefault},
      {"12 ", kDefault},
      {"1.0", kDefault},
      {"true", kDefault},
      // Out of range: the default, never a wrapped value.
      {"2147483648", kDefault},
      {"-2147483649", kDefault},
      {"99999999999999999999", kDefault},
      {"$100000000", kDefault},
      {"0x1FFFFFFFF", kDefault},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadInt(c.text, kDefault), c.expected) << '"' << c.text << '"';
}

TEST(SettingsValues, BooleansAreIntegersWithNonZeroTrue) {
  const struct {
    const char* text;
    bool default_value;
    bool expected;
  } cases[] = {
      {"1", false, true},   {"0", true, false},     {"2", false, true},
      {"-1", false, true},  {"0x0", true, false},   {"$1", false, true},
      {"true", false, false}, {"true", true, true}, {"false", true, true},
      {"", true, true},     {"yes", false, false},  {"0x", true, true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ReadBool(c.text, c.default_value), c.expected)
        << '"' << c.text << "\" default " << c.default_value;
  EXPECT_EQ(WriteBool(true), "1");
  EXPECT_EQ(WriteBool(false), "0");
  EXPECT_EQ(WriteInt(-5), "-5");
  EXPECT_EQ(WriteInt(32768), "32768");
  EXPECT_EQ(ReadInt(WriteInt(INT32_MIN), 0), INT32_MIN);
}

TEST(SettingsValues, ColourNamesAreUniqueAndRoundTrip) {
  const auto& names = StandardColorNames();
  std::set<std::string> seen_names;
  std::set<Color> seen_values;
  for (const auto& row : names) {
    EXPECT_TRUE(seen_names.insert(std::string(row.name)).second) << row.name;
    EXPECT_TRUE(seen_values.insert(row.value).second) << row.name;
    EXPECT_EQ(ColorToText(row.value), row.name);
    EXPECT_EQ(ReadColor(ColorToText(row.value), 0x00123456), row.value) << row.name;
  }
  EXPECT_EQ(names.size(), 52u);
}

TEST(SettingsValues, ColoursWriteNamesOrDollarHexAndReadLeniently) {
  const Color kDefault = 0x00ABCDEF;
  const struct {
    const char* text;
    Color expected;
  } reads[] = {
      {"clbtnface", 0xFF00000F},
      {"CLWINDOW", 0xFF000005},
      {"clWindowText", 0xFF000008},
      {"ClReD", 0x000000FF},
      {"clMenuBar", 0xFF00001E},
      {"clHotLight", 0xFF00001A},
      {"clNone", 0x1FFFFFFF},
      {"cldefault", 0x20000000},
      {"$00C08040", 0x00C08040},
      {"$00c08040", 0x00C08040},
      {"$FF00000F", 0xFF00000F},
      {"12632256", 0x00C0C0C0},
      {"-16777201", 0xFF00000F},  // a system colour spelled as a signed number
      {"4278190095", 0xFF00000F},
      // Not colours: the default.
      {"", kDefault},
      {"$", kDefault},
      {"clRedd", kDefault},
      {"red", kDefault},
      {"$1FFFFFFFF", kDefault},
      {"8589934592", kDefault},
      {"-2147483649", kDefault},
      {"$00C0 8040", kDefault},
      {"0x00C08040", kDefault},  // colours know "$" only
  };
  for (const auto& c : reads) EXPECT_EQ(ReadColor(c.text, kDefault), c.expected) << '"' << c.text << '"';

  const struct {
    Color value;
    const char* text;
  } writes[] = {
      {0x000000FF, "clRed"},
      {0x00C08040, "$00C08040"},
      {0x00000001, "$00000001"},
      {0xFF00000F, "clBtnFace"},
      {0xFF000019, "$FF000019"},  // index 25 has no name
      {0xFFFFFFFF, "$FFFFFFFF"},
      {0x1FFFFFFF, "clNone"},
  };
  for (const auto& c : writes) EXPECT_EQ(ColorToText(c.value), c.text);
}

TEST(SettingsValues, SystemColoursResolveThroughTheSystemTable) {
  EXPECT_TRUE(IsSystemColor(0xFF00000F));
  EXPECT_EQ(SystemColorIndex(0xFF00000F), 15);
  EXPECT_FALSE(IsSystemColor(0x00C08040));
  EXPECT_FALSE(IsSystemColor(kClNone));
  EXPECT_FALSE(IsSystemColor(kClDefault));

  const auto system = [](int index) { return std::uint32_t(0x00100000 + index); };
  const int kWindowIndex = 5;
  EXPECT_EQ(ResolveColor(0xFF00000F, kWindowIndex, system), 0x0010000Fu);
  EXPECT_EQ(ResolveColor(0x00C08040, kWindowIndex, system), 0x00C08040u);
  EXPECT_EQ(ResolveColor(kClNone, kWindowIndex, system), 0x00100005u);
  EXPECT_EQ(ResolveColor(kClDefault, kWindowIndex, system), 0x00100005u);
  EXPECT_EQ(ResolveColor(0xFF0000C8, kWindowIndex, system), 0x00100005u);  // no such index
}

TEST(SettingsValues, DatesReadByPositionAndCountWholeDaysEitherWay) {
  EXPECT_EQ(ReadDate("2009-01-01"), (Date{2009, 1, 1}));
  EXPECT_EQ(ReadDate("2024-02-29"), (Date{2024, 2, 29}));
  EXPECT_EQ(ReadDate("2024/12/31"), (Date{2024, 12, 31}));  // fields by position only
  for (const char* bad : {"", "2009-1-1", "2009-01-01 ", "20O9-01-01", "2009-13-01",
                          "2009-00-10", "2023-02-29", "1900-02-29", "0000-01-01", "2009-01-+1",
                          "2009-04-31", "yyyy-mm-dd"})
    EXPECT_EQ(ReadDate(bad), std::nullopt) << '"' << bad << '"';

  EXPECT_EQ(FormatDate({2009, 1, 1}), "2009-01-01");
  EXPECT_EQ(FormatDate({987, 11, 5}), "0987-11-05");

  const Date today{2025, 1, 3};
  const struct {
    Date other;
    std::int64_t days;
  } spans[] = {
      {{2024, 12, 27}, 7},   // across the year boundary
      {{2024, 12, 28}, 6},
      {{2025, 1, 10}, 7},    // a future date counts the same
      {{2025, 1, 9}, 6},
      {{2025, 1, 3}, 0},
      {{2024, 1, 3}, 366},   // through a leap day
      {{2000, 3, 1}, 9074},
      {{2009, 1, 1}, 5846},
  };
  for (const auto& s : spans) {
    EXPECT_EQ(DaysBetween(today, s.other), s.days) << FormatDate(s.other);
    EXPECT_EQ(DaysBetween(s.other, today), s.days) << FormatDate(s.other);
  }
  EXPECT_EQ(DaysFromCivil({1970, 1, 1}), 0);
  EXPECT_EQ(DaysFromCivil({1969, 12, 31}), -1);
  EXPECT_EQ(DaysFromCivil({2000, 3, 1}), 11017);
}

TEST(SettingsValues, DpiSizesRoundHalvesToEven) {
  EXPECT_EQ(RoundTiesToEven(518.75), 519);
  EXPECT_EQ(RoundTiesToEven(622.5), 622);
  EXPECT_EQ(RoundTiesToEven(623.5), 624);
  EXPECT_EQ(RoundTiesToEven(1.5), 2);
  EXPECT_EQ(RoundTiesToEven(1.25), 1);
  EXPECT_EQ(RoundTiesToEven(2.5), 2);
  EXPECT_EQ(RoundTiesToEven(-2.5), -2);
  EXPECT_EQ(RoundTiesToEven(-1.5), -2);

  const struct {
    int ppi;
    double scale;
    int width, panel1;
  } cases[] = {
      {96, 1.0, 415, 36},
      {120, 1.25, 529, 36},
      {144, 1.5, 632, 72},
      {192, 2.0, 840, 72},
      {72, 0.75, 321, 36},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(DpiScaleFor(c.ppi), c.scale) << c.ppi;
    EXPECT_EQ(NormalMinWidthFor(c.ppi), c.width) << c.ppi;
    EXPECT_EQ(Panel1MaxHeightFor(c.ppi), c.panel1) << c.ppi;
  }

  EXPECT_EQ(CentredOrigin(1920, 415), 752);
  EXPECT_EQ(CentredOrigin(1000, 415), 292);  // 292.5 truncated
  EXPECT_EQ(CentredOrigin(400, 415), -7);    // -7.5 truncated toward zero
  EXPECT_EQ(CentredOrigin(0, 0), 0);
}

TEST(SettingsValues, TransparencyLevelsAndTheOpacityRule) {
  const struct {
    const char* item;
    int value;
  } levels[] = {{"Disable1", 255}, {"N901", 225}, {"N801", 200}, {"N701", 175}, {"N601", 150},
                {"N501", 125},     {"N401", 100}, {"N301", 75},  {"N201", 50},  {"N101", 25}};
  ASSERT_EQ(TransparencyLevels().size(), std::size(levels));
  for (std::size_t i = 0; i < std::size(levels); ++i) {
    EXPECT_EQ(TransparencyLevels()[i].item, levels[i].item);
    EXPECT_EQ(TransparencyLevels()[i].value, levels[i].value);
    const auto* found = LevelItemForValue(levels[i].value);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->item, levels[i].item);
  }
  EXPECT_EQ(LevelItemForValue(128), nullptr);
  EXPECT_EQ(LevelItemForValue(0), nullptr);
  EXPECT_EQ(LevelItemForValue(125 + 256), nullptr);

  EXPECT_EQ(AlphaFromStored(128), 128);
  EXPECT_EQ(AlphaFromStored(125 + 256), 125);
  EXPECT_EQ(AlphaFromStored(-1), 255);

  const struct {
    int value;
    bool mini_only, mini_mode;
    Opacity expected;
  } rules[] = {
      {255, false, false, {false, 255}},
      {255, false, true, {false, 255}},
      {255, true, true, {false, 255}},
      {125, false, false, {true, 125}},
      {125, false, true, {true, 125}},
      {125, true, false, {false, 255}},  // normal layout shown: opaque
      {125, true, true, {true, 125}},
      {128, false, false, {true, 128}},  // no level item, still applied
      {125 + 256, false, false, {true, 125}},
      {511, false, false, {true, 255}},
      // An alpha of 0 would hide the window for good: drawn opaque instead.
      {0, false, false, {false, 255}},
      {256, false, true, {false, 255}},
      {-256, true, true, {false, 255}},
  };
  for (const auto& r : rules)
    EXPECT_EQ(OpacityFor(r.value, r.mini_only, r.mini_mode), r.expected)
        << r.value << ' ' << r.mini_only << ' ' << r.mini_mode;
}

TEST(SettingsValues, RadioGroupsStoreTheLastTickedItemOfTheirWritingOrder) {
  const auto only = [](std::set<std::string> ticked) {
    return [ticked](std::string_view item) { return ticked.count(std::string(item)) > 0; };
  };
  EXPECT_EQ(TransparencyValueToStore(only({"N501"}), 255), 125);
  EXPECT_EQ(TransparencyValueToStore(only({"Disable1"}), 125), 255);
  EXPECT_EQ(TransparencyValueToStore(only({"N101", "N901"}), 0), 225);
  EXPECT_EQ(TransparencyValueToStore(only({"N901", "Disable1"}), 0), 255);
  EXPECT_EQ(TransparencyValueToStore(only({}), 128), 128);

  const struct {
    const char* item;
    int value;
  } priorities[] = {{"REALTIMEPRIORITYCLASS1", 256},     {"HIGHPRIORITYCLASS1", 128},
                    {"ABOVENORMALPRIORITYCLASS1", 32768}, {"NORMALPRIORITYCLASS1", 32},
                    {"BELOWNORMALPRIORITYCLASS1", 16384}, {"IDLEPRIORITYCLASS1", 64}};
  ASSERT_EQ(PriorityItems().size(), std::size(priorities));
  for (std::size_t i = 0; i < std::size(priorities); ++i) {
    EXPECT_EQ(PriorityItems()[i].item, priorities[i].item);
    EXPECT_EQ(PriorityItems()[i].value, priorities[i].value);
    EXPECT_EQ(PriorityValueToStore(only({priorities[i].item})), priorities[i].value);
    ASSERT_NE(PriorityItemForValue(priorities[i].value), nullptr);
    EXPECT_EQ(PriorityItemForValue(priorities[i].value)->item, priorities[i].item);
  }
  EXPECT_EQ(PriorityItemForValue(99), nullptr);
  EXPECT_EQ(PriorityValueToStore(only({})), 32);
  EXPECT_EQ(PriorityValueToStore(only({"HIGHPRIORITYCLASS1", "IDLEPRIORITYCLASS1"})), 64);
  EXPECT_EQ(PriorityValueToStore(only({"REALTIMEPRIORITYCLASS1", "NORMALPRIORITYCLASS1"})), 32);

  EXPECT_EQ(DefaultActionTextToStore(only({"SHA2561"})), "SHA-256");
  EXPECT_EQ(DefaultActionTextToStore(only({"HAVAL2561"})), "HAVAL 256,5");
  EXPECT_EQ(DefaultActionTextToStore(only({"Nocalculate1"})), "nocalculate");
  EXPECT_EQ(DefaultActionTextToStore(only({"Askforchecksumtypetocalculate1"})), "ask");
  EXPECT_EQ(DefaultActionTextToStore(only({"Askforchecksumtypetocalculate1", "CRC321"})), "ask");
  EXPECT_EQ(DefaultActionTextToStore(only({"Nocalculate1", "MD41"})), "MD4");
  EXPECT_EQ(DefaultActionTextToStore(only({})), "");
}

TEST(SettingsValues, DefaultActionTextsMapToTheirItemsExactly) {
  const struct {
    const char* text;
    const char* item;  // null: no item
  } cases[] = {
      {"", "Nocalculate1"},
      {"nocalculate", "Nocalculate1"},
      {"ask", "Askforchecksumtypetocalculate1"},
      {"MD4", "MD41"},
      {"MD5", "MD51"},
      {"SHA1", "SHA11"},
      {"SHA-256", "SHA2561"},
      {"SHA-384", "SHA3841"},
      {"SHA-512", "SHA5121"},
      {"RIPEMD-128", "RIPEMD1281"},
      {"RIPEMD-160", "RIPEMD1601"},
      {"HAVAL 256,5", "HAVAL2561"},
      {"TIGER 192", "IGER1921"},
      {"CRC32", "CRC321"},
      {"md5", nullptr},
      {"Ask", nullptr},
      {"NoCalculate", nullptr},
      {"HAVAL 256", nullptr},  // the item's caption, not its stored text
      {"MD5 ", nullptr},
      {"sha256", nullptr},
  };
  for (const auto& c : cases) {
    const auto* row = DefaultActionItemFor(c.text);
    if (!c.item) {
      EXPECT_EQ(row, nullptr) << '"' << c.text << '"';
      continue;
    }
    ASSERT_NE(row, nullptr) << '"' << c.text << '"';
    EXPECT_EQ(row->item, c.item);
  }
  // Every item's stored text leads back to the item.
  for (const auto& row : DefaultActionItems()) EXPECT_EQ(DefaultActionItemFor(row.stored_text), &row);
  EXPECT_EQ(DefaultActionItemFor("TIGER 192")->type, ChecksumType::TIGER);
  EXPECT_EQ(DefaultActionItemFor("ask")->type, std::nullopt);
}

}  // namespace
}  // namespace ondrix
