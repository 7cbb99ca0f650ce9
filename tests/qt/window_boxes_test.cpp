// Message boxes and the file chooser through the real window: what they say, how they are made, and
// that the window takes no command while one is up.
#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QTemporaryDir>
#include <deque>

#include "qt/window_fixture.h"
#include "support/recording_platform.h"

namespace {

const QString kHelpText = QStringLiteral(
    "u d f b l r\nArrow keys rotate in space\n% = Show Symmetry\n\\ = Central Reflect\n| = RL Reflect\n* = "
    "Reset");

void WriteText(const QString& path, const QByteArray& text) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(text);
}

typedef QList<QPair<QString, QString>> BoxList;

// The boxes the core asks for when `keys` run on the recording seam, each chooser taking the next path.
BoxList CoreBoxes(const QString& keys, const QStringList& paths, int16_t replay) {
  RecordingPlatform recording;
  StartFresh(recording);
  document.replaySwitch = replay;
  for (const QString& path : paths) recording.answers.push_back(path.toStdString());
  for (QChar key : keys) HandleCharacter(key.unicode());
  platform = nullptr;
  BoxList boxes;
  for (const RecordedBox& box : recording.boxes)
    boxes.append({QString::fromStdString(box.title), QString::fromStdString(box.text)});
  return boxes;
}

// The chooser answers: the next typed name, or a cancel once none is left.
std::function<void(QFileDialog*)> TypeEach(QStringList* names) {
  return [names](QFileDialog* dialog) {
    if (!names->isEmpty()) TypeName(names->takeFirst())(dialog);
  };
}

}  // namespace

class WindowBoxesTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void HelpBoxIsPlainOwnedAndModal();
  void EveryBoxSaysWhatTheCoreSays_data();
  void EveryBoxSaysWhatTheCoreSays();
  void CancelledChooserReportsNoInputFile_data();
  void CancelledChooserReportsNoInputFile();
  void TypedNameGetsTheDefaultExtension();
  void MissingFileIsNamedWithItsFullPath();
  void AllFilesShowsNamesWithoutADot();
  void NoCommandRunsWhileABoxIsUp();
  void WindowPaintsWhileABoxIsUp();
  void StartUpFailureBox();
  void DefaultExtensionRule();

 private:
  QTemporaryDir dir_;
  QString Path(const QString& name) const { return dir_.filePath(name); }
};

void WindowBoxesTest::initTestCase() {
  QuietSizeHintWarnings();
  QVERIFY(dir_.isValid());
  WriteText(Path("listing.mov"), "R U' F2 D2 L B'\n");
  WriteText(Path("bad token.mov"), "R Q U\n");
  WriteText(Path("slice.mov"), "r\n");
  WriteText(Path("long.mov"), QByteArray("R U ").repeated(15));
  WriteText(Path("r.mov"), "R\n");
  WriteText(Path("size twelve.q"), QByteArray(1, 12) + QByteArray(6 * 144, 0));
  WriteText(Path("short.q"), QByteArray(1, 3) + QByteArray(10, 1));
  WritePattern(Path("pat.q"), 2, [](int face, int, int) { return 5 - face; });
  WriteText(Path("noext"), "R\n");
}

void WindowBoxesTest::HelpBoxIsPlainOwnedAndModal() {
  WindowUnderTest under;
  QTest::keyClick(&under.window, '?');
  QCOMPARE(under.hand.boxes.size(), 1);
  const SeenBox& box = under.hand.boxes[0];
  QCOMPARE(box.title, QStringLiteral("Help"));
  QCOMPARE(box.text, kHelpText);
  QCOMPARE(box.icon, QMessageBox::NoIcon);
  QCOMPARE(box.buttonCount, 1);
  QVERIFY(box.okButton);
  QVERIFY(box.ownedByWindow);
  QVERIFY(box.applicationModal);
  QCOMPARE(CheckSolved(document.cube.size, document.cube.live), 0);
}

void WindowBoxesTest::EveryBoxSaysWhatTheCoreSays_data() {
  QTest::addColumn<QString>("keys");
  QTest::addColumn<QStringList>("files");
  QTest::addColumn<int>("replay");
  QTest::addColumn<int>("boxCount");
  QTest::newRow("symmetry count") << "uf%" << QStringList() << 0 << 1;
  QTest::newRow("move listing") << "{" << QStringList{"listing.mov"} << 0 << 1;
  QTest::newRow("move file with a bad token") << "{" << QStringList{"bad token.mov"} << 0 << 1;
  QTest::newRow("replay that never solves") << "{" << QStringList{"slice.mov"} << 1 << 2;
  QTest::newRow("too long to replay") << "{" << QStringList{"long.mov"} << 1 << 2;
  QTest::newRow("pattern of size twelve") << "[" << QStringList{"size twelve.q"} << 0 << 1;
  QTest::newRow("pattern cut short") << "[" << QStringList{"short.q"} << 0 << 1;
  QTest::newRow("two files and a count") << "[{%" << QStringList{"pat.q", "r.mov"} << 1 << 2;
}

