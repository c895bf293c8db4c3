// File names inside messages, quoted the way GNU tools quote them, so that a
// name with a space, a colon or a line break still reads as one name and
// scripts that compare our messages with theirs see the same text.
#pragma once

#include <string>
#include <string_view>

namespace ondrix {

// `name` as is when it needs no quoting; otherwise in single quotes (an
// inner quote as '\'', a control character as $'\n' between quoted runs), or
// in double quotes when a single quote is its only awkward character.
std::string QuoteNameForMessage(std::string_view name);

// A name on a result line: with a line break in it, the line starts with a
// backslash and the name's backslashes and line breaks are escaped, so that
// each result stays one line.
std::string NameForResultLine(std::string_view name);

}  // namespace ondrix
