#include "text/path_text.h"

#include <gtest/gtest.h>

#include <string>

namespace ondrix {
namespace {

TEST(PathParts, NameAndFolderOfWindowsPaths) {
  struct Row {
    std::wstring_view path, name, folder;
  };
  const Row rows[] = {
      {L"C:\\dir\\sub\\a.exe", L"a.exe", L"C:\\dir\\sub"},
      {L"C:\\a.exe", L"a.exe", L"C:"},
      {L"\\\\server\\share\\x y.iso", L"x y.iso", L"\\\\server\\share"},
      {L"\\\\?\\C:\\long\\name.bin", L"name.bin", L"\\\\?\\C:\\long"},
      {L"C:/mixed/slash.txt", L"slash.txt", L"C:/mixed"},
      {L"C:rel.txt", L"rel.txt", L"C:"},
      {L"bare.txt", L"bare.txt", L""},
      {L"", L"", L""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::wstring(row.path));
    EXPECT_EQ(FileNameOf(row.path), row.name);
    EXPECT_EQ(FolderOf(row.path), row.folder);
  }
}

}  // namespace
}  // namespace ondrix
