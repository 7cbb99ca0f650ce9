// The inputs a front end names, read or parsed into results or reasons: extensions, sizes, pattern and .alg
// files.
#include "files/input_files.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "files/alg_notation.h"

const char* PathExtension(const char* path) {
  const char* dot = nullptr;
  for (const char* at = path; *at != '\0'; ++at) {
    if (*at == '/' || *at == '\\') dot = nullptr;
    if (*at == '.') dot = at;
  }
  return dot != nullptr ? dot : "";
}

bool PathHasExtension(const char* path, const char* extension) {
  const char* first = PathExtension(path);
  const char* second = extension;
  for (; *first != '\0' && *second != '\0'; ++first, ++second) {
    const char a = *first >= 'A' && *first <= 'Z' ? static_cast<char>(*first - 'A' + 'a') : *first;
    const char b = *second >= 'A' && *second <= 'Z' ? static_cast<char>(*second - 'A' + 'a') : *second;
    if (a != b) return false;
  }
  return *first == *second;
}

FileKind FileKindOfPath(const char* path) {
  if (PathHasExtension(path, ".q")) return kPatternFile;
  if (PathHasExtension(path, ".mov")) return kMoveFile;
  if (PathHasExtension(path, ".alg")) return kAlgFile;
  return 0;
}

bool ParseCubeSize(const char* text, int* size) {
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || value < 2 || value > kMaxSize) return false;
  *size = static_cast<int>(value);
  return true;
}

// "-" is standard input, read through the same bounded stream as a file.
bool OpenInputStream(const char* path, TextStream* stream, std::string* refusal) {
  if (std::strcmp(path, "-") == 0) {
    OpenDescriptorStream(stream, 0);
    return true;
  }
  errno = 0;
  if (OpenTextStream(stream, path)) return true;
  *refusal = std::string(path) + ": cannot open: " + (errno != 0 ? std::strerror(errno) : "not a file");
  return false;
}

bool ReadPatternPath(const char* path, PatternData* pattern, std::string* refusal) {
  TextStream stream;
  if (!OpenInputStream(path, &stream, refusal)) return false;
  char problem[96];
  const bool read = ReadPatternFile(&stream, pattern, problem, sizeof problem);
  CloseTextStream(&stream);
  if (!read)
    *refusal =
        std::string("INVALID pattern file ") + path + ": " + (problem[0] == '\n' ? problem + 1 : problem);
  return read;
}

bool ReadAlgPath(const char* path, int n, std::vector<BlockMove>* moves, std::string* refusal) {
  TextStream stream;
  if (!OpenInputStream(path, &stream, refusal)) return false;
  char reason[256];
  const bool read = ReadAlgFile(&stream, n, moves, reason, sizeof reason);
  CloseTextStream(&stream);
  if (!read) *refusal = std::string(path) + ": " + reason;
  return read;
}

bool ReadTextPath(const char* path, std::string* text, std::string* refusal) {
  TextStream stream;
  if (!OpenInputStream(path, &stream, refusal)) return false;
  const bool read = ReadWholeText(&stream, text);
  if (!read) *refusal = std::string(path) + ": not read whole: " + stream.problem;
  CloseTextStream(&stream);
  return read;
}

namespace {

bool Refused(const MoveFileRead& read, const char* where, std::string* refusal) {
  if (read.stop == MoveFileRead::kWhole) return false;
  char text[kShownToken + 160];
  DescribeMoveFileStop(read, where, text, sizeof text);
  *refusal = text;
  return true;
}

}  // namespace

bool ReadMoveText(const char* text, size_t size, const char* where, MoveFileSink& sink, MoveFileRead* read,
                  std::string* refusal) {
  TextStream stream;
  OpenMemoryStream(&stream, text, size);
  ReadMoveFile(&stream, sink, read);
  return !Refused(*read, where, refusal);
}

bool ReadMovePath(const char* path, MoveFileSink& sink, MoveFileRead* read, std::string* refusal) {
  TextStream stream;
  if (!OpenInputStream(path, &stream, refusal)) return false;
  ReadMoveFile(&stream, sink, read);
  CloseTextStream(&stream);
  return !Refused(*read, path, refusal);
}
