// The kinds of file a front end's choosers offer, and their filters: what the file readers and the
// choosers both name, below every other layer.
#pragma once

#include <cstdint>

// 1 = pattern file, 2 = move file, 3 = picture, 4 = moves in the standard notation.
typedef int32_t FileKind;
const FileKind kPatternFile = 1;
const FileKind kMoveFile = 2;
const FileKind kPictureFile = 3;  // PNG or SVG, by the filter chosen
const FileKind kAlgFile = 4;

// The file chooser's filter: two (description, pattern) pairs, the first selected.
struct FileFilter {
  const char* description[2];
  const char* pattern[2];
  const char* defaultExtension;
};
