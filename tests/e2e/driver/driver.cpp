// Test driver: runs in the same Wine prefix as the program under test, starts
// it, and acts on it like a user on behalf of a harness that talks to it over
// stdin and stdout. Each request is one line of tab-separated fields (UTF-8);
// each answer is one line of JSON. Input goes through SendInput, so hover,
// press and capture happen as they do for a real mouse and keyboard. Window
// texts are read without sending messages to windows whose thread may be
// busy, so a frozen program never stalls the driver.
#include "toolkit/scoped.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Fields = std::vector<std::string>;

std::wstring Widen(const std::string& utf8) {
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
  std::wstring out(n > 0 ? n - 1 : 0, L'\0');
  if (n > 1) MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, out.data(), n);
  return out;
}

std::string Narrow(const std::wstring& wide) {
  int n = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? n - 1 : 0, '\0');
  if (n > 1) WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, out.data(), n, nullptr, nullptr);
  return out;
}

std::string Quote(const std::string& s) {
  std::string out = "\"";
  for (unsigned char c : s) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char buf[8];
      snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

std::string Quote(const std::wstring& s) { return Quote(Narrow(s)); }

std::string Num(long long v) { return std::to_string(v); }

std::string RectJson(const RECT& r) {
  return "[" + Num(r.left) + "," + Num(r.top) + "," + Num(r.right - r.left) + "," +
         Num(r.bottom - r.top) + "]";
}

std::string Hex(COLORREF c) {
  char buf[8];
  snprintf(buf, sizeof buf, "%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
  return buf;
}

void Reply(const std::string& json) {
  fputs(json.c_str(), stdout);
  fputc('\n', stdout);
  fflush(stdout);
}

void Fail(const std::string& why) { Reply("{\"error\":" + Quote(why) + "}"); }

using ScopedHandle = tk::Scoped<HANDLE, tk::release::File>;

// Starts a program; its process handle, or none when it cannot be started.
ScopedHandle StartProcess(const std::string& exePath, const std::string& cwdPath, DWORD* pid) {
  std::wstring exe = Widen(exePath), cwd = Widen(cwdPath);
  std::wstring cmd = L"\"" + exe + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      cwd.empty() ? nullptr : cwd.c_str(), &si, &pi))
    return ScopedHandle();
  ScopedHandle thread(pi.hThread);
  *pid = pi.dwProcessId;
  return ScopedHandle(pi.hProcess);
}

// The process under test.
struct Product {
  ScopedHandle process;
  DWORD pid = 0;
  bool running() const { return bool(process); }
} product;

// Reads a window's text without a message when it is top-level (the title is
// kept by the system) and with a bounded message otherwise (a control's text
// lives in the control).
std::wstring TextOf(HWND hwnd, bool topLevel) {
  wchar_t buf[4096] = {};
  if (topLevel) {
    InternalGetWindowText(hwnd, buf, 4096);
  } else {
    DWORD_PTR got = 0;
    SendMessageTimeoutW(hwnd, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buf),
                        SMTO_ABORTIFHUNG, 300, &got);
  }
  return buf;
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t buf[256] = {};
  GetClassNameW(hwnd, buf, 256);
  return buf;
}

std::string WindowJson(HWND hwnd, HWND relativeTo) {
  RECT r, screen;
  GetWindowRect(hwnd, &r);
  screen = r;
  if (relativeTo) {
    POINT origin{0, 0};
    ClientToScreen(relativeTo, &origin);
    OffsetRect(&r, -origin.x, -origin.y);
  }
  bool top = relativeTo == nullptr;
  return "{\"hwnd\":" + Num(reinterpret_cast<uintptr_t>(hwnd)) +
         ",\"class\":" + Quote(ClassOf(hwnd)) + ",\"text\":" + Quote(TextOf(hwnd, top)) +
         ",\"rect\":" + RectJson(r) + ",\"screen\":" + RectJson(screen) + ",\"visible\":" + (IsWindowVisible(hwnd) ? "true" : "false") +
         ",\"enabled\":" + (IsWindowEnabled(hwnd) ? "true" : "false") +
         ",\"iconic\":" + (IsIconic(hwnd) ? "true" : "false") +
         ",\"id\":" + Num(GetDlgCtrlID(hwnd)) +
         ",\"style\":" + Num(static_cast<unsigned long>(GetWindowLongW(hwnd, GWL_STYLE)));
}

struct ChildList {
  HWND top;
  std::string json;
};

BOOL CALLBACK AddChild(HWND hwnd, LPARAM param) {
  auto* list = reinterpret_cast<ChildList*>(param);
  if (!list->json.empty()) list->json += ",";
  list->json += WindowJson(hwnd, list->top) + ",\"parent\":" +
                Num(reinterpret_cast<uintptr_t>(GetAncestor(hwnd, GA_PARENT))) + "}";
  return TRUE;
}

