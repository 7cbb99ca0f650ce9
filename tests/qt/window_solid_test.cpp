// The solid cube through the real window: chosen from the menu, painted as the core's frame says,
// dragged, clicked and undone, a new cube of another size, and the net as it always was.
#include "frontends/qt/painter_surface.h"
#include "qt/window_fixture.h"

namespace {

const QString kTimes = QString::fromUtf8("\xC3\x97");

// The colour every facelet polygon shows at its centre, against the core's frame for the client size.
int Mismatches(WindowUnderTest& under) {
  const QImage screen = under.Screen();
  BuildWindowFrame(&document.windowFrame, under.window.width(), under.window.height());
  const CubeFrame& frame = document.windowFrame;
  int wrong = 0;
  for (int k = 0; k < frame.count; ++k) {
    const CubePolygon& p = frame.polygons[k];
    if (p.face == kBodyFace) continue;
    float x = 0, y = 0;
    for (int c = 0; c < kCubePolygonCorners; ++c)
      x += p.x[c] / kCubePolygonCorners, y += p.y[c] / kCubePolygonCorners;
    wrong += screen.pixelColor(static_cast<int>(x), static_cast<int>(y)) != BrushColour(p.brush);
  }
  return wrong;
}

// The centre of the polygon that shows a facelet.
QPoint FaceletCentre(int width, int height, int face, int row, int column) {
  BuildWindowFrame(&document.windowFrame, width, height);
  for (int k = 0; k < document.windowFrame.count; ++k) {
    const CubePolygon& p = document.windowFrame.polygons[k];
    if (p.face != face || p.row != row || p.column != column) continue;
    float x = 0, y = 0;
    for (int c = 0; c < kCubePolygonCorners; ++c)
      x += p.x[c] / kCubePolygonCorners, y += p.y[c] / kCubePolygonCorners;
    return QPoint(static_cast<int>(x), static_cast<int>(y));
  }
  return QPoint(-1, -1);
}

}  // namespace

class WindowSolidTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QuietSizeHintWarnings(); }
  void SolidViewPaintsDragsClicksAndGivesANewCube();
};

void WindowSolidTest::SolidViewPaintsDragsClicksAndGivesANewCube() {
  WindowUnderTest under;
  MenuHand menu;
  HandleCharacter('r');
  HandleCharacter('u');
  const QImage net = under.Screen();
  Choose(under, menu, QStringLiteral("Cube"));
  QCOMPARE(static_cast<int>(document.view.mode), static_cast<int>(kViewCube));
  Choose(under, menu, QString());
  QVERIFY(!menu.items.value(QStringLiteral("Fit the net to the window")).enabled);
  QVERIFY(menu.items.value(QStringLiteral("Cube")).checked);
  QCOMPARE(Mismatches(under), 0);

  // A drag turns the camera and changes nothing else; the picture follows.
  const CubeCamera before = document.view.camera;
  const QPoint start(300, 200);
  QTest::mousePress(&under.window, Qt::LeftButton, {}, start);
  QTest::mouseMove(&under.window, start + QPoint(20, 0));
  QTest::mouseMove(&under.window, start + QPoint(60, 30));
  QTest::mouseRelease(&under.window, Qt::LeftButton, {}, start + QPoint(60, 30));
  QVERIFY(document.view.camera.turn != before.turn);
  QVERIFY(document.view.camera.tilt != before.tilt);
  QCOMPARE(Mismatches(under), 0);

  // A click on a facelet gives it the next colour, as on the net; undo takes it back.
  const int w = under.window.width(), h = under.window.height();
  const QPoint centre = FaceletCentre(w, h, F, 0, 0);
  QVERIFY(centre.x() >= 0);
  const int colour = document.cube.live[CellIndex(F, 0, 0)];
  QTest::mouseClick(&under.window, Qt::LeftButton, {}, centre);
  QCOMPARE(document.cube.live[CellIndex(F, 0, 0)], (colour + 1) % 6);
  QCOMPARE(Mismatches(under), 0);
  Choose(under, menu, QStringLiteral("Undo"));
  QCOMPARE(document.cube.live[CellIndex(F, 0, 0)], colour);

  // A key turn plays and ends where the cube already stands.
  HandleCharacter('f');
  const Cube* from;
  BlockMove move;
  double fraction;
  QVERIFY(AnimationFrame(&from, &move, &fraction));
  QTRY_VERIFY_WITH_TIMEOUT(!AnimationFrame(&from, &move, &fraction), 10000);
  QCOMPARE(Mismatches(under), 0);

  // A new cube of another size, solved, in the same view; the net comes back as it was painted.
  Choose(under, menu, QStringLiteral("5") + kTimes + QStringLiteral("5") + kTimes + QStringLiteral("5"));
  QCOMPARE(static_cast<int>(document.cube.size), 5);
  QCOMPARE(CheckSolved(5, document.cube.live), 0);
  QCOMPARE(Mismatches(under), 0);
  Choose(under, menu, QStringLiteral("Undo"));
  Choose(under, menu, QStringLiteral("Undo"));
  QCOMPARE(static_cast<int>(document.cube.size), 3);
  Choose(under, menu, QStringLiteral("Net"));
  QCOMPARE(under.Screen(), net);
}

QTEST_MAIN(WindowSolidTest)
#include "window_solid_test.moc"
