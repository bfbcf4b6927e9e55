// The speed and unspeed chat commands.
#pragma once

#include "host/arkapi.h"

// "/speed": applies the selected creature settings to the creature the sender rides.
void OnSpeedCommand(AShooterPlayerController* sender, FString* text, EChatSendMode::Type mode);

// "/unspeed": restores the creature the sender rides, when settings are selected for it.
void OnUnspeedCommand(AShooterPlayerController* sender, FString* text, EChatSendMode::Type mode);
