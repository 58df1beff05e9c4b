// Times one extract of an archive into a folder, as the install run calls it
// (no progress handler attached), and prints the time in milliseconds.
// Usage: engine_bench ARCHIVE TARGET
#include <windows.h>

#include <cstdio>

#include "install/extract.h"

namespace {

class UnhandledComponent final : public tk::Component {
 public:
  bool Exists() const override { return true; }
  tk::EventAnswer Raise(int, const int*, int) override { return {false, 0}; }
};

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: engine_bench ARCHIVE TARGET\n");
    return 2;
  }
  UnhandledComponent zip;
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  int result = install::Extract(zip, argv[1], argv[2]);
  QueryPerformanceCounter(&end);
  std::printf("extract=%d ms=%.0f\n", result, Milliseconds(start, end));
  return result == 1 ? 0 : 1;
}
