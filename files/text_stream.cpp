// Reading a file or a memory block as a text-mode stream, without the C library's FILE, bounded in
// bytes and, for pipes and devices, in time.
#include "files/text_stream.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#else
#include <poll.h>
#include <time.h>
#include <unistd.h>
#endif

#ifndef O_BINARY
#define O_BINARY 0
#endif
#ifndef O_NONBLOCK
#define O_NONBLOCK 0
#endif

namespace {

const int kCarriageReturn = 13;
const int kLineFeed = 10;
const int kEndOfText = 26;
const char kIdle[] = "idle";
const char kLong[] = "long";

int64_t Now() {
#ifdef _WIN32
  return 0;  // no FIFOs to wait on
#else
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
#endif
}

// Takes the descriptor as it is: a folder holds no input, and anything but a regular file is read
// without blocking and waited on only until the deadline.
bool Adopt(TextStream* stream, int descriptor) {
  OpenMemoryStream(stream, nullptr, 0);
  stream->descriptor = descriptor;
  struct stat status;
  if (fstat(descriptor, &status) != 0 || S_ISDIR(status.st_mode)) return false;
  stream->waits = !S_ISREG(status.st_mode);
  stream->opened = stream->lastByte = Now();
  return true;
}

// Waits until bytes or the end can be read, up to the nearer bound; the bound that ended the wait, or
// null when something came.
const char* AwaitBytes(TextStream* stream) {
#ifdef _WIN32
  (void)stream;
  return kIdle;
#else
  for (;;) {
    const int64_t idleEnd = stream->lastByte + stream->idleMilliseconds;
    const int64_t totalEnd = stream->opened + stream->totalMilliseconds;
    const int64_t left = (idleEnd < totalEnd ? idleEnd : totalEnd) - Now();
    if (left <= 0) return idleEnd <= totalEnd ? kIdle : kLong;
    pollfd ready = {stream->descriptor, POLLIN, 0};
    const int got = poll(&ready, 1, static_cast<int>(left));
    if (got > 0) return nullptr;
    if (got < 0 && errno != EINTR) return kIdle;
  }
#endif
}

void Stop(TextStream* stream, const char* why) {
  if (why == kIdle)
    std::snprintf(stream->problem, sizeof stream->problem, "nothing came for %g seconds",
                  stream->idleMilliseconds / 1000.0);
  else if (why == kLong)
    std::snprintf(stream->problem, sizeof stream->problem, "it did not end within %g seconds",
                  stream->totalMilliseconds / 1000.0);
  else
    std::snprintf(stream->problem, sizeof stream->problem, "%s", why);
}

// Refills the buffer from the file; false at the end, on a read error, or past a bound.
bool Refill(TextStream* stream) {
  if (stream->descriptor < 0 || stream->problem[0] != '\0') return false;
  for (;;) {
    // Waiting first keeps a read on a blocking descriptor, such as standard input, from waiting.
    if (stream->waits) {
      const char* bound = AwaitBytes(stream);
      if (bound != nullptr) {
        Stop(stream, bound);
        return false;
      }
    }
    const auto count = read(stream->descriptor, stream->buffer, sizeof stream->buffer);
    if (count > 0 && stream->taken >= kMaxInputBytes) {
      Stop(stream, "it goes on past 64 MiB");
      return false;
    }
    if (count > 0 && stream->waits) stream->lastByte = Now();
    if (count > 0) {
      stream->data = stream->buffer;
      stream->size = static_cast<size_t>(count);
      stream->position = 0;
      stream->taken += static_cast<uint64_t>(count);
      return true;
    }
    if (count == 0) return false;
    if (errno == EINTR) continue;
    if (errno != EAGAIN && errno != EWOULDBLOCK) return false;  // a read error ends the input
  }
}

int PeekRaw(TextStream* stream) {
  if (stream->position == stream->size && !Refill(stream)) return -1;
  return stream->data[stream->position];
}

}  // namespace

bool OpenTextStream(TextStream* stream, const char* path) {
  OpenMemoryStream(stream, nullptr, 0);
  if (path[0] == '\0') return false;
  // Without O_NONBLOCK, opening a FIFO that no program writes would wait for ever.
  const int descriptor = open(path, O_RDONLY | O_BINARY | O_NONBLOCK);
  if (descriptor < 0) return false;
  if (!Adopt(stream, descriptor)) {
    close(descriptor);
    stream->descriptor = -1;
    errno = EISDIR;
    return false;
  }
  stream->owned = true;
  return true;
}

void OpenDescriptorStream(TextStream* stream, int descriptor) {
  if (!Adopt(stream, descriptor)) stream->descriptor = -1;
  stream->owned = false;
}

void OpenMemoryStream(TextStream* stream, const void* data, size_t size) {
  stream->descriptor = -1;
  stream->owned = false;
  stream->data = static_cast<const unsigned char*>(data);
  stream->size = size;
  stream->position = 0;
  stream->ended = false;
  stream->waits = false;
  stream->idleMilliseconds = kInputIdleMilliseconds;
  stream->totalMilliseconds = kInputTotalMilliseconds;
  stream->opened = stream->lastByte = 0;
  stream->taken = 0;
  stream->problem[0] = '\0';
}

void CloseTextStream(TextStream* stream) {
  if (stream->descriptor >= 0 && stream->owned) close(stream->descriptor);
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

uint64_t StreamOffset(const TextStream& stream) {
  // The buffer holds the last bytes taken from a descriptor; memory is its own buffer.
  if (stream.descriptor < 0) return stream.position;
  return stream.taken - stream.size + stream.position;
}

bool ReadWholeText(TextStream* stream, std::string* text) {
  text->clear();
  for (int byte; (byte = ReadByte(stream)) >= 0;) text->push_back(static_cast<char>(byte));
  return stream->problem[0] == '\0';
}
