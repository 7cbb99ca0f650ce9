// The move player's window beside the real main window: opened from the menu on the typed moves, its
// buttons, slider and text clicks moving the main window's cube, playing to the end, its field, and
// closing it as one undo step or by a key in the main window.
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>

#include "qt/window_fixture.h"

namespace {

const QString kEllipsis = QString::fromUtf8("\xE2\x80\xA6");

// The cube the window started from after `alg`.
Cube After(const Cube& start, const char* alg) {
  Cube cube = start;
  std::vector<BlockMove> moves;
  char reason[160];
  if (ParseAlg(alg, std::strlen(alg), cube.size, &moves, reason, sizeof reason))
    ApplyBlockMoves(cube, moves.data(), moves.size());
  return cube;
}

bool Shows(const Cube& cube) { return CompareCubes(cube.size, cube.live, document.cube.live) == 0; }

// Types `alg` through the menu's prompt.
void Type(WindowUnderTest& under, MenuHand& menu, const QString& alg) {
  under.hand.onPrompt = [alg](QInputDialog* prompt) {
    prompt->setTextValue(alg);
    prompt->accept();
  };
  Choose(under, menu, QStringLiteral("Type moves") + kEllipsis);
}

// Whether the main window shows the second outline one pixel inside the square's own.
bool Outlined(WindowUnderTest& under, Face face, int row, int column) {
  const QImage screen = under.Screen();
  BuildNetView(&document.windowView, kLettersNone, true, false);
  for (int k = 0; k < document.windowView.squareCount; ++k) {
    const ViewSquare& s = document.windowView.squares[k];
    if (s.face == face && s.row == row && s.column == column)
      return screen.pixelColor(s.left + 1, (s.top + s.bottom) / 2) == QColor(Qt::black);
  }
  return false;
}

}  // namespace

class WindowPlayerTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QuietSizeHintWarnings(); }
  void PlaysTypedMovesOnTheMainWindowAndClosesAsOneUndoStep();
  void TheFieldTakesAnotherSequenceOrNamesTheTokenItRefuses();
};

void WindowPlayerTest::PlaysTypedMovesOnTheMainWindowAndClosesAsOneUndoStep() {
  WindowUnderTest under;
  MenuHand menu;
  const Cube start = document.cube;
  Type(under, menu, QStringLiteral("R U R' U'"));
  const Cube end = document.cube;
  Choose(under, menu, QStringLiteral("Play moves") + kEllipsis);
  PlayerWindow* player = under.desktop.player();
  QVERIFY(player != nullptr && player->isVisible());
  QCOMPARE(player->windowTitle(), QStringLiteral("Plexaro moves"));
  QCOMPARE(player->text()->toPlainText(), QStringLiteral("R U R' U'"));
  QCOMPARE(player->slider()->maximum(), 4);
  QCOMPARE(player->slider()->value(), 4);  // at the end, which the window already shows
  QVERIFY(Shows(end));
  QVERIFY(!Outlined(under, R, 0, 0));  // no move next

  // Back a move: the window shows three, and U' is the next move: its token marked, its layers outlined.
  QTest::mouseClick(player->button(kPlayerBackButton), Qt::LeftButton);
  QVERIFY(Shows(After(start, "R U R'")));
  QCOMPARE(player->slider()->value(), 3);
  QVERIFY(player->counts()->text().startsWith(QStringLiteral("Move 3 of 4")));
  const QList<QTextEdit::ExtraSelection> marks = player->text()->extraSelections();
  QCOMPARE(marks.size(), 1);
  QCOMPARE(marks[0].cursor.selectedText(), QStringLiteral("U'"));
  QCOMPARE(marks[0].cursor.selectionStart(), 7);
  QVERIFY(Outlined(under, U, 1, 1));
  QVERIFY(!Outlined(under, D, 1, 1));

  // A click on the second token, the U: to just before it.
  QTextCursor at(player->text()->document());
  at.setPosition(2);
  const QRect glyph = player->text()->cursorRect(at);
  QTest::mouseClick(player->text()->viewport(), Qt::LeftButton, {}, glyph.center() + QPoint(3, 0));
  QCOMPARE(PlayerPosition(), 1);
  QVERIFY(Shows(After(start, "R")));

  // The slider, then playing to the end at the fastest speed.
  player->slider()->setValue(0);
  QVERIFY(Shows(start));
  player->speed()->setCurrentIndex(kPlaySpeedCount - 1);
  emit player->speed()->activated(kPlaySpeedCount - 1);
  QCOMPARE(PlayerSpeed(), kPlaySpeeds[kPlaySpeedCount - 1]);
  QTest::mouseClick(player->button(kPlayerPlayButton), Qt::LeftButton);
  QCOMPARE(player->button(kPlayerPlayButton)->text(), QStringLiteral("Pause"));
  QTRY_VERIFY_WITH_TIMEOUT(!PlayerPlaying(), 10000);
  QCOMPARE(PlayerPosition(), 4);
  QVERIFY(Shows(end));
  QCOMPARE(player->button(kPlayerPlayButton)->text(), QStringLiteral("Play"));

  // Closed two moves back: one undo step takes the window back to where the player opened.
  QTest::mouseClick(player->button(kPlayerBackButton), Qt::LeftButton);
  QTest::mouseClick(player->button(kPlayerBackButton), Qt::LeftButton);
  player->close();
  QVERIFY(!PlayerIsOpen());
  QVERIFY(Shows(After(start, "R U")));
  Choose(under, menu, QStringLiteral("Undo"));
  QVERIFY(Shows(end));

  // A key in the main window closes it first, keeping what it showed, then turns as always.
  Choose(under, menu, QStringLiteral("Play moves") + kEllipsis);
  QVERIFY(player->isVisible());
  QTest::mouseClick(player->button(kPlayerStartButton), Qt::LeftButton);
  QTest::keyClick(&under.window, 'f');
  WindowUnderTest::Settle();
  QVERIFY(!player->isVisible());
  QVERIFY(!PlayerIsOpen());
  QVERIFY(Shows(After(start, "F")));
}

