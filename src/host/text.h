// Conversions between the game's FString and narrow text.
#pragma once

#include <string>
#include <string_view>

#include "host/fstring.h"

// UTF-8 of the text's characters (the terminator is not converted). Null storage gives "".
std::string FStringToUtf8(const FString& text);

// The UTF-8 text decoded by the host (ArkApi::Tools::Utf8Decode). Empty text gives an empty
// FString without storage.
FString FStringFromUtf8(const std::string& text);

// One code unit per byte; a byte with the high bit set becomes '?'. For fixed ASCII texts.
FString FStringFromAnsi(std::string_view text);

// `left` followed by `right`. Takes over the left operand's storage (or, when the left text is
// empty, the right operand's); the operand taken over is left empty.
FString FStringConcat(FString&& left, FString&& right);
