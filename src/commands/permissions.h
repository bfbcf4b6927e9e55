// Which permission entry under "Permissions" applies to a player, from the groups that the
// Permissions plugin reports.
#pragma once

#include <string>

#include "config/config.h"
#include "host/game_types.h"

// The name of the first member of `permissions` (in file order) that equals one of the player's
// groups, ignoring ASCII letter case; "" when the permissions mode is off, `permissions` is not
// an object, or nothing matches. Asks the Permissions plugin afresh at every call.
std::string ResolvePermissionGroup(AShooterPlayerController* player, const Json& permissions);
