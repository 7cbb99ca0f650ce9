// Writing the cube's pattern as a pattern file: the same bytes the reader takes, replaced whole.
#include <cstdio>

#include "files/atomic_file.h"
#include "files/pattern_file.h"

bool WritePatternFile(const Cube& cube, const char* path, char* reason, size_t reasonSize) {
  const int size = cube.size;
  if (size < 2 || size > kMaxSize) {
    std::snprintf(reason, reasonSize, "The cube's size %d has no pattern file.", size);
    return false;
  }
  // Gathered first, so that a cell no reader would take stops the save before any file is made.
  unsigned char bytes[1 + kCellCount];
  size_t count = 0;
  bytes[count++] = static_cast<unsigned char>(size);
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < size; ++row)
      for (int column = 0; column < size; ++column) {
        const Colour colour = cube.live[CellIndex(face, row, column)];
        if (colour < 0 || colour > 5) {
          std::snprintf(reason, reasonSize, "A facelet holds colour %d; colours run from 0 to 5.",
                        static_cast<int>(colour));
          return false;
        }
        bytes[count++] = static_cast<unsigned char>(colour);
      }
  return WriteWholeFile(path, bytes, count, reason, reasonSize);
}
