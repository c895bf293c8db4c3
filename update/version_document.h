// The vendor's version document: name=value lines naming the latest
// version, a text about what is new or the address of a second document
// holding it. Pure rules, no network: the fetch lives in auto_update.h.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace ondrix {

// The base of the update check's own errors.
class EAutoUpdate : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A "LatestVersion" value that is not a dotted version. The message names
// the whole value; it is never shown to the user.
class EAutoUpdateInvalidUpdateInfoDocument : public EAutoUpdate {
 public:
  explicit EAutoUpdateInvalidUpdateInfoDocument(std::string_view value);
};

// major.minor.release.build; parts the text does not give are 0.
struct VersionQuad {
  std::int32_t major = 0;
  std::int32_t minor = 0;
  std::int32_t release = 0;
  std::int32_t build = 0;
  friend bool operator==(const VersionQuad&, const VersionQuad&) = default;
};

// The text up to its first NUL: a NUL ends a document.
std::string_view TextUpToNul(std::string_view text);

// The value of the first line "name=value" whose name equals `name` without
// regard to ASCII case; "" when no line carries it. Lines end at CR, LF or
// CR LF; the name is everything before the first "=", the value everything
// after it, blanks included.
std::string DocumentValue(std::string_view document, std::string_view name);

// Up to four dotted decimal parts; a fifth and later are ignored, an empty
// text is 0.0.0.0. Each part is optional leading blanks, an optional sign
// and decimal digits within 32 bits, nothing else (so no trailing blank and
// no empty part). Throws EAutoUpdateInvalidUpdateInfoDocument otherwise.
VersionQuad ParseVersion(std::string_view text);

// "%d.%d.%d.%d".
std::string FormatVersion(const VersionQuad& version);

// What the document says, with the version already parsed.
struct VersionInfo {
  std::string update_url;
  VersionQuad latest;
  std::string new_version_info;
  // The address of the second document when "NewVersionInfo" is blank and
  // "NewVersionInfoURL" is not (surrounding blanks removed); otherwise "".
  std::string new_version_info_url;
};

// Reads the entries of a fetched document (cut at its first NUL). Throws
// EAutoUpdateInvalidUpdateInfoDocument for an unparsable "LatestVersion".
VersionInfo ReadVersionInfo(std::string_view document);

// True when the published version, rendered with FormatVersion, differs
// from the program's own version text ("1.6.15.0") without regard to case.
// Any difference counts, a lower published version too.
bool IsDifferentVersion(const VersionQuad& latest, std::string_view own_version);

// The text without the blanks and control characters around it.
std::string_view TrimBlanks(std::string_view text);

}  // namespace ondrix
