// Pictures of the cube as the window may show it: the net, or the solid cube from a camera, alone or with
// its back; saved as SVG, PNG or BMP at a scale.
#pragma once

#include <cstddef>

#include "cube/cube.h"
#include "ui/net_layout.h"
#include "ui/solid/cube_view.h"

enum PictureView { kPictureNet, kPictureCube, kPictureCubeBoth };

struct PictureRequest {
  PictureView view;
  CubeCamera camera;
  int letters;  // kLettersNone to kLettersColours
  int scale;    // 1 to kPictureMaxScale
};

// As the net letters its squares: a face's name on its middle place, or the colour a facelet shows; '\0'
// for none.
char FaceletLetter(const CubePolygon& polygon, int n, int letters);

// The picture's size at scale 1, whatever it shows: the net's picture of this cube.
void PictureSizeOf(const Cube& cube, const NetLayout& layout, int* width, int* height);
// Saves the picture by the path's extension (any case); false with the reason in words, the old file
// left as it was. The solid cube is drawn anew at the scale, never enlarged from scale 1.
bool SavePicture(const Cube& cube, const NetLayout& layout, const PictureRequest& request, const char* path,
                 char* reason, size_t reasonSize);

// One picture of the solid cube after another, for the frames of an animation: drawn (a turn in play
// when `move` is given) at the picture's size at scale 1 and the request's scale, then read a row at a
// time (kRasterColours indices).
struct SolidPicture;
SolidPicture* NewSolidPicture();  // null when there is no memory for it
void DeleteSolidPicture(SolidPicture* picture);
void DrawSolidPicture(SolidPicture* picture, const Cube& cube, const BlockMove* move, double fraction,
                      const PictureRequest& request, int width, int height);
void SolidPictureRow(void* picture, int y, uint8_t* row);
