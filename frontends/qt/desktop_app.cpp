// The command line, then start-up in the core's order (cube and layout, then the window, then show), the
// file named on the command line, then Qt's event loop.
#include "frontends/qt/desktop_app.h"

#include <QApplication>
#include <QIcon>
#include <QList>
#include <QPair>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

#include "frontends/qt/cube_window.h"
#include "frontends/qt/desktop_platform.h"
#include "ui/ui.h"

namespace {

// What Qt says while it looks for a display: held back, so that a failure is told in one line.
QList<QPair<QtMsgType, QString>> heldMessages;

void HoldMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type != QtFatalMsg) {
    heldMessages.append({type, message});
    return;
  }
  // Qt would abort next; a missing display is no crash.
  QString reason =
      (heldMessages.isEmpty() ? message : heldMessages.first().second).section('\n', 0, 0).trimmed();
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
      qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    reason = QStringLiteral("DISPLAY is not set");
  std::fprintf(stderr, "plexaro: cannot open a display: %s\n", reason.toLocal8Bit().constData());
  std::fflush(stderr);
  std::_Exit(1);
}

void ReleaseHeldMessages() {
  for (const auto& [type, message] : heldMessages) {
    switch (type) {
      case QtDebugMsg: qDebug("%s", qPrintable(message)); break;
      case QtInfoMsg: qInfo("%s", qPrintable(message)); break;
      default: qWarning("%s", qPrintable(message));
    }
  }
  heldMessages.clear();
}

}  // namespace

int RunDesktop(int argc, char** argv) {
  ProgramArguments arguments;
  if (!ReadProgramArguments(argc, argv, &arguments)) {
    std::fputs(kProgramUsage, stderr);
    return 2;
  }
  if (arguments.version) {
    std::printf("plexaro %s\n", PLEXARO_VERSION);
    return 0;
  }
  if (arguments.replay) document.replaySwitch = 1;

  // Qt sees no argument of ours.
  int qtArgc = 1;
  const QtMessageHandler previousHandler = qInstallMessageHandler(HoldMessage);
  QApplication application(qtArgc, argv);
  qInstallMessageHandler(previousHandler);
  ReleaseHeldMessages();
  QGuiApplication::setDesktopFileName(QStringLiteral("plexaro"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/plexaro.png")));

  KeepSolverTablesInCache();
  StartUpCube();
  CubeWindow window;
  DesktopPlatform desktop(window);
  platform = &desktop;
  window.show();
  if (window.windowHandle() == nullptr || window.windowHandle()->handle() == nullptr) {
    ShowStartUpFailure();
    return 0;
  }
  // Once the loop runs, so that its boxes come up over a window already on the screen.
  if (arguments.file != nullptr)
    QTimer::singleShot(0, &window, [file = arguments.file] { OpenNamedFile(file); });
  const int status = QApplication::exec();
  platform = nullptr;
  return status;
}
