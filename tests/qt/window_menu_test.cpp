// The mouse through the real window: the right button's menu and each item's effect, clicks on the
// squares at several sizes, the fitted net, and dropped files.
#include <QComboBox>
#include <QMenu>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include "frontends/qt/painter_surface.h"
#include "qt/window_fixture.h"

namespace {

class PaintCounter : public QObject {
 public:
  int count = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++count;
    return false;
  }
};

const QString kEllipsis = QString::fromUtf8("\xE2\x80\xA6");

// A square's centre in the net's own pixels.
QPoint SquareCentre(int face, int row, int column) {
  int left, top, right, bottom;
  SquareBox(document.layout, face, row, column, &left, &top, &right, &bottom);
  return QPoint((left + right) / 2, (top + bottom) / 2);
}

int Cell(int face, int row, int column) { return document.cube.live[CellIndex(face, row, column)]; }

// Colours that differ from square to square and from face to face.
int Varied(int face, int row, int column) { return (face + row + 2 * column) % 6; }

}  // namespace

class WindowMenuTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void cleanup();
  void RightButtonShowsTheCoreTable();
  void MenuNeverOpensFromAKey();
  void UndoAndRedoAcrossAScrambleAndAClick();
  void ApplyMovesTurnsThePatternShown();
  void TypedMovesTurnThePatternShownOrNameTheBadToken();
  void SavedPatternLoadsBack();
  void ExportWritesThePictureOfTheChosenFilter();
  void AboutAndOrderBoxes();
  void SolverBoxThenItsMovesSaved();
  void LettersChangeThePaintingOnlyWhileOn();
  void ClickHitsTheSquare_data();
  void ClickHitsTheSquare();
  void FittedLargestNetShowsEverySquare();
  void DroppedFilesOpenByExtension();

 private:
  QTemporaryDir dir_;
  QString Path(const QString& name) const { return dir_.filePath(name); }
};

void WindowMenuTest::initTestCase() {
  QuietSizeHintWarnings();
  QVERIFY(dir_.isValid());
}

void WindowMenuTest::cleanup() {
  document.view.letters = kLettersNone;
  document.view.fitToWindow = false;
  document.last.read = false;
}

void WindowMenuTest::RightButtonShowsTheCoreTable() {
  WindowUnderTest under;
  MenuHand menu;
  // The window goes on painting under the menu.
  PaintCounter paints;
  int paintsWhileUp = 0;
  menu.whileUp = [&] {
    under.window.installEventFilter(&paints);
    under.window.RequestRepaint(true);
    WindowUnderTest::Settle();
    paintsWhileUp = paints.count;
  };
  Choose(under, menu, QString());
  QCOMPARE(menu.menus, 1);
  QVERIFY(paintsWhileUp > 0);
  for (const MenuItem& item : kMenuItems)
    QVERIFY2(menu.items.contains(QString::fromUtf8(item.text)), item.text);
  QVERIFY(menu.items.contains(QStringLiteral("Letters on the squares")));
  QVERIFY(!menu.items.value(QStringLiteral("Undo")).enabled);
  QVERIFY(!menu.items.value(QStringLiteral("Redo")).enabled);
  QVERIFY(!menu.items.value(QStringLiteral("Order of the last move file") + kEllipsis).enabled);
  QVERIFY(menu.items.value(QStringLiteral("Off")).checked);
  QVERIFY(!menu.items.value(QStringLiteral("Fit the net to the window")).checked);
  // Neither the left nor the middle button opens it.
  QTest::mouseClick(&under.window, Qt::LeftButton, {}, QPoint(300, 300));
  QTest::mouseClick(&under.window, Qt::MiddleButton, {}, QPoint(300, 300));
  WindowUnderTest::Settle();
  QCOMPARE(menu.menus, 1);
  QCOMPARE(static_cast<int>(CheckSolved(document.cube.size, document.cube.live)), 0);
}

void WindowMenuTest::MenuNeverOpensFromAKey() {
  WindowUnderTest under;
  MenuHand menu;
  const QImage before = under.Screen();
  QTest::keyClick(&under.window, Qt::Key_Menu);
  QTest::keyClick(&under.window, Qt::Key_F10, Qt::ShiftModifier);
  // What the keyboard's menu request becomes when no key handler took it.
  QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(10, 10),
                            under.window.mapToGlobal(QPoint(10, 10)));
  QApplication::sendEvent(&under.window, &request);
  QCoreApplication::sendPostedEvents();  // a menu put off until the event loop would show now
  QCOMPARE(menu.menus, 0);
  QCOMPARE(under.Screen(), before);
  QCOMPARE(static_cast<int>(CheckSolved(document.cube.size, document.cube.live)), 0);
}

