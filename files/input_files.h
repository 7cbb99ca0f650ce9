// Reading the inputs a front end names: file kinds by extension, sizes, pattern, move and .alg files.
#pragma once

#include <string>
#include <vector>

#include "cube/block_move.h"
#include "seam/platform.h"

struct TextStream;
struct PatternData;
struct MoveToken;

// The extension of the path's last component, dot included, or "" when it has none.
const char* PathExtension(const char* path);
// Whether the path ends in `extension` (dot included), in any case.
bool PathHasExtension(const char* path, const char* extension);
// kPatternFile for .q, kMoveFile for .mov, kAlgFile for .alg, in any case; 0 for anything else.
FileKind FileKindOfPath(const char* path);

// An edge size from 2 to 10, written in decimal and nothing else.
bool ParseCubeSize(const char* text, int* size);

// Opens the path as a text stream; "-" is standard input. False with the reason when it does not open.
bool OpenInputStream(const char* path, TextStream* stream, std::string* refusal);

// A pattern file read whole and checked; the reason is "INVALID pattern file PATH: problem".
bool ReadPatternPath(const char* path, PatternData* pattern, std::string* refusal);
// An .alg file read and parsed for size n; the reason is "PATH: token at line L, column C: why".
bool ReadAlgPath(const char* path, int n, std::vector<BlockMove>* moves, std::string* refusal);

// Move-file tokens from the stream, each that names a move handed to `apply`; a token that names no
// move is skipped, and one of three or more characters refuses the whole input: "WHERE: INVALID token
// ..." Nothing else is changed.
bool ScanMoveTokens(TextStream* stream, const char* where, std::string* refusal,
                    void (*apply)(void* context, const MoveToken& move), void* context);
// The same over a text, named `where` in a refusal, and over a file (- for standard input), named by
// its path.
bool ScanMoveText(const char* text, size_t size, const char* where, std::string* refusal,
                  void (*apply)(void* context, const MoveToken& move), void* context);
bool ScanMovePath(const char* path, std::string* refusal, void (*apply)(void* context, const MoveToken& move),
                  void* context);
