// The main window: start-up geometry, painting without erasing, and Windows-style key codes.
#include "frontends/qt/cube_window.h"

#include <QImage>
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

// The window's own painting reaches past the net to its caption. A fitted net keeps the caption only
// where it covers no square, so that a large net is seen whole.
const int kCaptionTop = 170;
const int kCaptionRight = 130;
const int kCaptionBottom = 192;

bool FittedCaption() { return PictureHeight() - kPictureMargin <= kCaptionTop; }

QSize FittedSourceSize() {
  if (!FittedCaption()) return QSize(PictureWidth(), PictureHeight());
  return QSize(qMax(PictureWidth(), kCaptionRight), qMax(PictureHeight(), kCaptionBottom));
}

// The squares again, with the letters over them; the window's caption is left as PaintNet drew it.
void PaintLetters(PainterSurface& surface) {
  if (viewLetters == kLettersNone) return;
  surface.UseLetterText();
  DrawNetPicture(surface, viewLetters);
}

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
  if (viewFitToWindow) return PaintFitted(painter);
  if (eraseNext_) {
    painter.fillRect(event->rect(), BrushColour(0));
    if (event->rect().contains(rect())) eraseNext_ = false;
  }
  PainterSurface surface(painter);
  PaintNet(surface);
  PaintLetters(surface);
}

double CubeWindow::NetScale() const {
  if (!viewFitToWindow) return 1;
  const QSize source = FittedSourceSize();
  return qMin(static_cast<double>(width()) / source.width(), static_cast<double>(height()) / source.height());
}

QRect CubeWindow::FittedTarget() const {
  const QSize source = FittedSourceSize();
  const double scale = NetScale();
  return QRect(0, 0, qMax(1, qRound(source.width() * scale)), qMax(1, qRound(source.height() * scale)));
}

QPoint CubeWindow::NetPoint(QPoint point) const {
  if (!viewFitToWindow) return point;
  // Where the unsmoothed scaling took the pixel from: the one under the target pixel's centre.
  const QSize source = FittedSourceSize();
  const QRect target = FittedTarget();
  return QPoint(static_cast<int>((point.x() + 0.5) * source.width() / target.width()),
                static_cast<int>((point.y() + 0.5) * source.height() / target.height()));
}

// The window's painting at one pixel per pixel, then blown up or shrunk whole; every pixel of the client
// area is painted, so nothing is left of an earlier size.
void CubeWindow::PaintFitted(QPainter& painter) {
  QImage net(FittedSourceSize(), QImage::Format_RGB32);
  net.fill(BrushColour(0));
  {
    QPainter netPainter(&net);
    netPainter.setFont(font());
    PainterSurface surface(netPainter);
    if (FittedCaption())
      PaintNet(surface);
    else
      DrawNetPicture(surface, kLettersNone);
    PaintLetters(surface);
  }
  painter.fillRect(rect(), BrushColour(0));
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.drawImage(FittedTarget(), net);
  eraseNext_ = false;
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
