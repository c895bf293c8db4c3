#include "text/product_text.h"

#include "text/path_text.h"

namespace ondrix {
namespace {

std::wstring WidenAscii(std::string_view text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

std::wstring ProductCaption() {
  return WidenAscii(kProductName) + L" " + WidenAscii(kProductVersionText);
}

std::wstring ProductTaskbarTitle() { return WidenAscii(kProductName); }

WindowTitleTexts BuildTitleTexts(std::wstring_view selected_file_path, bool show_file_name) {
  const std::wstring name = FileNameOf(selected_file_path);
  WindowTitleTexts texts;
  if (show_file_name && !name.empty()) {
    texts.caption = name + L" - " + ProductCaption();
    texts.taskbar_title = texts.caption;
  } else {
    texts.caption = ProductCaption();
    texts.taskbar_title = show_file_name ? texts.caption : ProductTaskbarTitle();
  }
  texts.tray_hint = texts.caption;
  return texts;
}

}  // namespace ondrix
