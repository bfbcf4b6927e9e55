// The game's colours: an 8-bit colour and the linear colour its messages take.
#pragma once

#include <cstdint>

#include "host/game_types.h"

// The table entry for one 8-bit channel value, as the game stores it.
double SrgbToLinear(std::uint8_t value);

// Red, green and blue through the sRGB-to-linear table; alpha times 1/255.
LinearColor LinearColorFromColor(ByteColor color);
