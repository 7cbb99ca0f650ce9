// The player's window over the window's document: what it opens on, its controls, and the main window's
// cube kept at the player's position until it closes as one undo step.
#include "ui/player/player_window.h"

#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include "files/alg_notation.h"
#include "files/input_files.h"
#include "files/move_text.h"
#include "ui/document.h"
#include "ui/player/moving_picture.h"
#include "ui/solid/animation.h"
#include "ui/ui.h"

#define ELLIPSIS "\xE2\x80\xA6"
#define DOT " \xC2\xB7 "

const char kPlayerTitle[] = "Plexaro moves";
const char kPlayerPrompt[] = "Moves in the standard notation, played from the pattern the window shows:";
const char kPlayerEmpty[] = "No moves yet: type some below, or apply or solve some in the window.";
const char kPlayerSpeedLabel[] = "Moves a second:";
const char* const kPlayerButtons[7] = {
    "Start", "Back", "Play", "Pause", "Forward", "End", "Save as GIF" ELLIPSIS};
const double kPlaySpeeds[kPlaySpeedCount] = {0.5, 1, 1.5, 2, 3, 4, 5, 7, 10, 15, 20};

namespace {

const FileFilter kGifFilter = {{"Animated GIF (*.gif)", "All files (*.*)"}, {"*.gif", "*.*"}, "gif"};

PlayerSession& Session() { return document.player; }
PlayerController& Controller() { return document.player.controller; }

void Changed(int what) { platform->PlayerChanged(what); }

// The timer runs while the player plays or a turn animates, and stops with the later of the two.
void KeepTimer() {
  if (Controller().Playing()) {
    if (!platform->SetTimer(kFrameMilliseconds)) Controller().Pause();
  } else if (!document.animation.active) {
    platform->SetTimer(0);
  }
}

// The window's cube to the player's position; `step`, when one move took it there, animates in the
// solid views, a quarter turn no slower than playing goes.
void ShowPosition(const BlockMove* step) {
  FinishAnimation();
  NoteStart();
  Controller().player().Pattern(&document.cube);
  if (step != nullptr) {
    NoteMove(*step);
    const int interval = static_cast<int>(1000 / Controller().Speed());
    const int quarter = Controller().Playing() && interval / 2 < kQuarterTurnMilliseconds
                            ? interval / 2
                            : kQuarterTurnMilliseconds;
    PlayNotedMoves(quarter);
  }
  KeepTimer();
  platform->RequestRepaint(false);
  Changed(kPlayerPositionChanged | kPlayerStateChanged);
}

// Plays the text from `start` at its size; false with the reason in `problem`.
bool Load(const Cube& start, const std::string& text, bool standard, std::string* problem) {
  std::vector<BlockMove> moves;
  std::vector<TextPlace> places;
  char reason[kTextCapacity];
  const bool parsed =
      standard ? ParseAlgPlaces(text.data(), text.size(), start.size, &moves, &places, reason, sizeof reason)
               : ParseMoveText(text.data(), text.size(), start.size, &moves, &places, reason, sizeof reason);
  if (!parsed) {
    *problem = reason;
    return false;
  }
  return Controller().Open(start, std::move(moves), std::move(places), problem);
}

bool ShowsWindow() {
  const Cube& cube = document.cube;
  Cube shown;
  Controller().player().Pattern(&shown);
  return shown.size == cube.size && CompareCubes(cube.size, shown.live, cube.live) == 0;
}

// The last sequence met, at the position that shows what the window shows: its end, or its start; when
// the window has moved on from both, the same moves from the window's pattern.
void OpenOnMet() {
  PlayerSession& session = Session();
  const MetSequence& met = document.met;
  std::string text = met.text;
  if (met.path[0] != '\0') {
    std::string refusal;
    if (!ReadTextPath(met.path, &text, &refusal)) {
      session.problem = refusal;
      return;
    }
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
  }
  session.text = text;
  std::string problem;
  if (met.start.size == document.cube.size && Load(met.start, text, met.standard, &problem)) {
    Controller().GoToEnd();
    if (ShowsWindow()) return;
    Controller().GoToStart();
    if (ShowsWindow()) return;
  }
  if (Load(document.cube, text, met.standard, &problem))
    session.problem = "The window has changed since these moves; they play from what it shows.";
  else
    session.problem = problem;
}

}  // namespace

void NoteSequenceText(const Cube& start, const char* text, size_t length) {
  MetSequence& met = document.met;
  met.met = true;
  met.start = start;
  met.text.assign(text, length);
  met.path[0] = '\0';
  met.standard = true;
}

void NoteSequenceFile(const Cube& start, const char* path, bool standard) {
  MetSequence& met = document.met;
  // A key opens the file: no heap here, and a name too long to keep is one the player cannot read again.
  const size_t length = std::strlen(path);
  met.met = length < sizeof met.path;
  met.start = start;
  met.text.clear();
  std::memcpy(met.path, path, met.met ? length + 1 : 0);
  met.standard = standard;
}

void NoteSequenceAnswer(int size, const char* alg) {
  Cube solved;
  MakeSolved(solved, size);
  NoteSequenceText(solved, alg, std::strlen(alg));
}

bool PlayerIsOpen() { return Session().open; }

void OpenPlayer() {
  PlayerSession& session = Session();
  if (!session.open) {
    FinishAnimation();
    session.open = true;
    session.openedWith = document.cube;
    session.text.clear();
    session.problem.clear();
    std::string ignored;
    Controller().Open(document.cube, {}, {}, &ignored);
    if (document.met.met) OpenOnMet();
    // Whatever failed above leaves the empty sequence on the window's own pattern.
    if (!ShowsWindow()) {
      session.text.clear();
      Controller().Open(document.cube, {}, {}, &ignored);
    }
    platform->RequestRepaint(false);
  }
  platform->ShowPlayerWindow(true);
  Changed(kPlayerEverything);
}

