// An error thrown by a handler never leaves through the system's frames: the
// entry it came in by hands it to the reporter, and the program goes on.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/win/test_form.h"
#include "win/edit.h"
#include "win/error_guard.h"
#include "win/flat_button.h"
#include "win/timer.h"

namespace ondrix::win {
namespace {

using testing::PumpMessages;
using testing::TestForm;

class ErrorGuardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetErrorReporter([this](std::exception_ptr error) {
      try {
        std::rethrow_exception(error);
      } catch (const std::exception& e) {
        reported.emplace_back(e.what());
      }
    });
  }
  void TearDown() override { SetErrorReporter(nullptr); }

  std::vector<std::string> reported;
};

TEST_F(ErrorGuardTest, TimerTickThatThrowsIsReportedAndTheTimerGoesOn) {
  TestForm form;
  Timer timer;
  int ticks = 0;
  timer.OnTimer = [&] {
    ++ticks;
    throw std::runtime_error("tick " + std::to_string(ticks));
  };
  timer.SetOwner(form.Hwnd());
  timer.SetInterval(10);
  timer.SetEnabled(true);
  const ULONGLONG deadline = ::GetTickCount64() + 5000;
  while (ticks < 2 && ::GetTickCount64() < deadline) {
    ::Sleep(5);
    PumpMessages();
  }
  timer.SetEnabled(false);
  ASSERT_GE(ticks, 2);
  ASSERT_GE(reported.size(), 2u);
  EXPECT_EQ(reported[0], "tick 1");
  EXPECT_EQ(reported[1], "tick 2");
}

// A click reflected by the form's window procedure, and a key in a
// subclassed control: each reported once, and the sender gets its answer.
TEST_F(ErrorGuardTest, MessageHandlersThatThrowAreReportedOnce) {
  TestForm form;
  FlatButton button;
  ASSERT_TRUE(button.Create(form.Surface(), Glyph::Ok, {}, {0, 0, 30, 30}));
  button.OnClick = [] { throw std::runtime_error("click failed"); };
  ::SendMessageW(form.Hwnd(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(button.Hwnd()));

  Edit edit;
  ASSERT_TRUE(edit.Create(form.Surface(), {0, 40, 100, 21}));
  edit.OnKeyDown = [](WPARAM) -> bool { throw std::runtime_error("key failed"); };
  ::SendMessageW(edit.Hwnd(), WM_KEYDOWN, 'A', 0);

  EXPECT_EQ(reported, (std::vector<std::string>{"click failed", "key failed"}));
  // Both windows still work.
  edit.SetText(L"still here");
  EXPECT_EQ(edit.Text(), L"still here");
  EXPECT_TRUE(::IsWindow(form.Hwnd()));
}

}  // namespace
}  // namespace ondrix::win
