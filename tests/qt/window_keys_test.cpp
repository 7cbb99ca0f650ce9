// Keystrokes through the real window: which command each one runs, and when the window paints.
#include <QKeyEvent>

#include "qt/window_fixture.h"

namespace {

typedef void (*Operation)();

// The cube after `operation` runs on the pattern that the window started the key from.
struct Snapshot {
  CubeState live;
  CubeState shadow;
  uint32_t random;
  void Take() {
    CopyCube(liveCube, live);
    CopyCube(shadowCube, shadow);
    random = randomState;
  }
  void Restore() const {
    CopyCube(live, liveCube);
    CopyCube(shadow, shadowCube);
    randomState = random;
  }
};

// A pattern with no symmetry to hide a wrong operation behind.
void TurnAway() {
  QuarterTurnU(liveCube, shadowCube);
  QuarterTurnF(liveCube, shadowCube);
  QuarterTurnR(liveCube, shadowCube);
  QuarterTurnR(liveCube, shadowCube);
  QuarterTurnB(liveCube, shadowCube);
}

bool SameCube(const CubeState first, const CubeState second) { return CompareCubes(first, second) == 0; }

// Counts the paint events the window receives.
class PaintCounter : public QObject {
 public:
  int count = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++count;
    return false;
  }
};

}  // namespace

class WindowKeysTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QuietSizeHintWarnings(); }
  void TypedCharacterRunsItsCoreCommand_data();
  void TypedCharacterRunsItsCoreCommand();
  void ArrowRunsItsRotation_data();
  void ArrowRunsItsRotation();
  void PercentCountsAndLeftArrowRotates();
  void HeldArrowTurnsOncePerRepeat();
  void UnboundKeysChangeNothingAndPaintAtOnce_data();
  void UnboundKeysChangeNothingAndPaintAtOnce();
};

void WindowKeysTest::TypedCharacterRunsItsCoreCommand_data() {
  QTest::addColumn<char>("key");
  QTest::addColumn<void*>("operation");
  auto row = [](const char* name, char key, Operation operation) {
    QTest::newRow(name) << key << reinterpret_cast<void*>(operation);
  };
  row("u", 'u', [] { QuarterTurnU(liveCube, shadowCube); });
  row("d", 'd', [] { QuarterTurnD(liveCube, shadowCube); });
  row("f", 'f', [] { QuarterTurnF(liveCube, shadowCube); });
  row("b", 'b', [] { QuarterTurnB(liveCube, shadowCube); });
  row("l", 'l', [] { QuarterTurnL(liveCube, shadowCube); });
  row("r", 'r', [] { QuarterTurnR(liveCube, shadowCube); });
  row("-", '-', [] { TurnColumnSlice(liveCube, shadowCube); });
  row("=", '=', [] { TurnRowSlice(liveCube, shadowCube); });
  row("*", '*', ResetCube);
  row("backslash", '\\', [] { ReflectCentral(liveCube, shadowCube); });
  row("bar", '|', [] { ReflectRightLeft(liveCube, shadowCube); });
  row("comma", ',', [] { Scramble(liveCube, shadowCube, 1); });
  row("m", 'm', [] { Scramble(liveCube, shadowCube, 2); });
  // Characters outside the character table that share an arrow's key-down code.
  row("( is Down", '(', [] { RotateDown(liveCube, shadowCube); });
  row("& is Up", '&', [] { RotateUp(liveCube, shadowCube); });
  row("apostrophe is Right", '\'', [] { RotateRight(liveCube, shadowCube); });
}

void WindowKeysTest::TypedCharacterRunsItsCoreCommand() {
  QFETCH(char, key);
  QFETCH(void*, operation);
  WindowUnderTest under;
  TurnAway();
  Snapshot before;
  before.Take();

  QTest::keyClick(&under.window, key);
  Snapshot typed;
  typed.Take();

  before.Restore();
  reinterpret_cast<Operation>(operation)();
  QVERIFY(SameCube(typed.live, liveCube));
  QVERIFY(SameCube(typed.shadow, shadowCube));
  QVERIFY(!SameCube(typed.live, before.live));  // every row changes this pattern
  QCOMPARE(under.hand.boxes.size(), 0);
}

void WindowKeysTest::ArrowRunsItsRotation_data() {
  QTest::addColumn<int>("key");
  QTest::addColumn<int>("modifiers");
  QTest::addColumn<void*>("operation");
  auto row = [](const char* name, Qt::Key key, Qt::KeyboardModifiers modifiers, Operation operation) {
    QTest::newRow(name) << static_cast<int>(key) << static_cast<int>(modifiers)
                        << reinterpret_cast<void*>(operation);
  };
  row("Left", Qt::Key_Left, Qt::NoModifier, [] { RotateLeft(liveCube, shadowCube); });
  row("Up", Qt::Key_Up, Qt::NoModifier, [] { RotateUp(liveCube, shadowCube); });
  row("Right", Qt::Key_Right, Qt::NoModifier, [] { RotateRight(liveCube, shadowCube); });
  row("Down", Qt::Key_Down, Qt::NoModifier, [] { RotateDown(liveCube, shadowCube); });
  row("keypad Down", Qt::Key_Down, Qt::KeypadModifier, [] { RotateDown(liveCube, shadowCube); });
  row("Shift Right", Qt::Key_Right, Qt::ShiftModifier, [] { RotateRight(liveCube, shadowCube); });
}

