// Which creature settings entry of the configuration governs one creature for one player.
#pragma once

#include <string>

#include "config/config.h"
#include "host/game_types.h"

// The member `key` of the source in force: with the permissions mode on and a non-null
// `permission_source`, that source's member, else the plain source's member; `fallback` when
// absent. A null plain source counts as an empty object. A source in use that is not an object
// raises the library's type error 306. Member names compare exactly.
const Json& FindCreatureSettings(const Json& permission_source, const Json& plain_source,
                                 const std::string& key, const Json& fallback);

// The entry for `creature` ridden by `player`: the blueprint key, then the creature category,
// then "All", from the top-level "Dinos" (permissions mode off) or the player's permission
// entry's "Dinos" (on). Null when none applies. The result is a copy, independent of the document.
// Sections are reached by key indexing, so missing ones enter the document as null.
Json SelectCreatureSettings(const APrimalDinoCharacter* creature, AShooterPlayerController* player);

// The same selection when the blueprint key and category are already known.
Json SelectCreatureSettings(const std::string& blueprint_key, std::string_view category,
                            AShooterPlayerController* player);
