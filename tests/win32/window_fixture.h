// A fresh program state for each test, and the clean-up of whatever window and objects it made.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include "analysis/analysis.h"
#include "files/input_files.h"
#include "frontends/win32/win32_platform.h"
#include "frontends/win32/window.h"
#include "tests/support/fresh_start.h"
#include "ui/ui.h"

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    failingDrawingObject = 0;
    StartFresh(win32_);
  }

  void TearDown() override {
    if (mainWindow != NULL) DestroyWindow(mainWindow);
    mainWindow = NULL;
    UnregisterClassA("Plexaro", Instance());
    DeleteDrawingObjects();
    MSG message;  // the quit message the destroyed window posted
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
    }
  }

  static HINSTANCE Instance() { return GetModuleHandleA(NULL); }

  // The window as the program makes it, shown without taking the focus.
  void Open() {
    ASSERT_EQ(InitialiseWindow(Instance(), NULL, SW_SHOWNOACTIVATE), 1);
    UpdateWindow(mainWindow);
  }

  static bool RepaintPending() { return GetUpdateRect(mainWindow, NULL, FALSE) != 0; }

  Win32Platform win32_;
};
