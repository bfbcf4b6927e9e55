// Showing a configured message entry to a player, as a notification or a chat line.
#pragma once

#include <string>
#include <vector>

#include "config/config.h"
#include "host/game_types.h"

// Sends `entry` (a member of "Messages") to `player`, or to every connected player when null.
// Nothing is sent for an entry that is not an object or has no "Msg". `replacements` are
// (key, value) pairs applied to the text, first occurrence each. A wrongly typed key raises the
// library's type error before anything is sent for it.
void SendConfiguredMessage(const Json& entry, AShooterPlayerController* player,
                           std::vector<std::string> replacements);
