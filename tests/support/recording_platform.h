// A seam for tests: records every box, repaint and drawing call, and answers the file chooser from a
// queue of paths.
#pragma once

#include <cstdio>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "analysis/analysis.h"
#include "files/input_files.h"
#include "support/fresh_start.h"
#include "ui/ui.h"

struct RecordedBox {
  std::string title;
  std::string text;
};

struct RecordingSurface : DrawingSurface {
  std::vector<std::string>
      calls;  // e.g. "move 51 8", "line 65 8", "fill 52 9 65 23 0", "text 60 170 ? for help"
  int alignment = 0;
  int penDepth = 0;

  void SelectOutlinePen() override {
    ++penDepth;
    calls.push_back("pen");
  }
  void RestorePen() override {
    --penDepth;
    calls.push_back("restore pen");
  }
  int SetAlignment(int value) override {
    const int previous = alignment;
    alignment = value;
    calls.push_back("align " + std::to_string(value));
    return previous;
  }
  void MoveTo(int x, int y) override {
    calls.push_back("move " + std::to_string(x) + " " + std::to_string(y));
  }
  void LineTo(int x, int y) override {
    calls.push_back("line " + std::to_string(x) + " " + std::to_string(y));
  }
  void FillRectangle(int left, int top, int right, int bottom, int brush) override {
    calls.push_back("fill " + std::to_string(left) + " " + std::to_string(top) + " " + std::to_string(right) +
                    " " + std::to_string(bottom) + " " + std::to_string(brush));
  }
  void WriteText(int x, int y, const char* text, int length) override {
    calls.push_back("text " + std::to_string(x) + " " + std::to_string(y) + " " + std::string(text, length));
  }
  void FillPolygon(const int* x, const int* y, int count, int brush) override {
    std::string call = "polygon";
    for (int k = 0; k < count; ++k) call += " " + std::to_string(x[k]) + "," + std::to_string(y[k]);
    calls.push_back(call + " " + std::to_string(brush));
  }
};

struct RecordingPlatform : Platform {
  std::vector<RecordedBox> boxes;
  std::deque<std::string> answers;  // paths the chooser hands out, in order; empty means cancel
  std::vector<FileKind> chooserKinds;
  std::vector<FileFilter> chooserFilters;
  std::string diagnostics;
  int repaints = 0;
  int erasingRepaints = 0;
  int paintsNow = 0;
  std::function<void()> onMessage;  // runs inside the box, as a window's message loop would
  std::string lastAnswer;
  std::vector<std::string> waits;  // the titles of the boxes that waited on work, and its last words
  int timer = 0;                   // the interval the core last asked for, 0 while none runs
  int64_t now = 0;                 // the clock, which only the test moves
  std::deque<std::string> typed;   // answers to the text prompt, in order; empty means cancel
  std::deque<std::string> saved;   // paths the save chooser hands out, in order; empty means cancel
  int playerShown = 0;             // 1 while the player's window shows, -1 once closed
  int playerChanges = 0;           // PlayerChange flags told since the test last cleared them

  void ShowMessage(const char* text, const char* title) override {
    boxes.push_back({title, text});
    if (onMessage) onMessage();
  }
  const char* ChooseOpenFile(FileKind kind, const FileFilter& filter) override {
    chooserKinds.push_back(kind);
    chooserFilters.push_back(filter);
    if (answers.empty()) return nullptr;
    lastAnswer = answers.front();
    answers.pop_front();
    return lastAnswer.c_str();
  }
  void WriteDiagnostic(const char* text) override { diagnostics += text; }
  void RequestRepaint(bool erase) override {
    ++repaints;
    if (erase) ++erasingRepaints;
  }
  void PaintNow() override { ++paintsNow; }
  bool SetTimer(int milliseconds) override {
    timer = milliseconds;
    return true;
  }
  int64_t Milliseconds() override { return now; }
  bool AskText(const char*, const char*, char* text, int capacity) override {
    if (typed.empty()) return false;
    std::snprintf(text, static_cast<size_t>(capacity), "%s", typed.front().c_str());
    typed.pop_front();
    return true;
  }
  const char* ChooseSaveFile(FileKind, const FileFilter&) override {
    if (saved.empty()) return nullptr;
    lastAnswer = saved.front();
    saved.pop_front();
    return lastAnswer.c_str();
  }
  void ShowPlayerWindow(bool shown) override { playerShown = shown ? 1 : -1; }
  void PlayerChanged(int what) override { playerChanges |= what; }
  void WaitForTask(const char* title, BackgroundTask& task) override {
    Platform::WaitForTask(title, task);
    char words[200];
    task.Describe(words, sizeof words);
    waits.push_back(std::string(title) + ": " + words);
  }
};
