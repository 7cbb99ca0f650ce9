// The pattern file: a size byte and one colour byte per facelet, checked whole before it is used.
#include <cstdio>

#include "files/files.h"
#include "ui/ui.h"

namespace {

void Refuse(const char* problem) {
  char text[kTextCapacity];
  FormatWithPath(text, "INVALID pattern file ", fileName, problem);
  platform->ShowMessage(text, "Error");
}

}  // namespace

void LoadPatternFile(TextStream* stream) {
  char problem[96];
  const int size = ReadByte(stream);
  if (size < 0) return Refuse("\nThe file is empty.");
  if (size < 2 || size > kMaxSize) {
    std::snprintf(problem, sizeof problem, "\nThe size byte is %d; sizes run from 2 to 10.", size);
    return Refuse(problem);
  }
  // Read and check everything first: a refused file leaves the cube exactly as it was.
  const int count = 6 * size * size;
  uint8_t colours[kCellCount];
  for (int k = 0; k < count; ++k) {
    const int colour = ReadByte(stream);
    if (colour < 0) {
      std::snprintf(problem, sizeof problem, "\nIt ends after %d of its %d colours.", k, count);
      return Refuse(problem);
    }
    if (colour > 5) {
      std::snprintf(problem, sizeof problem, "\nThe byte at offset %d is %d; colours run from 0 to 5.", k + 1,
                    colour);
      return Refuse(problem);
    }
    colours[k] = static_cast<uint8_t>(colour);
  }

  const int16_t previousSize = cubeSize;
  cubeSize = static_cast<int16_t>(size);
  if (cubeSize != previousSize) ResetCube();
  if (cubeSize != previousSize) eraseOnRepaint = true;  // the old net lies elsewhere and must not stay
  const uint8_t* colour = colours;
  for (int16_t face = 0; face < 6; ++face)
    for (int16_t row = 0; row < cubeSize; ++row)
      for (int16_t column = 0; column < cubeSize; ++column)
        liveCube[CellIndex(face, row, column)] = *colour++;
  ComputeNetLayout();
  CopyCube(liveCube, shadowCube);
}
