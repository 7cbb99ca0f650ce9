// Writing an indexed-colour PNG file whole or not at all, its rows asked for one at a time.
#pragma once

#include <cstddef>
#include <cstdint>

// The widest row the writer takes, in pixels.
const int kPngRowCapacity = 16384;

// Fills `row` with the palette indices of row y, `width` of them.
typedef void (*PngRowSource)(void* context, int y, uint8_t* row);

struct PngImage {
  int width;
  int height;
  const uint8_t (*palette)[3];  // red, green, blue
  int paletteSize;              // 1 to 256
  PngRowSource rows;
  void* context;
};

// False with the reason in words (the path and what went wrong) when the file cannot be written; an
// existing file at `path` is then left as it was.
bool WritePngFile(const char* path, const PngImage& image, char* reason, size_t reasonSize);
