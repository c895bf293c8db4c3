// The settings file's value decoders on any text a hand-edited INI may hold:
// integers (decimal, 0x and $ hex), Booleans, colours by name or number,
// dates, stored type names and default actions. Each decoded value must
// survive being written and read back.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "settings/settings_values.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  if (const auto value = ondrix::ParseStoredInt(text)) {
    FUZZ_CHECK(ondrix::ParseStoredInt(ondrix::WriteInt(*value)) == *value);
    FUZZ_CHECK(ondrix::ReadInt(text, 0) == *value && ondrix::ReadInt(text, 1) == *value);
    FUZZ_CHECK(ondrix::ReadBool(text, false) == (*value != 0));
  } else {
    FUZZ_CHECK(ondrix::ReadInt(text, 7) == 7);
    FUZZ_CHECK(ondrix::ReadBool(text, true) && !ondrix::ReadBool(text, false));
  }

  const ondrix::Color color = ondrix::ReadColor(text, ondrix::kClDefault);
  FUZZ_CHECK(ondrix::ReadColor(ondrix::ColorToText(color), ondrix::kClNone) == color);
  if (const auto named = ondrix::ColorFromName(text)) {
    FUZZ_CHECK(!ondrix::NameOfColor(*named).empty());
  }
  // Raw bytes as a colour value: every 32-bit value has a text that reads back.
  if (size >= 4) {
    const ondrix::Color raw = ondrix::Color(data[0]) | ondrix::Color(data[1]) << 8 |
                              ondrix::Color(data[2]) << 16 | ondrix::Color(data[3]) << 24;
    FUZZ_CHECK(ondrix::ReadColor(ondrix::ColorToText(raw), ~raw) == raw);
  }

  if (const auto date = ondrix::ReadDate(text)) {
    FUZZ_CHECK(ondrix::IsValidDate(*date));
    FUZZ_CHECK(ondrix::ReadDate(ondrix::FormatDate(*date)) == *date);
  }

  if (const auto* item = ondrix::DefaultActionItemFor(text)) {
    FUZZ_CHECK(!item->item.empty());
  }
  if (const auto* type = ondrix::FindTypeByDisplayName(text)) {
    FUZZ_CHECK(type->display_name == text);
  }
  return 0;
}
