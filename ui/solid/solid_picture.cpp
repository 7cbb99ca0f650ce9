// The picture of any view: the net's own writers, or the solid cube's frame filled a row at a time (its
// letters laid over in the built-in capitals) or written as SVG.
#include "ui/solid/solid_picture.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "files/atomic_file.h"
#include "files/bmp_file.h"
#include "files/input_files.h"
#include "ui/picture.h"
#include "ui/solid/cube_picture.h"
#include "ui/view.h"
#ifdef PLEXARO_HAVE_PNG
#include "files/png_file.h"
#endif

namespace {

// A letter's place in the picture at its scale: the glyph's left and top pixel.
struct PlacedLetter {
  int left, top;
  const uint8_t* glyph;
};

}  // namespace

// Everything a solid picture needs in one block on the heap: a frame is too big for a front end's stack.
struct SolidPicture {
  CubeFrame frame;
  char letters[kCubeFrameCapacity];
  CubeRaster raster;
  PlacedLetter placed[kCubeFrameCapacity];
  int placedCount;
  int scale;
  uint8_t palette[kRasterColourCount][3];
};

namespace {

void Build(SolidPicture* picture, const Cube& cube, const BlockMove* move, double fraction,
           const PictureRequest& request, int width, int height) {
  const CubeLayout layout = request.view == kPictureCubeBoth ? kLayoutFrontAndBack : kLayoutCube;
  const FitBox box = {kPictureMargin, kPictureMargin, width - 2 * kPictureMargin,
                      height - 2 * kPictureMargin};
  if (move != nullptr)
    BuildTurnFrame(&picture->frame, cube.size, cube.live, *move, fraction, request.camera, layout, box);
  else
    BuildCubeFrame(&picture->frame, cube.size, cube.live, request.camera, layout, box);
  picture->scale = request.scale;
  picture->placedCount = 0;
  for (int k = 0; k < picture->frame.count; ++k) {
    const CubePolygon& p = picture->frame.polygons[k];
    picture->letters[k] = FaceletLetter(p, cube.size, request.letters);
    const uint8_t* glyph = LetterGlyph(picture->letters[k]);
    // The net's capitals, where they fit on the facelet.
    if (glyph == nullptr || p.letterHeight < kPictureLetterHeight) continue;
    const int scale = request.scale;
    picture->placed[picture->placedCount++] = {
        static_cast<int>(std::lround(p.letterX * scale)) - kLetterGlyphWidth * scale / 2,
        static_cast<int>(std::lround((p.letterY - kPictureLetterHeight / 2.0) * scale)), glyph};
  }
  for (int k = 0; k < kRasterColourCount; ++k) {
    picture->palette[k][0] = kRasterColours[k].red;
    picture->palette[k][1] = kRasterColours[k].green;
    picture->palette[k][2] = kRasterColours[k].blue;
  }
}

// A row of the filled frame, with the letters that cross it laid over in black.
void LetteredRow(void* context, int y, uint8_t* row) {
  const SolidPicture& picture = *static_cast<const SolidPicture*>(context);
  CubeRasterRow(picture.raster, y, row);
  const int scale = picture.scale;
  for (int k = 0; k < picture.placedCount; ++k) {
    const PlacedLetter& letter = picture.placed[k];
    const int glyphRow = (y - letter.top) / scale;
    if (y < letter.top || glyphRow >= kPictureLetterHeight) continue;
    for (int x = 0; x < kLetterGlyphWidth * scale; ++x) {
      const int column = letter.left + x;
      if (column >= 0 && column < picture.raster.width && (letter.glyph[glyphRow] & (0x10 >> (x / scale))))
        row[column] = kRasterBlack;
    }
  }
}

bool ToAtomicFile(void* context, const char* data, size_t size) {
  return WriteAtomicFile(static_cast<AtomicFile*>(context), data, size);
}

bool SaveSolid(const SolidPicture& picture, int width, int height, const char* path, char* reason,
               size_t reasonSize) {
  if (PathHasExtension(path, ".svg")) {
    AtomicFile file;
    bool written = BeginAtomicFile(&file, path);
    if (written &&
        RenderCubeSvg(picture.frame, width, height, picture.scale, picture.letters, ToAtomicFile, &file))
      written = CommitAtomicFile(&file);
    else if (written)
      AbandonAtomicFile(&file), written = false;
    if (!written) std::snprintf(reason, reasonSize, "Cannot write %s: %s.", path, AtomicFileReason(&file));
    return written;
  }
  const IndexedImage image = {picture.raster.width, picture.raster.height,
                              picture.palette,      kRasterColourCount,
                              LetteredRow,          const_cast<SolidPicture*>(&picture)};
  if (PathHasExtension(path, ".bmp")) return WriteBmpFile(path, image, reason, reasonSize);
#ifdef PLEXARO_HAVE_PNG
  return WritePngFile(path, image, reason, reasonSize);
#else
  std::snprintf(reason, reasonSize,
                "Cannot save %s: PNG is not available in this build; save it as .svg instead.", path);
  return false;
#endif
}

}  // namespace

char FaceletLetter(const CubePolygon& p, int n, int letters) {
  if (p.face == kBodyFace) return '\0';
  if (letters == kLettersFaces)
    return p.row == (n - 1) / 2 && p.column == (n - 1) / 2 ? "ULFRBD"[p.face] : '\0';
  if (letters == kLettersColours && p.colour >= 0 && p.colour < 6) return "WRYOGB"[p.colour];
  return '\0';
}

void PictureSizeOf(const Cube& cube, const NetLayout& layout, int* width, int* height) {
  const std::unique_ptr<NetView> view(new NetView);
  BuildNetView(view.get(), cube, layout, kLettersNone, false, false);
  *width = PictureWidth(*view);
  *height = PictureHeight(*view);
}

bool SavePicture(const Cube& cube, const NetLayout& layout, const PictureRequest& request, const char* path,
                 char* reason, size_t reasonSize) {
  if (request.view == kPictureNet) {
    const std::unique_ptr<NetView> view(new NetView);
    BuildNetView(view.get(), cube, layout, request.letters, false, false);
    return SaveNetPicture(*view, path, request.scale, reason, reasonSize);
  }
  if (!PictureMakeable(path, request.scale, reason, reasonSize)) return false;
  int width, height;
  PictureSizeOf(cube, layout, &width, &height);
  const std::unique_ptr<SolidPicture> picture(new (std::nothrow) SolidPicture);
  if (picture == nullptr) {
    std::snprintf(reason, reasonSize, "Cannot write %s: there is no memory for the picture.", path);
    return false;
  }
  Build(picture.get(), cube, nullptr, 0, request, width, height);
  PrepareCubeRaster(&picture->raster, picture->frame, width, height, request.scale);
  return SaveSolid(*picture, width, height, path, reason, reasonSize);
}

SolidPicture* NewSolidPicture() { return new (std::nothrow) SolidPicture; }
void DeleteSolidPicture(SolidPicture* picture) { delete picture; }

void DrawSolidPicture(SolidPicture* picture, const Cube& cube, const BlockMove* move, double fraction,
                      const PictureRequest& request, int width, int height) {
  Build(picture, cube, move, fraction, request, width, height);
  PrepareCubeRaster(&picture->raster, picture->frame, width, height, request.scale);
}

void SolidPictureRow(void* picture, int y, uint8_t* row) { LetteredRow(picture, y, row); }