void WindowMenuTest::UndoAndRedoAcrossAScrambleAndAClick() {
  WindowUnderTest under;
  MenuHand menu;
  QTest::keyClick(&under.window, ',');
  CubeState scrambled;
  CopyCube(document.cube.size, document.cube.live, scrambled);
  const int colour = Cell(F, 1, 1);
  QTest::mouseClick(&under.window, Qt::LeftButton, {}, SquareCentre(F, 1, 1));
  QCOMPARE(Cell(F, 1, 1), (colour + 1) % 6);
  Choose(under, menu, QStringLiteral("Undo"));
  QCOMPARE(CompareCubes(document.cube.size, document.cube.live, scrambled), 0);
  QVERIFY(menu.items.value(QStringLiteral("Undo")).enabled);
  Choose(under, menu, QStringLiteral("Undo"));
  QCOMPARE(static_cast<int>(CheckSolved(document.cube.size, document.cube.live)), 0);
  Choose(under, menu, QStringLiteral("Redo"));
  QCOMPARE(CompareCubes(document.cube.size, document.cube.live, scrambled), 0);
  Choose(under, menu, QStringLiteral("Redo"));
  QCOMPARE(Cell(F, 1, 1), (colour + 1) % 6);
  QVERIFY(!MenuItemEnabled(kMenuRedo));
}

void WindowMenuTest::ApplyMovesTurnsThePatternShown() {
  WindowUnderTest under;
  MenuHand menu;
  QFile file(Path("back.mov"));
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write("R'\n");
  file.close();
  QTest::keyClick(&under.window, 'r');
  under.hand.onDialog = TypeName(Path("back.mov"));
  Choose(under, menu, QStringLiteral("Apply moves") + kEllipsis);
  QCOMPARE(under.hand.dialogs, 1);
  QCOMPARE(static_cast<int>(CheckSolved(document.cube.size, document.cube.live)), 0);
  QCOMPARE(under.hand.boxes.size(), 1);
  QCOMPARE(under.hand.boxes[0].title, QStringLiteral("Moves"));
  // One step back is the R turn, not a solved cube.
  Choose(under, menu, QStringLiteral("Undo"));
  QVERIFY(static_cast<int>(CheckSolved(document.cube.size, document.cube.live)) != 0);
  Choose(under, menu, QStringLiteral("Undo"));
  QCOMPARE(static_cast<int>(CheckSolved(document.cube.size, document.cube.live)), 0);
}

void WindowMenuTest::TypedMovesTurnThePatternShownOrNameTheBadToken() {
  WindowUnderTest under;
  MenuHand menu;
  QTest::keyClick(&under.window, 'r');
  QString title;
  under.hand.onPrompt = [&title](QInputDialog* prompt) {
    title = prompt->windowTitle();
    auto* field = prompt->findChild<QLineEdit*>();
    QVERIFY(field != nullptr);
    QTest::keyClicks(field, QStringLiteral("x' L' 2L' (R U)0"));
    QTest::keyClick(field, Qt::Key_Return);
  };
  Choose(under, menu, QStringLiteral("Type moves") + kEllipsis);
  QCOMPARE(under.hand.prompts, 1);
  QCOMPARE(title, QStringLiteral("Type moves"));
  // x' turns all three layers like L; less L and the middle it is R', which takes back the r.
  QCOMPARE(static_cast<int>(CheckSolved(document.cube.size, document.cube.live)), 0);
  QVERIFY(under.hand.boxes.isEmpty());
  Choose(under, menu, QStringLiteral("Undo"));
  QVERIFY(static_cast<int>(CheckSolved(document.cube.size, document.cube.live)) != 0);
  under.hand.onPrompt = [](QInputDialog* prompt) {
    prompt->setTextValue(QStringLiteral("R [U, M"));
    prompt->accept();
  };
  CubeState before;
  CopyCube(document.cube.size, document.cube.live, before);
  Choose(under, menu, QStringLiteral("Type moves") + kEllipsis);
  QCOMPARE(CompareCubes(document.cube.size, document.cube.live, before), 0);
  QCOMPARE(under.hand.boxes.size(), 1);
  QCOMPARE(under.hand.boxes[0].title, QStringLiteral("Error"));
  QCOMPARE(under.hand.boxes[0].text,
           QStringLiteral("\"[\" at line 1, column 3: this bracket is never closed"));
}

