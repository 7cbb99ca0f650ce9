// The frames of an animated picture made one at a time, each read a row at a time into the GIF writer.
#include "ui/player/moving_picture.h"

#include <cstdio>
#include <memory>
#include <new>

#include "files/input_files.h"
#include "ui/picture.h"
#include "ui/view.h"
#ifdef PLEXARO_HAVE_GIF
#include "files/gif_file.h"
#endif

namespace {

int Quarters(const BlockMove& move) { return ((move.quarterTurns % 4) + 4) % 4 == 2 ? 2 : 1; }

#ifdef PLEXARO_HAVE_GIF

// Where the animation stands: the pattern before the move in play and how far into it the frame is.
struct Frames {
  const MovingPictureRequest* request;
  const NetLayout* layout;
  const BlockMove* moves;
  size_t count;
  Cube cube;
  size_t move;
  int step;  // frames of the move in play shown so far
  int64_t last;
  int width, height;
  uint8_t palette[kRasterColourCount][3];
  std::unique_ptr<NetView> view;
  std::unique_ptr<NetRaster> raster;
  SolidPicture* solid;
};

bool Solid(const Frames& f) { return f.request->picture.view != kPictureNet; }

int StartFrame(void* context, int frame) {
  Frames& f = *static_cast<Frames*>(context);
  const BlockMove* turning = nullptr;
  double fraction = 0;
  if (frame > 0) {
    if (Solid(f)) {
      const int steps = f.request->framesPerQuarter * Quarters(f.moves[f.move]);
      ++f.step;
      turning = &f.moves[f.move];
      fraction = static_cast<double>(f.step) / steps;
      if (f.step == steps) {
        // The move's last frame is the still pattern after it, drawn as the next move's first.
        ApplyBlockMove(f.cube, f.moves[f.move++]);
        f.step = 0;
        turning = nullptr;
      }
    } else {
      ApplyBlockMove(f.cube, f.moves[f.move++]);
    }
  }
  if (Solid(f)) {
    DrawSolidPicture(f.solid, f.cube, turning, fraction, f.request->picture, f.width, f.height);
  } else {
    BuildNetView(f.view.get(), f.cube, *f.layout, f.request->picture.letters, false, false);
    RenderNetRaster(f.raster.get(), *f.view);
  }
  const int delay = frame == 0 || frame == f.last ? kHeldFrameDelay : f.request->delay;
  return (delay + 5) / 10;
}

void Row(void* context, int y, uint8_t* row) {
  Frames& f = *static_cast<Frames*>(context);
  if (Solid(f))
    SolidPictureRow(f.solid, y, row);
  else
    NetRasterRow(*f.raster, f.request->picture.scale, y, row);
}

#endif

}  // namespace

int64_t MovingPictureFrames(const BlockMove* moves, size_t count, const MovingPictureRequest& request) {
  if (request.picture.view == kPictureNet) return 1 + static_cast<int64_t>(count);
  int64_t frames = 1;
  for (size_t k = 0; k < count; ++k)
    frames += static_cast<int64_t>(request.framesPerQuarter) * Quarters(moves[k]);
  return frames;
}

bool MovingPicturesAvailable() {
#ifdef PLEXARO_HAVE_GIF
  return true;
#else
  return false;
#endif
}

bool SaveMovingPicture(const Cube& start, const BlockMove* moves, size_t count, const NetLayout& layout,
                       const MovingPictureRequest& request, const char* path, char* reason, size_t reasonSize,
                       int64_t* frames) {
  *frames = MovingPictureFrames(moves, count, request);
#ifdef PLEXARO_HAVE_GIF
  if (path == nullptr || !PathHasExtension(path, ".gif")) {
    std::snprintf(reason, reasonSize, "Cannot save the animation as %s: the name must end in .gif.",
                  path == nullptr ? "" : path);
    return false;
  }
  if (request.picture.scale < 1 || request.picture.scale > kPictureMaxScale ||
      request.framesPerQuarter < kMinFramesPerQuarter || request.framesPerQuarter > kMaxFramesPerQuarter ||
      request.delay < kMinFrameDelay || request.delay > kMaxFrameDelay) {
    std::snprintf(reason, reasonSize, "Cannot write %s: the scale, frames or delay is out of range.", path);
    return false;
  }
  int width, height;
  PictureSizeOf(start, layout, &width, &height);
  const int scale = request.picture.scale;
  const uint64_t pixels = static_cast<uint64_t>(*frames) * static_cast<uint64_t>(width * scale) *
                          static_cast<uint64_t>(height * scale);
  if (*frames > kGifMaxFrames || pixels > kGifMaxPixels) {
    std::snprintf(reason, reasonSize,
                  "Cannot write %s: %lld frames of %dx%d are more than an animation may have.", path,
                  static_cast<long long>(*frames), width * scale, height * scale);
    return false;
  }
  Frames f;
  f.request = &request;
  f.layout = &layout;
  f.moves = moves;
  f.count = count;
  f.cube = start;
  f.move = 0;
  f.step = 0;
  f.last = *frames - 1;
  f.width = width;
  f.height = height;
  for (int k = 0; k < kRasterColourCount; ++k) {
    f.palette[k][0] = kRasterColours[k].red;
    f.palette[k][1] = kRasterColours[k].green;
    f.palette[k][2] = kRasterColours[k].blue;
  }
  f.solid = Solid(f) ? NewSolidPicture() : nullptr;
  if (!Solid(f)) {
    f.view.reset(new (std::nothrow) NetView);
    f.raster.reset(new (std::nothrow) NetRaster);
  }
  if (Solid(f) ? f.solid == nullptr : f.view == nullptr || f.raster == nullptr) {
    std::snprintf(reason, reasonSize, "Cannot write %s: there is no memory for the picture.", path);
    return false;
  }
  const GifAnimation animation = {width * scale,
                                  height * scale,
                                  static_cast<int>(*frames),
                                  f.palette,
                                  kRasterColourCount,
                                  StartFrame,
                                  Row,
                                  &f};
  const bool written = WriteGifFile(path, animation, reason, reasonSize);
  DeleteSolidPicture(f.solid);
  return written;
#else
  (void)start, (void)moves, (void)count, (void)layout, (void)request;
  std::snprintf(reason, reasonSize, "Cannot write %s: animated GIF is not available in this build.", path);
  return false;
#endif
}
