// A picture of palette indices whose rows are asked for one at a time, as the picture writers take it.
#pragma once

#include <cstddef>
#include <cstdint>

// The widest row a writer takes, in pixels.
const int kImageRowCapacity = 16384;

// Fills `row` with the palette indices of row y (0 at the top), `width` of them.
typedef void (*ImageRowSource)(void* context, int y, uint8_t* row);

struct IndexedImage {
  int width;
  int height;
  const uint8_t (*palette)[3];  // red, green, blue
  int paletteSize;              // 1 to 256
  ImageRowSource rows;
  void* context;
};

// A writer: false with the reason in words (the path and what went wrong) when the file cannot be
// written; an existing file at `path` is then left as it was.
typedef bool (*ImageWriter)(const char* path, const IndexedImage& image, char* reason, size_t reasonSize);