void WindowMenuTest::SavedPatternLoadsBack() {
  WindowUnderTest under;
  MenuHand menu;
  QTest::keyClick(&under.window, 'm');
  CubeState saved;
  CopyCube(document.cube.size, document.cube.live, saved);
  QString startName = QStringLiteral("unset");
  under.hand.onDialog = [&](QFileDialog* dialog) {
    QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
    startName = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
    TypeName(Path("kept"))(dialog);
  };
  Choose(under, menu, QStringLiteral("Save pattern as") + kEllipsis);
  QCOMPARE(startName, QString());
  QVERIFY(QFile::exists(Path("kept.q")));
  QVERIFY(under.hand.boxes.isEmpty());
  QTest::keyClick(&under.window, '*');
  under.hand.onDialog = TypeName(Path("kept.q"));
  QTest::keyClick(&under.window, '[');
  QCOMPARE(CompareCubes(document.cube.size, document.cube.live, saved), 0);
}

void WindowMenuTest::ExportWritesThePictureOfTheChosenFilter() {
  WindowUnderTest under;
  MenuHand menu;
  under.hand.onDialog = TypeName(Path("net"));
  Choose(under, menu, QStringLiteral("Export picture") + kEllipsis);
  QImage png(Path("net.png"));
  QVERIFY(!png.isNull());
  QCOMPARE(png.width(), PictureWidth());
  QCOMPARE(png.height(), PictureHeight());
  under.hand.onDialog = [&](QFileDialog* dialog) {
    auto* filters = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    QVERIFY(filters != nullptr);
    QTest::keyClick(filters, Qt::Key_Down);
    TypeName(Path("net"))(dialog);
  };
  Choose(under, menu, QStringLiteral("Export picture") + kEllipsis);
  QFile svg(Path("net.svg"));
  QVERIFY(svg.open(QIODevice::ReadOnly));
  QVERIFY(svg.readAll().contains("<svg"));
  QVERIFY(under.hand.boxes.isEmpty());
  // A folder that does not exist: the reason in an error box.
  under.hand.onDialog = TypeName(Path("missing/net.png"));
  Choose(under, menu, QStringLiteral("Export picture") + kEllipsis);
  QCOMPARE(under.hand.boxes.size(), 1);
  QCOMPARE(under.hand.boxes[0].title, QStringLiteral("Error"));
}

void WindowMenuTest::AboutAndOrderBoxes() {
  WindowUnderTest under;
  MenuHand menu;
  Choose(under, menu, QStringLiteral("About this pattern") + kEllipsis);
  QCOMPARE(under.hand.boxes.size(), 1);
  QCOMPARE(under.hand.boxes[0].title, QStringLiteral("About this pattern"));
  QVERIFY(under.hand.boxes[0].text.contains(QStringLiteral("Total C: 1   Total M: 1")));
  QVERIFY(under.hand.boxes[0].text.contains(QStringLiteral("A real cube can show this pattern.")));
  QFile file(Path("sexy.mov"));
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write("R U R' U'\n");
  file.close();
  under.hand.onDialog = TypeName(Path("sexy.mov"));
  QTest::keyClick(&under.window, '{');
  Choose(under, menu, QStringLiteral("Order of the last move file") + kEllipsis);
  QVERIFY(menu.items.value(QStringLiteral("Order of the last move file") + kEllipsis).enabled);
  QCOMPARE(under.hand.boxes.size(), 3);  // the Moves box, then the order
  // R U R' U' repeated six times is the identity.
  QVERIFY2(under.hand.boxes[2].text.contains(QStringLiteral("Order: 6\n")),
           qPrintable(under.hand.boxes[2].text));
}

