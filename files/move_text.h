// The move file's notation read from a text in memory as block moves, each with the place of its token.
#pragma once

#include <cstddef>
#include <vector>

#include "cube/block_move.h"
#include "files/text_place.h"

// The block move a move-file token stands for at size n: a face letter is that face's outer layer, a
// slice letter the layer the model's slice turn takes (l and r: the second layer from L, turned as L
// turns; u and d: the second layer from U, turned as D turns). False for a token that names no move,
// and for a slice at a size with no inner layer, whose turn changes nothing there.
bool MoveTokenBlock(const char* token, int n, BlockMove* move);

// Splits `text` at white space as the move file's reader does (byte 26 ends it) and gives the moves of
// its tokens at size n (1 to 10), in order, with each token's place; tokens that name no move are
// skipped. A token of three or more characters refuses the whole text, as it refuses the file: false,
// with the reason in words, and the lists left empty.
bool ParseMoveText(const char* text, size_t length, int n, std::vector<BlockMove>* moves,
                   std::vector<TextPlace>* places, char* reason, size_t reasonSize);
