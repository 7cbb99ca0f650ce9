// Writing an animated GIF file whole or not at all, its frames' rows asked for one at a time.
#pragma once

#include <cstddef>
#include <cstdint>

// The most frames, and the most pixels in all frames together, an animation may have; a larger one is
// refused before anything is written.
const int kGifMaxFrames = 10000;
const uint64_t kGifMaxPixels = 2000000000;

// Readies frame `frame` (0 first, in order) and gives how long it shows, in hundredths of a second
// (0 to 65535).
typedef int (*GifFrameStart)(void* context, int frame);
// Fills `row` with the palette indices of row y (0 at the top, in order) of the frame last readied,
// `width` of them, each less than the palette's size.
typedef void (*GifRowSource)(void* context, int y, uint8_t* row);

// Frames of one size on one palette, shown in a loop that never ends.
struct GifAnimation {
  int width;   // 1 to 16384
  int height;  // 1 to 65535
  int frameCount;
  const uint8_t (*palette)[3];  // red, green, blue
  int paletteSize;              // 1 to 256
  GifFrameStart frames;
  GifRowSource rows;
  void* context;
};

// False with the reason in words (the path and what went wrong) when the animation is refused or the
// file cannot be written; an existing file at `path` is then left as it was and no other is made.
bool WriteGifFile(const char* path, const GifAnimation& animation, char* reason, size_t reasonSize);
