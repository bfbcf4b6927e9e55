// Reading numbers, switches and lists from command words, with errors that name the word.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tools {

// Each throws CommandError naming `what` when `word` is not a whole value of its kind.
float ParseFloat(const std::string& word, const std::string& what);
std::uint64_t ParseUnsigned(const std::string& word, const std::string& what);
std::int32_t ParseInt32(const std::string& word, const std::string& what);
bool ParseZeroOne(const std::string& word, const std::string& what);  // "0" or "1"
bool ParseOnOff(const std::string& word, const std::string& what);    // "on" or "off"

// "A,B,C" as its pieces; empty pieces are dropped.
std::vector<std::string> SplitList(const std::string& text);

}  // namespace tools
