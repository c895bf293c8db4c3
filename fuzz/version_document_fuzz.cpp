// The update check's version document, as any server might answer: reading
// it either gives a version or rejects "LatestVersion" with the document
// error, never anything else; values hold no line break; a parsed version
// prints and parses back to itself.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "update/version_document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view document(reinterpret_cast<const char*>(data), size);
  const std::string_view text = ondrix::TextUpToNul(document);
  FUZZ_CHECK(text.find('\0') == std::string_view::npos);

  for (const std::string_view name : {"LatestVersion", "UpdateURL", "NewVersionInfo", "NewVersionInfoURL"}) {
    const std::string value = ondrix::DocumentValue(text, name);
    FUZZ_CHECK(value.find_first_of("\r\n") == std::string::npos);
  }
  try {
    const ondrix::VersionInfo info = ondrix::ReadVersionInfo(document);
    FUZZ_CHECK(ondrix::ParseVersion(ondrix::FormatVersion(info.latest)) == info.latest);
    FUZZ_CHECK(info.new_version_info_url == ondrix::TrimBlanks(info.new_version_info_url));
  } catch (const ondrix::EAutoUpdateInvalidUpdateInfoDocument&) {
    // A "LatestVersion" that is not a version: the check reports a failure.
  }
  // The version rule on its own, on the whole input as one value.
  try {
    const ondrix::VersionQuad version = ondrix::ParseVersion(text);
    FUZZ_CHECK(ondrix::ParseVersion(ondrix::FormatVersion(version)) == version);
  } catch (const ondrix::EAutoUpdateInvalidUpdateInfoDocument&) {
  }
  return 0;
}
