// The main window's mouse: clicks on the squares, the menu on the right button, and dropped files.
#include <QActionGroup>
#include <QContextMenuEvent>
#include <QFile>
#include <QMap>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>
#include <QUrl>

#include "frontends/qt/cube_window.h"
#include "ui/ui.h"

namespace {

// The local file a drag carries, or an empty string.
QString DraggedFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls() || data->urls().isEmpty()) return QString();
  const QUrl url = data->urls().first();
  return url.isLocalFile() ? url.toLocalFile() : QString();
}

}  // namespace

void CubeWindow::mousePressEvent(QMouseEvent* event) {
  switch (event->button()) {
    case Qt::RightButton: return ShowMenu(event->globalPosition().toPoint());
    case Qt::LeftButton: {
      const QPoint point = NetPoint(event->position().toPoint());
      CycleFacelet(point.x(), point.y(), event->modifiers().testFlag(Qt::ShiftModifier));
      return;
    }
    default: QWidget::mousePressEvent(event);
  }
}

// The menu belongs to the right button alone: the Menu key and Shift+F10 stay keys that only paint.
void CubeWindow::contextMenuEvent(QContextMenuEvent* event) { event->ignore(); }

void CubeWindow::ShowMenu(QPoint globalPosition) {
  QMenu menu(this);
  QMap<QString, QMenu*> submenus;
  QMap<int, QActionGroup*> groups;
  for (const MenuItem& item : kMenuItems) {
    QMenu* into = &menu;
    if (item.submenu != nullptr) {
      const QString title = QString::fromUtf8(item.submenu);
      if (!submenus.contains(title)) {
        if (item.separatorBefore) menu.addSeparator();
        submenus.insert(title, menu.addMenu(title));
      }
      into = submenus.value(title);
    } else if (item.separatorBefore) {
      menu.addSeparator();
    }
    QAction* action = into->addAction(QString::fromUtf8(item.text));
    action->setData(static_cast<int>(item.id));
    action->setEnabled(MenuItemEnabled(item.id));
    action->setCheckable(item.checkable);
    action->setChecked(MenuItemChecked(item.id));
    if (item.group != 0) {
      if (!groups.contains(item.group)) groups.insert(item.group, new QActionGroup(&menu));
      groups.value(item.group)->addAction(action);
    }
  }
  // The item runs once the menu is gone, so its boxes come up over the window alone.
  const QAction* chosen = menu.exec(globalPosition);
  if (chosen != nullptr) RunMenuItem(static_cast<MenuItemId>(chosen->data().toInt()));
}

void CubeWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!DraggedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CubeWindow::dropEvent(QDropEvent* event) {
  const QString path = DraggedFile(event->mimeData());
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  // Opened after the drop is over, so that a box does not hold the dragging program.
  const QByteArray name = QFile::encodeName(path);
  QTimer::singleShot(0, this, [name] { OpenNamedFile(name.constData()); });
}
