// Animated pictures of a sequence played from a pattern: the net after each move, or the solid cube
// turning a few frames a quarter turn; written as a GIF where the build has the library.
#pragma once

#include <cstddef>
#include <cstdint>

#include "cube/block_move.h"
#include "cube/cube.h"
#include "ui/net_layout.h"
#include "ui/solid/solid_picture.h"

const int kMinFramesPerQuarter = 1;
const int kMaxFramesPerQuarter = 60;
const int kDefaultFramesPerQuarter = 6;
const int kMinFrameDelay = 20;  // milliseconds
const int kMaxFrameDelay = 10000;
const int kDefaultFrameDelay = 40;
// The first and the last frame stay this long.
const int kHeldFrameDelay = 1000;

struct MovingPictureRequest {
  PictureRequest picture;
  int framesPerQuarter;  // the solid views' frames for each quarter turn (a half turn takes twice as many)
  int delay;             // milliseconds a frame, rounded to the format's hundredths of a second
};

// The frames the animation has: the start, then one after each move on the net, or framesPerQuarter
// for each quarter turn of each move (rotations included) in the solid views.
int64_t MovingPictureFrames(const BlockMove* moves, size_t count, const MovingPictureRequest& request);

// Whether this build writes animated GIFs.
bool MovingPicturesAvailable();

// Writes the animation of the moves played from `start` to `path`, whole or not at all; one of more than
// kGifMaxFrames frames or kGifMaxPixels pixels is refused before anything is written. False with the
// reason in words; *frames gives the count either way.
bool SaveMovingPicture(const Cube& start, const BlockMove* moves, size_t count, const NetLayout& layout,
                       const MovingPictureRequest& request, const char* path, char* reason, size_t reasonSize,
                       int64_t* frames);
