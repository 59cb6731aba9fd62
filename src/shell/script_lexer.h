// The words of one line of an appgen-cli script. A word in double quotes may
// hold blanks and the escapes \" \\ \r \n \t and \xNN (a raw byte); `#`
// outside quotes starts a comment. Texts are UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace appgen::shell {

struct ScriptWord {
    std::string utf8;    // as written, escapes resolved (for numbers, names and paths)
    std::string cp1251;  // the Windows-1251 bytes the text stands for; \xNN as is
};

// Nothing when the line cannot be read; `error` says why.
std::optional<std::vector<ScriptWord>> splitScriptLine(std::string_view line, std::string* error);

}  // namespace appgen::shell
