// Putting a pattern file on the cube: the refusal box, or the new pattern with the layout for its size.
#include "files/files.h"
#include "ui/document.h"
#include "ui/ui.h"

void LoadPatternFile(TextStream* stream) {
  // Read and check everything first: a refused file leaves the cube exactly as it was.
  static PatternData pattern;
  char problem[96];
  if (!ReadPatternFile(stream, &pattern, problem, sizeof problem)) {
    char text[kTextCapacity];
    FormatWithPath(text, "INVALID pattern file ", fileName, problem);
    platform->ShowMessage(text, "Error");
    return;
  }
  PutPattern(pattern);
}

void PutPattern(const PatternData& pattern) {
  SetCubeSize(pattern.size);
  const uint8_t* colour = pattern.colours;
  for (int16_t face = 0; face < 6; ++face)
    for (int16_t row = 0; row < document.cube.size; ++row)
      for (int16_t column = 0; column < document.cube.size; ++column)
        document.cube.live[CellIndex(face, row, column)] = *colour++;
  ComputeNetLayout();
  CopyCube(document.cube.size, document.cube.live, document.cube.shadow);
}
