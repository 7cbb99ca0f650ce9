// The solid cube in the window: the frame for the client area, painting it, and pressing and dragging it.
#include "ui/solid/window_solid.h"

#include <cmath>
#include <cstdlib>

#include "ui/document.h"
#include "ui/facelet_edit.h"
#include "ui/picture.h"
#include "ui/player/player_window.h"
#include "ui/solid/animation.h"
#include "ui/solid/solid_picture.h"

namespace {

const int kMargin = 4;
const int kDragThreshold = 4;

CubeLayout LayoutOf(ViewMode mode) { return mode == kViewCubeBoth ? kLayoutFrontAndBack : kLayoutCube; }

int Round(float value) { return static_cast<int>(std::lround(value)); }

}  // namespace

FitBox SolidBox(int clientWidth, int clientHeight) {
  return {kMargin, kMargin, clientWidth - 2 * kMargin, clientHeight - 2 * kMargin};
}

void BuildWindowFrame(CubeFrame* frame, int clientWidth, int clientHeight) {
  const ViewOptions& view = document.view;
  const FitBox box = SolidBox(clientWidth, clientHeight);
  const Cube* before;
  BlockMove move;
  double fraction;
  if (AnimationFrame(&before, &move, &fraction))
    BuildTurnFrame(frame, before->size, before->live, move, fraction, view.camera, LayoutOf(view.mode), box);
  else
    BuildCubeFrame(frame, document.cube.size, document.cube.live, view.camera, LayoutOf(view.mode), box);
}

void DrawCubeFrame(DrawingSurface& surface, const CubeFrame& frame, int size, int letters, int clientWidth,
                   int clientHeight, bool caption) {
  surface.SelectOutlinePen();
  const int previousAlignment = surface.SetAlignment(kAlignCentreTop);
  surface.FillRectangle(0, 0, clientWidth, clientHeight, 0);
  for (int k = 0; k < frame.count; ++k) {
    const CubePolygon& p = frame.polygons[k];
    int x[kCubePolygonCorners], y[kCubePolygonCorners];
    for (int c = 0; c < kCubePolygonCorners; ++c) x[c] = Round(p.x[c]), y[c] = Round(p.y[c]);
    surface.FillPolygon(x, y, kCubePolygonCorners, p.brush);
  }
  if (letters != kLettersNone)
    for (int k = 0; k < frame.count; ++k) {
      const CubePolygon& p = frame.polygons[k];
      const char letter = FaceletLetter(p, size, letters);
      const int height = static_cast<int>(p.letterHeight);
      if (letter != '\0' && height >= 3)
        surface.WriteLetter(Round(p.letterX), Round(p.letterY - p.letterHeight / 2), letter, height);
    }
  if (caption) WriteCaption(surface);
  surface.SetAlignment(previousAlignment);
  surface.RestorePen();
}

void PointerPress(int x, int y, int clientWidth, int clientHeight, bool shift) {
  if (document.commandRunning) return;
  ClosePlayer();
  FinishAnimation();
  if (document.view.mode == kViewNet) {
    ClickSquare(x, y, clientWidth, clientHeight, shift);
    return;
  }
  PointerDrag& pointer = document.pointer;
  pointer.down = true;
  pointer.dragging = false;
  pointer.x = x;
  pointer.y = y;
  pointer.camera = document.view.camera;
}

void PointerMove(int x, int y, int, int) {
  PointerDrag& pointer = document.pointer;
  if (!pointer.down || document.view.mode == kViewNet) return;
  const int dx = x - pointer.x, dy = y - pointer.y;
  if (!pointer.dragging && std::abs(dx) < kDragThreshold && std::abs(dy) < kDragThreshold) return;
  pointer.dragging = true;
  // The cube follows the hand: dragged right it turns right, so the viewer stands further left.
  double turn = std::fmod(pointer.camera.turn - dx * kDragDegreesPerPixel + 180.0, 360.0);
  if (turn < 0) turn += 360.0;
  double tilt = pointer.camera.tilt + dy * kDragDegreesPerPixel;
  tilt = tilt > 90 ? 90 : tilt < -90 ? -90 : tilt;
  document.view.camera = {turn - 180.0, tilt};
  platform->RequestRepaint(false);
}

void PointerRelease(int x, int y, int clientWidth, int clientHeight, bool shift) {
  PointerDrag& pointer = document.pointer;
  if (!pointer.down) return;
  pointer.down = false;
  if (!pointer.dragging && document.view.mode != kViewNet)
    ClickSquare(x, y, clientWidth, clientHeight, shift);
}
