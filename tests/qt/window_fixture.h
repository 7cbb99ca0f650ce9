// A shown main window over the real seam, the core back at its start-up state, and a hand that
// answers every modal box or dialog that comes up, so no test waits on a person.
#pragma once

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QList>
#include <QMap>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "analysis/analysis.h"
#include "files/input_files.h"
#include "frontends/qt/cube_window.h"
#include "frontends/qt/desktop_platform.h"
#include "tests/support/fresh_start.h"
#include "ui/ui.h"

struct SeenBox {
  QString title;
  QString text;
  QMessageBox::Icon icon;
  int buttonCount;
  bool okButton;
  bool ownedByWindow;
  bool applicationModal;
};

// Polls for the active modal widget. A message box is recorded and closed with Return, the way a
// user would; a file dialog is handed to `onDialog`, which must close it (a dialog nobody answers is
// cancelled).
class ModalHand : public QObject {
 public:
  explicit ModalHand(QWidget* owner) : owner_(owner) {
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
    timer_.start(5);
  }

  QList<SeenBox> boxes;
  int dialogs = 0;
  std::function<void(QFileDialog*)> onDialog;
  std::function<void(QMessageBox*)> whileBoxUp;  // runs before the box is closed
  int prompts = 0;
  std::function<void(QInputDialog*)> onPrompt;  // must close the prompt; one nobody answers is cancelled

 private:
  void Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible()) return;
    for (const QPointer<QWidget>& seen : seen_)
      if (seen == modal) return;
    seen_.append(modal);
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      boxes.append({box->windowTitle(), box->text(), box->icon(), static_cast<int>(box->buttons().size()),
                    box->button(QMessageBox::Ok) != nullptr, box->parentWidget() == owner_,
                    box->windowModality() == Qt::ApplicationModal});
      if (whileBoxUp) whileBoxUp(box);
      QTest::keyClick(box, Qt::Key_Return);
    } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
      ++dialogs;
      if (onDialog) onDialog(dialog);
      if (dialog->isVisible()) dialog->reject();
    } else if (auto* prompt = qobject_cast<QInputDialog*>(modal)) {
      ++prompts;
      if (onPrompt) onPrompt(prompt);
      if (prompt->isVisible()) prompt->reject();
    }
  }

  QWidget* owner_;
  QTimer timer_;
  QList<QPointer<QWidget>> seen_;
};

// The core at start-up, a fresh window shown over it, and a hand for its boxes.
struct WindowUnderTest {
  CubeWindow window;
  DesktopPlatform desktop{window};
  ModalHand hand{&window};
  int paints = 0;

  WindowUnderTest() {
    StartFresh(desktop);
    window.show();
  }
  ~WindowUnderTest() { platform = nullptr; }

  // Lets every pending update and posted event through.
  static void Settle() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  }

  // What the window system shows of the client area: the backing store, not a fresh render.
  QImage Screen() {
    Settle();
    return window.screen()->grabWindow(window.winId()).toImage().convertToFormat(QImage::Format_RGB32);
  }
};

// Answers the chooser with `path` typed into its name field, as a user would type it.
inline std::function<void(QFileDialog*)> TypeName(const QString& path) {
  return [path](QFileDialog* dialog) {
    auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(field != nullptr);
    field->setText(path);
    QTest::keyClick(field, Qt::Key_Return);
  };
}

// The offscreen platform warns at every dialog that it cannot pass size hints on; nothing here
// depends on them.
inline void QuietSizeHintWarnings() {
  static QtMessageHandler previous = nullptr;
  previous =
      qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (!message.contains(QLatin1String("propagateSizeHints"))) previous(type, context, message);
      });
}

// A pattern file of size n whose colour at (face, row, column) is `colour`.
inline void WritePattern(const QString& path, int n, const std::function<int(int, int, int)>& colour) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  QByteArray bytes(1, static_cast<char>(n));
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < n; ++row)
      for (int column = 0; column < n; ++column) bytes.append(static_cast<char>(colour(face, row, column)));
  file.write(bytes);
}

// What a menu showed of one item.
struct SeenItem {
  bool enabled;
  bool checked;
};

// Answers the next popup menu: records every item, then picks `choice` (a submenu's item through its
// submenu, as the keyboard does it) or closes the menu when `choice` is empty.
class MenuHand : public QObject {
 public:
  MenuHand() {
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
    timer_.start(5);
  }
  QString choice;
  std::function<void()> whileUp;  // runs before the menu is answered
  int menus = 0;
  QMap<QString, SeenItem> items;

 private:
  static void Record(QMenu* menu, QMap<QString, SeenItem>* items) {
    for (QAction* action : menu->actions()) {
      if (action->isSeparator()) continue;
      items->insert(action->text(), {action->isEnabled(), action->isChecked()});
      if (action->menu() != nullptr) Record(action->menu(), items);
    }
  }
  void Poll() {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr || menu == answered_ || !menu->isVisible()) return;
    answered_ = menu;
    ++menus;
    items.clear();
    Record(menu, &items);
    if (whileUp) whileUp();
    for (QAction* action : menu->actions()) {
      if (choice.isEmpty()) break;
      if (action->text() == choice) {
        menu->setActiveAction(action);
        QTest::keyClick(menu, Qt::Key_Return);
        return;
      }
      if (QMenu* sub = action->menu())
        for (QAction* inner : sub->actions())
          if (inner->text() == choice) {
            menu->setActiveAction(action);
            QTest::keyClick(menu, Qt::Key_Right);
            QTRY_VERIFY(sub->isVisible());
            sub->setActiveAction(inner);
            QTest::keyClick(sub, Qt::Key_Return);
            return;
          }
    }
    menu->close();
  }
  QTimer timer_;
  QPointer<QMenu> answered_;
};

// Runs the menu item `text` through a right click on the window.
inline void Choose(WindowUnderTest& under, MenuHand& menu, const QString& text) {
  menu.choice = text;
  QTest::mouseClick(&under.window, Qt::RightButton, {}, QPoint(300, 300));
  WindowUnderTest::Settle();
}
