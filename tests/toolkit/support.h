// What the toolkit's tests share: a driver timer that runs each test's steps
// inside the event loop, and ways to find and read the windows it built.
#pragma once
#include <windows.h>
#undef MessageBox

#include <functional>
#include <vector>

#include "toolkit/toolkit.h"

namespace tktest {

// The steps of a scenario, run on every tick of a layout's driver timer.
// A scenario that has not ended its pages after kTickLimit ticks fails and
// is wound up, so that a broken toolkit cannot hang the test program.
using Step = std::function<void(tk::Page&)>;
void SetDriver(Step step);
void Drive(tk::Page& page);  // the driver timer's handler
int Ticks();
constexpr int kDriverPeriod = 20;
constexpr int kTickLimit = 250;

// A driver timer row for a layout.
tk::Control DriverRow(const char* parent);

// Loads `pages` and runs the loop until it returns.
void RunPages(const tk::PageDesc* const* pages, int count, int first = 1);

// Top-level windows of this program by title (GBK).
HWND FindTopLevel(const char* title);

// The children of `parent`, top of the stacking order first.
int Children(HWND parent, HWND* out, int capacity);

// The colour at x, y of a window's client area as drawn on screen.
COLORREF PixelAt(HWND window, int x, int y);

// The colours of a rectangle of a window's client area as drawn on screen,
// row by row.
std::vector<COLORREF> Capture(HWND window, const RECT& area);

// Answers every open message box of this thread (used to wind up).
void DismissBoxes();

}  // namespace tktest
