// The system's modal boxes, made modal for the whole program: they have no
// owner, so every window of the program is disabled while one is open and
// given back its state afterwards.
#include <shlobj.h>

#include "toolkit/scoped.h"
#include "toolkit/toolkit.h"

namespace tk {

namespace {

// Disables every enabled, visible top-level window of this thread for as
// long as it lives (a box opened over another box disables that one too),
// then enables exactly those again and gives the foreground and the
// activation back to the windows that had them.
class ProgramDisabled {
 public:
  ProgramDisabled() : foreground_(GetForegroundWindow()), active_(GetActiveWindow()) {
    EnumThreadWindows(GetCurrentThreadId(), DisableOne, reinterpret_cast<LPARAM>(this));
  }
  ProgramDisabled(const ProgramDisabled&) = delete;
  ProgramDisabled& operator=(const ProgramDisabled&) = delete;
  ~ProgramDisabled() {
    for (int i = count_; i-- > 0;)
      if (IsWindow(disabled_[i])) EnableWindow(disabled_[i], TRUE);
    if (foreground_ && IsWindow(foreground_)) SetForegroundWindow(foreground_);
    if (active_ && IsWindow(active_)) SetActiveWindow(active_);
  }

  HWND Active() const { return active_; }

 private:
  static BOOL CALLBACK DisableOne(HWND hwnd, LPARAM self) {
    auto* scope = reinterpret_cast<ProgramDisabled*>(self);
    if (scope->count_ < kMaxWindows && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
      EnableWindow(hwnd, FALSE);
      scope->disabled_[scope->count_++] = hwnd;
    }
    return TRUE;
  }

  static constexpr int kMaxWindows = 64;
  HWND disabled_[kMaxWindows] = {};
  int count_ = 0;
  HWND foreground_;
  HWND active_;
};

int ResultOf(int command) {
  switch (command) {
    case IDOK: return kResultOk;
    case IDCANCEL: return kResultCancel;
    case IDABORT: return kResultAbort;
    case IDRETRY: return kResultRetry;
    case IDIGNORE: return kResultIgnore;
    case IDYES: return kResultYes;
    case IDNO: return kResultNo;
    default: return kResultCancel;
  }
}

void EnsureComInitialised() {
  static bool initialised = false;
  if (initialised) return;
  initialised = true;
  CoInitialize(nullptr);
}

}  // namespace

int MessageBox(const char* text, int buttons, const char* title) {
  UINT style = buttons == kYesNo ? MB_YESNO : MB_OK;
  ProgramDisabled disabled;
  return ResultOf(MessageBoxA(nullptr, text ? text : "", title ? title : "信息：", style));
}

Text PickFolder(const char* title, bool includeFiles) {
  EnsureComInitialised();
  ProgramDisabled disabled;
  char displayName[MAX_PATH] = {};
  BROWSEINFOA browse = {};
  browse.hwndOwner = disabled.Active();
  browse.pszDisplayName = displayName;
  browse.lpszTitle = title ? title : "";
  browse.ulFlags = BIF_EDITBOX | (includeFiles ? BIF_BROWSEINCLUDEFILES : 0);
  LPITEMIDLIST chosen = SHBrowseForFolderA(&browse);
  if (!chosen) return Text();
  char path[MAX_PATH] = {};
  BOOL hasPath = SHGetPathFromIDListA(chosen, path);
  CoTaskMemFree(chosen);
  return hasPath ? Text(path) : Text();
}

}  // namespace tk
