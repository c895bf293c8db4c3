// The Explorer context-menu verb in the registry: register, remove, read
// its title, check its command line.
//
// The verb is registered under HKEY_CLASSES_ROOT first. An ordinary user
// may not write there, so when that is refused the same keys go under the
// user's own classes (HKEY_CURRENT_USER\Software\Classes), which Explorer
// merges into HKEY_CLASSES_ROOT with the user's entry taking precedence.
// Reads ask for read access only and look where Explorer would find the
// verb: the user's entry first, then the machine-wide one.
#pragma once

#include <string>
#include <string_view>

namespace ondrix {

// Writes the title and the command line for `program_path`. True when both
// values were written in one of the two places.
bool RegisterShellVerb(std::wstring_view title, std::wstring_view program_path);

// Deletes the verb with its command from both places. True when no verb
// key remains in either (also when there was none).
bool RemoveShellVerb();

// Whether a verb key exists in either place.
bool ShellVerbExists();

// The verb's title; the default title when the key or its value is missing
// or is not a string. A present but empty value answers the empty text.
std::wstring ReadShellVerbTitle();

// True when a command line is registered. A command that names another
// program path is rewritten for `program_path` where it was found; a
// failure to read or rewrite answers false. Shows nothing.
bool VerifyShellVerb(std::wstring_view program_path);

}  // namespace ondrix
