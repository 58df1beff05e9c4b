// A small stand-in with the outward shape of the setup program's pages, used to
// check the test driver itself: borderless 539 x 382 popups centred on the
// screen, each with a coloured frame and a blue strip, "下一步" to the next
// window, "取消" asking under "提示", the close request asking under "关闭",
// and a folder field filled by the system's folder dialog.
#include <windows.h>
#include <shlobj.h>

namespace {

const int kWidth = 539, kHeight = 382;
enum { kNext = 101, kCancel = 102, kPick = 103, kField = 104 };

struct PageLook {
  const char* caption;
  COLORREF frame;
};
const PageLook kPages[] = {{"安装程序", RGB(0x00, 0x88, 0xFF)}, {"用户协议", RGB(0xFF, 0x00, 0x00)}};
int current = 0;

bool Confirm(const char* title) {
  return MessageBoxA(nullptr, "您确定要退出安装程序吗？", title, MB_YESNO | MB_TASKMODAL) == IDYES;
}

void FillBox(HDC dc, int x, int y, int w, int h, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  RECT r{x, y, x + w, y + h};
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

void Paint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  FillBox(dc, 0, 0, kWidth, kHeight, kPages[current].frame);
  FillBox(dc, 1, 1, kWidth - 2, kHeight - 2, RGB(0xFF, 0xFF, 0xFF));
  FillBox(dc, 1, 1, 537, 28, RGB(0x00, 0xAC, 0xFF));
  EndPaint(hwnd, &ps);
}

HWND OpenPage(int number);

// Writes the picked folder and a final "\\" into the field; a cancelled
// dialog leaves the field as it was.
void PickFolder(HWND page) {
  BROWSEINFOA info{};
  info.hwndOwner = page;
  info.lpszTitle = "";
  info.ulFlags = BIF_EDITBOX;
  LPITEMIDLIST picked = SHBrowseForFolderA(&info);
  char path[MAX_PATH + 1] = {};
  if (!picked) return;
  if (SHGetPathFromIDListA(picked, path) && path[0]) {
    lstrcatA(path, "\\");
    SetDlgItemTextA(page, kField, path);
  }
  CoTaskMemFree(picked);
}

LRESULT CALLBACK PageProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT:
      Paint(hwnd);
      return 0;
    case WM_LBUTTONDOWN:
      if (HIWORD(lp) < 29) SendMessageA(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 1);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wp) == kCancel && Confirm("提示")) ExitProcess(0);
      if (LOWORD(wp) == kPick) PickFolder(hwnd);
      if (LOWORD(wp) == kNext) {
        OpenPage(current + 1);
        DestroyWindow(hwnd);
      }
      return 0;
    case WM_CLOSE:
      if (Confirm("关闭")) DestroyWindow(hwnd);
      return 0;
    case WM_QUERYENDSESSION:
      return Confirm("关闭");
    case WM_DESTROY:
      if (current == static_cast<int>(GetWindowLongPtrA(hwnd, GWLP_USERDATA))) PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

void AddButton(HWND page, const char* text, int x, int y, int id) {
  CreateWindowA("BUTTON", text, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, x, y, 72, 32, page,
                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

HWND OpenPage(int number) {
  current = number;
  int x = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
  int y = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
  HWND page = CreateWindowExA(0, "StandInPage", kPages[number].caption, WS_POPUP, x, y, kWidth,
                              kHeight, nullptr, nullptr, nullptr, nullptr);
  SetWindowLongPtrA(page, GWLP_USERDATA, number);
  if (number + 1 < static_cast<int>(sizeof kPages / sizeof kPages[0])) AddButton(page, "下一步", 356, 337, kNext);
  AddButton(page, "取消", 452, 337, kCancel);
  AddButton(page, "...", 471, 199, kPick);
  CreateWindowA("EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 28, 199, 432, 32, page,
                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kField)), nullptr, nullptr);
  ShowWindow(page, SW_SHOW);
  return page;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = PageProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = "StandInPage";
  RegisterClassA(&wc);
  OpenPage(0);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
