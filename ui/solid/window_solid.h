// The window's solid cube: its frame for a client area, its painting through the seam, the hit test, and
// the press that turns the camera when it drags.
#pragma once

#include "seam/platform.h"
#include "ui/solid/cube_view.h"

// The picture's place in a client area of this size.
FitBox SolidBox(int clientWidth, int clientHeight);
// The frame the window shows now: the cube as it stands, or the turn playing and how far it has come.
void BuildWindowFrame(CubeFrame* frame, int clientWidth, int clientHeight);
// The client area cleared, every polygon filled and outlined back to front, the chosen letters on the
// facelets and, when asked, the window's caption.
void DrawCubeFrame(DrawingSurface& surface, const CubeFrame& frame, int size, int letters, int clientWidth,
                   int clientHeight, bool caption);

// A left-button press, a move and the release, in client pixels. On the net a press clicks at once, as
// it always has; on the solid cube a press that moves 4 pixels or more turns the camera, and one that
// does not is a click when released.
void PointerPress(int x, int y, int clientWidth, int clientHeight, bool shift);
void PointerMove(int x, int y, int clientWidth, int clientHeight);
void PointerRelease(int x, int y, int clientWidth, int clientHeight, bool shift);
// Degrees the camera turns for each pixel dragged.
const double kDragDegreesPerPixel = 0.5;
