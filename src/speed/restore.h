// Returning a creature to its normal speed, stamina, weight, flyer and sleep values.
#pragma once

#include "host/game_types.h"

// Copies the normal values from the creature's default status component, its own
// bAllowRidingInWater and the game mode's bForceAllowCaveFlyers, clears a Megalosaurus's sleep
// debt, then rescales and synchronises the stats. A null creature or a vehicle is left alone.
void RestoreSpeed(APrimalDinoCharacter* creature);
