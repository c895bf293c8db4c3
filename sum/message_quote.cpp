#include "sum/message_quote.h"

namespace ondrix {
namespace {

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

// Characters that never need quoting. Bytes of multi-byte characters count
// as printable text.
bool IsPlain(unsigned char c, bool first) {
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
  if (c >= 0x80) return true;
  switch (c) {
    case '%': case '+': case ',': case '-': case '.': case '/': case ']': case '_':
    case '{': case '}': case '@':
      return true;
    case '#': case '~':
      return !first;  // special only where a word starts
    default:
      return false;
  }
}

// A character that needs quoting but reads the same inside double quotes.
bool IsSafeInDoubleQuotes(unsigned char c, bool first) {
  return IsPlain(c, false) || c == ' ' || c == '\'' || (first && (c == '#' || c == '~'));
}

std::string ControlEscape(unsigned char c) {
  switch (c) {
    case '\a': return "\\a";
    case '\b': return "\\b";
    case '\f': return "\\f";
    case '\n': return "\\n";
    case '\r': return "\\r";
    case '\t': return "\\t";
    case '\v': return "\\v";
    default: {
      std::string octal = "\\000";
      octal[1] = char('0' + ((c >> 6) & 7));
      octal[2] = char('0' + ((c >> 3) & 7));
      octal[3] = char('0' + (c & 7));
      return octal;
    }
  }
}

}  // namespace

std::string QuoteNameForMessage(std::string_view name) {
  if (name.empty()) return "''";
  bool plain = true, double_quotes_do = true, has_control = false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (!IsPlain(c, i == 0)) plain = false;
    if (IsControl(c)) has_control = true;
    if (!IsSafeInDoubleQuotes(c, i == 0)) double_quotes_do = false;
  }
  if (plain) return std::string(name);
  if (double_quotes_do && name.find('\'') != std::string_view::npos && !has_control) {
    std::string quoted(1, '"');
    quoted += name;
    quoted += '"';
    return quoted;
  }

  std::string quoted = "'";
  bool open = true;
  for (const char ch : name) {
    const auto c = static_cast<unsigned char>(ch);
    if (IsControl(c)) {
      if (open) quoted += '\'';
      open = false;
      quoted += "$'" + ControlEscape(c) + "'";
      continue;
    }
    if (!open) quoted += '\'';
    open = true;
    if (ch == '\'') quoted += "'\\''";
    else quoted += ch;
  }
  if (open) quoted += '\'';
  return quoted;
}

std::string NameForResultLine(std::string_view name) {
  if (name.find('\n') == std::string_view::npos) return std::string(name);
  std::string line = "\\";
  for (const char c : name) {
    switch (c) {
      case '\n': line += "\\n"; break;
      case '\r': line += "\\r"; break;
      case '\\': line += "\\\\"; break;
      default: line += c; break;
    }
  }
  return line;
}

}  // namespace ondrix
