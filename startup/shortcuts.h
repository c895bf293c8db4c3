// Shortcuts to the program, written through the shell's Unicode link
// interface so that a program in a folder the ANSI code page cannot spell
// still gets a working link.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace ondrix {

// The component runtime for the thread that creates it, in a
// single-threaded apartment; released when it goes.
class ComApartment {
 public:
  ComApartment();
  ~ComApartment();
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool initialised_ = false;
};

// `folder` without a trailing backslash, a backslash, the program's file
// name with ".lnk" appended (x.exe gets x.exe.lnk).
std::wstring ShortcutPathIn(std::wstring_view folder, std::wstring_view program_path);

struct ShortcutResult {
  bool ok = false;
  std::wstring link_path;
  HRESULT error = S_OK;  // why the link could not be saved
};

// Writes a link to `program_path` into `folder`: no arguments, the
// program's folder as working folder, shown normally, the program's first
// icon. An existing link of that name is replaced. Throws
// std::runtime_error when the shell link object cannot be created at all.
ShortcutResult PlaceShortcut(std::wstring_view folder, std::wstring_view program_path);

}  // namespace ondrix