struct TopList {
  DWORD pid;
  std::string json;
};

BOOL CALLBACK AddTop(HWND hwnd, LPARAM param) {
  auto* list = reinterpret_cast<TopList*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != list->pid) return TRUE;
  ChildList children{hwnd, ""};
  EnumChildWindows(hwnd, AddChild, reinterpret_cast<LPARAM>(&children));
  if (!list->json.empty()) list->json += ",";
  list->json += WindowJson(hwnd, nullptr) +
                ",\"foreground\":" + (GetForegroundWindow() == hwnd ? "true" : "false") +
                ",\"children\":[" + children.json + "]}";
  return TRUE;
}

// Top-level windows of the product in Z order, front first, with children.
void Windows(const Fields&) {
  if (!product.running()) return Fail("not started");
  TopList list{product.pid, ""};
  EnumWindows(AddTop, reinterpret_cast<LPARAM>(&list));
  Reply("{\"windows\":[" + list.json + "]}");
}

void Start(const Fields& f) {
  if (f.size() < 2) return Fail("start EXE [CWD]");
  product.process = StartProcess(f[1], f.size() > 2 ? f[2] : "", &product.pid);
  if (!product.running()) return Fail("CreateProcess failed: " + Num(GetLastError()));
  Reply("{\"pid\":" + Num(product.pid) + "}");
}

// Other programs a scenario needs running beside the product.
std::vector<ScopedHandle> spawned;

void Spawn(const Fields& f) {
  if (f.size() < 2) return Fail("spawn EXE");
  DWORD pid = 0;
  ScopedHandle process = StartProcess(f[1], "", &pid);
  if (!process) return Fail("CreateProcess failed: " + Num(GetLastError()));
  WaitForInputIdle(process.Get(), 10000);
  spawned.push_back(std::move(process));
  Reply("{\"pid\":" + Num(pid) + "}");
}

void KillSpawned(const Fields&) {
  for (ScopedHandle& process : spawned) {
    TerminateProcess(process.Get(), 99);
    WaitForSingleObject(process.Get(), 5000);
  }
  spawned.clear();
  Reply("{}");
}

void WaitExit(const Fields& f) {
  if (!product.running()) return Fail("not started");
  DWORD timeout = f.size() > 1 ? atoi(f[1].c_str()) : 10000;
  if (WaitForSingleObject(product.process.Get(), timeout) != WAIT_OBJECT_0)
    return Reply("{\"exited\":false}");
  DWORD code = 0;
  GetExitCodeProcess(product.process.Get(), &code);
  Reply("{\"exited\":true,\"code\":" + Num(static_cast<int>(code)) + "}");
}

void Kill(const Fields&) {
  if (product.running()) {
    TerminateProcess(product.process.Get(), 99);
    WaitForSingleObject(product.process.Get(), 5000);
  }
  Reply("{}");
}

void SendMouse(DWORD flags, int x = 0, int y = 0) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  if (flags & MOUSEEVENTF_ABSOLUTE) {
    int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    in.mi.dx = (x * 65535 + (w - 1) / 2) / (w - 1);
    in.mi.dy = (y * 65535 + (h - 1) / 2) / (h - 1);
  }
  SendInput(1, &in, sizeof in);
}

void MoveTo(int x, int y) {
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y);
  SetCursorPos(x, y);
}

// move X Y | down X Y | up X Y | click X Y: screen coordinates.
void Mouse(const Fields& f) {
  if (f.size() < 3) return Fail(f[0] + " X Y");
  int x = atoi(f[1].c_str()), y = atoi(f[2].c_str());
  MoveTo(x, y);
  Sleep(30);
  const std::string& what = f[0];
  if (what == "down" || what == "click") SendMouse(MOUSEEVENTF_LEFTDOWN);
  if (what == "click") Sleep(40);
  if (what == "up" || what == "click") SendMouse(MOUSEEVENTF_LEFTUP);
  Reply("{}");
}

struct KeyName {
  const char* name;
  WORD vk;
};
const KeyName kKeys[] = {
    {"enter", VK_RETURN}, {"esc", VK_ESCAPE}, {"tab", VK_TAB},       {"space", VK_SPACE},
    {"left", VK_LEFT},    {"right", VK_RIGHT}, {"up", VK_UP},        {"down", VK_DOWN},
    {"back", VK_BACK},    {"delete", VK_DELETE}, {"home", VK_HOME},  {"end", VK_END},
    {"ctrl", VK_CONTROL}, {"shift", VK_SHIFT}, {"alt", VK_MENU},     {"insert", VK_INSERT},
    {"f4", VK_F4},
};

