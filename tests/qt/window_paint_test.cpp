// The painted net, pixel for pixel, against the layout's figures: square boxes, colours, gaps, the
// caption, and what a smaller net or a new size leaves on screen.
#include <QTemporaryDir>

#include "frontends/qt/painter_surface.h"
#include "qt/window_fixture.h"

namespace {

const int kNetColumn[6] = {1, 0, 1, 2, 3, 1};
const int kNetRow[6] = {0, 1, 1, 1, 1, 2};
const QRgb kColours[6] = {0xffffff, 0xff0000, 0xffff00, 0xff9000, 0x00ff00, 0x0000ff};
const QString kCaption = QStringLiteral("? for help");

typedef std::function<int(int, int, int)> ColourOf;

int Solved(int face, int, int) { return face; }
int Mixed(int face, int row, int column) { return (face * 7 + row * 3 + column * 5) % 6; }

// The client area as it must look, caption aside: each square a black box 14 x 15 around its colour.
QImage ExpectedNet(QSize size, int n, const ColourOf& colour) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < n; ++row)
      for (int column = 0; column < n; ++column) {
        const int left = kNetColumn[face] * (15 * n + 2) + 4 + column * 15;
        const int top = kNetRow[face] * (16 * n + 6) + row * 16 + 8;
        const int value = colour(face, row, column);
        const QRgb inside = value >= 0 && value < 6 ? kColours[value] : kColours[0];
        for (int y = top; y <= top + 14; ++y)
          for (int x = left; x <= left + 13; ++x) {
            const bool edge = x == left || x == left + 13 || y == top || y == top + 14;
            if (image.rect().contains(x, y)) image.setPixel(x, y, edge ? 0xff000000 : (0xff000000 | inside));
          }
      }
  return image;
}

// Where the caption may put ink: centred on x = 60, top at y = 170, one line of the window's font.
QRect CaptionRoom(const QWidget& window) {
  const QFontMetrics metrics(window.font());
  const int width = metrics.horizontalAdvance(kCaption);
  return QRect(60 - width / 2 - 1, 170, width + 2, metrics.height());
}

// The first pixel outside `skip` that differs, as text for the failure message; empty when none.
QString FirstDifference(const QImage& shown, const QImage& expected, const QRect& skip) {
  if (shown.size() != expected.size())
    return QStringLiteral("size %1x%2").arg(shown.width()).arg(shown.height());
  for (int y = 0; y < expected.height(); ++y)
    for (int x = 0; x < expected.width(); ++x) {
      if (skip.contains(x, y)) continue;
      const QRgb a = shown.pixel(x, y) & 0xffffff;
      const QRgb b = expected.pixel(x, y) & 0xffffff;
      if (a != b)
        return QStringLiteral("(%1, %2) is #%3, not #%4")
            .arg(x)
            .arg(y)
            .arg(a, 6, 16, QChar('0'))
            .arg(b, 6, 16, QChar('0'));
    }
  return QString();
}

void LoadPattern(WindowUnderTest& under, const QString& path) {
  under.hand.onDialog = TypeName(path);
  QTest::keyClick(&under.window, '[');
  under.hand.onDialog = nullptr;
  QCOMPARE(under.hand.boxes.size(), 0);
}

}  // namespace

class WindowPaintTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void SolvedCubeAtStartUp();
  void PatternFromFile_data();
  void PatternFromFile();
  void CaptionIsCentredOnSixtyWithItsTopAt170();
  void SmallerPatternLeavesNoOldSquares();
  void NewSizeRepaintsTheWholeArea();
  void CellsOutsideTheSixColoursShowAsBackground();
  void UnboundKeyPaintsAtOnceBoundKeyLater();
  void LinesAndFillsFollowTheDeviceContextRules();
  void TextFollowsTheAlignment();

 private:
  QTemporaryDir dir_;
};

void WindowPaintTest::initTestCase() {
  QuietSizeHintWarnings();
  QVERIFY(dir_.isValid());
  for (int n : {2, 3, 10}) WritePattern(dir_.filePath(QString("mixed%1.q").arg(n)), n, Mixed);
}

void WindowPaintTest::SolvedCubeAtStartUp() {
  WindowUnderTest under;
  QVERIFY(QTest::qWaitForWindowExposed(&under.window));
  QCOMPARE(under.window.devicePixelRatio(), 1.0);
  QCOMPARE(under.window.frameGeometry(), QRect(50, 50, 600, 400));
  QCOMPARE(under.window.windowTitle(), QStringLiteral("Plexaro"));
  QVERIFY(under.window.windowFlags().testFlags(Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint));
  QVERIFY(under.window.minimumSize() != under.window.maximumSize());
  const QImage shown = under.Screen();
  QCOMPARE(FirstDifference(shown, ExpectedNet(shown.size(), 3, Solved), CaptionRoom(under.window)),
           QString());
  // Spot checks straight from the figures: U's first square, D's last, the gap between blocks.
  QCOMPARE(shown.pixel(51, 8) & 0xffffff, 0x000000u);
  QCOMPARE(shown.pixel(52, 9) & 0xffffff, 0xffffffu);
  QCOMPARE(shown.pixel(94, 162) & 0xffffff, 0x000000u);
  QCOMPARE(shown.pixel(93, 161) & 0xffffff, 0x0000ffu);
  QCOMPARE(shown.pixel(96, 70) & 0xffffff, 0xffffffu);
  QCOMPARE(shown.pixel(189, 100) & 0xffffff, 0xffffffu);
}

