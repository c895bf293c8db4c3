#include "verify/compare.h"

namespace ondrix {

std::wstring TrimControlAndSpace(std::wstring_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && text[begin] <= L' ') ++begin;
  while (end > begin && text[end - 1] <= L' ') --end;
  return std::wstring(text.substr(begin, end - begin));
}

std::wstring UpperAscii(std::wstring_view text) {
  std::wstring upper(text);
  for (wchar_t& c : upper)
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  return upper;
}

bool ChecksumsMatch(std::wstring_view computed, std::wstring_view expected) {
  if (computed == kAbortedChecksumText) return false;
  return UpperAscii(computed) == UpperAscii(expected);
}

CompareOutcome CompareChecksums(std::wstring_view computed, std::wstring_view expected_field) {
  CompareOutcome outcome;
  outcome.expected = TrimControlAndSpace(expected_field);
  const std::wstring_view expected = outcome.expected;
  if (computed.empty() || expected.empty()) return outcome;
  if (ChecksumsMatch(computed, expected))
    outcome.verdict = CompareVerdict::Match;
  else if (computed == kAbortedChecksumText && expected == kAbortedChecksumText)
    outcome.verdict = CompareVerdict::None;
  else if (computed.size() == expected.size())
    outcome.verdict = CompareVerdict::Mismatch;
  else
    outcome.verdict = CompareVerdict::LengthMismatch;
  return outcome;
}

IndicatorBox BuildIndicatorBox(CompareVerdict verdict, std::wstring_view computed,
                               std::wstring_view expected, const UpperCaseFn& upper) {
  IndicatorBox box;
  switch (verdict) {
    case CompareVerdict::Match:
      box = {BoxKind::Information, L"Information",
             L"Checksums are the same:\r\r\n" + upper(computed) + L"\r\n"};
      break;
    case CompareVerdict::Mismatch:
      box = {BoxKind::Error, L"Error",
             L"Checksums are different:\r\r\n" + upper(computed) + L"\r\n" + upper(expected)};
      break;
    case CompareVerdict::LengthMismatch:
      box = {BoxKind::Warning, L"Warning",
             L"Different lengths !\r\r\nFile checksum: " + std::to_wstring(computed.size()) +
                 L" chars\r\nCompare with: " + std::to_wstring(expected.size()) + L" chars"};
      break;
    case CompareVerdict::None:
      break;
  }
  return box;
}

}  // namespace ondrix
