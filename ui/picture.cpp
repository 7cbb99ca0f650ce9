// The picture of the net: its size, the letters on its squares, and saving it as SVG or PNG.
#include "ui/picture.h"

#include <cstdio>
#include <cstring>

#include "files/atomic_file.h"
#include "ui/ui.h"
#ifdef PLEXARO_HAVE_PNG
#include "files/png_file.h"
#endif

namespace {

bool NetIsDrawable() { return cubeSize >= 1 && cubeSize <= kMaxSize; }

// The far edge of the squares one way: the largest start plus the square's extent, plus one past it.
int PictureExtent(const int16_t (*starts)[kMaxSize], int extent, int capacity) {
  if (!NetIsDrawable()) return 0;
  int farthest = 0;
  for (int face = 0; face < 6; ++face)
    for (int k = 0; k < cubeSize; ++k)
      if (starts[face][k] + extent > farthest) farthest = starts[face][k] + extent;
  const int size = farthest + 1 + kPictureMargin;
  return size < capacity ? size : capacity;
}

char SquareLetter(int face, int row, int column, int letters) {
  if (letters == kLettersFaces) {
    static const char kFaceNames[] = "ULFRBD";
    const int middle = (cubeSize - 1) / 2;
    return row == middle && column == middle ? kFaceNames[face] : '\0';
  }
  if (letters == kLettersColours) {
    static const char kColourNames[] = "WRYOGB";
    const Colour colour = liveCube[CellIndex(face, row, column)];
    // A cell that is no colour is painted as background, and naming it white would be untrue.
    return colour >= 0 && colour < 6 ? kColourNames[colour] : '\0';
  }
  return '\0';
}

bool ToAtomicFile(void* context, const char* data, size_t size) {
  return WriteAtomicFile(static_cast<AtomicFile*>(context), data, size);
}

bool SaveSvg(const char* path, int scale, int letters, char* reason, size_t reasonSize) {
  AtomicFile file;
  bool written = BeginAtomicFile(&file, path);
  if (written) {
    if (RenderNetSvg(scale, letters, ToAtomicFile, &file)) {
      written = CommitAtomicFile(&file);
    } else {
      AbandonAtomicFile(&file);
      written = false;
    }
  }
  if (!written) std::snprintf(reason, reasonSize, "Cannot write %s: %s.", path, AtomicFileReason(&file));
  return written;
}

#ifdef PLEXARO_HAVE_PNG
// Kept at scale 1; the rows are widened as the file asks for them.
NetRaster savedRaster;

struct ScaledRows {
  const NetRaster* raster;
  int scale;
};

void ScaledRow(void* context, int y, uint8_t* row) {
  const ScaledRows* rows = static_cast<const ScaledRows*>(context);
  NetRasterRow(*rows->raster, rows->scale, y, row);
}

bool SavePng(const char* path, int scale, int letters, char* reason, size_t reasonSize) {
  static uint8_t palette[kRasterColourCount][3];
  for (int k = 0; k < kRasterColourCount; ++k) {
    palette[k][0] = kRasterColours[k].red;
    palette[k][1] = kRasterColours[k].green;
    palette[k][2] = kRasterColours[k].blue;
  }
  RenderNetRaster(&savedRaster, letters);
  ScaledRows rows = {&savedRaster, scale};
  const PngImage image = {
      savedRaster.width * scale, savedRaster.height * scale, palette, kRasterColourCount, ScaledRow, &rows};
  return WritePngFile(path, image, reason, reasonSize);
}
#endif

}  // namespace

void DrawNetPicture(DrawingSurface& surface, int letters) {
  surface.SelectOutlinePen();
  DrawNetSquares(surface);
  if (letters == kLettersFaces || letters == kLettersColours) {
    const int previousAlignment = surface.SetAlignment(kAlignCentreTop);
    for (int face = 0; face < 6; ++face)
      for (int row = 0; row < cubeSize; ++row)
        for (int column = 0; column < cubeSize; ++column) {
          const char letter = SquareLetter(face, row, column, letters);
          if (letter == '\0') continue;
          // Centred on the coloured inside, which starts one pixel in from the outline.
          const int left = columnX[face][column];
          const int top = rowY[face][row] + 8;
          surface.WriteText(left + (cellWidth - 2) / 2, top + 1 + (cellHeight - 3 - kPictureLetterHeight) / 2,
                            &letter, 1);
        }
    surface.SetAlignment(previousAlignment);
  }
  surface.RestorePen();
}

int PictureWidth() { return PictureExtent(columnX, cellWidth - 2, kRasterWidthCapacity); }

int PictureHeight() {
  // rowY is 8 above the squares' top edges.
  return PictureExtent(rowY, 8 + cellHeight - 2, kRasterHeightCapacity);
}

bool PicturePngAvailable() {
#ifdef PLEXARO_HAVE_PNG
  return true;
#else
  return false;
#endif
}

bool SaveNetPicture(const char* path, int scale, int letters, char* reason, size_t reasonSize) {
  char spare[1];
  if (reason == nullptr || reasonSize == 0) {
    reason = spare;
    reasonSize = sizeof spare;
  }
  if (path == nullptr || path[0] == '\0') {
    std::snprintf(reason, reasonSize, "No file name was given for the picture.");
    return false;
  }
  const bool svg = PathHasExtension(path, ".svg");
  if (!svg && !PathHasExtension(path, ".png")) {
    std::snprintf(reason, reasonSize, "Cannot save the picture as %s: the name must end in .svg or .png.",
                  path);
    return false;
  }
  if (scale < 1 || scale > kPictureMaxScale) {
    std::snprintf(reason, reasonSize, "The picture's scale must be 1 to %d, not %d.", kPictureMaxScale,
                  scale);
    return false;
  }
  if (letters != kLettersNone && letters != kLettersFaces && letters != kLettersColours) {
    std::snprintf(reason, reasonSize, "There is no choice of letters numbered %d.", letters);
    return false;
  }
  if (!NetIsDrawable()) {
    std::snprintf(reason, reasonSize, "There is no net of size %d to draw.", cubeSize);
    return false;
  }
  if (svg) return SaveSvg(path, scale, letters, reason, reasonSize);
#ifdef PLEXARO_HAVE_PNG
  return SavePng(path, scale, letters, reason, reasonSize);
#else
  std::snprintf(reason, reasonSize,
                "Cannot save %s: PNG is not available in this build; save it as .svg instead.", path);
  return false;
#endif
}
