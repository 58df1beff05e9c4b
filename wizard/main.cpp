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

// System DLLs that themselves load these by bare name on first use (the theme
// engine delay-loads msimg32 for its transparent blits, the folder dialog pulls
// in the common controls). Some loaders resolve such late loads beside the
// program despite the restriction above, so they are loaded here first, by
// their full System32 path; a later load by name finds them in the process.
void PreloadLateSystemDlls() {
  static const char* const kLateDlls[] = {"msimg32.dll", "uxtheme.dll", "comctl32.dll"};
  char path[MAX_PATH];
  UINT folder = GetSystemDirectoryA(path, MAX_PATH);
  if (folder == 0 || folder + 16 >= MAX_PATH) return;
  path[folder++] = '\\';
  for (const char* name : kLateDlls) {
    lstrcpynA(path + folder, name, MAX_PATH - folder);
    LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  }
}

}  // namespace

// The close-request road ends in the event loop; ending through EndProgram
// runs the exit hooks there too, exactly once as on every other road.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  LoadDllsFromSystem32Only();
  PreloadLateSystemDlls();
  tk::EndProgram(wizard::StartUp());
}
