// Writing an indexed-colour PNG file whole or not at all, its rows asked for one at a time.
#pragma once

#include "files/indexed_image.h"

typedef IndexedImage PngImage;
const int kPngRowCapacity = kImageRowCapacity;

// An ImageWriter.
bool WritePngFile(const char* path, const PngImage& image, char* reason, size_t reasonSize);
