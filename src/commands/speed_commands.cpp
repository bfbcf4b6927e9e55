// The speed and unspeed chat commands.
#include "commands/speed_commands.h"

void OnSpeedCommand(AShooterPlayerController*, FString*, EChatSendMode::Type) {}

void OnUnspeedCommand(AShooterPlayerController*, FString*, EChatSendMode::Type) {}
