// The move file's tokens read from memory with their places, as block moves of the model's own turns.
#include "files/move_text.h"

#include <cctype>
#include <cstdint>
#include <cstdio>

#include "files/move_file.h"

namespace {

// How much of a refused token the reason shows.
const size_t kShownInReason = 40;

// Every move the one reader meets, as a block move with the place of its token.
class PlacedMoves : public MoveFileSink {
 public:
  PlacedMoves(int n, std::vector<BlockMove>* moves, std::vector<TextPlace>* places)
      : n_(n), moves_(moves), places_(places) {}
  void Token(const char* text, uint64_t offset, size_t length) override {
    text_ = text;
    place_ = {static_cast<uint32_t>(offset), static_cast<uint32_t>(length)};
  }
  void Move(const MoveToken&) override {
    BlockMove move;
    if (!MoveTokenBlock(text_, n_, &move)) return;
    moves_->push_back(move);
    places_->push_back(place_);
  }

 private:
  int n_;
  std::vector<BlockMove>* moves_;
  std::vector<TextPlace>* places_;
  const char* text_ = "";
  TextPlace place_ = {0, 0};
};

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
  TextStream stream;
  OpenMemoryStream(&stream, text, length);
  PlacedMoves placed(n, moves, places);
  MoveFileRead read;
  ReadMoveFile(&stream, placed, &read);
  if (read.stop == MoveFileRead::kWhole) return true;
  moves->clear();
  places->clear();
  // Memory ends only where the text does: the one way to stop early is a token too long to be a move.
  const uint64_t start = read.tokenOffset;
  const size_t shown = read.tokenLength < kShownInReason ? read.tokenLength : kShownInReason;
  int line = 1;
  for (size_t k = 0; k < start && k < length; ++k) line += text[k] == '\n';
  std::snprintf(reason, reasonSize,
                "INVALID mov file containing %.*s%s (line %d; a move is one or two characters)",
                static_cast<int>(shown), read.token, read.tokenLength > shown ? "..." : "", line);
  return false;
}
