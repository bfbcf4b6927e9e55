// Detours of the game's mount and dismount functions.
#pragma once

#include <cstdint>

#include "host/arkapi.h"

using SetRiderFunction = void (*)(APrimalDinoCharacter*, AShooterCharacter*);
using ClearRiderFunction = void (*)(APrimalDinoCharacter*, bool, bool, bool, std::int32_t, bool);

// Where the host stores the addresses through which the detours call the game's functions.
extern SetRiderFunction SetRiderOriginal;
extern ClearRiderFunction ClearRiderOriginal;

// After the game's SetRider: applies speed when the selected entry has "AutoSpeedOnMount".
void SetRiderHook(APrimalDinoCharacter* creature, AShooterCharacter* rider);

// Around the game's ClearRider: restores the creature when the selected entry has
// "AutoUnspeedOnDismount".
void ClearRiderHook(APrimalDinoCharacter* creature, bool from_save, bool cancel_forced,
                    bool spawn_on_right, std::int32_t override_exit_index, bool force_clear);
