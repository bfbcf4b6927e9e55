// Splitting script lines into words.
#include "script.h"

namespace tools {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::size_t SkipBlanks(const std::string& text, std::size_t at) {
    while (at < text.size() && IsBlank(text[at])) ++at;
    return at;
}

}  // namespace

std::string ScriptLine::RestAfter(std::size_t index) const {
    if (index >= word_ends.size()) return {};
    return text.substr(SkipBlanks(text, word_ends[index]));
}

ScriptLine ParseScriptLine(std::string line, std::size_t max_words) {
    // A script written on Windows keeps its carriage returns; they are not part of any command.
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    ScriptLine result;
    result.text = std::move(line);
    const std::string& text = result.text;

    std::size_t at = SkipBlanks(text, 0);
    if (at < text.size() && text[at] == '#') return result;
    while (at < text.size() && result.words.size() < max_words) {
        std::string word;
        if (text[at] != '"') {
            while (at < text.size() && !IsBlank(text[at])) word += text[at++];
        } else {
            const std::size_t start = at++;
            bool closed = false;
            while (at < text.size()) {
                const char c = text[at++];
                if (c == '"') {
                    closed = true;
                    break;
                }
                if (c == '\\' && at < text.size() && (text[at] == '"' || text[at] == '\\')) {
                    word += text[at++];
                } else {
                    word += c;
                }
            }
            if (!closed) {
                result.error = "unterminated quote at column " + std::to_string(start + 1);
                return result;
            }
            if (at < text.size() && !IsBlank(text[at])) {
                result.error =
                    "a blank must follow the closing quote at column " + std::to_string(at);
                return result;
            }
        }
        result.words.push_back(std::move(word));
        result.word_ends.push_back(at);
        at = SkipBlanks(text, at);
    }
    return result;
}

}  // namespace tools
