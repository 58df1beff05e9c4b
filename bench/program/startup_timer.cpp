// Times how long programs take from process start to their first window
// painted: CreateProcess, then a poll every millisecond until the process has
// a visible top-level window whose screen pixel at window point (3, 3) is
// #00ACFF. The programs take turns, round after round, so that whatever the
// machine does meanwhile falls on all of them alike; one round before the
// timed ones warms the file cache. Prints median, minimum and maximum of
// each program and the ratio of each median to the first program's.
// Usage: startup_timer ROUNDS YARDSTICK.exe PROGRAM.exe...
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "toolkit/scoped.h"

namespace {

constexpr COLORREF kPainted = RGB(0x00, 0xAC, 0xFF);
constexpr POINT kProbe = {3, 3};
constexpr DWORD kPaintTimeoutMs = 60000;
constexpr DWORD kGoneTimeoutMs = 5000;
constexpr int kWindowWidth = 539;
constexpr int kWindowHeight = 382;

using ScopedHandle = tk::Scoped<HANDLE, tk::release::File>;

double Now() {
  LARGE_INTEGER frequency, count;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&count);
  return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

COLORREF ScreenPixel(int x, int y) {
  tk::WindowDC screen(nullptr);
  return GetPixel(screen.Get(), x, y);
}

struct Search {
  DWORD processId;
  bool painted;
};

BOOL CALLBACK CheckWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
  RECT rect;
  GetWindowRect(window, &rect);
  search->painted = ScreenPixel(rect.left + kProbe.x, rect.top + kProbe.y) == kPainted;
  return !search->painted;
}

bool HasPaintedWindow(DWORD processId) {
  Search search = {processId, false};
  EnumWindows(CheckWindow, reinterpret_cast<LPARAM>(&search));
  return search.painted;
}

// The last program's window may linger on the screen for a moment after its
// process ended; a new start is timed only once the probe point has lost the
// colour, so that the old window cannot count as the new one's.
void WaitUntilScreenForgets() {
  int x = (GetSystemMetrics(SM_CXSCREEN) - kWindowWidth) / 2 + kProbe.x;
  int y = (GetSystemMetrics(SM_CYSCREEN) - kWindowHeight) / 2 + kProbe.y;
  DWORD start = GetTickCount();
  while (ScreenPixel(x, y) == kPainted && GetTickCount() - start < kGoneTimeoutMs) Sleep(10);
  Sleep(100);
}

// Milliseconds from CreateProcess to a painted window, or a negative number
// when the program did not start or never painted.
double TimeOneStart(const char* program) {
  WaitUntilScreenForgets();
  std::vector<char> commandLine(std::strlen(program) + 3);
  std::snprintf(commandLine.data(), commandLine.size(), "\"%s\"", program);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  double start = Now();
  if (!CreateProcessA(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info))
    return -1;
  ScopedHandle process(info.hProcess), thread(info.hThread);
  double elapsed = -1;
  while (Now() - start < kPaintTimeoutMs) {
    if (HasPaintedWindow(info.dwProcessId)) {
      elapsed = Now() - start;
      break;
    }
    if (WaitForSingleObject(process.Get(), 1) == WAIT_OBJECT_0) break;
  }
  TerminateProcess(process.Get(), 0);
  WaitForSingleObject(process.Get(), 10000);
  return elapsed;
}

const char* BaseName(const char* path) {
  const char* name = path;
  for (const char* p = path; *p; ++p)
    if (*p == '\\' || *p == '/') name = p + 1;
  return name;
}

struct Figures {
  double median, min, max;
};

Figures Summarise(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  size_t n = times.size();
  double median = n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
  return {median, times.front(), times.back()};
}

void PrintReport(int rounds, char** programs, int count, const std::vector<std::vector<double>>& times) {
  std::printf("\nstart-up to first window painted (wall ms, %d runs each, taking turns)\n", rounds);
  std::printf("%-28s %9s %9s %9s %9s\n", "program", "median", "min", "max", "ratio");
  double yardstick = Summarise(times[0]).median;
  for (int i = 0; i < count; ++i) {
    Figures f = Summarise(times[i]);
    std::printf("%-28s %9.0f %9.0f %9.0f %9.2f\n", BaseName(programs[i]), f.median, f.min, f.max,
                f.median / yardstick);
  }
  std::printf("(ratio: median against %s)\n", BaseName(programs[0]));
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = argc > 3 ? std::atoi(argv[1]) : 0;
  if (rounds < 1) {
    std::fprintf(stderr, "usage: startup_timer ROUNDS YARDSTICK.exe PROGRAM.exe...\n");
    return 2;
  }
  char** programs = argv + 2;
  int count = argc - 2;
  std::vector<std::vector<double>> times(count);
  for (int round = 0; round <= rounds; ++round) {
    for (int i = 0; i < count; ++i) {
      double ms = TimeOneStart(programs[i]);
      if (ms < 0) {
        std::fprintf(stderr, "%s: no window painted\n", programs[i]);
        return 1;
      }
      std::printf("%s %s %.0f\n", round ? "run" : "warm-up", BaseName(programs[i]), ms);
      std::fflush(stdout);
      if (round) times[i].push_back(ms);
    }
  }
  PrintReport(rounds, programs, count, times);
  return 0;
}
