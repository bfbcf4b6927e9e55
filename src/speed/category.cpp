// Creature category and the Megalosaurus test.
#include "speed/category.h"

#include "host/bindings.h"
#include "host/platform.h"

std::string_view GetCreatureCategory(const APrimalDinoCharacter* creature) {
    if (ReadBitField(creature, "APrimalCharacter.bIsFlyerDino") != 0) return kAerial;
    if (ReadBitField(creature, "APrimalCharacter.bIsWaterDino") != 0) return kAquatic;
    return kTerrestrial;
}

int FStringFind(const FString& text, const FString::Char* pattern) {
    if (pattern == nullptr || text.Data() == nullptr) return -1;
    const FString::Char first = platform::ToUpper(pattern[0]);
    const std::size_t rest = std::char_traits<FString::Char>::length(pattern) - (pattern[0] ? 1 : 0);
    const FString::Char* data = text.Data();
    for (std::int32_t i = 0; i < text.Length(); ++i) {
        if (platform::ToUpper(data[i]) != first) continue;
        if (platform::CompareNoCaseN(data + i + 1, pattern + 1, rest) == 0) return i;
    }
    return -1;
}

bool IsMegalosaurus(std::string_view category, const FString& blueprint_path) {
    return category == kTerrestrial &&
           FStringFind(blueprint_path, KESTRAVEL_WIDE("Megalosaurus")) != -1;
}
