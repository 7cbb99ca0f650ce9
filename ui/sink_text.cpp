// Text streamed to a picture sink in pieces of at most one buffer.
#include "ui/sink_text.h"

#include <cstdarg>
#include <cstdio>

void SinkText::Append(const char* format, ...) {
  // No one call writes anywhere near this much, so flushing early leaves room for any of them.
  if (sizeof buffer_ - used_ < 256) Flush();
  va_list arguments;
  va_start(arguments, format);
  const int written = std::vsnprintf(buffer_ + used_, sizeof buffer_ - used_, format, arguments);
  va_end(arguments);
  if (written > 0 && static_cast<size_t>(written) < sizeof buffer_ - used_)
    used_ += static_cast<size_t>(written);
}

void SinkText::Flush() {
  if (used_ > 0 && !failed_ && !sink_(context_, buffer_, used_)) failed_ = true;
  used_ = 0;
}

bool SinkText::FinishText() {
  Flush();
  return !failed_;
}
