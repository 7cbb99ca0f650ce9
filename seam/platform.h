// The seam: what each front end supplies to the portable core, below every other layer.
#pragma once

#include <chrono>
#include <cstdint>
#include <thread>

#include "seam/file_kind.h"

// A device context: GDI's small set of calls, in its units (pixels, right and bottom excluded).
class DrawingSurface {
 public:
  virtual ~DrawingSurface() = default;
  virtual void SelectOutlinePen() = 0;  // black, one pixel; remembers the pen it replaces
  virtual void RestorePen() = 0;
  virtual int SetAlignment(int alignment) = 0;  // returns the previous alignment
  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;  // the end point is not drawn
  virtual void FillRectangle(int left, int top, int right, int bottom, int brush) = 0;  // brush 0 to 6
  virtual void WriteText(int x, int y, const char* text, int length) = 0;
  // A black capital `height` pixels high, centred on x, its top at y, on no ground of its own.
  virtual void WriteLetter(int x, int y, char letter, int /*height*/) { WriteText(x, y, &letter, 1); }
  // A polygon filled with the brush (0 to 6) and outlined with the outline pen, corners in order.
  virtual void FillPolygon(const int* x, const int* y, int count, int brush) = 0;
};

const int kOutlineBrush = 6;  // the outline pen's black, as a fill

const int kAlignCentreTop = 6;  // centred on x, top at y, current position not used

// Work the core runs on a thread of its own while the window waits for it.
class BackgroundTask {
 public:
  virtual ~BackgroundTask() = default;
  virtual bool Done() = 0;
  // What it is doing now, in a line of words.
  virtual void Describe(char* text, int capacity) = 0;
  // Asks it to stop as soon as it can; Done comes true once it has.
  virtual void Cancel() = 0;
};

class Platform {
 public:
  virtual ~Platform() = default;
  // A modal box with an OK button; returns when it is closed.
  virtual void ShowMessage(const char* text, const char* title) = 0;
  // The open-file chooser; the chosen path, or null when cancelled. The path stays valid until the
  // next call.
  virtual const char* ChooseOpenFile(FileKind kind, const FileFilter& filter) = 0;
  // The save-file chooser, its name field empty; the path as for ChooseOpenFile, with the chosen
  // filter's extension added to a name without one. A platform without one saves nothing.
  virtual const char* ChooseSaveFile(FileKind /*kind*/, const FileFilter& /*filter*/) { return nullptr; }
  // Asks for one line of text under `prompt`; false when cancelled. The answer is cut to `capacity`
  // bytes, terminator included. A platform without a prompt asks nothing.
  virtual bool AskText(const char* /*title*/, const char* /*prompt*/, char* /*text*/, int /*capacity*/) {
    return false;
  }
  // Diagnostic text that nobody has to read (a windowed program drops it).
  virtual void WriteDiagnostic(const char* text) = 0;
  // Mark the whole window for a later repaint, without erasing; `erase` asks to clear first.
  virtual void RequestRepaint(bool erase) = 0;
  // Paint the window now, before returning.
  virtual void PaintNow() = 0;
  // Calls the core's TimerTick about every `milliseconds` on the window's thread until asked to stop
  // (0); false for a platform without a timer, whose window then shows every end at once.
  virtual bool SetTimer(int /*milliseconds*/) { return false; }
  // Returns once the task is done. A window shows, after a moment, a modal box titled `title` with the
  // task's words and a Cancel button, and goes on painting meanwhile; Cancel asks the task to stop and the
  // box stays until it has. A platform without boxes waits.
  virtual void WaitForTask(const char* /*title*/, BackgroundTask& task) {
    while (!task.Done()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  // The player's window beside the main one, shown (or brought to the front) or closed; the core has
  // already kept what it showed. A platform without one shows nothing.
  virtual void ShowPlayerWindow(bool /*shown*/) {}
  // What the player's window shows has changed: PlayerChange flags.
  virtual void PlayerChanged(int /*what*/) {}
  // Milliseconds on a clock that only goes forward, from any fixed start.
  virtual int64_t Milliseconds() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
  }
};

// Set by the front end before the first command.
extern Platform* platform;
