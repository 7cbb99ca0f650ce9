// The one main window: paints the net, turns keystrokes into the core's key codes, and takes clicks,
// the mouse menu and dropped files.
#pragma once

#include <QWidget>

class CubeWindow : public QWidget {
 public:
  CubeWindow();

  // Mark everything for the next paint; `erase` clears the background first.
  void RequestRepaint(bool erase);
  // Paint before returning.
  void PaintNow();

  // The net's pixel under a point of the client area: the point itself, or scaled back when the net
  // is fitted to the window.
  QPoint NetPoint(QPoint point) const;
  // How much the fitted net is enlarged; 1 when it is not fitted.
  double NetScale() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  void mousePressEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void FitOuterSize();
  QRect FittedTarget() const;
  void PaintFitted(QPainter& painter);
  void ShowMenu(QPoint globalPosition);

  bool eraseNext_ = true;
  bool outerSizeFitted_ = false;
};
