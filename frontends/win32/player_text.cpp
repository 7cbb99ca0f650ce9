// UTF-8 with any line ends to the edit control's UTF-16 with CR LF, and byte offsets to positions and back
// through checkpoints.
#include "frontends/win32/player_text.h"

#include <algorithm>

namespace {

const wchar_t kReplacement = 0xFFFD;

// One piece of the text that maps as a whole: a character, a line end or a stray byte. Fills `out` with its
// one or two UTF-16 units and returns the bytes it takes.
size_t Decode(const std::string& text, size_t at, wchar_t out[2], int* units) {
  const size_t size = text.size();
  const unsigned char lead = static_cast<unsigned char>(text[at]);
  *units = 1;
  if (lead == '\r' || lead == '\n') {
    out[0] = L'\r', out[1] = L'\n', *units = 2;
    return lead == '\r' && at + 1 < size && text[at + 1] == '\n' ? 2 : 1;
  }
  if (lead < 0x80) {
    out[0] = lead == 0 ? kReplacement : static_cast<wchar_t>(lead);
    return 1;
  }
  out[0] = kReplacement;
  const size_t length = lead >= 0xF8 ? 0 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  if (length == 0 || at + length > size) return 1;
  uint32_t code = lead & (0x7F >> length);
  for (size_t k = 1; k < length; ++k) {
    const unsigned char next = static_cast<unsigned char>(text[at + k]);
    if ((next & 0xC0) != 0x80) return 1;
    code = code << 6 | (next & 0x3F);
  }
  // Over-long forms, surrogates and code points past Unicode's last are no characters.
  const uint32_t least = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
  if (code < least || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000)) return 1;
  if (code < 0x10000) {
    out[0] = static_cast<wchar_t>(code);
  } else {
    code -= 0x10000;
    out[0] = static_cast<wchar_t>(0xD800 + (code >> 10)),
    out[1] = static_cast<wchar_t>(0xDC00 + (code & 0x3FF));
    *units = 2;
  }
  return length;
}

}  // namespace

std::wstring WidenUtf8(const std::string& text) {
  std::wstring wide;
  wide.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    wchar_t units[2];
    int count;
    at += Decode(text, at, units, &count);
    wide.append(units, static_cast<size_t>(count));
  }
  return wide;
}

void PlayerTextMap::Clear() {
  utf8_.clear();
  wide_.clear();
  checkpoints_.assign(1, Checkpoint{0, 0});
}

void PlayerTextMap::Load(const std::string& utf8) {
  Clear();
  utf8_ = utf8;
  wide_.reserve(utf8.size() + utf8.size() / 8);
  for (size_t at = 0; at < utf8_.size();) {
    // Checkpoints fall where a piece starts, so a scan from one decodes as the whole text did.
    if (at - checkpoints_.back().byte >= kCheckpointBytes) checkpoints_.push_back({at, wide_.size()});
    wchar_t units[2];
    int count;
    at += Decode(utf8_, at, units, &count);
    wide_.append(units, static_cast<size_t>(count));
  }
}

size_t PlayerTextMap::PositionOfByte(uint64_t offset) const {
  if (offset >= utf8_.size()) return wide_.size();
  const size_t byte = static_cast<size_t>(offset);
  const auto after = std::upper_bound(checkpoints_.begin(), checkpoints_.end(), byte,
                                      [](size_t b, const Checkpoint& c) { return b < c.byte; });
  size_t at = (after - 1)->byte, position = (after - 1)->position;
  for (;;) {
    wchar_t units[2];
    int count;
    const size_t taken = Decode(utf8_, at, units, &count);
    if (at + taken > byte) return position;
    at += taken, position += static_cast<size_t>(count);
  }
}

uint64_t PlayerTextMap::ByteOfPosition(size_t position) const {
  if (position >= wide_.size()) return utf8_.size();
  const auto after = std::upper_bound(checkpoints_.begin(), checkpoints_.end(), position,
                                      [](size_t p, const Checkpoint& c) { return p < c.position; });
  size_t at = (after - 1)->byte, reached = (after - 1)->position;
  for (;;) {
    wchar_t units[2];
    int count;
    const size_t taken = Decode(utf8_, at, units, &count);
    if (reached + static_cast<size_t>(count) > position) return at;
    at += taken, reached += static_cast<size_t>(count);
  }
}