void WindowMenuTest::SolverBoxThenItsMovesSaved() {
  WindowUnderTest under;
  MenuHand menu;
  const QString solve = QStringLiteral("Moves that make this pattern") + kEllipsis;
  const QString save = QStringLiteral("Save these moves as") + kEllipsis;
  QTest::keyClick(&under.window, 'r');
  QTest::keyClick(&under.window, Qt::Key_Left);
  Choose(under, menu, solve);
  QVERIFY(!menu.items.value(save).enabled);
  QCOMPARE(under.hand.boxes.size(), 1);
  QCOMPARE(under.hand.boxes[0].title, QStringLiteral("Moves that make this pattern"));
  QVERIFY2(under.hand.boxes[0].text.contains(QStringLiteral("From the solved cube: R\n")),
           qPrintable(under.hand.boxes[0].text));
  CubeState pattern;
  CopyCube(document.cube.size, document.cube.live, pattern);
  under.hand.onDialog = TypeName(Path("made"));
  Choose(under, menu, save);
  QVERIFY(menu.items.value(save).enabled);
  QFile file(Path("made.mov"));
  QVERIFY(file.open(QIODevice::ReadOnly));
  QVERIFY(file.readAll().startsWith("R "));
  // Read back, the file makes the pattern, rotation included.
  QTest::keyClick(&under.window, '*');
  under.hand.onDialog = TypeName(Path("made.mov"));
  QTest::keyClick(&under.window, '{');
  QCOMPARE(CompareCubes(document.cube.size, document.cube.live, pattern), 0);
  QTest::mouseClick(&under.window, Qt::LeftButton, {}, SquareCentre(F, 1, 1));
  Choose(under, menu, QString());
  QVERIFY(!menu.items.value(save).enabled);
}

void WindowMenuTest::LettersChangeThePaintingOnlyWhileOn() {
  WindowUnderTest under;
  MenuHand menu;
  const QImage plain = under.Screen();
  Choose(under, menu, QStringLiteral("Colour letters"));
  QCOMPARE(document.view.letters, kLettersColours);
  const QImage lettered = under.Screen();
  QVERIFY(lettered != plain);
  // Letter pixels are black and lie inside the squares.
  const QPoint centre = SquareCentre(F, 1, 1);
  int black = 0;
  for (int dy = -4; dy <= 4; ++dy)
    for (int dx = -4; dx <= 4; ++dx)
      if (lettered.pixelColor(centre + QPoint(dx, dy)).lightness() < 60) ++black;
  QVERIFY(black > 0);
  QCOMPARE(static_cast<int>(CheckSolved(document.cube.size, document.cube.live)), 0);
  Choose(under, menu, QStringLiteral("Off"));
  QCOMPARE(under.Screen(), plain);
}

void WindowMenuTest::ClickHitsTheSquare_data() {
  QTest::addColumn<int>("size");
  QTest::newRow("2") << 2;
  QTest::newRow("3") << 3;
  QTest::newRow("10") << 10;
}

void WindowMenuTest::ClickHitsTheSquare() {
  QFETCH(int, size);
  WindowUnderTest under;
  under.window.resize(800, 700);  // the largest net whole
  WritePattern(Path("varied.q"), size, Varied);
  under.hand.onDialog = TypeName(Path("varied.q"));
  QTest::keyClick(&under.window, '[');
  QCOMPARE(static_cast<int>(document.cube.size), size);
  const int last = size - 1;
  for (const auto& [face, row, column] :
       {std::tuple{U, 0, 0}, {L, last, 0}, {F, last / 2, last}, {D, last, last}}) {
    const int colour = Cell(face, row, column);
    QTest::mouseClick(&under.window, Qt::LeftButton, {}, SquareCentre(face, row, column));
    QCOMPARE(Cell(face, row, column), (colour + 1) % 6);
    QTest::mouseClick(&under.window, Qt::LeftButton, Qt::ShiftModifier, SquareCentre(face, row, column));
    QTest::mouseClick(&under.window, Qt::LeftButton, Qt::ShiftModifier, SquareCentre(face, row, column));
    QCOMPARE(Cell(face, row, column), (colour + 5) % 6);
  }
  // The square's last pixels inside its outline count; the gap after it does not.
  int left, top, right, bottom;
  SquareBox(document.layout, F, 0, 0, &left, &top, &right, &bottom);
  const QPoint corner(right, bottom);
  const int colour = Cell(F, 0, 0);
  QTest::mouseClick(&under.window, Qt::LeftButton, {}, corner);
  QCOMPARE(Cell(F, 0, 0), (colour + 1) % 6);
  CubeState before;
  CopyCube(document.cube.size, document.cube.live, before);
  QTest::mouseClick(&under.window, Qt::LeftButton, {}, corner + QPoint(1, 1));
  QTest::mouseClick(&under.window, Qt::LeftButton, {}, QPoint(2, 2));
  QCOMPARE(CompareCubes(document.cube.size, document.cube.live, before), 0);
}

