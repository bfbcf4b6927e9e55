// How the engine classifies a creature: its category and whether it is a Megalosaurus.
#pragma once

#include <string_view>

#include "host/fstring.h"
#include "host/game_types.h"

inline constexpr std::string_view kTerrestrial = "Terrestrial";
inline constexpr std::string_view kAerial = "Aerial";
inline constexpr std::string_view kAquatic = "Aquatic";

// "Aerial" when the creature is a flyer (even if it is also a water creature), else "Aquatic"
// for a water creature, else "Terrestrial".
std::string_view GetCreatureCategory(const APrimalDinoCharacter* creature);

// Index of the first case-insensitive occurrence of `pattern` in `text`, or -1. An empty text
// never matches; a null pattern gives -1.
int FStringFind(const FString& text, const FString::Char* pattern);

// A "Terrestrial" creature whose blueprint path contains "Megalosaurus" in any letter case.
bool IsMegalosaurus(std::string_view category, const FString& blueprint_path);
