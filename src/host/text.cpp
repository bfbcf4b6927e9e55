// Conversions between the game's FString and narrow text.
#include "host/text.h"

#include <cstring>

#include "host/arkapi.h"

std::string FStringToUtf8(const FString& text) {
    if (text.Data() == nullptr) return {};
    const std::int32_t units = text.Count() > 0 ? text.Count() - 1 : 0;
    return platform::WideToUtf8(text.Data(), static_cast<std::size_t>(units));
}

FString FStringFromUtf8(const std::string& text) {
    const platform::WideString wide = ArkApi::Tools::Utf8Decode(text);
    if (wide.empty() || wide[0] == 0) return {};
    return FString(wide.c_str(), static_cast<std::int32_t>(wide.size()));
}

FString FStringFromAnsi(std::string_view text) {
    if (text.empty()) return {};
    platform::WideString wide(text.size(), 0);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        wide[i] = static_cast<FString::Char>(byte < 0x80 ? byte : '?');
    }
    return FString(wide.data(), static_cast<std::int32_t>(wide.size()));
}

FString FStringConcat(FString&& left, FString&& right) {
    if (left.Count() <= 1) return std::move(right);
    FString result = std::move(left);
    const std::int32_t right_chars = right.Length();
    const std::int32_t needed = result.Count() + right_chars;
    if (result.Capacity() < needed) result.Reserve(needed, /*exact=*/true);
    FString::Char* end = result.Data() + result.Count() - 1;
    if (right_chars > 0) std::memcpy(end, right.Data(), sizeof(FString::Char) * right_chars);
    end[right_chars] = 0;
    result.SetCount(result.Count() + right_chars);
    return result;
}