WORD VirtualKey(const std::string& name) {
  for (const KeyName& k : kKeys)
    if (name == k.name) return k.vk;
  if (name.size() == 1) return static_cast<WORD>(VkKeyScanA(name[0]) & 0xff);
  return 0;
}

void SendKey(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &in, sizeof in);
}

// key NAME, where NAME may join modifiers with "+": ctrl+v, alt+f4, shift+insert.
void Key(const Fields& f) {
  if (f.size() < 2) return Fail("key NAME");
  std::vector<WORD> keys;
  size_t start = 0;
  while (start <= f[1].size()) {
    size_t plus = f[1].find('+', start);
    if (plus == start) plus = f[1].find('+', start + 1);
    std::string part = f[1].substr(start, plus == std::string::npos ? std::string::npos : plus - start);
    WORD vk = VirtualKey(part);
    if (!vk) return Fail("unknown key " + part);
    keys.push_back(vk);
    if (plus == std::string::npos) break;
    start = plus + 1;
  }
  for (WORD vk : keys) SendKey(vk, false);
  for (auto it = keys.rbegin(); it != keys.rend(); ++it) SendKey(*it, true);
  Sleep(30);
  Reply("{}");
}

// type TEXT: each character as a Unicode key press, as an input method does.
void Type(const Fields& f) {
  std::wstring text = f.size() > 1 ? Widen(f[1]) : L"";
  for (wchar_t c : text) {
    INPUT in[2] = {};
    for (int i = 0; i < 2; ++i) {
      in[i].type = INPUT_KEYBOARD;
      in[i].ki.wScan = c;
      in[i].ki.dwFlags = KEYEVENTF_UNICODE | (i ? KEYEVENTF_KEYUP : 0);
    }
    SendInput(2, in, sizeof in[0]);
    Sleep(5);
  }
  Sleep(30);
  Reply("{}");
}

