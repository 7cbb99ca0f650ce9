// Reading the inputs a front end names: file kinds by extension, sizes, pattern, move and .alg files.
#pragma once

#include <string>
#include <vector>

#include "cube/block_move.h"
#include "files/move_file.h"
#include "files/pattern_file.h"
#include "seam/file_kind.h"

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

// A text file read whole within the input bounds (CR LF read as LF, byte 26 its end); the reason is
// "PATH: not read whole: why".
bool ReadTextPath(const char* path, std::string* text, std::string* refusal);

// A move-file text, or a move file (- for standard input) named by its path, through the one reader:
// every token and move to the sink, the counts into `read`. False with the reason in one line when the
// reading stopped early ("WHERE: INVALID token ..." or "WHERE: not read whole: WHY") or the file did not
// open.
bool ReadMoveText(const char* text, size_t size, const char* where, MoveFileSink& sink, MoveFileRead* read,
                  std::string* refusal);
bool ReadMovePath(const char* path, MoveFileSink& sink, MoveFileRead* read, std::string* refusal);
