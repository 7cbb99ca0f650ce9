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
  // The core's timer: a tick every so many milliseconds, 0 for none.
  void SetTicks(int milliseconds);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void timerEvent(QTimerEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void FitOuterSize();
  void ShowMenu(QPoint globalPosition);

  bool eraseNext_ = true;
  bool outerSizeFitted_ = false;
  int ticks_ = 0;  // the timer's id, 0 while none runs
};
