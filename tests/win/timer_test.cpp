#include <gtest/gtest.h>

#include "tests/win/test_form.h"
#include "win/timer.h"

namespace ondrix::win {
namespace {

using testing::PumpMessages;
using testing::TestForm;

TEST(TimerTest, FiresOnItsOwnersQueueUntilDisabled) {
  TestForm form;
  Timer a, b;
  int ticks_a = 0, ticks_b = 0;
  a.OnTimer = [&] { ++ticks_a; };
  b.OnTimer = [&] { ++ticks_b; };
  for (Timer* t : {&a, &b}) {
    t->SetOwner(form.Hwnd());
    t->SetInterval(10);
  }
  a.SetEnabled(true);
  const ULONGLONG deadline = ::GetTickCount64() + 3000;
  while (ticks_a < 3 && ::GetTickCount64() < deadline) {
    ::Sleep(5);
    PumpMessages();
  }
  EXPECT_GE(ticks_a, 3);
  EXPECT_EQ(ticks_b, 0);  // each timer reaches its own handler

  a.SetEnabled(false);
  const int stopped_at = ticks_a;
  ::Sleep(60);
  PumpMessages();
  EXPECT_EQ(ticks_a, stopped_at);
  a.Tick();
  EXPECT_EQ(ticks_a, stopped_at + 1);
}

}  // namespace
}  // namespace ondrix::win
