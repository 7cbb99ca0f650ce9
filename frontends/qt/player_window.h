// The move player's own window beside the main one: the sequence's text with the next move marked, the
// field for another, the controls and the counts, all wired to the core's player.
#pragma once

#include <QString>
#include <QWidget>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSlider;

class PlayerWindow : public QWidget {
 public:
  explicit PlayerWindow(QWidget* mainWindow);

  // Shows it beside the main window the first time, raised and active after.
  void Present();
  // Reads back from the core what PlayerChange flags say has changed.
  void Refresh(int what);

  // The text's position (UTF-16 units, as the text view counts) of a byte of the core's text, and back.
  int PositionOfByte(quint32 offset) const;
  quint32 ByteOfPosition(int position) const;

  QPlainTextEdit* text() const { return text_; }
  QLineEdit* field() const { return field_; }
  QLabel* problem() const { return problem_; }
  QLabel* counts() const { return counts_; }
  QSlider* slider() const { return slider_; }
  QComboBox* speed() const { return speed_; }
  QPushButton* button(int which) const;  // PlayerButton; the play button for Pause too

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void LoadText();
  void ShowPosition();
  void ShowState();

  QWidget* main_;
  bool placed_ = false;
  QPlainTextEdit* text_;
  QLineEdit* field_;
  QLabel* problem_;
  QLabel* counts_;
  QSlider* slider_;
  QComboBox* speed_;
  QPushButton* buttons_[6];  // start, back, play, forward, end, save
  // Where the text is not ASCII: the byte offset of each UTF-16 position; empty while they are the same.
  std::vector<quint32> bytes_;
};
