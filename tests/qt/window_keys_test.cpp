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
    CopyCube(document.cube.size, document.cube.live, live);
    CopyCube(document.cube.size, document.cube.shadow, shadow);
    random = document.random.state;
  }
  void Restore() const {
    CopyCube(document.cube.size, live, document.cube.live);
    CopyCube(document.cube.size, shadow, document.cube.shadow);
    document.random.state = random;
  }
};

// A pattern with no symmetry to hide a wrong operation behind.
void TurnAway() {
  QuarterTurnU(document.cube);
  QuarterTurnF(document.cube);
  QuarterTurnR(document.cube);
  QuarterTurnR(document.cube);
  QuarterTurnB(document.cube);
}

bool SameCube(const CubeState first, const CubeState second) {
  return CompareCubes(document.cube.size, first, second) == 0;
}

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
  row("u", 'u', [] { QuarterTurnU(document.cube); });
  row("d", 'd', [] { QuarterTurnD(document.cube); });
  row("f", 'f', [] { QuarterTurnF(document.cube); });
  row("b", 'b', [] { QuarterTurnB(document.cube); });
  row("l", 'l', [] { QuarterTurnL(document.cube); });
  row("r", 'r', [] { QuarterTurnR(document.cube); });
  row("-", '-', [] { TurnColumnSlice(document.cube); });
  row("=", '=', [] { TurnRowSlice(document.cube); });
  row("*", '*', ResetCube);
  row("backslash", '\\', [] { ReflectCentral(document.cube); });
  row("bar", '|', [] { ReflectRightLeft(document.cube); });
  row("comma", ',', [] { Scramble(document.cube, document.random, 1); });
  row("m", 'm', [] { Scramble(document.cube, document.random, 2); });
  // Characters outside the character table that share an arrow's key-down code.
  row("( is Down", '(', [] { RotateDown(document.cube); });
  row("& is Up", '&', [] { RotateUp(document.cube); });
  row("apostrophe is Right", '\'', [] { RotateRight(document.cube); });
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
  QVERIFY(SameCube(typed.live, document.cube.live));
  QVERIFY(SameCube(typed.shadow, document.cube.shadow));
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
  row("Left", Qt::Key_Left, Qt::NoModifier, [] { RotateLeft(document.cube); });
  row("Up", Qt::Key_Up, Qt::NoModifier, [] { RotateUp(document.cube); });
  row("Right", Qt::Key_Right, Qt::NoModifier, [] { RotateRight(document.cube); });
  row("Down", Qt::Key_Down, Qt::NoModifier, [] { RotateDown(document.cube); });
  row("keypad Down", Qt::Key_Down, Qt::KeypadModifier, [] { RotateDown(document.cube); });
  row("Shift Right", Qt::Key_Right, Qt::ShiftModifier, [] { RotateRight(document.cube); });
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
  QVERIFY(SameCube(pressed.live, document.cube.live));
  // Exactly once: twice would be a different pattern.
  reinterpret_cast<Operation>(operation)();
  QVERIFY(!SameCube(pressed.live, document.cube.live));
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
  RotateLeft(document.cube);
  QVERIFY(!SameCube(counted.live, document.cube.live));

  // The Left arrow rotates and never counts.
  before.Restore();
  QTest::keyClick(&under.window, Qt::Key_Left);
  QCOMPARE(under.hand.boxes.size(), 1);
  Snapshot rotated;
  rotated.Take();
  before.Restore();
  RotateLeft(document.cube);
  QVERIFY(SameCube(rotated.live, document.cube.live));
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
  for (int i = 0; i < 3; ++i) RotateUp(document.cube);
  QVERIFY(SameCube(held.live, document.cube.live));
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
  QVERIFY(SameCube(before.live, document.cube.live));
  QVERIFY(SameCube(before.shadow, document.cube.shadow));
  QCOMPARE(under.hand.boxes.size(), 0);
}

QTEST_MAIN(WindowKeysTest)
#include "window_keys_test.moc"
