// A fresh program state for each test, and the clean-up of whatever window and objects it made.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>

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
    // The player's window goes with the main one; the core's player must close with it for the next test.
    ClosePlayer();
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

// The size of the canvas the painting tests draw into, and the grey it starts as.
const int kWidth = 640;
const int kHeight = 520;
const uint32_t kUntouched = 0x808080;

// A 32-bit bitmap in a memory device context, filled with kUntouched.
class Canvas {
 public:
  Canvas() {
    dc_ = CreateCompatibleDC(NULL);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    pixels_ = static_cast<uint32_t*>(bits);
    previous_ = SelectObject(dc_, bitmap_);
    for (int i = 0; i < kWidth * kHeight; ++i) pixels_[i] = kUntouched;
  }
  ~Canvas() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  bool ready() const { return pixels_ != nullptr; }
  uint32_t At(int x, int y) const {
    GdiFlush();
    return pixels_[y * kWidth + x] & 0xFFFFFF;
  }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ previous_;
  uint32_t* pixels_ = nullptr;
};
