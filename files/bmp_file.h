// Writing a 24-bit BMP file from palette indices, whole or not at all, its rows asked for one at a time.
#pragma once

#include <cstddef>
#include <cstdint>

// The widest row the writer takes, in pixels.
const int kBmpRowCapacity = 16384;

// Fills `row` with the palette indices of row y (0 at the top), `width` of them.
typedef void (*BmpRowSource)(void* context, int y, uint8_t* row);

struct BmpImage {
  int width;
  int height;
  const uint8_t (*palette)[3];  // red, green, blue
  int paletteSize;              // 1 to 256; an index past it is written black
  BmpRowSource rows;
  void* context;
};

// False with the reason in words (the path and what went wrong) when the file cannot be written; an
// existing file at `path` is then left as it was.
bool WriteBmpFile(const char* path, const BmpImage& image, char* reason, size_t reasonSize);