void WindowPaintTest::PatternFromFile_data() {
  QTest::addColumn<int>("n");
  QTest::newRow("2") << 2;
  QTest::newRow("3") << 3;
  QTest::newRow("10") << 10;
}

// From the 3 net at start-up: the 2 net is smaller, the 10 net's blocks lie elsewhere; neither may
// leave a square of the 3 net behind.
void WindowPaintTest::PatternFromFile() {
  QFETCH(int, n);
  WindowUnderTest under;
  under.window.resize(640, 520);  // the 10 net reaches x = 608, y = 498
  QVERIFY(QTest::qWaitForWindowExposed(&under.window));
  LoadPattern(under, dir_.filePath(QString("mixed%1.q").arg(n)));
  QCOMPARE(document.cube.size, n);
  const QImage shown = under.Screen();
  QCOMPARE(FirstDifference(shown, ExpectedNet(shown.size(), n, Mixed), CaptionRoom(under.window)), QString());
}

void WindowPaintTest::CaptionIsCentredOnSixtyWithItsTopAt170() {
  WindowUnderTest under;
  under.window.resize(640, 520);
  QVERIFY(QTest::qWaitForWindowExposed(&under.window));
  // Over the 10 net the caption lies on squares, and covers them with its own white ground.
  LoadPattern(under, dir_.filePath("mixed10.q"));
  const QImage shown = under.Screen();
  const QRect room = CaptionRoom(under.window);
  QRect ink;
  for (int y = room.top(); y <= room.bottom(); ++y)
    for (int x = room.left() + 1; x < room.right(); ++x) {
      const QColor pixel = shown.pixelColor(x, y);
      QVERIFY2(pixel.red() == pixel.green() && pixel.green() == pixel.blue(),
               qPrintable(QString("colour under the caption at (%1, %2)").arg(x).arg(y)));
      if (pixel.red() < 128) ink |= QRect(x, y, 1, 1);
    }
  QVERIFY(!ink.isEmpty());
  QVERIFY2(qAbs(ink.left() + ink.right() - 120) <= 3,
           qPrintable(QString("ink spans x %1 to %2").arg(ink.left()).arg(ink.right())));
  const QFontMetrics metrics(under.window.font());
  // '?', 'f', 'l' and 'h' reach up to about the cap height, below the line's top.
  QVERIFY(ink.top() >= 170);
  QVERIFY(ink.top() <= 170 + metrics.ascent() - metrics.capHeight() + 1);
}

void WindowPaintTest::SmallerPatternLeavesNoOldSquares() {
  WindowUnderTest under;
  under.window.resize(640, 520);
  QVERIFY(QTest::qWaitForWindowExposed(&under.window));
  LoadPattern(under, dir_.filePath("mixed10.q"));
  under.Screen();
  LoadPattern(under, dir_.filePath("mixed2.q"));
  const QImage shown = under.Screen();
  QCOMPARE(FirstDifference(shown, ExpectedNet(shown.size(), 2, Mixed), CaptionRoom(under.window)), QString());
}

void WindowPaintTest::NewSizeRepaintsTheWholeArea() {
  WindowUnderTest under;
  QVERIFY(QTest::qWaitForWindowExposed(&under.window));
  under.Screen();
  under.window.resize(720, 560);
  const QImage grown = under.Screen();
  QCOMPARE(FirstDifference(grown, ExpectedNet(QSize(720, 560), 3, Solved), CaptionRoom(under.window)),
           QString());
  under.window.resize(150, 120);
  const QImage shrunk = under.Screen();
  QCOMPARE(FirstDifference(shrunk, ExpectedNet(QSize(150, 120), 3, Solved), QRect()), QString());
}

