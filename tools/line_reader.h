// Reading command lines from standard input: with a prompt, line editing and history when it is
// a terminal and the line editor was built in, plain lines otherwise.
#pragma once

#include <string>

namespace tools {

class LineReader {
public:
    explicit LineReader(std::string prompt);
    // False at the end of the input.
    bool Next(std::string* line);

private:
    std::string prompt_;
    bool interactive_;
};

}  // namespace tools
