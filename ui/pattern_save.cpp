// Saving the pattern from the front end: the file, or a box that says why not.
#include <cstdio>

#include "files/files.h"
#include "ui/ui.h"

bool SavePatternFile(const char* path) {
  char reason[160];
  if (WritePatternFile(path, reason, sizeof reason)) return true;
  char after[kTextCapacity];
  std::snprintf(after, sizeof after, "\n%s", reason);
  char text[kTextCapacity];
  FormatWithPath(text, "Cannot save the pattern to ", path, after);
  platform->ShowMessage(text, "Error");
  return false;
}
