// The BMP writer: a bottom-up, uncompressed 24-bit picture streamed through the atomic file.
#include "files/bmp_file.h"

#include <cstdio>
#include <memory>
#include <new>

#include "files/atomic_file.h"

namespace {

const int kHeaderSize = 14 + 40;  // the file's header, then the picture's

// One row's indices and its bytes, padded to four: too big for a frame, so on the heap.
struct BmpWriting {
  uint8_t indices[kBmpRowCapacity];
  uint8_t bytes[3 * kBmpRowCapacity + 3];
  AtomicFile file;
};

void Put16(uint8_t* at, uint32_t value) {
  at[0] = static_cast<uint8_t>(value);
  at[1] = static_cast<uint8_t>(value >> 8);
}

void Put32(uint8_t* at, uint32_t value) {
  Put16(at, value);
  Put16(at + 2, value >> 16);
}

bool Refuse(char* reason, size_t reasonSize, const char* path, const char* why) {
  if (reason != nullptr && reasonSize > 0)
    std::snprintf(reason, reasonSize, "Cannot write %s: %s.", path, why);
  return false;
}

}  // namespace

bool WriteBmpFile(const char* path, const BmpImage& image, char* reason, size_t reasonSize) {
  // Past this height the file's size no longer fits its 32-bit field.
  if (image.width < 1 || image.height < 1 || image.width > kBmpRowCapacity || image.height > 65536)
    return Refuse(reason, reasonSize, path, "the picture's size cannot be written");
  if (image.paletteSize < 1 || image.paletteSize > 256)
    return Refuse(reason, reasonSize, path, "the picture's palette cannot be written");
  const uint32_t rowSize = (3 * static_cast<uint32_t>(image.width) + 3) / 4 * 4;
  const uint32_t pictureSize = rowSize * static_cast<uint32_t>(image.height);
  uint8_t header[kHeaderSize] = {'B', 'M'};
  Put32(header + 2, kHeaderSize + pictureSize);
  Put32(header + 10, kHeaderSize);
  Put32(header + 14, 40);
  Put32(header + 18, static_cast<uint32_t>(image.width));
  Put32(header + 22, static_cast<uint32_t>(image.height));  // positive: the bottom row comes first
  Put16(header + 26, 1);                                    // planes
  Put16(header + 28, 24);                                   // bits a pixel, no compression
  Put32(header + 34, pictureSize);
  Put32(header + 38, 2835);  // 72 dots an inch, as pixels a metre
  Put32(header + 42, 2835);
  const std::unique_ptr<BmpWriting> writing(new (std::nothrow) BmpWriting);
  if (writing == nullptr) return Refuse(reason, reasonSize, path, "there is no memory for it");
  uint8_t* const indices = writing->indices;
  uint8_t* const bytes = writing->bytes;
  AtomicFile& file = writing->file;
  if (!BeginAtomicFile(&file, path)) return Refuse(reason, reasonSize, path, AtomicFileReason(&file));
  bool written = WriteAtomicFile(&file, header, sizeof header);
  for (uint32_t k = 0; k < rowSize; ++k) bytes[k] = 0;
  for (int y = image.height - 1; written && y >= 0; --y) {
    image.rows(image.context, y, indices);
    for (int x = 0; x < image.width; ++x) {
      const int index = indices[x];
      const bool known = index < image.paletteSize;
      // Blue, green, red.
      bytes[3 * x] = known ? image.palette[index][2] : 0;
      bytes[3 * x + 1] = known ? image.palette[index][1] : 0;
      bytes[3 * x + 2] = known ? image.palette[index][0] : 0;
    }
    written = WriteAtomicFile(&file, bytes, rowSize);
  }
  if (!written) {
    AbandonAtomicFile(&file);
    return Refuse(reason, reasonSize, path, AtomicFileReason(&file));
  }
  if (!CommitAtomicFile(&file)) return Refuse(reason, reasonSize, path, AtomicFileReason(&file));
  return true;
}
