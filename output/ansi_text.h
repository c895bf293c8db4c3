// How the program's text files are encoded. They are written in the ANSI
// code page whenever that is lossless, so that they look as they always did
// to other tools. When the code page cannot spell some character of the
// content (a file name in another script), the whole file is written as
// UTF-8 with a byte-order mark instead: never question marks or best-fit
// look-alikes, which would name a file that does not exist.
//
// The decision is made once per file and covers all of its content; a file
// never mixes encodings. The code-page conversion is the caller's, injected
// as AnsiConverter (on Windows: WideCharToMultiByte(CP_ACP,
// WC_NO_BEST_FIT_CHARS, ..., &used_default) with nullopt when used_default
// is set or the round trip fails).
//
// Appending (the history file): a file keeps the encoding it has. A UTF-8
// file (it starts with the byte-order mark) gets UTF-8 lines; an ANSI file
// gets ANSI lines while they are lossless. The first line an ANSI file
// cannot take converts the file: its old content, read back through the code
// page (always lossless), and the new line become UTF-8 with a byte-order
// mark. That conversion is the only way to keep both the old lines and the
// new name intact; the caller writes it as a new file that replaces the old
// one whole (output/text_file.h), never over the old bytes.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace ondrix {

// The text in the ANSI code page, or nullopt when it cannot be represented
// exactly.
using AnsiConverter = std::function<std::optional<std::string>(std::wstring_view)>;

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

enum class TextFileEncoding { Ansi, Utf8WithBom };

struct EncodedTextFile {
  TextFileEncoding encoding = TextFileEncoding::Ansi;
  std::string bytes;  // the whole file content, the mark included
};

// The content of a whole new file: ANSI when lossless, else UTF-8 with BOM.
EncodedTextFile EncodeTextFile(std::wstring_view content, const AnsiConverter& to_ansi);

// What an existing file is, from its first bytes (empty for a missing or
// empty file).
enum class ExistingTextFile { Missing, Ansi, Utf8WithBom };
ExistingTextFile ClassifyExistingTextFile(std::string_view first_bytes);

struct AppendPlan {
  enum class Action {
    Append,         // append `bytes` to the file (creating it when missing)
    RewriteAsUtf8,  // replace the whole file by `bytes`: the mark, the old
                    // content in UTF-8, then the new text
  };
  Action action = Action::Append;
  TextFileEncoding encoding = TextFileEncoding::Ansi;
  std::string bytes;
};

// Plans an append of `text` to a file in state `existing`. Only for
// RewriteAsUtf8 is `read_old_content` called: it returns the file's present
// content decoded from the code page (MultiByteToWideChar(CP_ACP, ...)).
AppendPlan PlanTextAppend(ExistingTextFile existing, std::wstring_view text,
                          const AnsiConverter& to_ansi,
                          const std::function<std::wstring()>& read_old_content);

}  // namespace ondrix
