// The game's functions, entered into the host's name table.
#pragma once

#include "hooks.h"
#include "names.h"

namespace sim {

// Every game function the plugin calls by name, and the three it hooks.
void RegisterGameFunctions(NameTable& names, HookRegistry& hooks);

// The signatures the game calls its hookable functions with.
using InitGameFunction = void (*)(AShooterGameMode*, FString*, FString*, FString*);
using SetRiderFunction = void (*)(APrimalDinoCharacter*, AShooterCharacter*);
using ClearRiderFunction = void (*)(APrimalDinoCharacter*, bool, bool, bool, std::int32_t, bool);

}  // namespace sim
