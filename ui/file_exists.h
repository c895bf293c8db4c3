// Whether a path names an existing file (not a folder), for paths of any
// length: the commands that hand the selected file to the shell or open the
// history file ask this first.
#pragma once

#include <string>

namespace ondrix::ui {

bool FileExists(const std::wstring& path);

}  // namespace ondrix::ui
