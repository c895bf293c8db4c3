// Escape and closing through the real window while the worker is stuck in a
// read that no cancel reaches (a share that went away, a dying disk): the
// window never waits for it.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <thread>

#include "engines/byte_stream.h"
#include "win/file_stream.h"
#include "tests/win/fake_desktop.h"
#include "tests/support/registry_redirect.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/shell_drop.h"
#include "tests/support/scripted_stream.h"
#include "ui/form1.h"

namespace ondrix::ui {
namespace {

constexpr std::int64_t kFileSize = 64 * 8192;

// Gives the first block, then waits in the next read until the test (or the
// guard below) opens the gate.
std::unique_ptr<IByteStream> StuckStream(HANDLE gate) {
  return std::make_unique<test::ScriptedStream>(std::vector<std::uint8_t>(kFileSize, 's'), [gate](int n) {
    if (n > 1) ::WaitForSingleObject(gate, INFINITE);
  });
}

// Notes whether the window was still visible when the process was ended.
class ClosingDesktop : public win::testing::FakeDesktop {
 public:
  HWND window = nullptr;
  std::optional<bool> visible_at_end;
  void EndProcess(UINT code) override {
    visible_at_end = ::IsWindowVisible(window) != FALSE;
    FakeDesktop::EndProcess(code);
  }
};

// Should the window wait for the stuck read after all, the gate opens by
// itself after a while: the test then fails instead of hanging.
class HangGuard {
 public:
  explicit HangGuard(HANDLE gate)
      : thread_([this, gate] {
          for (int i = 0; i < 2000 && !done_; ++i) ::Sleep(10);
          if (!done_) {
            fired_ = true;
            ::SetEvent(gate);
          }
        }) {}
  // True when the guard had to open the gate.
  bool Finish() {
    done_ = true;
    thread_.join();
    return fired_;
  }

 private:
  std::atomic<bool> done_{false}, fired_{false};
  std::thread thread_;
};

class StuckReadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test::WriteBytes(file_, test::PatternBytes(kFileSize)));  // its size is what counts
    desktop.program_path = folder_ / L"ondrix.exe";
    form = std::make_unique<TForm1>(desktop);
    form->QuitOnDestroy = false;
    ASSERT_TRUE(form->Create());
    desktop.window = form->Hwnd();
    form->Job.OpenStream = [this](const std::wstring&) {
      return OpenedStream{StuckStream(gate_), L""};
    };
  }
  void TearDown() override {
    ::SetEvent(gate_);
    form.reset();
    ::CloseHandle(gate_);
  }

  // Drops the file (calculation on drop is on by default) and waits until
  // the worker is in its stuck read.
  void StartStuckCalculation() {
    ::SendMessageW(form->Hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(test::MakeDrop({file_})), 0);
    ASSERT_EQ(form->SpeedButton3.Caption(), L"Cancel");
    for (int i = 0; i < 4000 && form->Job.ProgressBytes() != 8192; ++i) ::Sleep(5);
    ASSERT_EQ(form->Job.ProgressBytes(), 8192);
  }

  test::ScratchFolder folder_;
  const std::wstring file_ = folder_ / L"on a share.bin";
  HANDLE gate_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  ClosingDesktop desktop;
  // The window reads the Explorer verb at start: never the real one.
  test::RegistryRedirect registry_;
  std::unique_ptr<TForm1> form;
};

TEST_F(StuckReadTest, EscapeFinishesTheAbortInTheNextTick) {
  form->Enable1.SetChecked(true);  // history on
  StartStuckCalculation();

  HangGuard guard(gate_);
  EXPECT_TRUE(form->FormKeyDown(VK_ESCAPE, false));
  form->Timer1Timer();
  EXPECT_FALSE(guard.Finish()) << "the abort waited for the stuck read";

  EXPECT_FALSE(form->Timer1.Enabled());
  EXPECT_EQ(form->StatusText(), L" Status: Operation aborted");
  EXPECT_EQ(form->Edit1.Text(), L"?");
  EXPECT_EQ(form->SpeedButton3.Caption(), L"Calculate");
  EXPECT_EQ(form->CalcRunning, 0);
  EXPECT_TRUE(form->Edit2.Enabled());
  EXPECT_TRUE(form->ComboBox1.Enabled());

  // The read returns at last: the old worker ends and shows nothing.
  ::SetEvent(gate_);
  EXPECT_TRUE(form->Job.WaitForStoppedWorkers());
  form->Timer1Timer();
  EXPECT_EQ(form->Job.Outcome(), JobOutcome::Aborted);
  EXPECT_EQ(form->Edit1.Text(), L"?");
  EXPECT_EQ(form->StatusText(), L" Status: Operation aborted");
  EXPECT_FALSE(test::FileExists(folder_ / L"ondrix.txt")) << "no history line for an abort";
}

TEST_F(StuckReadTest, ClosingHidesTheWindowAndEndsTheProcessWithoutTheWorker) {
  StartStuckCalculation();
  const HWND window = form->Hwnd();
  ::ShowWindow(window, SW_SHOWNA);

  HangGuard guard(gate_);
  ::SendMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(guard.Finish()) << "closing waited for the stuck read";
  ASSERT_TRUE(desktop.exit_code.has_value()) << "the process is ended";
  EXPECT_EQ(*desktop.exit_code, 0u);
  EXPECT_EQ(desktop.visible_at_end, false) << "the window was hidden before the wait";
  EXPECT_FALSE(::IsWindow(window));
}

}  // namespace
}  // namespace ondrix::ui
