#include "update/version_document.h"

#include <cstdio>
#include <limits>

namespace ondrix {

namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

// One part of a version: leading blanks, an optional sign, one or more
// decimal digits and nothing after them, within the 32-bit range.
bool ConvertPart(std::string_view part, std::int32_t& out) {
  std::size_t i = 0;
  while (i < part.size() && part[i] == ' ') ++i;
  bool negative = false;
  if (i < part.size() && (part[i] == '+' || part[i] == '-')) negative = part[i++] == '-';
  if (i == part.size()) return false;
  std::int64_t value = 0;
  for (; i < part.size(); ++i) {
    const char c = part[i];
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
    if (value > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) return false;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<std::int32_t>::max()) return false;
  out = static_cast<std::int32_t>(value);
  return true;
}

}  // namespace

EAutoUpdateInvalidUpdateInfoDocument::EAutoUpdateInvalidUpdateInfoDocument(std::string_view value)
    : EAutoUpdate("The version info string \"" + std::string(value) + "\" could not be parsed") {}

std::string_view TextUpToNul(std::string_view text) { return text.substr(0, text.find('\0')); }

std::string DocumentValue(std::string_view document, std::string_view name) {
  document = TextUpToNul(document);
  std::size_t start = 0;
  while (start <= document.size()) {
    const std::size_t end = std::min(document.find_first_of("\r\n", start), document.size());
    const std::string_view line = document.substr(start, end - start);
    const std::size_t equals = line.find('=');
    if (equals != std::string_view::npos && EqualIgnoringCase(line.substr(0, equals), name)) {
      return std::string(line.substr(equals + 1));
    }
    if (end == document.size()) break;
    // CR LF is one line end; a lone CR or LF is one as well.
    start = end + (document[end] == '\r' && end + 1 < document.size() && document[end + 1] == '\n' ? 2 : 1);
  }
  return {};
}

VersionQuad ParseVersion(std::string_view text) {
  VersionQuad version;
  std::int32_t* const parts[] = {&version.major, &version.minor, &version.release, &version.build};
  std::size_t start = 0;
  int counter = 0;
  for (std::size_t i = 0; i < text.size() && counter < 4; ++i) {
    const bool last = i + 1 == text.size();
    if (!last && text[i] != '.') continue;
    // The last part runs to the end of the text, a final full stop included,
    // so "1.6." fails on the part "6.".
    const std::string_view part = last ? text.substr(start) : text.substr(start, i - start);
    if (!ConvertPart(part, *parts[counter])) throw EAutoUpdateInvalidUpdateInfoDocument(text);
    ++counter;
    start = i + 1;
  }
  return version;
}

std::string FormatVersion(const VersionQuad& version) {
  char text[48];
  std::snprintf(text, sizeof text, "%d.%d.%d.%d", static_cast<int>(version.major), static_cast<int>(version.minor),
                static_cast<int>(version.release), static_cast<int>(version.build));
  return text;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  return text;
}

VersionInfo ReadVersionInfo(std::string_view document) {
  document = TextUpToNul(document);
  VersionInfo info;
  info.latest = ParseVersion(DocumentValue(document, "LatestVersion"));
  info.update_url = DocumentValue(document, "UpdateURL");
  info.new_version_info = DocumentValue(document, "NewVersionInfo");
  if (TrimBlanks(info.new_version_info).empty()) {
    info.new_version_info_url = std::string(TrimBlanks(DocumentValue(document, "NewVersionInfoURL")));
  }
  return info;
}

bool IsDifferentVersion(const VersionQuad& latest, std::string_view own_version) {
  return !EqualIgnoringCase(FormatVersion(latest), own_version);
}

}  // namespace ondrix
