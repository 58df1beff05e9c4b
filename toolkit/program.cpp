// Start-up, the page table, the event loop and the ends of the program.
#include "toolkit/program.h"

#include "toolkit/page_window.h"

namespace tk {

namespace {

const PageDesc* const* g_descs = nullptr;
int g_pageCount = 0;
PageWindow* g_pages = nullptr;  // one object per page number, for the whole run

constexpr int kMaxExitHooks = 16;
void (*g_exitHooks[kMaxExitHooks])() = {};
int g_exitHookCount = 0;
bool g_ending = false;

// The folder of the program's own file becomes the current directory. The
// path is cut after its last backslash, stepping over double-byte characters,
// whose trail byte may look like a backslash.
void EnterProgramFolder() {
  char path[MAX_PATH + 1] = {};
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  char* afterSeparator = nullptr;
  for (char* p = path; *p; ++p) {
    if (IsDBCSLeadByte(static_cast<BYTE>(*p)) && p[1]) {
      ++p;
    } else if (*p == '\\') {
      afterSeparator = p + 1;
    }
  }
  if (!afterSeparator) return;
  *afterSeparator = '\0';
  SetCurrentDirectoryA(path);
}

PageWindow* RootPage(HWND hwnd) {
  HWND root = GetAncestor(hwnd, GA_ROOT);
  for (int i = 0; i < g_pageCount; ++i)
    if (g_pages[i].IsOpen() && g_pages[i].Handle() == root) return &g_pages[i];
  return nullptr;
}

// Destroys the pages whose close was requested; true while a page is open.
bool SweepClosedPages() {
  bool anyOpen = false;
  for (int i = 0; i < g_pageCount; ++i) {
    g_pages[i].CloseIfRequested();
    anyOpen = anyOpen || g_pages[i].IsOpen();
  }
  return anyOpen;
}

}  // namespace

bool Ending() { return g_ending; }

void ToolkitError(const char* problem, const char* name) {
  g_ending = true;
  char message[1100];  // wsprintfA writes at most 1024 characters
  wsprintfA(message, "%s：%.500s", problem, name ? name : "");
  MessageBoxA(nullptr, message, "错误", MB_OK | MB_ICONERROR);
  ExitProcess(static_cast<UINT>(-1));
}

const unsigned char* ResourceBytes(int id, size_t* size) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10));  // RT_RCDATA
  if (!found) return nullptr;
  HGLOBAL loaded = LoadResource(module, found);
  if (!loaded) return nullptr;
  *size = SizeofResource(module, found);
  return static_cast<const unsigned char*>(LockResource(loaded));
}

void Initialise(const PageDesc* const* pages, int count) {
  g_descs = pages;
  g_pageCount = count > 0 ? count : 0;
  delete[] g_pages;
  g_pages = g_pageCount ? new PageWindow[g_pageCount] : nullptr;
  Window::RegisterClasses();
  EnterProgramFolder();
}

void RegisterExitHook(void (*hook)()) {
  if (hook && g_exitHookCount < kMaxExitHooks) g_exitHooks[g_exitHookCount++] = hook;
}

void EndProgram(int exitCode) {
  g_ending = true;
  // Each hook is taken off the list before it runs, so a hook that ends the
  // program again does not run any hook twice.
  for (int i = 0; i < g_exitHookCount; ++i) {
    void (*hook)() = g_exitHooks[i];
    g_exitHooks[i] = nullptr;
    if (hook) hook();
  }
  ExitProcess(static_cast<UINT>(exitCode));
}

Page& OpenPage(int number) {
  char name[16];
  wsprintfA(name, "%d", number);
  if (number < 1 || number > g_pageCount || !g_descs[number - 1])
    ToolkitError("没有这个页面", name);
  PageWindow& page = g_pages[number - 1];
  if (page.IsOpen()) {
    page.BringToFront();
    return page;
  }
  if (!page.Open(*g_descs[number - 1])) ToolkitError("页面无法创建", name);
  return page;
}

void RunEventLoop() {
  MSG message;
  while (SweepClosedPages()) {
    if (GetMessageA(&message, nullptr, 0, 0) <= 0) return;
    // Keyboard navigation as in a dialog: Tab between tab stops, arrows in
    // the radio group. Enter and Esc reach the page as commands it ignores.
    PageWindow* page = message.hwnd ? RootPage(message.hwnd) : nullptr;
    if (page && IsDialogMessageA(page->Handle(), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace tk
