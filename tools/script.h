// The scenario script language of `kestravel server`: one command a line, words split at blanks,
// double-quoted words with \" and \\, and comment lines starting with #.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tools {

struct ScriptLine {
    std::vector<std::string> words;
    // Where each word ends in `text`, so that a command can take the rest of the line as it
    // stands (chat texts and configuration text keep their quotes and inner blanks).
    std::vector<std::size_t> word_ends;
    std::string text;   // the line without its line end
    std::string error;  // set when the line cannot be split into words

    bool Empty() const { return words.empty() && error.empty(); }
    // The text after word `index` and the blanks that follow it; "" when there is none.
    std::string RestAfter(std::size_t index) const;
};

// Splits one line into at most `max_words` words; what follows them is left as it stands, for
// RestAfter. A blank line or a comment gives no words.
ScriptLine ParseScriptLine(std::string line, std::size_t max_words = SIZE_MAX);

}  // namespace tools
