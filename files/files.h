// Files: the text-mode byte stream, the pattern file, the move file, and the open and replay command.
#pragma once

#include <cstddef>
#include <cstdint>

#include "seam/platform.h"

// A file or a block of memory, read as a text stream: CR LF reads as LF and byte 26 ends the input,
// the same on every platform.
struct TextStream {
  int descriptor;  // -1 for memory
  const unsigned char* data;
  size_t size;
  size_t position;
  bool ended;
  unsigned char buffer[4096];
};

bool OpenTextStream(TextStream* stream, const char* path);
void OpenMemoryStream(TextStream* stream, const void* data, size_t size);
void CloseTextStream(TextStream* stream);
int ReadByte(TextStream* stream);  // 0 to 255, or -1 at the end of the input

// One recorded face move: '1' to '9' and 'A' to 'I'; 0 where nothing is recorded.
typedef uint8_t MoveCode;
const int kMoveLogCapacity = 24;  // entry 0 is never used
extern MoveCode moveLog[kMoveLogCapacity + 1];

// Holds the chosen path; a longer one cannot name a file on any platform we run on.
const int kFileNameCapacity = 4096;
extern char fileName[kFileNameCapacity];
extern int16_t replaySwitch;  // 1 runs the replay after a move file

// Every message text fits in this, terminator included.
const int kTextCapacity = 256;

void LoadPatternFile(TextStream* stream);
int64_t LoadMoveFile(TextStream* stream);  // the number of moves, 0 after a token error
void ShowOpenFileDialog(FileKind kind);
void OpenCubeFile(FileKind kind);
int32_t ReplayMoveLog(int64_t count);  // the number of passes made

// Formats `before` `path` `after` into `text` (kTextCapacity bytes), cutting the path with "..." to
// fit.
void FormatWithPath(char* text, const char* before, const char* path, const char* after);