void Clip(const Fields& f) {
  std::wstring text = f.size() > 1 ? Widen(f[1]) : L"";
  if (!OpenClipboard(nullptr)) return Fail("clipboard busy");
  EmptyClipboard();
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  memcpy(GlobalLock(mem), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(mem);
  SetClipboardData(CF_UNICODETEXT, mem);
  CloseClipboard();
  Reply("{}");
}

HWND HandleArg(const std::string& s) { return reinterpret_cast<HWND>(strtoull(s.c_str(), nullptr, 10)); }

// post HWND MSG WPARAM LPARAM: a message queued as the system would queue it.
void Post(const Fields& f) {
  if (f.size() < 5) return Fail("post HWND MSG WPARAM LPARAM");
  BOOL ok = PostMessageW(HandleArg(f[1]), strtoul(f[2].c_str(), nullptr, 10),
                         strtoul(f[3].c_str(), nullptr, 10), strtol(f[4].c_str(), nullptr, 10));
  Reply(std::string("{\"posted\":") + (ok ? "true" : "false") + "}");
}

// The log-off query blocks until the page answers, and the page asks the user
// first; so it is sent from a thread of its own and collected later.
struct Query {
  HWND hwnd = nullptr;
  volatile LONG done = 0;
  LRESULT result = 0;
} query;

DWORD WINAPI SendQuery(void*) {
  query.result = SendMessageW(query.hwnd, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
  InterlockedExchange(&query.done, 1);
  return 0;
}

void QueryEndSession(const Fields& f) {
  if (f.size() < 2) return Fail("query-end-session HWND");
  query.hwnd = HandleArg(f[1]);
  query.done = 0;
  ScopedHandle sender(CreateThread(nullptr, 0, SendQuery, nullptr, 0, nullptr));
  Reply("{}");
}

void QueryResult(const Fields& f) {
  DWORD deadline = GetTickCount() + (f.size() > 1 ? atoi(f[1].c_str()) : 0);
  while (!query.done && static_cast<LONG>(deadline - GetTickCount()) > 0) Sleep(10);
  if (!query.done) return Reply("{\"done\":false}");
  Reply("{\"done\":true,\"result\":" + Num(query.result) + "}");
}

// Reads a row of screen pixels into memory in one copy.
std::vector<COLORREF> ScreenRow(int x, int y, int count) {
  tk::WindowDC screen(nullptr);
  tk::ScopedMemoryDC mem(CreateCompatibleDC(screen.Get()));
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), count, 1, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  tk::ScopedBitmap dib(CreateDIBSection(mem.Get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  std::vector<COLORREF> row(count);
  if (!dib) return row;
  {
    tk::Selection selected(mem.Get(), dib.Get());
    BitBlt(mem.Get(), 0, 0, count, 1, screen.Get(), x, y, SRCCOPY);
    GdiFlush();
  }
  const auto* px = static_cast<const unsigned char*>(bits);
  for (int i = 0; i < count; ++i) row[i] = RGB(px[4 * i + 2], px[4 * i + 1], px[4 * i]);
  return row;
}

void Pixel(const Fields& f) {
  if (f.size() < 3) return Fail("pixel X Y");
  tk::WindowDC screen(nullptr);
  COLORREF c = GetPixel(screen.Get(), atoi(f[1].c_str()), atoi(f[2].c_str()));
  Reply("{\"color\":\"" + Hex(c) + "\"}");
}

int RunLength(const std::vector<COLORREF>& row, COLORREF colour) {
  int n = 0;
  while (n < static_cast<int>(row.size()) && row[n] == colour) ++n;
  return n;
}

// bar-watch X Y COLOUR FULL TIMEOUT [IDLE]: watches the run of COLOUR
// (RRGGBB) starting at screen X, Y and records every width it takes, with the
// time in milliseconds, until the width reaches FULL, TIMEOUT milliseconds
// pass, or a shown bar has not changed for IDLE milliseconds.
void BarWatch(const Fields& f) {
  if (f.size() < 6) return Fail("bar-watch X Y RRGGBB FULL TIMEOUT [IDLE]");
  DWORD idle = f.size() > 6 ? atoi(f[6].c_str()) : 0xFFFFFFFF;
  DWORD changed = GetTickCount();
  int x = atoi(f[1].c_str()), y = atoi(f[2].c_str());
  unsigned long rgb = strtoul(f[3].c_str(), nullptr, 16);
  COLORREF colour = RGB(rgb >> 16, (rgb >> 8) & 0xff, rgb & 0xff);
  int full = atoi(f[4].c_str());
  DWORD start = GetTickCount(), timeout = atoi(f[5].c_str());
  std::string json;
  int last = -1;
  while (GetTickCount() - start < timeout) {
    int width = RunLength(ScreenRow(x, y, full + 16), colour);
    if (width != last) {
      json += (json.empty() ? "[" : ",[") + Num(width) + "," + Num(GetTickCount() - start) + "]";
      last = width;
      changed = GetTickCount();
      if (width >= full) break;
    } else if (width > 0 && GetTickCount() - changed > idle) {
      break;
    }
    Sleep(2);
  }
  Reply("{\"widths\":[" + json + "]}");
}

void SysColors(const Fields&) {
  Reply("{\"btnface\":\"" + Hex(GetSysColor(COLOR_BTNFACE)) + "\",\"highlight\":\"" +
        Hex(GetSysColor(COLOR_BTNHIGHLIGHT)) + "\",\"shadow\":\"" + Hex(GetSysColor(COLOR_BTNSHADOW)) +
        "\",\"window\":\"" + Hex(GetSysColor(COLOR_WINDOW)) +
        "\",\"windowframe\":\"" + Hex(GetSysColor(COLOR_WINDOWFRAME)) + "\",\"screen\":[" +
        Num(GetSystemMetrics(SM_CXSCREEN)) + "," + Num(GetSystemMetrics(SM_CYSCREEN)) + "]}");
}

void Sleeping(const Fields& f) {
  Sleep(f.size() > 1 ? atoi(f[1].c_str()) : 0);
  Reply("{}");
}

struct Command {
  const char* name;
  void (*run)(const Fields&);
};
const Command kCommands[] = {
    {"start", Start},       {"windows", Windows},   {"wait-exit", WaitExit},
    {"kill", Kill},         {"spawn", Spawn},       {"kill-spawned", KillSpawned},
    {"move", Mouse},        {"down", Mouse},        {"up", Mouse},
    {"click", Mouse},       {"key", Key},
    {"type", Type},         {"clip", Clip},         {"post", Post},
    {"query-end-session", QueryEndSession},         {"query-result", QueryResult},
    {"pixel", Pixel},       {"bar-watch", BarWatch}, {"syscolors", SysColors},
    {"sleep", Sleeping},
};

Fields Split(const std::string& line) {
  Fields f;
  size_t start = 0;
  for (;;) {
    size_t tab = line.find('\t', start);
    f.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) return f;
    start = tab + 1;
  }
}

bool ReadLine(std::string& line) {
  line.clear();
  int c;
  while ((c = fgetc(stdin)) != EOF && c != '\n') line += static_cast<char>(c);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return c != EOF || !line.empty();
}

}  // namespace

int main() {
  std::string line;
  while (ReadLine(line)) {
    Fields f = Split(line);
    if (f[0] == "quit") break;
    bool known = false;
    for (const Command& c : kCommands)
      if (f[0] == c.name) {
        c.run(f);
        known = true;
        break;
      }
    if (!known) Fail("unknown command " + f[0]);
  }
  if (product.running()) TerminateProcess(product.process.Get(), 99);
  return 0;
}
