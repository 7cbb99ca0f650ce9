// The pattern file: a size byte and one colour byte per facelet, checked whole before it is used.
#include "files/pattern_file.h"

#include <cstdio>

bool ReadPatternFile(TextStream* stream, PatternData* pattern, char* problem, size_t problemSize) {
  const int size = ReadByte(stream);
  if (size < 0 && stream->problem[0] != '\0') {
    std::snprintf(problem, problemSize, "\nNothing could be read: %s.", stream->problem);
    return false;
  }
  if (size < 0) {
    std::snprintf(problem, problemSize, "\nThe file is empty.");
    return false;
  }
  if (size < 2 || size > kMaxSize) {
    std::snprintf(problem, problemSize, "\nThe size byte is %d; sizes run from 2 to 10.", size);
    return false;
  }
  const int count = 6 * size * size;
  for (int k = 0; k < count; ++k) {
    const int colour = ReadByte(stream);
    if (colour < 0 && stream->problem[0] != '\0') {
      std::snprintf(problem, problemSize, "\nOnly %d of its %d colours could be read: %s.", k, count,
                    stream->problem);
      return false;
    }
    if (colour < 0) {
      std::snprintf(problem, problemSize, "\nIt ends after %d of its %d colours.", k, count);
      return false;
    }
    if (colour > 5) {
      std::snprintf(problem, problemSize, "\nThe byte at offset %d is %d; colours run from 0 to 5.", k + 1,
                    colour);
      return false;
    }
    pattern->colours[k] = static_cast<uint8_t>(colour);
  }
  pattern->size = static_cast<int16_t>(size);
  return true;
}
