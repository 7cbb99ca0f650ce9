// Writing a 24-bit BMP file from palette indices, whole or not at all, its rows asked for one at a time.
#pragma once

#include "files/indexed_image.h"

typedef IndexedImage BmpImage;
const int kBmpRowCapacity = kImageRowCapacity;

// An ImageWriter; an index past the palette is written black.
bool WriteBmpFile(const char* path, const BmpImage& image, char* reason, size_t reasonSize);
