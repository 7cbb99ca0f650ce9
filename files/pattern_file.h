// The pattern file: a size byte, then one colour byte for every facelet, face by face, row by row.
#pragma once

#include <cstddef>
#include <cstdint>

#include "cube/cube.h"
#include "files/text_stream.h"

// A pattern file's contents, checked: a size from 2 to 10 and a colour from 0 to 5 for every used cell.
struct PatternData {
  int16_t size;
  uint8_t colours[kCellCount];  // face by face, row by row
};
// Reads a whole pattern file; false with the problem in words (starting with a line feed) when it is
// refused. Changes nothing else.
bool ReadPatternFile(TextStream* stream, PatternData* pattern, char* problem, size_t problemSize);

// Writes the cube's pattern as a pattern file, whole or not at all; false with the reason in words.
bool WritePatternFile(const Cube& cube, const char* path, char* reason, size_t reasonSize);
