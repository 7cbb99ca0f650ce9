// The player's window on Qt: every control calls the core, and the core says what to read back.
#include "frontends/qt/player_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSlider>
#include <QTextBlock>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/ui.h"

namespace {

// The controls' buttons in their row, and what each does.
const PlayerButton kRow[6] = {kPlayerStartButton,   kPlayerBackButton, kPlayerPlayButton,
                              kPlayerForwardButton, kPlayerEndButton,  kPlayerSaveGifButton};
void (*const kActions[6])() = {PlayerGoToStart,   PlayerStepBack, PlayerTogglePlay,
                               PlayerStepForward, PlayerGoToEnd,  PlayerSaveGif};

}  // namespace

PlayerWindow::PlayerWindow(QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window),
      main_(mainWindow),
      text_(new QPlainTextEdit(this)),
      field_(new QLineEdit(this)),
      problem_(new QLabel(this)),
      counts_(new QLabel(this)),
      slider_(new QSlider(Qt::Horizontal, this)),
      speed_(new QComboBox(this)) {
  setWindowTitle(QString::fromUtf8(kPlayerTitle));
  text_->setReadOnly(true);
  text_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  text_->viewport()->installEventFilter(this);
  problem_->setWordWrap(true);
  problem_->setTextFormat(Qt::PlainText);
  counts_->setTextFormat(Qt::PlainText);

  auto* controls = new QHBoxLayout;
  for (int k = 0; k < 6; ++k) {
    buttons_[k] = new QPushButton(QString::fromUtf8(kPlayerButtons[kRow[k]]), this);
    buttons_[k]->setAutoDefault(false);
    connect(buttons_[k], &QPushButton::clicked, this, [k] { kActions[k](); });
    if (k < 5) controls->addWidget(buttons_[k]);
  }
  controls->addStretch();
  controls->addWidget(new QLabel(QString::fromUtf8(kPlayerSpeedLabel), this));
  for (double speed : kPlaySpeeds) speed_->addItem(QString::number(speed), speed);
  controls->addWidget(speed_);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(counts_, 1);
  bottom->addWidget(buttons_[5]);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_, 1);
  layout->addWidget(slider_);
  layout->addLayout(controls);
  layout->addLayout(bottom);
  layout->addWidget(new QLabel(QString::fromUtf8(kPlayerPrompt), this));
  layout->addWidget(field_);
  layout->addWidget(problem_);

  // The slider moves the cube only when the hand moves it, not when the core sets it.
  connect(slider_, &QSlider::valueChanged, this, [this](int value) {
    if (!slider_->signalsBlocked()) PlayerJumpTo(value);
  });
  connect(speed_, &QComboBox::activated, this,
          [this](int index) { PlayerSetSpeed(speed_->itemData(index).toDouble()); });
  connect(field_, &QLineEdit::returnPressed, this, [this] {
    const QByteArray text = field_->text().toUtf8();
    if (EnterPlayerMoves(text.constData(), static_cast<size_t>(text.size()))) field_->clear();
  });
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(escape, &QShortcut::activated, this, &QWidget::close);
  resize(560, 420);
}

QPushButton* PlayerWindow::button(int which) const {
  for (int k = 0; k < 6; ++k)
    if (kRow[k] == which || (which == kPlayerPauseButton && kRow[k] == kPlayerPlayButton)) return buttons_[k];
  return nullptr;
}

void PlayerWindow::Present() {
  if (!placed_) {
    // Beside the main window, on its right where the screen has room, else on its left.
    const QRect frame = main_->frameGeometry();
    const QRect room = main_->screen() != nullptr ? main_->screen()->availableGeometry() : QRect();
    int x = frame.right() + 8;
    if (!room.isEmpty() && x + width() > room.right()) x = std::max(room.left(), frame.left() - width() - 8);
    move(x, frame.top());
    placed_ = true;
  }
  show();
  raise();
  activateWindow();
}

void PlayerWindow::Refresh(int what) {
  if (what & kPlayerTextChanged) LoadText();
  if (what & (kPlayerTextChanged | kPlayerPositionChanged)) ShowPosition();
  if (what & (kPlayerTextChanged | kPlayerStateChanged)) ShowState();
}

