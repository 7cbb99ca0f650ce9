// A file or a block of memory read as a text stream: CR LF reads as LF and byte 26 ends the input, the
// same on every platform, within bounds that no real input reaches, so no input makes a reader wait
// or grow for ever.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Far past any real sequence (64 MiB of moves is more than twenty million), yet read in well under a
// second.
const uint64_t kMaxInputBytes = uint64_t{64} << 20;
// A pipe, FIFO or device that gives no byte for this long, or has not ended after the second bound,
// is cut off there.
const int kInputIdleMilliseconds = 2000;
const int kInputTotalMilliseconds = 30000;

struct TextStream {
  int descriptor;  // -1 for memory
  bool owned;      // closed with the stream
  const unsigned char* data;
  size_t size;
  size_t position;
  bool ended;
  bool waits;  // not a regular file: reads are bounded in time too
  // Set on opening; a test may shorten them before the first read.
  int idleMilliseconds;
  int totalMilliseconds;
  int64_t opened;    // milliseconds on the stream clock
  int64_t lastByte;  // when bytes last came
  uint64_t taken;    // bytes read from the descriptor so far
  char problem[48];  // why the input ended before its end, or empty
  unsigned char buffer[4096];
};

bool OpenTextStream(TextStream* stream, const char* path);
// Reads an open descriptor (standard input), which the stream does not close.
void OpenDescriptorStream(TextStream* stream, int descriptor);
void OpenMemoryStream(TextStream* stream, const void* data, size_t size);
void CloseTextStream(TextStream* stream);
int ReadByte(TextStream* stream);  // 0 to 255, or -1 at the end of the input
// The bytes of the input taken so far, as they stand in it (a CR LF counts two).
uint64_t StreamOffset(const TextStream& stream);

// The rest of the input into `text`; false when the bounds cut it short (the stream's problem says why).
bool ReadWholeText(TextStream* stream, std::string* text);
