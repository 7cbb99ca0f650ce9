// GDI's pen, line, fill and text rules carried over to QPainter, exact at one device pixel per pixel.
#include "frontends/qt/painter_surface.h"

#include <QFontMetrics>
#include <QPen>
#include <QString>
#include <cstdlib>

#include "ui/ui.h"

QColor BrushColour(int brush) {
  // Never read past the six: anything else shows as background.
  const PaletteColour& colour = kPalette[brush >= 0 && brush < 6 ? brush : 0];
  return QColor(colour.red, colour.green, colour.blue);
}

PainterSurface::PainterSurface(QPainter& painter) : painter_(painter), savedPen_(painter.pen()) {
  painter_.setRenderHint(QPainter::Antialiasing, false);
}

void PainterSurface::SelectOutlinePen() {
  savedPen_ = painter_.pen();
  QPen outline(Qt::black);
  outline.setWidth(1);
  outline.setCosmetic(true);
  outline.setCapStyle(Qt::FlatCap);  // a flat cap leaves the end point undrawn, as LineTo does
  painter_.setPen(outline);
}

void PainterSurface::RestorePen() { painter_.setPen(savedPen_); }

int PainterSurface::SetAlignment(int alignment) {
  const int previous = alignment_;
  alignment_ = alignment;
  return previous;
}

void PainterSurface::MoveTo(int x, int y) { position_ = QPoint(x, y); }

void PainterSurface::LineTo(int x, int y) {
  const QPoint end(x, y);
  const QColor colour = painter_.pen().color();
  // Straight lines are filled as one-pixel strips, so they stay in step with the fills at any scale.
  if (position_.y() == y && position_.x() != x) {
    const int left = position_.x() < x ? position_.x() : x + 1;
    painter_.fillRect(left, y, std::abs(x - position_.x()), 1, colour);
  } else if (position_.x() == x && position_.y() != y) {
    const int top = position_.y() < y ? position_.y() : y + 1;
    painter_.fillRect(x, top, 1, std::abs(y - position_.y()), colour);
  } else if (position_ != end) {
    painter_.drawLine(position_, end);
  }
  position_ = end;
}

void PainterSurface::FillRectangle(int left, int top, int right, int bottom, int brush) {
  if (right <= left || bottom <= top) return;
  painter_.fillRect(left, top, right - left, bottom - top,
                    brush == kOutlineBrush ? QColor(Qt::black) : BrushColour(brush));
}

void PainterSurface::WriteText(int x, int y, const char* text, int length) {
  const QString string = QString::fromLatin1(text, length);
  const QFontMetrics metrics = painter_.fontMetrics();
  const int width = metrics.horizontalAdvance(string);
  const int height = metrics.height();
  int left = x;
  switch (alignment_ & 6) {
    case 6: left = x - width / 2; break;  // centred
    case 2: left = x - width; break;      // right
  }
  int top = y;
  switch (alignment_ & 24) {
    case 24: top = y - metrics.ascent(); break;  // baseline
    case 8: top = y - height; break;             // bottom
  }
  // A device context writes text on an opaque white ground in black.
  painter_.fillRect(left, top, width, height, Qt::white);
  painter_.save();
  painter_.setPen(Qt::black);
  painter_.drawText(left, top + metrics.ascent(), string);
  painter_.restore();
}

void PainterSurface::WriteLetter(int x, int y, char letter, int height) {
  const QString text = QString::fromLatin1(&letter, 1);
  painter_.save();
  QFont font = painter_.font();
  font.setPixelSize(qMax(1, height * 10 / 7));  // a bold face's capitals are about 0.7 of its size
  font.setBold(true);
  painter_.setFont(font);
  const QFontMetrics metrics(font);
  painter_.setPen(Qt::black);
  painter_.drawText(x - metrics.horizontalAdvance(text) / 2, y + metrics.capHeight(), text);
  painter_.restore();
}

void PainterSurface::FillPolygon(const int* x, const int* y, int count, int brush) {
  QPolygon polygon(count);
  for (int k = 0; k < count; ++k) polygon.setPoint(k, x[k], y[k]);
  const QBrush previousBrush = painter_.brush();
  painter_.setBrush(brush == kOutlineBrush ? QColor(Qt::black) : BrushColour(brush));
  painter_.drawPolygon(polygon);
  painter_.setBrush(previousBrush);
}
