#include "ui/file_exists.h"

#include <windows.h>

#include "job/win_file_stream.h"

namespace ondrix::ui {

// Asked with the long-path prefix, so a path past MAX_PATH is found too.
bool FileExists(const std::wstring& path) {
  if (path.empty()) return false;
  const DWORD attributes = ::GetFileAttributesW(ExtendedLengthPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace ondrix::ui
