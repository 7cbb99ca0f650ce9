// The six colours of the squares, brush 0 to 5, defined once for every front end and picture.
#pragma once

#include <cstdint>

struct PaletteColour {
  uint8_t red, green, blue;
};

// White, red, yellow, orange, green, blue; brush 0 is also the window's background.
const PaletteColour kPalette[6] = {{255, 255, 255}, {255, 0, 0}, {255, 255, 0},
                                   {255, 144, 0},   {0, 255, 0}, {0, 0, 255}};