void WindowKeysTest::ArrowRunsItsRotation() {
  QFETCH(int, key);
  QFETCH(int, modifiers);
  QFETCH(void*, operation);
  WindowUnderTest under;
  TurnAway();
  Snapshot before;
  before.Take();

  QTest::keyClick(&under.window, static_cast<Qt::Key>(key), Qt::KeyboardModifiers(modifiers));
  Snapshot pressed;
  pressed.Take();

  before.Restore();
  reinterpret_cast<Operation>(operation)();
  QVERIFY(SameCube(pressed.live, liveCube));
  // Exactly once: twice would be a different pattern.
  reinterpret_cast<Operation>(operation)();
  QVERIFY(!SameCube(pressed.live, liveCube));
}

void WindowKeysTest::PercentCountsAndLeftArrowRotates() {
  WindowUnderTest under;
  TurnAway();
  Snapshot before;
  before.Take();

  // '%' is Qt::Key_Percent, 0x25, the Left arrow's code; it must count, not rotate.
  QTest::keyClick(&under.window, '%');
  QCOMPARE(under.hand.boxes.size(), 1);
  QCOMPARE(under.hand.boxes[0].title, QStringLiteral("Symmetry"));
  Snapshot counted;
  counted.Take();
  before.Restore();
  RotateLeft(liveCube, shadowCube);
  QVERIFY(!SameCube(counted.live, liveCube));

  // The Left arrow rotates and never counts.
  before.Restore();
  QTest::keyClick(&under.window, Qt::Key_Left);
  QCOMPARE(under.hand.boxes.size(), 1);
  Snapshot rotated;
  rotated.Take();
  before.Restore();
  RotateLeft(liveCube, shadowCube);
  QVERIFY(SameCube(rotated.live, liveCube));
}

void WindowKeysTest::HeldArrowTurnsOncePerRepeat() {
  WindowUnderTest under;
  TurnAway();
  Snapshot before;
  before.Take();
  for (int i = 0; i < 3; ++i) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier, QString(), i > 0);
    QApplication::sendEvent(&under.window, &press);
  }
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Up, Qt::NoModifier);
  QApplication::sendEvent(&under.window, &release);
  Snapshot held;
  held.Take();
  before.Restore();
  for (int i = 0; i < 3; ++i) RotateUp(liveCube, shadowCube);
  QVERIFY(SameCube(held.live, liveCube));
}

void WindowKeysTest::UnboundKeysChangeNothingAndPaintAtOnce_data() {
  QTest::addColumn<int>("key");
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("modifiers");
  auto row = [](const char* name, Qt::Key key, const QString& text, Qt::KeyboardModifiers modifiers) {
    QTest::newRow(name) << static_cast<int>(key) << text << static_cast<int>(modifiers);
  };
  row("upper-case U", Qt::Key_U, QStringLiteral("U"), Qt::ShiftModifier);
  row("R typed with Shift", Qt::Key_R, QStringLiteral("R"), Qt::ShiftModifier);
  row("digit", Qt::Key_5, QStringLiteral("5"), Qt::NoModifier);
  row("space", Qt::Key_Space, QStringLiteral(" "), Qt::NoModifier);
  row("Return", Qt::Key_Return, QStringLiteral("\r"), Qt::NoModifier);
  row("Tab", Qt::Key_Tab, QStringLiteral("\t"), Qt::NoModifier);
  row("Shift alone", Qt::Key_Shift, QString(), Qt::ShiftModifier);
  row("F1", Qt::Key_F1, QString(), Qt::NoModifier);
  row("Home", Qt::Key_Home, QString(), Qt::NoModifier);
  row("a character outside Latin-1", Qt::Key_unknown, QStringLiteral("\u20ac"), Qt::NoModifier);
  row("two characters at once", Qt::Key_unknown, QStringLiteral("ud"), Qt::NoModifier);
}

void WindowKeysTest::UnboundKeysChangeNothingAndPaintAtOnce() {
  QFETCH(int, key);
  QFETCH(QString, text);
  QFETCH(int, modifiers);
  WindowUnderTest under;
  QVERIFY(QTest::qWaitForWindowExposed(&under.window));
  TurnAway();
  Snapshot before;
  before.Take();
  PaintCounter counter;
  under.window.installEventFilter(&counter);
  WindowUnderTest::Settle();
  counter.count = 0;

  QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
  QApplication::sendEvent(&under.window, &press);
  QCOMPARE(counter.count, 1);  // painted inside the handler
  WindowUnderTest::Settle();
  QCOMPARE(counter.count, 1);  // and no repaint asked for
  QVERIFY(SameCube(before.live, liveCube));
  QVERIFY(SameCube(before.shadow, shadowCube));
  QCOMPARE(under.hand.boxes.size(), 0);
}

QTEST_MAIN(WindowKeysTest)
#include "window_keys_test.moc"
