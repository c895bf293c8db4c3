// `ondrix-sum --check`: reads checksum lists line by line and checks every
// file they name. Results, warnings and the exit status follow GNU's
// `sha256sum -c`, so scripts written for those tools work unchanged.
#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "engines/byte_stream.h"
#include "engines/checksum_types.h"

namespace ondrix {

struct CheckOptions {
  const ChecksumTypeInfo* type = nullptr;  // -t; null: from each list
  bool quiet = false;           // no "OK" lines
  bool status = false;          // no result lines and no warnings
  bool strict = false;          // an improperly formatted line fails the check
  bool warn = false;            // report each improperly formatted line
  bool ignore_missing = false;  // a listed file that does not exist is skipped
  // Converts a name that is not UTF-8 (a list the window wrote in the ANSI
  // code page) to UTF-8; unset where names are bytes (Linux).
  std::function<std::optional<std::string>(std::string_view)> ansi_to_utf8;
};

// Checks the list `list_name` ("-" for `standard_input`). Names in it are
// relative to the list's folder. Returns true when every line was a
// checksum line whose file was read and matched (improperly formatted lines
// count only with `strict`).
bool CheckList(std::string_view list_name, const CheckOptions& options,
               IByteStream* standard_input, std::ostream& out, std::ostream& err);

// The same for a list already open as `list`; `list_name` gives its type,
// its folder and its name in messages.
bool CheckListStream(IByteStream& list, std::string_view list_name, const CheckOptions& options,
                     IByteStream* standard_input, std::ostream& out, std::ostream& err);

// True when `text` is well-formed UTF-8.
bool IsUtf8(std::string_view text);

}  // namespace ondrix
