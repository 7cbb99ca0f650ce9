// The player's text as the Windows edit control holds it: UTF-16 with CR LF line ends, and the way between
// the core's byte offsets and the control's character positions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

static_assert(sizeof(wchar_t) == 2, "the edit control's characters are UTF-16 units");

// UTF-8 as the controls take it, converted as PlayerTextMap converts it.
std::wstring WidenUtf8(const std::string& text);

class PlayerTextMap {
 public:
  // A checkpoint every this many bytes at most: a mapping reads no more of the text than that.
  static const size_t kCheckpointBytes = 4096;

  // Converts the whole text once. A line end (LF, CR LF or a lone CR) becomes CR LF; a byte that starts
  // no UTF-8 character, and a NUL, which would end the control's text, becomes U+FFFD.
  void Load(const std::string& utf8);
  void Clear();
  const std::wstring& Wide() const { return wide_; }

  // The position of the character that holds the byte; the end for an offset past the end.
  size_t PositionOfByte(uint64_t offset) const;
  // The first byte of the character at the position; the text's size for a position past the end.
  uint64_t ByteOfPosition(size_t position) const;

 private:
  struct Checkpoint {
    size_t byte;
    size_t position;
  };
  std::string utf8_;
  std::wstring wide_;
  std::vector<Checkpoint> checkpoints_;  // ascending in both, the first at the start
};
