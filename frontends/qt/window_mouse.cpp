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
      const QPoint point = event->position().toPoint();
      PointerPress(point.x(), point.y(), width(), height(), event->modifiers().testFlag(Qt::ShiftModifier));
      return;
    }
    default: QWidget::mousePressEvent(event);
  }
}

void CubeWindow::mouseMoveEvent(QMouseEvent* event) {
  const QPoint point = event->position().toPoint();
  PointerMove(point.x(), point.y(), width(), height());
}

void CubeWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
  const QPoint point = event->position().toPoint();
  PointerRelease(point.x(), point.y(), width(), height(), event->modifiers().testFlag(Qt::ShiftModifier));
}

// The menu belongs to the right button alone: the Menu key and Shift+F10 stay keys that only paint.
void CubeWindow::contextMenuEvent(QContextMenuEvent* event) { event->ignore(); }

void CubeWindow::ShowMenu(QPoint globalPosition) {
  FinishAnimation();
  QMenu menu(this);
  QMenu* into = &menu;
  QMap<int, QActionGroup*> groups;
  MenuEntry entries[kMenuEntryCapacity];
  const int count = ListMenuEntries(entries, kMenuEntryCapacity);
  for (int k = 0; k < count; ++k) {
    const MenuEntry& entry = entries[k];
    switch (entry.kind) {
      case kMenuEntrySeparator: into->addSeparator(); continue;
      case kMenuEntrySubmenu: into = menu.addMenu(QString::fromUtf8(entry.text)); continue;
      case kMenuEntrySubmenuEnd: into = &menu; continue;
      case kMenuEntryItem: break;
    }
    QAction* action = into->addAction(QString::fromUtf8(entry.text));
    action->setData(static_cast<int>(entry.id));
    action->setEnabled(entry.enabled);
    action->setCheckable(entry.checkable);
    action->setChecked(entry.checked);
    if (entry.group != 0) {
      if (!groups.contains(entry.group)) groups.insert(entry.group, new QActionGroup(&menu));
      groups.value(entry.group)->addAction(action);
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
