// The colour of a notification, from a message entry's "Color" text.
#pragma once

#include <string>

#include "host/game_types.h"

// "" gives opaque green; "Random" three draws of rand(); otherwise "R,G,B" (or "R, G, B"), each
// the low 8 bits of a decimal number, alpha 255. Anything unreadable gives opaque green.
ByteColor ParseMessageColor(const std::string& text);