void PlayerWindow::LoadText() {
  const std::string& text = PlayerText();
  bytes_.clear();
  if (std::any_of(text.begin(), text.end(), [](char c) { return (c & 0x80) != 0; })) {
    // UTF-8 to the positions Qt counts: one for a character below U+10000, two above it.
    bytes_.reserve(text.size() + 1);
    for (size_t k = 0; k < text.size();) {
      const unsigned char lead = static_cast<unsigned char>(text[k]);
      const size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
      bytes_.push_back(static_cast<quint32>(k));
      if (length == 4) bytes_.push_back(static_cast<quint32>(k));
      k += length;
    }
    bytes_.push_back(static_cast<quint32>(text.size()));
  }
  text_->setPlainText(text.empty() && PlayerLength() == 0
                          ? QString()
                          : QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  text_->setPlaceholderText(QString::fromUtf8(kPlayerEmpty));
  problem_->setText(QString::fromUtf8(PlayerProblem().c_str()));
  problem_->setVisible(!PlayerProblem().empty());
  const QSignalBlocker block(slider_);
  slider_->setRange(0, static_cast<int>(PlayerLength()));
  if (PlayerLength() == 0) field_->setFocus();
}

int PlayerWindow::PositionOfByte(quint32 offset) const {
  if (bytes_.empty()) return static_cast<int>(offset);
  return static_cast<int>(std::lower_bound(bytes_.begin(), bytes_.end(), offset) - bytes_.begin());
}

quint32 PlayerWindow::ByteOfPosition(int position) const {
  if (bytes_.empty()) return static_cast<quint32>(position);
  return bytes_[std::min(static_cast<size_t>(position), bytes_.size() - 1)];
}

void PlayerWindow::ShowPosition() {
  {
    const QSignalBlocker block(slider_);
    slider_->setValue(static_cast<int>(PlayerPosition()));
  }
  char counts[160];
  FormatPlayerCounts(counts, sizeof counts);
  counts_->setText(QString::fromUtf8(counts));
  QList<QTextEdit::ExtraSelection> marks;
  TextPlace place;
  if (PlayerNextPlace(&place)) {
    QTextEdit::ExtraSelection mark;
    mark.cursor = QTextCursor(text_->document());
    mark.cursor.setPosition(PositionOfByte(place.offset));
    mark.cursor.setPosition(PositionOfByte(place.offset + place.length), QTextCursor::KeepAnchor);
    mark.format.setBackground(palette().highlight());
    mark.format.setForeground(palette().highlightedText());
    marks.append(mark);
    // In view, without moving the reader's own cursor.
    QTextCursor shown = text_->textCursor();
    shown.setPosition(mark.cursor.position());
    text_->setTextCursor(shown);
    text_->ensureCursorVisible();
  }
  text_->setExtraSelections(marks);
}

void PlayerWindow::ShowState() {
  buttons_[2]->setText(
      QString::fromUtf8(kPlayerButtons[PlayerPlaying() ? kPlayerPauseButton : kPlayerPlayButton]));
  buttons_[5]->setEnabled(PlayerCanSaveGif());
  int nearest = 0;
  for (int k = 0; k < kPlaySpeedCount; ++k)
    if (std::abs(kPlaySpeeds[k] - PlayerSpeed()) < std::abs(kPlaySpeeds[nearest] - PlayerSpeed()))
      nearest = k;
  speed_->setCurrentIndex(nearest);
}

void PlayerWindow::closeEvent(QCloseEvent* event) {
  // The core keeps what the window shows and then asks for this window to go.
  if (PlayerIsOpen()) ClosePlayer();
  event->accept();
}

bool PlayerWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == text_->viewport() && event->type() == QEvent::MouseButtonRelease) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    // A click, not the end of a selection the reader made.
    if (mouse->button() == Qt::LeftButton && !text_->textCursor().hasSelection()) {
      // The cursor falls between two characters: the one after it, else the one before.
      const int position = text_->cursorForPosition(mouse->position().toPoint()).position();
      if (!PlayerClickText(ByteOfPosition(position)) && position > 0)
        PlayerClickText(ByteOfPosition(position - 1));
    }
  }
  return QWidget::eventFilter(watched, event);
}
