// Text streamed to a picture sink through a fixed buffer, so a picture of any size needs no whole copy.
#pragma once

#include <cstddef>

#include "ui/picture.h"

class SinkText {
 public:
  SinkText(PictureSink sink, void* context) : sink_(sink), context_(context) {}
  void Append(const char* format, ...) __attribute__((format(printf, 2, 3)));
  // Hands on what is buffered; false once any piece could not be written.
  bool FinishText();

 private:
  void Flush();
  PictureSink sink_;
  void* context_;
  bool failed_ = false;
  size_t used_ = 0;
  char buffer_[4096];
};
