// The main window: start-up geometry, painting without erasing, and Windows-style key codes.
#include "frontends/qt/cube_window.h"

#include <QKeyEvent>
#include <QPainter>
#include <QWindow>

#include "frontends/qt/painter_surface.h"
#include "ui/ui.h"

namespace {

const QPoint kFramePosition(50, 50);
const QSize kOuterSize(600, 400);

// No key-down code of any table: the core paints at once for it.
const int kUnboundKey = 0;

}  // namespace

CubeWindow::CubeWindow() {
  setWindowTitle(QStringLiteral("Plexaro"));
  // Each paint covers its own squares; the background is cleared only when asked.
  setAttribute(Qt::WA_OpaquePaintEvent);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, BrushColour(0));
  setPalette(palette);
  setFocusPolicy(Qt::StrongFocus);
  setAcceptDrops(true);
  move(kFramePosition);  // a top-level window's position is its frame's
  resize(kOuterSize);    // the inner size until the frame is known
}

void CubeWindow::RequestRepaint(bool erase) {
  if (erase) eraseNext_ = true;
  update();
}

void CubeWindow::PaintNow() { repaint(); }

void CubeWindow::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  // A fitted view clears the whole client area itself.
  if (document.view.fitToWindow) eraseNext_ = false;
  if (eraseNext_) {
    painter.fillRect(event->rect(), BrushColour(0));
    if (event->rect().contains(rect())) eraseNext_ = false;
  }
  PainterSurface surface(painter);
  PaintWindowView(surface, width(), height());
}

void CubeWindow::keyPressEvent(QKeyEvent* event) {
  // Arrows by key, everything else by the character it types: Qt's own key numbers overlap the
  // arrow codes (Key_Percent is 0x25, Key_ParenLeft 0x28) and must never reach the tables.
  switch (event->key()) {
    case Qt::Key_Left: return HandleKeyDown(kKeyLeft);
    case Qt::Key_Up: return HandleKeyDown(kKeyUp);
    case Qt::Key_Right: return HandleKeyDown(kKeyRight);
    case Qt::Key_Down: return HandleKeyDown(kKeyDown);
  }
  const QString text = event->text();
  if (text.size() == 1 && text.at(0).unicode() < 256)
    HandleCharacter(text.at(0).unicode());
  else
    HandleKeyDown(kUnboundKey);
}

// Tab is a keystroke like any other here, not a focus move.
bool CubeWindow::focusNextPrevChild(bool) { return false; }

void CubeWindow::resizeEvent(QResizeEvent* event) {
  // A new size repaints the whole client area on a cleared ground.
  eraseNext_ = true;
  QWidget::resizeEvent(event);
}

void CubeWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  FitOuterSize();
}

// A window manager frames the window by moving it inside the frame.
void CubeWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  FitOuterSize();
}

// The frame's thickness is known only once the window is framed; then the inner size is set once so
// that the frame measures 600 x 400. Without a frame the two sizes are the same.
void CubeWindow::FitOuterSize() {
  if (outerSizeFitted_ || !isVisible() || windowHandle() == nullptr) return;
  const QMargins margins = windowHandle()->frameMargins();
  if (margins.isNull()) return;
  outerSizeFitted_ = true;
  resize(kOuterSize.shrunkBy(margins));
  move(kFramePosition);
}
