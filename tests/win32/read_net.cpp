// read_net: reads the cube's net back from a screenshot (binary PPM) of the Windows program.
//   read_net origin SHOT X Y         client origin of the window whose outer corner is (X, Y), found
//                                    by the solved 3x3x3 net; prints "X Y"
//   read_net net SHOT X Y N          the N x N net at client origin (X, Y), as plexaro-cli prints it;
//                                    a square that is not a clean box of one colour reads as '?', one
//                                    that the caption may cover as '.'; a square marked with a second
//                                    outline inside the first reads as its colour
//   read_net marked SHOT X Y N       how many squares of that net are marked so
//   read_net mask N                  plexaro-cli's net from standard input, with those '.' too
//   read_net nonwhite SHOT X Y L T R B   how many pixels of the client rectangle are not white
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Image {
  int width = 0, height = 0;
  std::vector<unsigned char> rgb;
  // 0xRRGGBB; outside the image reads as -1.
  long At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return -1;
    const unsigned char* p = &rgb[3 * (static_cast<size_t>(y) * width + x)];
    return (p[0] << 16) | (p[1] << 8) | p[2];
  }
};

bool ReadPpm(const char* path, Image* image) {
  FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return false;
  int maxValue = 0;
  const bool ok = std::fscanf(file, "P6 %d %d %d", &image->width, &image->height, &maxValue) == 3 &&
                  maxValue == 255 && std::fgetc(file) != EOF;
  if (ok) {
    image->rgb.resize(3 * static_cast<size_t>(image->width) * image->height);
    if (std::fread(image->rgb.data(), 1, image->rgb.size(), file) != image->rgb.size()) image->width = 0;
  }
  std::fclose(file);
  return ok && image->width > 0;
}

const long kColours[6] = {0xFFFFFF, 0xFF0000, 0xFFFF00, 0xFF9000, 0x00FF00, 0x0000FF};
const int kBlockColumn[6] = {1, 0, 1, 2, 3, 1};
const int kBlockRow[6] = {0, 1, 1, 1, 1, 2};

int SquareLeft(int n, int face, int column) { return kBlockColumn[face] * (15 * n + 2) + 4 + 15 * column; }
int SquareTop(int n, int face, int row) { return kBlockRow[face] * (16 * n + 6) + 16 * row + 8; }

// From size 4 on, the caption, written last, covers part of the net; these squares cannot be read.
bool UnderCaption(int n, int face, int row, int column) {
  const int left = SquareLeft(n, face, column);
  const int top = SquareTop(n, face, row);
  return left < 100 && left + 14 > 20 && top < 192 && top + 15 > 168;
}

// Whether the box from (left, top) to (right, bottom), both included, has black corners.
bool BlackCorners(const Image& image, int left, int top, int right, int bottom) {
  return image.At(left, top) == 0 && image.At(right, top) == 0 && image.At(left, bottom) == 0 &&
         image.At(right, bottom) == 0;
}

// A square with a second outline one pixel inside the first, black all round, the next move's mark.
bool Marked(const Image& image, int left, int top) {
  for (int x = left + 1; x < left + 13; ++x)
    if (image.At(x, top + 1) != 0 || image.At(x, top + 13) != 0) return false;
  for (int y = top + 1; y < top + 14; ++y)
    if (image.At(left + 1, y) != 0 || image.At(left + 12, y) != 0) return false;
  return true;
}

// The colour digit of one square: its four outline corners black and its inside one colour; `marked`
// says whether a second outline is inside the first.
char ReadSquare(const Image& image, int originX, int originY, int n, int face, int row, int column,
                bool* marked = nullptr) {
  if (UnderCaption(n, face, row, column)) return '.';
  const int left = originX + SquareLeft(n, face, column);
  const int top = originY + SquareTop(n, face, row);
  if (!BlackCorners(image, left, top, left + 13, top + 14)) return '?';
  const int inset = Marked(image, left, top) ? 2 : 1;
  if (marked != nullptr) *marked = inset == 2;
  const long inside = image.At(left + inset, top + inset);
  for (int y = top + inset; y < top + 15 - inset; ++y)
    for (int x = left + inset; x < left + 14 - inset; ++x)
      if (image.At(x, y) != inside) return '?';
  for (int colour = 0; colour < 6; ++colour)
    if (inside == kColours[colour]) return static_cast<char>('0' + colour);
  return '?';
}

std::string ReadNet(const Image& image, int x, int y, int n) {
  std::string net;
  for (int face = 0; face < 6; ++face) {
    for (int row = 0; row < n; ++row) {
      if (row > 0) net += ' ';
      for (int column = 0; column < n; ++column) net += ReadSquare(image, x, y, n, face, row, column);
    }
    net += '\n';
  }
  return net;
}

const char kSolved[] = "000 000 000\n111 111 111\n222 222 222\n333 333 333\n444 444 444\n555 555 555\n";

int Usage() {
  std::fputs("usage: read_net origin|net|marked|nonwhite SHOT X Y ...\n", stderr);
  return 2;
}

// Puts '.' where the caption may cover a square into a net read from `in`.
int Mask(FILE* in, int n) {
  char line[64];
  for (int face = 0; face < 6 && std::fgets(line, sizeof line, in) != nullptr; ++face) {
    for (int row = 0; row < n; ++row)
      for (int column = 0; column < n; ++column)
        if (UnderCaption(n, face, row, column)) line[row * (n + 1) + column] = '.';
    std::fputs(line, stdout);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "mask") == 0) return Mask(stdin, std::atoi(argv[2]));
  if (argc < 5) return Usage();
  Image image;
  if (!ReadPpm(argv[2], &image)) {
    std::fprintf(stderr, "read_net: cannot read %s\n", argv[2]);
    return 2;
  }
  const int x = std::atoi(argv[3]);
  const int y = std::atoi(argv[4]);
  if (std::strcmp(argv[1], "origin") == 0) {
    // The frame and caption are at most this thick.
    for (int dy = 0; dy < 80; ++dy)
      for (int dx = 0; dx < 40; ++dx)
        if (ReadNet(image, x + dx, y + dy, 3) == kSolved) {
          std::printf("%d %d\n", x + dx, y + dy);
          return 0;
        }
    return 1;
  }
  if (std::strcmp(argv[1], "net") == 0 && argc == 6) {
    std::fputs(ReadNet(image, x, y, std::atoi(argv[5])).c_str(), stdout);
    return 0;
  }
  if (std::strcmp(argv[1], "marked") == 0 && argc == 6) {
    const int n = std::atoi(argv[5]);
    int count = 0;
    for (int face = 0; face < 6; ++face)
      for (int row = 0; row < n; ++row)
        for (int column = 0; column < n; ++column) {
          bool marked = false;
          ReadSquare(image, x, y, n, face, row, column, &marked);
          count += marked ? 1 : 0;
        }
    std::printf("%d\n", count);
    return 0;
  }
  if (std::strcmp(argv[1], "nonwhite") == 0 && argc == 9) {
    int count = 0;
    for (int row = std::atoi(argv[6]); row < std::atoi(argv[8]); ++row)
      for (int column = std::atoi(argv[5]); column < std::atoi(argv[7]); ++column)
        if (image.At(x + column, y + row) != 0xFFFFFF) ++count;
    std::printf("%d\n", count);
    return 0;
  }
  return Usage();
}