void ClosePlayer() {
  PlayerSession& session = Session();
  if (!session.open) return;
  session.open = false;
  Controller().Pause();
  FinishAnimation();
  BeginStep(document.history, session.openedWith);
  EndStep(document.history, document.cube);
  session.text.clear();
  session.text.shrink_to_fit();
  std::string ignored;
  Controller().Open(document.cube, {}, {}, &ignored);
  platform->ShowPlayerWindow(false);
  platform->RequestRepaint(false);
}

bool EnterPlayerMoves(const char* text, size_t length) {
  PlayerSession& session = Session();
  if (!session.open) return false;
  Controller().Pause();
  const std::string entered(text, length);
  std::string problem;
  // A refusal leaves the sequence shown as it was, at its position.
  if (!Load(document.cube, entered, true, &problem)) {
    session.problem = problem;
    Changed(kPlayerTextChanged | kPlayerStateChanged);
    return false;
  }
  session.text = entered;
  session.problem.clear();
  ShowPosition(nullptr);
  Changed(kPlayerEverything);
  return true;
}

void PlayerGoToStart() {
  Controller().Pause();
  if (Controller().GoToStart()) ShowPosition(nullptr);
  Changed(kPlayerStateChanged);
}

void PlayerGoToEnd() {
  Controller().Pause();
  if (Controller().GoToEnd()) ShowPosition(nullptr);
  Changed(kPlayerStateChanged);
}

void PlayerJumpTo(int64_t position) {
  Controller().Pause();
  if (Controller().JumpTo(position)) ShowPosition(nullptr);
  Changed(kPlayerStateChanged);
}

bool PlayerClickText(uint64_t offset) {
  const int64_t move = Controller().player().MoveAtTextOffset(offset);
  if (move < 0) return false;
  Controller().Pause();
  if (Controller().JumpTo(move)) ShowPosition(nullptr);
  Changed(kPlayerStateChanged);
  return true;
}

void PlayerStepForward() {
  BlockMove move;
  const bool has = Controller().player().NextMove(&move);
  if (Controller().StepForward() && has) ShowPosition(&move);
  Changed(kPlayerStateChanged);
}

void PlayerStepBack() {
  if (!Controller().StepBack()) {
    Changed(kPlayerStateChanged);
    return;
  }
  BlockMove move;
  Controller().player().NextMove(&move);
  const BlockMove back = InverseBlockMove(move);
  ShowPosition(&back);
}

void PlayerTogglePlay() {
  const int64_t now = platform->Milliseconds();
  if (Controller().TogglePlay(now)) ShowPosition(nullptr);  // from the start again
  KeepTimer();
  Changed(kPlayerStateChanged);
}

void PlayerSetSpeed(double movesPerSecond) {
  Controller().SetSpeed(movesPerSecond, platform->Milliseconds());
  Changed(kPlayerStateChanged);
}

void PlayerTick() {
  if (!Session().open || !Controller().Playing()) return;
  const int64_t before = Controller().Position();
  BlockMove move;
  const bool has = Controller().player().NextMove(&move);
  if (!Controller().Tick(platform->Milliseconds())) return;
  ShowPosition(has && Controller().Position() == before + 1 ? &move : nullptr);
}

bool PlayerCanSaveGif() { return Session().open && MovingPicturesAvailable(); }

void PlayerSaveGif() {
  if (!PlayerCanSaveGif()) return;
  Controller().Pause();
  Changed(kPlayerStateChanged);
  const char* path = platform->ChooseSaveFile(kPictureFile, kGifFilter);
  if (path == nullptr) return;
  MovingPictureRequest request = {
      {static_cast<PictureView>(document.view.mode), document.view.camera, document.view.letters, 1},
      kDefaultFramesPerQuarter,
      kDefaultFrameDelay};
  // The picture keeps the player's pace: a move a beat, on the net at once, on the cube over its frames.
  const int beat = static_cast<int>(1000 / Controller().Speed());
  int delay = request.picture.view == kPictureNet ? beat : beat / (2 * request.framesPerQuarter);
  delay = delay < kMinFrameDelay ? kMinFrameDelay : delay > kMaxFrameDelay ? kMaxFrameDelay : delay;
  request.delay = delay;
  const Player& player = Controller().player();
  char reason[512];
  int64_t frames = 0;
  if (!SaveMovingPicture(player.Start(), player.Moves().data(), player.Moves().size(), document.layout,
                         request, path, reason, sizeof reason, &frames))
    platform->ShowMessage(reason, "Error");
}

const std::string& PlayerText() { return Session().text; }
const std::string& PlayerProblem() { return Session().problem; }
int64_t PlayerPosition() { return Controller().Position(); }
int64_t PlayerLength() { return Controller().Length(); }
bool PlayerPlaying() { return Controller().Playing(); }
double PlayerSpeed() { return Controller().Speed(); }

bool PlayerNextPlace(TextPlace* place) { return Controller().player().NextPlace(place); }

void FormatPlayerCounts(char* text, size_t capacity) {
  const PlayerCounts c = Controller().Counts();
  std::snprintf(text, capacity, "Move %lld of %lld" DOT "block turns %lld of %lld" DOT "OBTM %lld of %lld",
                static_cast<long long>(c.position), static_cast<long long>(c.length),
                static_cast<long long>(c.played.blockTurns), static_cast<long long>(c.all.blockTurns),
                static_cast<long long>(c.played.outerBlockTurns),
                static_cast<long long>(c.all.outerBlockTurns));
}
