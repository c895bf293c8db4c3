// The verdict of the comparison between the computed checksum (Edit1) and
// the expected one (Edit2), and the texts of the three indicator buttons and
// the boxes they open. Pure functions of the two field texts.
//
// Texts are UTF-16 (see text/path_text.h for the convention).
//
// Letter case: the fields are compared after upper-casing. The portable rule
// upper-cases ASCII letters only. Edit1 only ever holds ASCII (hexadecimal
// digits or "?"), and no non-ASCII character upper-cases to an ASCII letter
// under any locale's conversion, so the verdict is the same as with the
// locale-aware conversion of the platform. Where the boxes show a field
// upper-cased, the window may pass its locale-aware converter instead.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace ondrix {

// Removes every leading and trailing character with a code of 32 or less
// (space, tab, CR, LF, other control characters); inner characters stay.
std::wstring TrimControlAndSpace(std::wstring_view text);

// A-Z for a-z; every other character unchanged.
std::wstring UpperAscii(std::wstring_view text);

using UpperCaseFn = std::function<std::wstring(std::wstring_view)>;

// The text Edit1 shows after an aborted calculation.
inline constexpr std::wstring_view kAbortedChecksumText = L"?";

enum class CompareVerdict {
  None,            // no indicator: a field is empty, or there is no result
  Match,           // speed_ok
  Mismatch,        // speed_blad: same length, different texts
  LengthMismatch,  // speed_warn
};

struct CompareOutcome {
  std::wstring expected;  // Edit2's text after trimming; put back when it differs
  CompareVerdict verdict = CompareVerdict::None;
};

// CompareChecksums: trims the expected text, then judges it against the
// computed one. Equal ignoring case is a match; otherwise equal lengths are a
// mismatch and different lengths a length mismatch.
//
// "?" is not a checksum: after an aborted calculation an expected text of
// "?" would otherwise read as "Checksums match", reporting a failed
// calculation as a confirmed file. That pair shows no indicator; any other
// expected text against "?" is judged as usual (a length or a plain mismatch).
CompareOutcome CompareChecksums(std::wstring_view computed, std::wstring_view expected_field);

// True when the two texts are the same checksum (the report's "match"):
// equal ignoring case, and the computed one is a real result.
bool ChecksumsMatch(std::wstring_view computed, std::wstring_view expected);

enum class BoxKind { Information, Error, Warning };

struct IndicatorBox {
  BoxKind kind = BoxKind::Information;
  std::wstring title;
  std::wstring text;
};

// The message box a click on the visible indicator shows. The checksums in
// it are upper case whatever the display case. Character counts are UTF-16
// units, as the edit control counts them. `verdict` must not be None.
IndicatorBox BuildIndicatorBox(CompareVerdict verdict, std::wstring_view computed,
                               std::wstring_view expected,
                               const UpperCaseFn& upper = UpperAscii);

}  // namespace ondrix