void WindowPaintTest::CellsOutsideTheSixColoursShowAsBackground() {
  QCOMPARE(BrushColour(-1), QColor(Qt::white));
  QCOMPARE(BrushColour(6), QColor(Qt::white));
  QCOMPARE(BrushColour(1 << 30), QColor(Qt::white));
  QCOMPARE(BrushColour(3), QColor(255, 144, 0));

  WindowUnderTest under;
  QVERIFY(QTest::qWaitForWindowExposed(&under.window));
  document.cube.live[CellIndex(F, 1, 1)] = -1;
  document.cube.live[CellIndex(R, 0, 2)] = 6;
  document.cube.live[CellIndex(D, 2, 0)] = 99999;
  under.window.update();
  const QImage shown = under.Screen();
  auto colour = [](int face, int row, int column) {
    return document.cube.live[CellIndex(face, row, column)];
  };
  QCOMPARE(FirstDifference(shown, ExpectedNet(shown.size(), 3, colour), CaptionRoom(under.window)),
           QString());
  QCOMPARE(shown.pixel(66 + 6, 78 + 6) & 0xffffff, 0xffffffu);
}

void WindowPaintTest::UnboundKeyPaintsAtOnceBoundKeyLater() {
  WindowUnderTest under;
  QVERIFY(QTest::qWaitForWindowExposed(&under.window));
  under.Screen();
  auto grabNow = [&] { return under.window.screen()->grabWindow(under.window.winId()).toImage(); };
  const QPoint centreOfF(66 + 6, 78 + 6);

  // A change the window has not been told of shows at the next unbound key, inside its handler.
  document.cube.live[CellIndex(F, 1, 1)] = 5;
  QCOMPARE(grabNow().pixel(centreOfF) & 0xffffff, 0xffff00u);
  QTest::keyClick(&under.window, 'U');
  QCOMPARE(grabNow().pixel(centreOfF) & 0xffffff, 0x0000ffu);

  // A bound key only asks: the picture changes once the event loop runs.
  QTest::keyClick(&under.window, '*');
  QCOMPARE(grabNow().pixel(centreOfF) & 0xffffff, 0x0000ffu);
  QCOMPARE(under.Screen().pixel(centreOfF) & 0xffffff, 0xffff00u);
}

void WindowPaintTest::LinesAndFillsFollowTheDeviceContextRules() {
  QImage drawn(20, 20, QImage::Format_RGB32);
  drawn.fill(Qt::white);
  {
    QPainter painter(&drawn);
    PainterSurface surface(painter);
    surface.SelectOutlinePen();
    surface.MoveTo(2, 2);
    surface.LineTo(8, 2);  // right, then down
    surface.LineTo(8, 6);
    surface.MoveTo(15, 15);
    surface.LineTo(10, 15);  // left, then up
    surface.LineTo(10, 11);
    surface.MoveTo(1, 10);
    surface.LineTo(5, 14);                   // a slant
    surface.FillRectangle(12, 2, 15, 5, 4);  // right and bottom edges left out
    surface.FillRectangle(17, 2, 17, 5, 1);  // empty
    surface.RestorePen();
  }
  QImage expected(20, 20, QImage::Format_RGB32);
  expected.fill(Qt::white);
  for (int x = 2; x < 8; ++x) expected.setPixel(x, 2, 0xff000000);
  for (int y = 2; y < 6; ++y) expected.setPixel(8, y, 0xff000000);
  for (int x = 15; x > 10; --x) expected.setPixel(x, 15, 0xff000000);
  for (int y = 15; y > 11; --y) expected.setPixel(10, y, 0xff000000);
  for (int k = 0; k < 4; ++k) expected.setPixel(1 + k, 10 + k, 0xff000000);
  for (int y = 2; y < 5; ++y)
    for (int x = 12; x < 15; ++x) expected.setPixel(x, y, 0xff00ff00);
  QCOMPARE(FirstDifference(drawn, expected, QRect()), QString());
}

void WindowPaintTest::TextFollowsTheAlignment() {
  // The ink of "H" for each alignment at (100, 40): left, right or centre on x; top, bottom or baseline on y.
  auto inkOf = [](int alignment) {
    QImage image(200, 80, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
      QPainter painter(&image);
      PainterSurface surface(painter);
      surface.SetAlignment(alignment);
      surface.WriteText(100, 40, "HH", 2);
    }
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (qGray(image.pixel(x, y)) < 128) ink |= QRect(x, y, 1, 1);
    return ink;
  };
  const QFontMetrics metrics(QApplication::font());
  const QRect leftTop = inkOf(0);
  QVERIFY(leftTop.left() >= 100 && leftTop.left() <= 103);
  QVERIFY(leftTop.top() > 40 && leftTop.top() <= 40 + metrics.ascent() - metrics.capHeight() + 1);
  QVERIFY(inkOf(2).right() < 100 && inkOf(2).right() >= 96);
  QVERIFY(qAbs(inkOf(6).left() + inkOf(6).right() - 200) <= 2);
  QCOMPARE(inkOf(6).top(), leftTop.top());
  QCOMPARE(inkOf(24).bottom(), 39);  // the baseline is the row under the ink
  QVERIFY(inkOf(8).bottom() < 40 - metrics.descent() + 1);
}

QTEST_MAIN(WindowPaintTest)
#include "window_paint_test.moc"
