// The move file's tokens read from memory with their places, as block moves of the model's own turns.
#include "files/move_text.h"

#include <cctype>
#include <cstdint>
#include <cstdio>

#include "files/files.h"

namespace {

// The byte that ends a text stream wherever it stands, as it ends a file.
const char kEndOfText = 26;
// How much of a refused token the reason shows.
const size_t kShownToken = 40;

bool IsTokenSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

bool Refuse(const char* text, size_t start, size_t end, char* reason, size_t reasonSize) {
  int line = 1;
  for (size_t k = 0; k < start; ++k) line += text[k] == '\n';
  const size_t shown = end - start < kShownToken ? end - start : kShownToken;
  if (reasonSize > 0)
    std::snprintf(reason, reasonSize,
                  "INVALID mov file containing %.*s%s (line %d; a move is one or two characters)",
                  static_cast<int>(shown), text + start, end - start > shown ? "..." : "", line);
  return false;
}

}  // namespace

bool MoveTokenBlock(const char* token, int n, BlockMove* move) {
  MoveToken parsed;
  if (!ParseMoveToken(token, &parsed)) return false;
  const int8_t turns = static_cast<int8_t>(parsed.quarterTurns);
  if (parsed.layer >= U && parsed.layer <= D) {
    *move = {static_cast<int8_t>(parsed.layer), 1, 1, turns};
    return true;
  }
  // The slices' turns leave a cube without an inner layer as it was.
  if (n < 3) return false;
  if (parsed.layer == kColumnSliceLayer) {
    *move = {static_cast<int8_t>(L), 2, 2, turns};
    return true;
  }
  *move = {static_cast<int8_t>(D), static_cast<int8_t>(n - 1), static_cast<int8_t>(n - 1), turns};
  return true;
}

bool ParseMoveText(const char* text, size_t length, int n, std::vector<BlockMove>* moves,
                   std::vector<TextPlace>* places, char* reason, size_t reasonSize) {
  moves->clear();
  places->clear();
  if (reasonSize > 0) reason[0] = '\0';
  if (n < 1 || n > kMaxSize) {
    std::snprintf(reason, reasonSize, "There is no cube of size %d.", n);
    return false;
  }
  if (!TextPlaceable(length)) {
    std::snprintf(reason, reasonSize, "The text is too long to show where its moves come from.");
    return false;
  }
  size_t at = 0;
  while (true) {
    while (at < length && text[at] != kEndOfText && IsTokenSpace(text[at])) ++at;
    if (at == length || text[at] == kEndOfText) return true;
    const size_t start = at;
    while (at < length && text[at] != kEndOfText && !IsTokenSpace(text[at])) ++at;
    if (at - start > 2) {
      moves->clear();
      places->clear();
      return Refuse(text, start, at, reason, reasonSize);
    }
    // A zero byte ends the token as the reader's own string does.
    const char token[3] = {text[start], at - start > 1 ? text[start + 1] : '\0', '\0'};
    BlockMove move;
    if (!MoveTokenBlock(token, n, &move)) continue;
    moves->push_back(move);
    places->push_back({static_cast<uint32_t>(start), static_cast<uint32_t>(at - start)});
  }
}
