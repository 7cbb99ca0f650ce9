// The one main window: paints the net and turns keystrokes into the core's key codes.
#pragma once

#include <QWidget>

class CubeWindow : public QWidget {
 public:
  CubeWindow();

  // Mark everything for the next paint; `erase` clears the background first.
  void RequestRepaint(bool erase);
  // Paint before returning.
  void PaintNow();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  void FitOuterSize();

  bool eraseNext_ = true;
  bool outerSizeFitted_ = false;
};
