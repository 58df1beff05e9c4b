// Times one install run of an archive into a folder, as page 6 does it but
// without a page: the temporary archive written into the folder, extract, the
// temporary archive deleted. The archive is read into memory first, where the
// setup program has its payload, and that read is not timed. Prints the
// outcome and the time in milliseconds.
// Usage: install_run_bench ARCHIVE FOLDER
#include <windows.h>

#include <cstdio>

#include "bench/bench_support.h"
#include "install/install_run.h"
#include "toolkit/scoped.h"

namespace {

tk::HeapArray<unsigned char> ReadWholeFile(const char* path) {
  tk::ScopedFile file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return {};
  DWORD size = GetFileSize(file.Get(), nullptr);
  if (size == INVALID_FILE_SIZE) return {};
  tk::HeapArray<unsigned char> bytes(size);
  DWORD read = 0;
  if (!ReadFile(file.Get(), bytes.Get(), size, &read, nullptr) || read != size) return {};
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: install_run_bench ARCHIVE FOLDER\n");
    return 2;
  }
  tk::HeapArray<unsigned char> archive = ReadWholeFile(argv[1]);
  if (!archive.Count()) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 2;
  }
  bench::UnhandledComponent zip;
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  install::Outcome outcome = install::InstallRunWith(
      zip, argv[2], {archive.Get(), static_cast<long>(archive.Count())});
  QueryPerformanceCounter(&end);
  std::printf("install-run=%d ms=%.0f\n", outcome.ok() ? 1 : 0, bench::Milliseconds(start, end));
  return outcome.ok() ? 0 : 1;
}
