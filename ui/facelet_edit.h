// Editing the pattern by hand: one facelet at a time, the click that finds it, and saving the result.
#pragma once

#include "cube/cube.h"

// Sets a used cell to colour 0 to 5 in both copies, as one history step when it changes anything, and
// asks for a repaint. False, with nothing changed, for a cell off the used square, another colour, or
// while another command runs.
bool EditFacelet(Face face, int row, int column, Colour colour);

// A click on the net at a point in net pixels: the square's next colour (white, red, yellow, orange,
// green, blue and round again), or the previous one backwards. False when the point is on no square.
bool CycleFacelet(int x, int y, bool backwards);
// The same for a point of a client area of this size, through the window's view, fitted or not.
bool ClickSquare(int clientX, int clientY, int clientWidth, int clientHeight, bool backwards);

// Writes the pattern to `path`; on failure a box titled "Error" names the path and the reason.
bool SavePatternFile(const char* path);
