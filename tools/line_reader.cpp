// Reading command lines from standard input.
#include "line_reader.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

#if defined(KESTRAVEL_LINE_EDITING)
#include <editline/readline.h>
#endif

#if defined(_WIN32)
#include <io.h>
#define KESTRAVEL_ISATTY _isatty
#else
#include <unistd.h>
#define KESTRAVEL_ISATTY isatty
#endif

namespace tools {

LineReader::LineReader(std::string prompt)
    : prompt_(std::move(prompt)), interactive_(KESTRAVEL_ISATTY(0) != 0) {}

bool LineReader::Next(std::string* line) {
#if defined(KESTRAVEL_LINE_EDITING)
    if (interactive_) {
        char* text = readline(prompt_.c_str());
        if (text == nullptr) return false;
        *line = text;
        if (!line->empty()) add_history(text);
        std::free(text);
        return true;
    }
#endif
    if (interactive_) std::cout << prompt_ << std::flush;
    return static_cast<bool>(std::getline(std::cin, *line));
}

}  // namespace tools
