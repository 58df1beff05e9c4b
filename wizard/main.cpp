// The setup program's entry: start-up, the event loop, and the end.
#include <windows.h>

#include "toolkit/toolkit.h"
#include "wizard/startup.h"

namespace {

// A setup program usually runs from a downloads folder, where anyone may have
// left a DLL with a system DLL's name. Loading only from System32, before
// anything loads a DLL on demand, keeps such files out of the process. The
// call is looked up at run time, as systems before Windows 8 may lack it.
void LoadDllsFromSystem32Only() {
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  FARPROC found = GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
  if (found) {
    reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void (*)()>(found))(
        LOAD_LIBRARY_SEARCH_SYSTEM32);
  } else {
    SetDllDirectoryA("");  // at least no DLLs from the current directory
  }
}

}  // namespace

// The close-request road ends in the event loop; ending through EndProgram
// runs the exit hooks there too, exactly once as on every other road.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  LoadDllsFromSystem32Only();
  tk::EndProgram(wizard::StartUp());
}
