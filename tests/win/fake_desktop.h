// A recording IDesktop for window tests: answers come from queues the test
// fills, every call is written down, nothing reaches the real desktop.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "win/desktop.h"

namespace ondrix::win::testing {

class FakeDesktop : public IDesktop {
 public:
  struct MessageCall {
    HWND owner;
    std::wstring text;
    std::wstring caption;
    MessageIcon icon;
    MessageButtons buttons;
    UINT extra_flags = 0;  // MB_TOPMOST, MB_SYSTEMMODAL, ...
  };
  struct FileDialogCall {
    bool save;
    FileDialogOptions options;
  };
  struct StartCall {
    std::wstring verb, file, parameters, directory;
    int show;
  };

  // --- scripted answers (an empty queue answers "cancelled") ---
  std::deque<int> message_results;                       // default IDCANCEL, or IDOK for an OK-only box
  std::deque<std::optional<std::wstring>> open_paths;
  std::deque<std::optional<std::wstring>> save_paths;
  std::deque<std::optional<COLORREF>> colors;
  std::deque<std::optional<std::wstring>> input_texts;
  std::deque<HttpResult> http_results;                  // default: failure, ERROR_WINHTTP_CANNOT_CONNECT
  SYSTEMTIME local_time{2024, 3, 5, 14, 9, 30, 0, 0};     // 2024-03-14 09:30:00, a Tuesday
  ULONGLONG tick_count = 1000000;
  std::wstring program_path = L"C:\\ondrix-test\\ondrix.exe";
  bool start_succeeds = true;
  std::optional<std::wstring> desktop_folder;  // ShellFolderPath's answers
  std::optional<std::wstring> appdata_folder;

  // --- what happened ---
  std::vector<MessageCall> messages;
  std::vector<FileDialogCall> file_dialogs;
  std::vector<COLORREF> color_initials;
  std::vector<std::wstring> input_prompts;
  std::vector<std::wstring> input_captions, input_initials;
  std::vector<HWND> modal_dialog_owners;  // modal dialogs shown (not run)
  std::vector<StartCall> starts;
  std::vector<HWND> flashes;
  std::vector<std::wstring> http_urls;
  std::optional<UINT> exit_code;
  // Runs when the program asks to end, to see the state it ends in.
  std::function<void()> on_end_process;
  // When set, answers every HTTP GET instead of the queue (for example from
  // a real server); called on whatever thread asks.
  std::function<HttpResult(std::wstring_view url)> http_handler;

  int ShowMessage(HWND owner, std::wstring_view text, std::wstring_view caption, MessageIcon icon,
                  MessageButtons buttons) override {
    return ShowMessageEx(owner, text, caption, icon, buttons, 0);
  }
  int ShowMessageEx(HWND owner, std::wstring_view text, std::wstring_view caption, MessageIcon icon,
                    MessageButtons buttons, UINT extra_flags) override {
    messages.push_back({owner, std::wstring(text), std::wstring(caption), icon, buttons, extra_flags});
    if (message_results.empty()) return buttons == MessageButtons::Ok ? IDOK : IDCANCEL;
    const int result = message_results.front();
    message_results.pop_front();
    return result;
  }
  std::optional<std::wstring> OpenFileDialog(HWND, const FileDialogOptions& options) override {
    file_dialogs.push_back({false, options});
    return Next(open_paths);
  }
  std::optional<std::wstring> SaveFileDialog(HWND, const FileDialogOptions& options) override {
    file_dialogs.push_back({true, options});
    return Next(save_paths);
  }
  std::optional<COLORREF> ColorDialog(HWND, COLORREF initial, bool) override {
    color_initials.push_back(initial);
    return Next(colors);
  }
  INT_PTR ShowModalDialog(HWND owner, const DLGTEMPLATE*, DLGPROC, LPARAM) override {
    modal_dialog_owners.push_back(owner);
    return IDCANCEL;
  }
  std::optional<std::wstring> InputText(HWND, std::wstring_view caption, std::wstring_view prompt,
                                        std::wstring_view initial) override {
    input_prompts.emplace_back(prompt);
    input_captions.emplace_back(caption);
    input_initials.emplace_back(initial);
    return Next(input_texts);
  }
  SYSTEMTIME LocalTime() override { return local_time; }
  ULONGLONG TickCount() override { return tick_count; }
  std::wstring ProgramPath() override { return program_path; }
  void EndProcess(UINT code) override {
    exit_code = code;
    if (on_end_process) on_end_process();
  }
  StartResult Start(const StartRequest& request) override {
    starts.push_back({request.verb, request.file, request.parameters, request.directory, request.show});
    StartResult result;
    result.ok = start_succeeds;
    result.error = start_succeeds ? 0 : ERROR_FILE_NOT_FOUND;
    return result;
  }
  std::optional<std::wstring> ShellFolderPath(ShellFolder folder) override {
    return folder == ShellFolder::Desktop ? desktop_folder : appdata_folder;
  }
  void FlashTaskbar(HWND window, UINT) override { flashes.push_back(window); }
  HttpResult HttpGet(std::wstring_view url) override {
    http_urls.emplace_back(url);
    if (http_handler) return http_handler(url);
    if (http_results.empty()) {
      HttpResult failed;
      failed.error = 12029;  // ERROR_WINHTTP_CANNOT_CONNECT
      return failed;
    }
    HttpResult result = std::move(http_results.front());
    http_results.pop_front();
    return result;
  }

 private:
  template <class T>
  static std::optional<T> Next(std::deque<std::optional<T>>& queue) {
    if (queue.empty()) return std::nullopt;
    std::optional<T> value = std::move(queue.front());
    queue.pop_front();
    return value;
  }
};

}  // namespace ondrix::win::testing
