// Reading a notification's colour.
#include "messages/message_color.h"

#include <cstdlib>

#include "host/platform.h"
#include "host/tarray.h"
#include "host/text.h"

namespace {

constexpr ByteColor kDefaultColor{0, 255, 0, 255};  // blue, green, red, alpha

// The pieces of `text` between occurrences of `separator`, empty pieces dropped.
TArray<FString> Split(const FString& text, platform::WideStringView separator) {
    TArray<FString> pieces;
    const platform::WideStringView view = text.View();
    std::size_t start = 0;
    while (start <= view.size()) {
        std::size_t end = view.find(separator, start);
        if (end == platform::WideStringView::npos) end = view.size();
        if (end > start) {
            pieces.Add(FString(view.data() + start, static_cast<std::int32_t>(end - start)));
        }
        start = end + separator.size();
    }
    return pieces;
}

}  // namespace

ByteColor ParseMessageColor(const std::string& text) {
    if (text.empty()) return kDefaultColor;
    if (text == "Random") {
        ByteColor color{};
        color.b = static_cast<std::uint8_t>(std::rand() % 256);
        color.g = static_cast<std::uint8_t>(std::rand() % 256);
        color.r = static_cast<std::uint8_t>(std::rand() % 256);
        color.a = 255;
        return color;
    }
    const FString wide = FStringFromAnsi(text);
    TArray<FString> pieces = Split(wide, KESTRAVEL_WIDE(","));
    if (pieces.Num() != 3) pieces = Split(wide, KESTRAVEL_WIDE(", "));
    if (pieces.Num() < 3) return kDefaultColor;

    std::int32_t channels[3];
    for (int i = 0; i < 3; ++i) {
        if (!platform::WideToInt32(pieces[i].Data(), &channels[i])) return kDefaultColor;
    }
    return ByteColor{static_cast<std::uint8_t>(channels[2]), static_cast<std::uint8_t>(channels[1]),
                     static_cast<std::uint8_t>(channels[0]), 255};
}
