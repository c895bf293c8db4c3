// The real clipboard (under Wine with a display from xvfb-run).
#include "verify/clipboard.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace ondrix {
namespace {

std::optional<std::string> ClipboardRtf() {
  if (!::OpenClipboard(nullptr)) return std::nullopt;
  std::optional<std::string> rtf;
  if (HANDLE data = ::GetClipboardData(RichTextClipboardFormat())) {
    if (const char* bytes = static_cast<const char*>(::GlobalLock(data))) {
      rtf = std::string(bytes);
      ::GlobalUnlock(data);
    }
  }
  ::CloseClipboard();
  return rtf;
}

TEST(Clipboard, PlainTextRoundTripKeepsEveryCharacter) {
  const std::wstring text = L"  d41d8cd98f00b204e9800998ecf8427e \u65e5\u672c\u8a9e \u0133\r\n";
  ASSERT_TRUE(SetClipboardText(text));
  EXPECT_EQ(GetClipboardText(), text);
  ASSERT_TRUE(SetClipboardText(L""));
  EXPECT_EQ(GetClipboardText(), L"") << "an empty text is still a text";
}

TEST(Clipboard, RowCopyCarriesPlainAndRichText) {
  const std::wstring plain = L"a.exe *d41d8cd98f00b204e9800998ecf8427e\r\n";
  const std::string rtf = "{\\rtf1\\ansi a.exe *d41d8cd98f00b204e9800998ecf8427e\\par\n}";
  ASSERT_TRUE(SetClipboardTextWithRtf(plain, rtf));
  EXPECT_EQ(GetClipboardText(), plain);
  EXPECT_TRUE(::IsClipboardFormatAvailable(RichTextClipboardFormat()));
  EXPECT_EQ(ClipboardRtf(), rtf);

  // A later plain copy replaces both forms.
  ASSERT_TRUE(SetClipboardText(L"only plain"));
  EXPECT_FALSE(::IsClipboardFormatAvailable(RichTextClipboardFormat()));
  EXPECT_EQ(GetClipboardText(), L"only plain");
}

TEST(Clipboard, NoTextGivesNothing) {
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  ::CloseClipboard();
  EXPECT_EQ(GetClipboardText(), std::nullopt);
}

// Another program holds the clipboard for a moment: the copy waits for it.
// The holder only reports; the checks run on the test's own thread, so a
// holder that cannot open the clipboard fails the test instead of leaving
// it waiting.
TEST(Clipboard, WaitsForAnotherHolderToLetGo) {
  enum State { kStarting, kHolding, kCouldNotOpen };
  std::atomic<int> state{kStarting};
  std::thread holder([&] {
    if (!::OpenClipboard(nullptr)) {
      state = kCouldNotOpen;
      return;
    }
    state = kHolding;
    ::Sleep(60);
    ::CloseClipboard();
  });
  while (state == kStarting) ::Sleep(1);
  if (state == kCouldNotOpen) {
    holder.join();
    FAIL() << "the holder could not open the clipboard";
  }
  EXPECT_TRUE(SetClipboardText(L"after the other holder"));
  holder.join();
  EXPECT_EQ(GetClipboardText(), L"after the other holder");
}

}  // namespace
}  // namespace ondrix
