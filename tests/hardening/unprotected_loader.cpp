// The control case: a program without any restriction of the DLL search that
// loads a system DLL by its bare name, the ordinary way. A planted DLL beside
// it is what it gets. Exit code 0 when the load succeeded.
#include <windows.h>

int main(int argc, char** argv) {
  const char* name = argc > 1 ? argv[1] : "dwmapi.dll";
  return LoadLibraryA(name) ? 0 : 1;
}
