// Times one extract of an archive into a folder, as the install run calls it
// (no progress handler attached), and prints the time in milliseconds.
// Usage: engine_bench ARCHIVE TARGET
#include <windows.h>

#include <cstdio>

#include "bench/bench_support.h"
#include "install/extract.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: engine_bench ARCHIVE TARGET\n");
    return 2;
  }
  bench::UnhandledComponent zip;
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  int result = install::Extract(zip, argv[1], argv[2]);
  QueryPerformanceCounter(&end);
  std::printf("extract=%d ms=%.0f\n", result, bench::Milliseconds(start, end));
  return result == 1 ? 0 : 1;
}
