// Reading values from command words.
#include "values.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "session.h"

namespace tools {

namespace {

[[noreturn]] void Bad(const std::string& word, const std::string& what, const char* kind) {
    throw CommandError(what + " must be " + kind + ", not \"" + word + "\"");
}

template <typename Integer>
Integer ParseInteger(const std::string& word, const std::string& what, const char* kind) {
    Integer value{};
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (word.empty() || error != std::errc() || end != word.data() + word.size()) {
        Bad(word, what, kind);
    }
    return value;
}

}  // namespace

float ParseFloat(const std::string& word, const std::string& what) {
    // strtof rather than from_chars: it also reads "inf" and "nan", which a test may want.
    char* end = nullptr;
    const float value = std::strtof(word.c_str(), &end);
    if (word.empty() || end != word.c_str() + word.size() || std::isspace(word[0])) {
        Bad(word, what, "a number");
    }
    return value;
}

std::uint64_t ParseUnsigned(const std::string& word, const std::string& what) {
    return ParseInteger<std::uint64_t>(word, what, "an unsigned 64-bit integer");
}

std::int32_t ParseInt32(const std::string& word, const std::string& what) {
    return ParseInteger<std::int32_t>(word, what, "a 32-bit integer");
}

bool ParseZeroOne(const std::string& word, const std::string& what) {
    if (word != "0" && word != "1") Bad(word, what, "0 or 1");
    return word == "1";
}

bool ParseOnOff(const std::string& word, const std::string& what) {
    if (word != "on" && word != "off") Bad(word, what, "on or off");
    return word == "on";
}

std::vector<std::string> SplitList(const std::string& text) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = text.find(',', start);
        const std::size_t end = comma == std::string::npos ? text.size() : comma;
        if (end > start) pieces.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return pieces;
}

}  // namespace tools
