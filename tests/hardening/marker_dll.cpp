// A DLL that only tells that it was loaded: on attach it creates the file
// <folder of the loading program>\planted-markers\<its own file name>.
#include <windows.h>

namespace {

void LeaveMarker(HMODULE self) {
  char own[MAX_PATH], folder[MAX_PATH];
  if (!GetModuleFileNameA(self, own, MAX_PATH) || !GetModuleFileNameA(nullptr, folder, MAX_PATH)) return;
  char* cut = strrchr(folder, '\\');
  if (!cut) return;
  lstrcpyA(cut + 1, "planted-markers");
  CreateDirectoryA(folder, nullptr);
  const char* name = strrchr(own, '\\');
  lstrcatA(folder, name ? name : "\\unknown");
  HANDLE marker = CreateFileA(folder, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) LeaveMarker(self);
  return TRUE;
}
