// The core's seam on Qt: modal boxes, the file chooser and repaints of the main window.
#pragma once

#include <QByteArray>
#include <QPointer>
#include <QString>

#include "frontends/qt/player_window.h"
#include "seam/platform.h"

class CubeWindow;

class DesktopPlatform : public Platform {
 public:
  explicit DesktopPlatform(CubeWindow& window);

  void ShowMessage(const char* text, const char* title) override;
  const char* ChooseOpenFile(FileKind kind, const FileFilter& filter) override;
  const char* ChooseSaveFile(FileKind kind, const FileFilter& filter) override;
  bool AskText(const char* title, const char* prompt, char* text, int capacity) override;
  void WriteDiagnostic(const char* text) override;
  void RequestRepaint(bool erase) override;
  void PaintNow() override;
  bool SetTimer(int milliseconds) override;
  void WaitForTask(const char* title, BackgroundTask& task) override;
  void ShowPlayerWindow(bool shown) override;
  void PlayerChanged(int what) override;
  // The player's window while it exists; the main window owns it.
  PlayerWindow* player() const { return player_; }

 private:
  CubeWindow& window_;
  QPointer<PlayerWindow> player_;
  QByteArray chosen_;
};

// The box shown when the window cannot be made; returns when it is closed.
void ShowStartUpFailure();

// What a chooser that ignored the default extension should have made of `path`: the extension is
// added when the file's own name has no dot.
QString WithDefaultExtension(const QString& path, const QString& extension);
// The extension a save chooser adds under filter entry `index`: its own when the pattern names one
// ("*.png"), else the filter's default.
QString SaveExtension(const FileFilter& filter, int index);
