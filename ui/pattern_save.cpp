// Saving from the front end: the pattern file, or a box that says why a file was not written.
#include <cstdio>

#include "files/input_files.h"
#include "ui/document.h"
#include "ui/ui.h"

void ShowSaveFailure(const char* before, const char* path, const char* reason) {
  char after[kTextCapacity];
  std::snprintf(after, sizeof after, "\n%s", reason);
  char text[kTextCapacity];
  FormatWithPath(text, before, path, after);
  platform->ShowMessage(text, "Error");
}

bool SavePatternFile(const char* path) {
  char reason[160];
  if (WritePatternFile(document.cube, path, reason, sizeof reason)) return true;
  ShowSaveFailure("Cannot save the pattern to ", path, reason);
  return false;
}
