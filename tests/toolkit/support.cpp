#include "tests/toolkit/support.h"

#include <gtest/gtest.h>

#include <cstring>

#include "toolkit/scoped.h"

namespace tktest {

namespace {

Step g_step;
int g_ticks = 0;

struct TitleSearch {
  const char* title;
  HWND found;
};

BOOL CALLBACK MatchTitle(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<TitleSearch*>(param);
  char title[256];
  GetWindowTextA(hwnd, title, sizeof title);
  if (std::strcmp(title, search->title) != 0) return TRUE;
  search->found = hwnd;
  return FALSE;
}

BOOL CALLBACK AnswerBox(HWND hwnd, LPARAM) {
  char className[16];
  GetClassNameA(hwnd, className, sizeof className);
  if (std::strcmp(className, "#32770") == 0) {
    PostMessageA(hwnd, WM_COMMAND, IDNO, 0);
    PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
  }
  return TRUE;
}

}  // namespace

void SetDriver(Step step) {
  g_step = std::move(step);
  g_ticks = 0;
}

int Ticks() { return g_ticks; }

void Drive(tk::Page& page) {
  if (++g_ticks > kTickLimit) {
    ADD_FAILURE() << "the scenario did not end its pages";
    DismissBoxes();
    page.Close();
    return;
  }
  if (g_step) g_step(page);
}

tk::Control DriverRow(const char* parent) {
  return {.name = "驱动", .kind = tk::Kind::Timer, .parent = parent, .rect = {0, 0, 0, 0},
          .period = kDriverPeriod, .onPeriodic = Drive};
}

void RunPages(const tk::PageDesc* const* pages, int count, int first) {
  tk::Initialise(pages, count);
  tk::OpenPage(first);
  tk::RunEventLoop();
}

HWND FindTopLevel(const char* title) {
  TitleSearch search = {title, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), MatchTitle, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

int Children(HWND parent, HWND* out, int capacity) {
  int count = 0;
  for (HWND h = GetWindow(parent, GW_CHILD); h && count < capacity; h = GetWindow(h, GW_HWNDNEXT))
    out[count++] = h;
  return count;
}

COLORREF PixelAt(HWND window, int x, int y) {
  return Capture(window, RECT{x, y, x + 1, y + 1})[0];
}

std::vector<COLORREF> Capture(HWND window, const RECT& area) {
  int width = area.right - area.left, height = area.bottom - area.top;
  POINT origin = {area.left, area.top};
  ClientToScreen(window, &origin);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  tk::WindowDC screen(nullptr);
  tk::ScopedMemoryDC memory(CreateCompatibleDC(screen.Get()));
  tk::ScopedBitmap bitmap(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  std::vector<COLORREF> colours(size_t(width) * size_t(height));
  if (!bits) return colours;
  {
    tk::Selection selected(memory.Get(), bitmap.Get());
    BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), origin.x, origin.y, SRCCOPY);
    GdiFlush();
  }
  const auto* pixels = static_cast<const uint32_t*>(bits);
  for (size_t i = 0; i < colours.size(); ++i)
    colours[i] = RGB((pixels[i] >> 16) & 0xFF, (pixels[i] >> 8) & 0xFF, pixels[i] & 0xFF);
  return colours;
}

void DismissBoxes() { EnumThreadWindows(GetCurrentThreadId(), AnswerBox, 0); }

}  // namespace tktest