void WindowMenuTest::FittedLargestNetShowsEverySquare() {
  WindowUnderTest under;
  MenuHand menu;
  under.window.resize(600, 400);
  WritePattern(Path("ten.q"), 10, Varied);
  under.hand.onDialog = TypeName(Path("ten.q"));
  QTest::keyClick(&under.window, '[');
  Choose(under, menu, QStringLiteral("Fit the net to the window"));
  QVERIFY(document.view.fitToWindow);
  static NetView view;
  BuildNetView(&view, document.view.letters, true, true);
  const int width = under.window.width(), height = under.window.height();
  ViewTransform t = WindowTransform(view, width, height);
  QVERIFY(t.numerator < t.denominator);
  const QImage screen = under.Screen();
  int seen = 0;
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < 10; ++row)
      for (int column = 0; column < 10; ++column) {
        const QPoint centre = SquareCentre(face, row, column);
        const QPoint shown(ClientFromNet(t, centre.x()), ClientFromNet(t, centre.y()));
        QVERIFY(under.window.rect().contains(shown));
        QCOMPARE(screen.pixelColor(shown), BrushColour(Cell(face, row, column)));
        // A click there finds the same square.
        Face hitFace;
        int hitRow, hitColumn;
        QVERIFY(HitTestWindow(shown.x(), shown.y(), width, height, &hitFace, &hitRow, &hitColumn));
        QCOMPARE(QPoint(hitRow, hitColumn), QPoint(row, column));
        QCOMPARE(static_cast<int>(hitFace), face);
        ++seen;
      }
  QCOMPARE(seen, 600);
  // A click lands on the scaled square.
  const QPoint centre = SquareCentre(B, 9, 9);
  const int colour = Cell(B, 9, 9);
  QTest::mouseClick(&under.window, Qt::LeftButton, {},
                    QPoint(ClientFromNet(t, centre.x()), ClientFromNet(t, centre.y())));
  QCOMPARE(Cell(B, 9, 9), (colour + 1) % 6);
  // A small net fills a large window.
  under.window.resize(1000, 800);
  QTest::keyClick(&under.window, '*');
  document.cube.size = 2;
  QTest::keyClick(&under.window, '*');
  WindowUnderTest::Settle();
  BuildNetView(&view, document.view.letters, true, true);
  t = WindowTransform(view, under.window.width(), under.window.height());
  QVERIFY(t.numerator > 3 * t.denominator);
  int left, top, right, bottom;
  SquareBox(document.layout, U, 0, 0, &left, &top, &right, &bottom);
  QCOMPARE(under.Screen().pixelColor(ClientFromNet(t, left) + 1, ClientFromNet(t, top) + 1),
           QColor(Qt::black));
}

void WindowMenuTest::DroppedFilesOpenByExtension() {
  WindowUnderTest under;
  WritePattern(Path("dropped.q"), 4, Varied);
  QFile moves(Path("dropped.mov"));
  QVERIFY(moves.open(QIODevice::WriteOnly));
  moves.write("F\n");
  moves.close();
  auto drop = [&](const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&under.window, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent dropped(QPointF(100, 100), Qt::CopyAction, &data, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&under.window, &dropped);
    QCoreApplication::sendPostedEvents();  // the open, put off until the drop is over
  };
  drop(Path("dropped.q"));
  QCOMPARE(static_cast<int>(document.cube.size), 4);
  QCOMPARE(Cell(R, 2, 3), Varied(R, 2, 3));
  drop(Path("dropped.mov"));
  QCOMPARE(under.hand.boxes.size(), 1);
  QCOMPARE(under.hand.boxes[0].title, QStringLiteral("Moves"));
  drop(Path("other.txt"));
  QCOMPARE(under.hand.boxes.size(), 2);
  QCOMPARE(under.hand.boxes[1].title, QStringLiteral("Error"));
  QCOMPARE(under.hand.dialogs, 0);
}

QTEST_MAIN(WindowMenuTest)
#include "window_menu_test.moc"
