// A list of text lines that never appears on screen: scratch buffers the
// window fills and reads back as one text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ondrix::win {

class TextLines {
 public:
  std::vector<std::wstring> Lines;

  void Clear() { Lines.clear(); }
  void Add(std::wstring_view line) { Lines.emplace_back(line); }
  int Count() const { return static_cast<int>(Lines.size()); }

  // Every line followed by CR LF, the last one too.
  std::wstring Text() const {
    std::wstring text;
    for (const std::wstring& line : Lines) text.append(line).append(L"\r\n");
    return text;
  }

  // Splits at CR LF, lone CR or lone LF; a final line break adds no line.
  void SetText(std::wstring_view text) {
    Lines.clear();
    std::wstring current;
    bool pending = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const wchar_t c = text[i];
      if (c == L'\r' || c == L'\n') {
        Lines.push_back(std::move(current));
        current.clear();
        pending = false;
        if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
      } else {
        current.push_back(c);
        pending = true;
      }
    }
    if (pending) Lines.push_back(std::move(current));
  }
};

}  // namespace ondrix::win
