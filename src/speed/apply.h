// Speeding up a ridden creature according to its creature settings entry.
#pragma once

#include "config/config.h"
#include "host/game_types.h"

// Restores the creature, then applies `entry` (selected here for `player` when null): speed,
// flying in water and caves, stamina consumption and recovery, infinite weight, and for a
// Megalosaurus its sleep debt and one nocturnal buff. A null creature or a vehicle is left alone.
// A wrongly typed key raises the library's type error at its step; earlier steps stay done.
void ApplySpeed(APrimalDinoCharacter* creature, AShooterPlayerController* player, Json entry);
