// The .alg file: read whole through the text stream within its bound, counted, spelled and written
// atomically.
#include <cstdio>
#include <cstring>
#include <string>

#include "files/alg_notation.h"
#include "files/atomic_file.h"
#include "files/text_stream.h"

AlgCounts CountAlg(const BlockMove* moves, size_t count, int n) {
  AlgCounts counts = {0, 0};
  for (size_t k = 0; k < count; ++k) {
    counts.blockTurns += BlockTurns(moves[k], n);
    counts.quarterBlockTurns += QuarterBlockTurns(moves[k], n);
  }
  return counts;
}

size_t FormatAlg(const BlockMove* moves, size_t count, int n, char* text, size_t capacity) {
  if (capacity == 0) return 0;
  size_t length = 0;
  text[0] = '\0';
  for (size_t k = 0; k < count; ++k) {
    char move[kMaxMoveText];
    const size_t size = static_cast<size_t>(FormatBlockMove(moves[k], n, move));
    const size_t separator = length > 0 ? 1 : 0;
    if (length + separator + size + 1 > capacity) {
      // Whole moves are dropped from the end until " ..." fits after them.
      while (length > 0 && length + 4 + 1 > capacity) {
        while (length > 0 && text[length - 1] != ' ') --length;
        if (length > 0) --length;
      }
      if (length > 0) text[length++] = ' ';
      if (length + 4 > capacity) length = 0;
      std::memcpy(text + length, "...", capacity >= 4 ? 4 : 1);
      if (capacity < 4) text[0] = '\0';
      return capacity >= 4 ? length + 3 : 0;
    }
    if (separator > 0) text[length++] = ' ';
    std::memcpy(text + length, move, size + 1);
    length += size;
  }
  return length;
}

bool ReadAlgFile(TextStream* stream, int n, std::vector<BlockMove>* moves, char* reason, size_t reasonSize) {
  moves->clear();
  std::string text;
  if (!ReadWholeText(stream, &text)) {
    std::snprintf(reason, reasonSize, "The file was not read whole: %s.", stream->problem);
    return false;
  }
  const size_t skip = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  return ParseAlg(text.data() + skip, text.size() - skip, n, moves, reason, reasonSize);
}

bool WriteAlgFile(const char* path, const BlockMove* moves, size_t count, int n, char* reason,
                  size_t reasonSize) {
  // Checked first, so that no file is made that the reader would refuse.
  for (size_t k = 0; k < count; ++k) {
    const BlockMove& move = moves[k];
    if (n < 2 || n > kMaxSize || move.face < U || move.face > D || move.first < 1 || move.first > move.last ||
        move.last > n) {
      std::snprintf(reason, reasonSize, "Move %zu turns no block of layers of the %dx%dx%d cube.", k + 1, n,
                    n, n);
      return false;
    }
  }
  AtomicFile file;
  if (!BeginAtomicFile(&file, path)) {
    std::snprintf(reason, reasonSize, "%s", AtomicFileReason(&file));
    return false;
  }
  const size_t kLineWidth = 72;
  char line[kLineWidth + kMaxMoveText + 2];
  size_t length = 0;
  for (size_t k = 0; k < count; ++k) {
    if (moves[k].quarterTurns % 4 == 0) continue;
    char move[kMaxMoveText];
    const size_t size = static_cast<size_t>(FormatBlockMove(moves[k], n, move));
    if (length > 0 && length + 1 + size > kLineWidth) {
      line[length++] = '\n';
      WriteAtomicFile(&file, line, length);
      length = 0;
    }
    if (length > 0) line[length++] = ' ';
    std::memcpy(line + length, move, size);
    length += size;
  }
  line[length++] = '\n';
  WriteAtomicFile(&file, line, length);
  if (!CommitAtomicFile(&file)) {
    std::snprintf(reason, reasonSize, "%s", AtomicFileReason(&file));
    return false;
  }
  return true;
}
