// Boxes and the chooser are application-modal and owned by the main window, so no key reaches the
// window while one is up, yet the window goes on painting.
#include "frontends/qt/desktop_platform.h"

#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QInputDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QTimer>
#include <cstring>

#include "frontends/qt/cube_window.h"
#include "frontends/qt/player_window.h"

namespace {

void ShowBox(QWidget* owner, QMessageBox::Icon icon, const QString& title, const QString& text) {
  QMessageBox box(icon, title, text, QMessageBox::Ok, owner);
  box.setTextFormat(Qt::PlainText);  // file tokens may hold '<'
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

QString FilterEntry(const FileFilter& filter, int index) {
  const QString description = QString::fromLatin1(filter.description[index]);
  const QString pattern = QString::fromLatin1(filter.pattern[index]);
  // Qt reads the patterns from the parentheses; add them when the description lacks them.
  return description.endsWith(QLatin1Char('(') + pattern + QLatin1Char(')'))
             ? description
             : description + QStringLiteral(" (") + pattern + QLatin1Char(')');
}

}  // namespace

DesktopPlatform::DesktopPlatform(CubeWindow& window) : window_(window) {}

void DesktopPlatform::WaitForTask(const char* title, BackgroundTask& task) {
  if (task.Done()) return;
  QProgressDialog box(&window_);
  box.setWindowTitle(QString::fromUtf8(title));
  box.setWindowModality(Qt::ApplicationModal);
  box.setRange(0, 0);  // no measure of the whole, only that it goes on
  box.setMinimumDuration(0);
  box.setAutoClose(false);
  box.setAutoReset(false);
  box.setCancelButtonText(QStringLiteral("Cancel"));
  QEventLoop loop;
  QTimer poll;
  const auto update = [&] {
    if (task.Done()) return loop.quit();
    if (box.wasCanceled()) return;
    char text[200];
    task.Describe(text, sizeof text);
    box.setLabelText(QString::fromUtf8(text));
  };
  QObject::connect(&poll, &QTimer::timeout, update);
  QObject::connect(&box, &QProgressDialog::canceled, [&] {
    task.Cancel();
    box.setLabelText(QStringLiteral("Stopping."));
    box.show();  // the box stays until the work has stopped
  });
  update();
  box.show();
  poll.start(50);
  loop.exec();
}

void DesktopPlatform::ShowPlayerWindow(bool shown) {
  if (!shown) {
    if (player_ != nullptr) player_->hide();
    return;
  }
  if (player_ == nullptr) player_ = new PlayerWindow(&window_);
  player_->Present();
}

void DesktopPlatform::PlayerChanged(int what) {
  if (player_ != nullptr) player_->Refresh(what);
}

bool DesktopPlatform::SetTimer(int milliseconds) {
  window_.SetTicks(milliseconds);
  return true;
}

void DesktopPlatform::ShowMessage(const char* text, const char* title) {
  ShowBox(&window_, QMessageBox::NoIcon, QString::fromLocal8Bit(title), QString::fromLocal8Bit(text));
}

const char* DesktopPlatform::ChooseOpenFile(FileKind, const FileFilter& filter) {
  QFileDialog dialog(&window_);
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::AnyFile);  // a name that does not exist is taken too
  const QString first = FilterEntry(filter, 0);
  const QString all = FilterEntry(filter, 1);
  dialog.setNameFilters({first, all});
  dialog.selectNameFilter(first);
  const QString extension = QString::fromLatin1(filter.defaultExtension);
  dialog.setDefaultSuffix(extension);
  // "*.*" means every file where these filters come from, not only names with a dot.
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   [&dialog, &filter, first](const QString& chosen) {
                     QStringList patterns =
                         QString::fromLatin1(filter.pattern[chosen == first ? 0 : 1]).split(QLatin1Char(' '));
                     if (!patterns.contains(QStringLiteral("*.*"))) return;
                     patterns.replaceInStrings(QStringLiteral("*.*"), QStringLiteral("*"));
                     if (auto* model = dialog.findChild<QFileSystemModel*>()) model->setNameFilters(patterns);
                   });
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return nullptr;
  chosen_ = QFile::encodeName(WithDefaultExtension(dialog.selectedFiles().first(), extension));
  return chosen_.constData();
}

const char* DesktopPlatform::ChooseSaveFile(FileKind, const FileFilter& filter) {
  QFileDialog dialog(&window_);
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  const QString first = FilterEntry(filter, 0);
  dialog.setNameFilters({first, FilterEntry(filter, 1)});
  dialog.selectNameFilter(first);
  dialog.setDefaultSuffix(SaveExtension(filter, 0));
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   [&dialog, &filter, first](const QString& chosen) {
                     dialog.setDefaultSuffix(SaveExtension(filter, chosen == first ? 0 : 1));
                   });
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return nullptr;
  const int index = dialog.selectedNameFilter() == first ? 0 : 1;
  chosen_ =
      QFile::encodeName(WithDefaultExtension(dialog.selectedFiles().first(), SaveExtension(filter, index)));
  return chosen_.constData();
}

bool DesktopPlatform::AskText(const char* title, const char* prompt, char* text, int capacity) {
  QInputDialog dialog(&window_);
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.setInputMode(QInputDialog::TextInput);
  dialog.setWindowTitle(QString::fromUtf8(title));
  dialog.setLabelText(QString::fromUtf8(prompt));
  if (dialog.exec() != QDialog::Accepted || capacity < 1) return false;
  // Cut at a character boundary, so the core never sees half of one.
  QByteArray typed = dialog.textValue().toUtf8();
  int length = static_cast<int>(typed.size());
  if (length > capacity - 1) {
    length = capacity - 1;
    while (length > 0 && (static_cast<unsigned char>(typed[length]) & 0xC0) == 0x80) --length;
  }
  std::memcpy(text, typed.constData(), static_cast<size_t>(length));
  text[length] = '\0';
  return true;
}

void DesktopPlatform::WriteDiagnostic(const char*) {}

void DesktopPlatform::RequestRepaint(bool erase) { window_.RequestRepaint(erase); }

void DesktopPlatform::PaintNow() { window_.PaintNow(); }

void ShowStartUpFailure() {
  ShowBox(nullptr, QMessageBox::Critical, QStringLiteral("Plexaro"),
          QStringLiteral("Failure during initialisation!\n\nClick OK to exit."));
}

QString WithDefaultExtension(const QString& path, const QString& extension) {
  if (extension.isEmpty() || path.isEmpty() || path.endsWith(QLatin1Char('/'))) return path;
  const QFileInfo info(path);
  if (info.isDir() || info.fileName().contains(QLatin1Char('.'))) return path;
  return path + QLatin1Char('.') + extension;
}

QString SaveExtension(const FileFilter& filter, int index) {
  const QString pattern = QString::fromLatin1(filter.pattern[index]).section(QLatin1Char(' '), 0, 0);
  if (pattern.startsWith(QLatin1String("*.")) && pattern != QLatin1String("*.*")) return pattern.mid(2);
  return QString::fromLatin1(filter.defaultExtension);
}
