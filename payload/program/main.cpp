// 岚笺 1.0's program file as the setup program installs it: a window titled
// "岚笺1.0" that stays until the user closes it.
#include <windows.h>

namespace {

const char kClassName[] = "LanjianMain";

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// The main window, destroyed with its owner object unless the user closed it.
class MainWindow {
 public:
  explicit MainWindow(HINSTANCE instance)
      : handle_(CreateWindowExA(0, kClassName, "岚笺1.0", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 640, 480, nullptr, nullptr, instance, nullptr)) {}
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;
  ~MainWindow() {
    if (handle_ && IsWindow(handle_)) DestroyWindow(handle_);
  }
  HWND handle() const { return handle_; }

 private:
  HWND handle_;
};

bool RegisterMainClass(HINSTANCE instance) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kClassName;
  return RegisterClassA(&windowClass) != 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  if (!RegisterMainClass(instance)) return 1;
  MainWindow window(instance);
  if (!window.handle()) return 1;
  ShowWindow(window.handle(), show);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
