// Reading a file or a memory block as a text-mode stream, without the C library's FILE.
#include <fcntl.h>
#include <sys/stat.h>

#include <cstring>

#include "files/files.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#ifndef O_BINARY
#define O_BINARY 0
#endif

namespace {

const int kCarriageReturn = 13;
const int kLineFeed = 10;
const int kEndOfText = 26;

// Refills the buffer from the file; false at the end or on a read error.
bool Refill(TextStream* stream) {
  if (stream->descriptor < 0) return false;
  const auto count = read(stream->descriptor, stream->buffer, sizeof stream->buffer);
  if (count <= 0) return false;
  stream->data = stream->buffer;
  stream->size = static_cast<size_t>(count);
  stream->position = 0;
  return true;
}

int PeekRaw(TextStream* stream) {
  if (stream->position == stream->size && !Refill(stream)) return -1;
  return stream->data[stream->position];
}

}  // namespace

bool OpenTextStream(TextStream* stream, const char* path) {
  OpenMemoryStream(stream, nullptr, 0);
  if (path[0] == '\0') return false;
  stream->descriptor = open(path, O_RDONLY | O_BINARY);
  if (stream->descriptor < 0) return false;
  // A folder opens on some systems but holds no input.
  struct stat status;
  if (fstat(stream->descriptor, &status) != 0 || S_ISDIR(status.st_mode)) {
    CloseTextStream(stream);
    return false;
  }
  return true;
}

void OpenMemoryStream(TextStream* stream, const void* data, size_t size) {
  stream->descriptor = -1;
  stream->data = static_cast<const unsigned char*>(data);
  stream->size = size;
  stream->position = 0;
  stream->ended = false;
}

void CloseTextStream(TextStream* stream) {
  if (stream->descriptor >= 0) close(stream->descriptor);
  stream->descriptor = -1;
}

int ReadByte(TextStream* stream) {
  if (stream->ended) return -1;
  int byte = PeekRaw(stream);
  if (byte < 0 || byte == kEndOfText) {
    stream->ended = true;
    return -1;
  }
  ++stream->position;
  if (byte == kCarriageReturn && PeekRaw(stream) == kLineFeed) {
    ++stream->position;
    byte = kLineFeed;
  }
  return byte;
}
