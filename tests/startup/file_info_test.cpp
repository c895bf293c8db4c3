// The system's facts about the selected file: access test, size, times, the
// size text and the paths of a drop.
#include "startup/file_info.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>
#include <vector>

#include "tests/support/scratch_folder.h"
#include "tests/support/shell_drop.h"
#include "win/file_stream.h"
#include "win/last_error.h"

namespace ondrix {
namespace {

using test::MakeDrop;
using test::ScratchFolder;

TEST(FileInfo, TryOpenFileGivesTheSystemsReason) {
  ScratchFolder folder;
  const std::wstring file = folder / L"a b.bin";
  ASSERT_TRUE(test::WriteBytes(file, "x"));
  EXPECT_EQ(TryOpenFile(file), L"");
  EXPECT_EQ(TryOpenFile(folder / L"missing.bin"), win::SystemErrorText(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(TryOpenFile(folder.Path()), win::SystemErrorText(ERROR_ACCESS_DENIED))
      << "a folder dropped on the window";
  // Another reader does not stand in the way; another writer does.
  HANDLE reader = ::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  EXPECT_EQ(TryOpenFile(file), L"");
  ::CloseHandle(reader);
}

TEST(FileInfo, GetFileSize64FindsFilesOnly) {
  ScratchFolder folder;
  const std::wstring big = folder / L"big.bin";
  // Past 4 GiB, so both halves of the size count; the file is sparse.
  HANDLE file = ::CreateFileW(big.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  LARGE_INTEGER end{};
  end.QuadPart = 0x100000000LL + 1234567;
  ASSERT_TRUE(::SetFilePointerEx(file, end, nullptr, FILE_BEGIN));
  ASSERT_TRUE(::SetEndOfFile(file));
  ::CloseHandle(file);
  ASSERT_TRUE(test::WriteBytes(folder / L"hidden.bin", std::string(999, 'h')));
  ::SetFileAttributesW((folder / L"hidden.bin").c_str(),
                       FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);

  EXPECT_EQ(GetFileSize64(big), 0x100000000LL + 1234567);
  EXPECT_EQ(GetFileSize64(folder / L"hidden.bin"), 999);
  EXPECT_EQ(GetFileSize64(folder.Path()), 0) << "a directory";
  EXPECT_EQ(GetFileSize64(folder / L"missing.bin"), 0);
  EXPECT_EQ(GetFileSize64(folder / L"*.bin"), 0) << "a pattern names no file";
}

TEST(FileInfo, ReadFileTimesInLocalTimeOrderedCreatedModifiedAccessed) {
  ScratchFolder folder;
  const std::wstring file = folder / L"t.bin";
  ASSERT_TRUE(test::WriteBytes(file, "t"));
  auto file_time = [](WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
    SYSTEMTIME utc{year, month, 0, day, hour, minute, second, 0};
    FILETIME ft{};
    ::SystemTimeToFileTime(&utc, &ft);
    return ft;
  };
  const FILETIME modified = file_time(2021, 3, 4, 5, 6, 7);
  const FILETIME accessed = file_time(2022, 11, 12, 21, 42, 59);
  HANDLE h = ::CreateFileW(file.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(::SetFileTime(h, nullptr, &accessed, &modified));
  ::CloseHandle(h);

  // What the user's clock shows for a UTC instant.
  auto local_clock = [](const FILETIME& ft) {
    SYSTEMTIME utc{}, local{};
    ::FileTimeToSystemTime(&ft, &utc);
    ::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
    return local;
  };
  wchar_t separator[8] = {};
  ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_STIME, separator, 8);
  auto ends_with_clock = [&](const std::wstring& text, const SYSTEMTIME& t) {
    wchar_t clock[32];
    std::swprintf(clock, 32, L" %02u%ls%02u%ls%02u", t.wHour, separator, t.wMinute, separator,
                  t.wSecond);
    return text.ends_with(clock);
  };

  const FileTimeTexts times = ReadFileTimes(file);
  const SYSTEMTIME m = local_clock(modified), a = local_clock(accessed);
  EXPECT_TRUE(ends_with_clock(times.modified, m)) << std::string(times.modified.begin(), times.modified.end());
  EXPECT_TRUE(ends_with_clock(times.accessed, a));
  EXPECT_NE(times.modified.find(std::to_wstring(m.wYear)), std::wstring::npos);
  EXPECT_NE(times.accessed.find(std::to_wstring(a.wYear)), std::wstring::npos);
  EXPECT_NE(times.created, L"?");

  const FileTimeTexts of_folder = ReadFileTimes(folder.Path());
  EXPECT_NE(of_folder.modified, L"?") << "directories are found too";
  const FileTimeTexts missing = ReadFileTimes(folder / L"missing.bin");
  EXPECT_EQ(missing.created, L"?");
  EXPECT_EQ(missing.modified, L"?");
  EXPECT_EQ(missing.accessed, L"?");
}

TEST(FileInfo, SizeTextsUseTheShellsShortSize) {
  // "1.17 MB" in English; the decimal sign is the user's.
  const std::wstring mega = ShortSizeText(1234567);
  EXPECT_TRUE(mega.starts_with(L"1") && mega.ends_with(L" MB")) << std::string(mega.begin(), mega.end());
  EXPECT_FALSE(ShortSizeText(0).empty());
  EXPECT_EQ(FormatSizeText(1234567, L" "), mega + L" ( 1 234 567 B )");
  EXPECT_EQ(FormatSizeText(1234567, L""), mega + L" ( 1234567 B )");
  EXPECT_EQ(FormatSizeText(999, L" "), ShortSizeText(999) + L" ( 999 B )");
  EXPECT_EQ(FormatSizeText(0, L" "), ShortSizeText(0) + L" ( 0 B )");
}

TEST(FileInfo, DroppedPathsAreReadWhole) {
  const std::wstring long_path =
      L"C:\\" + std::wstring(200, L'd') + L"\\" + std::wstring(100, L'e') + L"\\" +
      std::wstring(test::kForeignName);
  ASSERT_GT(long_path.size(), 300u);
  HDROP drop = MakeDrop({long_path, L"C:\\second.txt", L"C:\\third.txt"});
  EXPECT_EQ(DroppedItemCount(drop), 3u);
  EXPECT_EQ(ReadDroppedPath(drop, 0), long_path);
  EXPECT_EQ(ReadDroppedPath(drop, 2), L"C:\\third.txt");
  EXPECT_EQ(ReadDroppedPath(drop, 3), L"");
  ::GlobalFree(drop);
}

// Windows stops unprefixed paths at MAX_PATH (Wine does not, so the files
// above would open either way): the prefixed form is checked here.
TEST(FileInfo, LongPathsGetTheExtendedLengthPrefix) {
  const std::wstring deep = std::wstring(80, L'd') + L"\\" + std::wstring(80, L'e') + L"\\" +
                            std::wstring(80, L'f') + L"\\" + std::wstring(test::kForeignName);
  struct Case {
    std::wstring given, expected;
  } const cases[] = {
      {L"C:\\short\\a.bin", L"C:\\short\\a.bin"},
      {L"C:\\x\\" + deep, L"\\\\?\\C:\\x\\" + deep},
      // The prefix turns normalisation off, so it is done first.
      {L"C:\\x\\skip\\..\\.\\" + deep, L"\\\\?\\C:\\x\\" + deep},
      {L"C:/x/" + deep, L"\\\\?\\C:\\x\\" + deep},
      {L"\\\\server\\share\\" + deep, L"\\\\?\\UNC\\server\\share\\" + deep},
      {L"\\\\?\\C:\\x\\" + deep, L"\\\\?\\C:\\x\\" + deep},
  };
  for (const Case& c : cases) EXPECT_EQ(ExtendedLengthPath(c.given), c.expected);
}

}  // namespace
}  // namespace ondrix
