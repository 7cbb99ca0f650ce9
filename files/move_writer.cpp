// Writing a move file: tokens the reader takes, one line, replaced whole.
#include <cstdio>
#include <cstring>

#include "files/atomic_file.h"
#include "files/move_file.h"

bool WriteMoveFile(const char* path, const char* tokens, char* reason, size_t reasonSize) {
  // Checked first, so that no file is made that the reader would refuse.
  char text[1024];
  const size_t length = std::strlen(tokens);
  if (length + 2 > sizeof text) {
    std::snprintf(reason, reasonSize, "The moves are too long for one move file.");
    return false;
  }
  std::memcpy(text, tokens, length);
  text[length] = '\0';
  for (char* token = std::strtok(text, " "); token != nullptr; token = std::strtok(nullptr, " ")) {
    MoveToken move;
    if (!ParseMoveToken(token, &move)) {
      std::snprintf(reason, reasonSize, "\"%s\" is no move a move file can hold.", token);
      return false;
    }
  }
  std::memcpy(text, tokens, length);
  text[length] = '\n';
  return WriteWholeFile(path, text, length + 1, reason, reasonSize);
}
