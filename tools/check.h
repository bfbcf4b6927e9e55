// `kestravel check`: what in a configuration fails a load or a reload, what fails a command, hook
// or message later, and what is legal but probably not meant.
#pragma once

#include <string>
#include <vector>

#include "config/config.h"

namespace tools {

struct Finding {
    std::string pointer;  // JSON pointer of the value; "" for the whole document
    bool error = false;   // otherwise a warning
    std::string message;
    std::string found;  // for a wrongly typed value: its JSON type and the type it must have
    std::string expected;
    int line = 0;  // for a syntax error, or text after the document: where it is
    int column = 0;
};

// Checks the text of a config.json, read as the plugin reads it.
std::vector<Finding> CheckConfigText(const std::string& text);

}  // namespace tools