void WindowBoxesTest::EveryBoxSaysWhatTheCoreSays() {
  QFETCH(QString, keys);
  QFETCH(QStringList, files);
  QFETCH(int, replay);
  QFETCH(int, boxCount);
  QStringList paths;
  for (const QString& file : files) paths.append(Path(file));
  const BoxList expected = CoreBoxes(keys, paths, static_cast<int16_t>(replay));
  QCOMPARE(expected.size(), boxCount);

  WindowUnderTest under;
  document.replaySwitch = static_cast<int16_t>(replay);
  under.hand.onDialog = TypeEach(&paths);
  for (QChar key : keys) QTest::keyClick(&under.window, key.toLatin1());
  BoxList shown;
  for (const SeenBox& box : under.hand.boxes) {
    shown.append({box.title, box.text});
    QCOMPARE(box.icon, QMessageBox::NoIcon);
    QCOMPARE(box.buttonCount, 1);
    QVERIFY(box.okButton);
  }
  QCOMPARE(shown, expected);
}

void WindowBoxesTest::CancelledChooserReportsNoInputFile_data() {
  QTest::addColumn<char>("key");
  QTest::addColumn<QStringList>("filters");
  QTest::addColumn<QString>("extension");
  QTest::newRow("[") << '[' << QStringList{"Cube patterns (*.q)", "All files (*.*)"} << "q";
  QTest::newRow("{") << '{' << QStringList{"Cube moves (*.mov)", "All files (*.*)"} << "mov";
}

void WindowBoxesTest::CancelledChooserReportsNoInputFile() {
  QFETCH(char, key);
  QFETCH(QStringList, filters);
  QFETCH(QString, extension);
  WindowUnderTest under;
  QuarterTurnU(document.cube);
  CubeState before;
  CopyCube(document.cube.size, document.cube.live, before);
  under.hand.onDialog = [&](QFileDialog* dialog) {
    QCOMPARE(dialog->parentWidget(), &under.window);
    QVERIFY(dialog->isModal());
    QCOMPARE(dialog->fileMode(), QFileDialog::AnyFile);
    QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptOpen);
    QCOMPARE(dialog->nameFilters(), filters);
    QCOMPARE(dialog->selectedNameFilter(), filters[0]);
    QCOMPARE(dialog->defaultSuffix(), extension);
    auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(field != nullptr);
    QVERIFY(field->text().isEmpty());
    QTest::keyClick(dialog, Qt::Key_Escape);
  };
  QTest::keyClick(&under.window, key);
  QCOMPARE(under.hand.dialogs, 1);
  QCOMPARE(under.hand.boxes.size(), 1);
  QCOMPARE(under.hand.boxes[0].title, QStringLiteral("Error"));
  QCOMPARE(under.hand.boxes[0].text, QStringLiteral(" No input file \n"));
  QCOMPARE(CompareCubes(document.cube.size, document.cube.live, before), 0);
}

void WindowBoxesTest::TypedNameGetsTheDefaultExtension() {
  WindowUnderTest under;
  QStringList names{Path("pat"), Path("listing")};
  under.hand.onDialog = TypeEach(&names);
  QTest::keyClick(&under.window, '[');
  QCOMPARE(under.hand.boxes.size(), 0);
  QCOMPARE(document.cube.size, 2);
  QCOMPARE(document.cube.live[CellIndex(U, 1, 1)], 5);
  QTest::keyClick(&under.window, '{');
  QCOMPARE(under.hand.boxes.size(), 1);
  QCOMPARE(under.hand.boxes[0].title, QStringLiteral("Moves"));
}

void WindowBoxesTest::MissingFileIsNamedWithItsFullPath() {
  WindowUnderTest under;
  QStringList names{QStringLiteral("nowhere")};
  under.hand.onDialog = [&](QFileDialog* dialog) {
    dialog->setDirectory(dir_.path());  // a bare name is taken from the folder on show
    TypeEach (&names)(dialog);
  };
  QTest::keyClick(&under.window, '{');
  QCOMPARE(under.hand.boxes.size(), 1);
  QCOMPARE(under.hand.boxes[0].title, QStringLiteral("Error"));
  QCOMPARE(under.hand.boxes[0].text, QStringLiteral(" No input file ") + Path("nowhere.mov") + "\n");
}