void WindowPlayerTest::TheFieldTakesAnotherSequenceOrNamesTheTokenItRefuses() {
  WindowUnderTest under;
  MenuHand menu;
  Choose(under, menu, QStringLiteral("Play moves") + kEllipsis);
  PlayerWindow* player = under.desktop.player();
  QVERIFY(player != nullptr);
  QCOMPARE(PlayerLength(), 0);
  QVERIFY(player->text()->toPlainText().isEmpty());
  QCOMPARE(player->text()->placeholderText(), QString::fromUtf8(kPlayerEmpty));
  QTest::keyClicks(player->field(), QStringLiteral("R Q"));
  QTest::keyClick(player->field(), Qt::Key_Return);
  QVERIFY(player->problem()->isVisible());
  QVERIFY2(player->problem()->text().contains(QLatin1Char('Q')), qPrintable(player->problem()->text()));
  player->field()->clear();
  QTest::keyClicks(player->field(), QStringLiteral("R U2 // two moves"));
  QTest::keyClick(player->field(), Qt::Key_Return);
  QVERIFY(!player->problem()->isVisible());
  QVERIFY(player->field()->text().isEmpty());
  QCOMPARE(PlayerLength(), 2);
  QCOMPARE(PlayerPosition(), 0);
  player->close();

  // A move file applied from the menu, not ASCII before its moves: the marks still land on the tokens.
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("accented.mov"));
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write("\xC3\xA9 R\nU2\n");
  file.close();
  under.hand.onDialog = TypeName(path);
  Choose(under, menu, QStringLiteral("Apply moves") + kEllipsis);
  Choose(under, menu, QStringLiteral("Play moves") + kEllipsis);
  QCOMPARE(player->text()->toPlainText(), QString::fromUtf8("\xC3\xA9 R\nU2\n"));
  QCOMPARE(PlayerLength(), 2);
  QTest::mouseClick(player->button(kPlayerStartButton), Qt::LeftButton);
  QList<QTextEdit::ExtraSelection> marks = player->text()->extraSelections();
  QCOMPARE(marks.size(), 1);
  QCOMPARE(marks[0].cursor.selectedText(), QStringLiteral("R"));
  QTest::mouseClick(player->button(kPlayerForwardButton), Qt::LeftButton);
  marks = player->text()->extraSelections();
  QCOMPARE(marks[0].cursor.selectedText(), QStringLiteral("U2"));
  QCOMPARE(player->ByteOfPosition(marks[0].cursor.selectionStart()), 5u);
  player->close();
}

QTEST_MAIN(WindowPlayerTest)
#include "window_player_test.moc"