void WindowBoxesTest::AllFilesShowsNamesWithoutADot() {
  WindowUnderTest under;
  bool hiddenUnderPatterns = false;
  bool shownUnderAllFiles = false;
  under.hand.onDialog = [&](QFileDialog* dialog) {
    dialog->setDirectory(dir_.path());
    auto* model = dialog->findChild<QFileSystemModel*>();
    QVERIFY(model != nullptr);
    // What the dialog lists in the folder.
    auto listed = [&](const char* name) {
      const QModelIndex folder = model->index(dir_.path());
      for (int row = 0; row < model->rowCount(folder); ++row)
        if (model->index(row, 0, folder).data().toString() == QLatin1String(name)) return true;
      return false;
    };
    QTRY_VERIFY(listed("pat.q"));
    hiddenUnderPatterns = !listed("noext") && !listed("r.mov");
    // As a user picks it: the filter list, one step down.
    auto* filters = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    QVERIFY(filters != nullptr);
    QTest::keyClick(filters, Qt::Key_Down);
    QCOMPARE(dialog->selectedNameFilter(), QStringLiteral("All files (*.*)"));
    QTRY_VERIFY(listed("noext"));
    shownUnderAllFiles = listed("r.mov");
  };
  QTest::keyClick(&under.window, '[');
  QVERIFY(hiddenUnderPatterns);
  QVERIFY(shownUnderAllFiles);
}

void WindowBoxesTest::NoCommandRunsWhileABoxIsUp() {
  WindowUnderTest under;
  QVERIFY(QTest::qWaitForWindowExposed(&under.window));
  under.hand.whileBoxUp = [&](QMessageBox*) {
    // Through the window system, as a user's keys come: the box blocks them.
    QTest::keyClick(under.window.windowHandle(), 'u');
    QTest::keyClick(under.window.windowHandle(), Qt::Key_Left);
    // Straight into the window: the core refuses a second command.
    QTest::keyClick(&under.window, '(');
    QTest::keyClick(&under.window, '?');
    QTest::keyClick(&under.window, Qt::Key_Down);
  };
  QTest::keyClick(&under.window, '?');
  WindowUnderTest::Settle();
  QCOMPARE(under.hand.boxes.size(), 1);
  QCOMPARE(CheckSolved(document.cube.size, document.cube.live), 0);
  QCOMPARE(document.cube.live[CellIndex(F, 1, 1)], 2);

  // The window takes commands again once the box has gone.
  under.hand.whileBoxUp = nullptr;
  QTest::keyClick(under.window.windowHandle(), 'u');
  QCOMPARE(document.cube.live[CellIndex(L, 0, 0)], 2);
}

void WindowBoxesTest::WindowPaintsWhileABoxIsUp() {
  WindowUnderTest under;
  QVERIFY(QTest::qWaitForWindowExposed(&under.window));
  QStringList names{Path("r.mov")};
  under.hand.onDialog = TypeEach(&names);
  // Inside U's top-right square while the Moves box is up: R has brought F's yellow there.
  QRgb during = 0;
  under.hand.whileBoxUp = [&](QMessageBox*) {
    under.window.update();
    during = under.Screen().pixel(81 + 6, 8 + 6);
  };
  const QRgb before = under.Screen().pixel(81 + 6, 8 + 6);
  QTest::keyClick(&under.window, '{');
  QCOMPARE(under.hand.boxes.size(), 1);
  QCOMPARE(QColor(before), QColor(Qt::white));
  QCOMPARE(QColor(during), QColor(Qt::yellow));
}

void WindowBoxesTest::StartUpFailureBox() {
  ModalHand hand(nullptr);
  ShowStartUpFailure();
  QCOMPARE(hand.boxes.size(), 1);
  QCOMPARE(hand.boxes[0].title, QStringLiteral("Plexaro"));
  QCOMPARE(hand.boxes[0].text, QStringLiteral("Failure during initialisation!\n\nClick OK to exit."));
  QCOMPARE(hand.boxes[0].icon, QMessageBox::Critical);
  QCOMPARE(hand.boxes[0].buttonCount, 1);
  QVERIFY(hand.boxes[0].okButton);
}

void WindowBoxesTest::DefaultExtensionRule() {
  QCOMPARE(WithDefaultExtension("/a/b", "q"), QStringLiteral("/a/b.q"));
  QCOMPARE(WithDefaultExtension("/a/b.mov", "q"), QStringLiteral("/a/b.mov"));
  QCOMPARE(WithDefaultExtension("/a.d/b", "mov"), QStringLiteral("/a.d/b.mov"));
  QCOMPARE(WithDefaultExtension("/a/.hidden", "q"), QStringLiteral("/a/.hidden"));
  QCOMPARE(WithDefaultExtension(dir_.path(), "q"), dir_.path());
  QCOMPARE(WithDefaultExtension("", "q"), QString());
}

QTEST_MAIN(WindowBoxesTest)
#include "window_boxes_test.moc"
