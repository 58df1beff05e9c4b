#include "toolkit/window.h"

#include <cstring>

namespace tk {

namespace {

bool IsOwnClass(const char* className) {
  return std::strcmp(className, Window::kPageClass) == 0 ||
         std::strcmp(className, Window::kPlainClass) == 0;
}

// The child a reflected notification is about, or null for other messages.
HWND NotifyingChild(UINT message, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return reinterpret_cast<HWND>(lParam);
    case WM_DRAWITEM:
      return reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
    default:
      return nullptr;
  }
}

}  // namespace

void Window::RegisterClasses() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = OwnClassProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  // Both classes repaint wholly when resized: outlines follow the edges.
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpszClassName = kPageClass;
  RegisterClassA(&windowClass);
  windowClass.lpszClassName = kPlainClass;
  RegisterClassA(&windowClass);
}

bool Window::Create(const Spec& spec) {
  RegisterClasses();
  bool own = IsOwnClass(spec.className);
  HWND hwnd = CreateWindowExA(spec.exStyle, spec.className, spec.text, spec.style,
                              spec.bounds.left, spec.bounds.top,
                              spec.bounds.right - spec.bounds.left,
                              spec.bounds.bottom - spec.bounds.top, spec.parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)),
                              GetModuleHandleA(nullptr), own ? this : nullptr);
  if (!hwnd) return false;
  if (!own) {
    hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    systemProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
  }
  return true;
}

Window* Window::FromHandle(HWND hwnd) {
  return reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

LRESULT CALLBACK Window::OwnClassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  Window* self = FromHandle(hwnd);
  if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
  return self->Dispatch(message, wParam, lParam);
}

LRESULT CALLBACK Window::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return FromHandle(hwnd)->Dispatch(message, wParam, lParam);
}

LRESULT Window::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (ReflectToChild(message, wParam, lParam, &result)) return result;
  if (message != WM_NCDESTROY) return OnMessage(message, wParam, lParam);

  result = OnMessage(message, wParam, lParam);
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
  if (systemProc_)
    SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(systemProc_));
  hwnd_ = nullptr;
  OnDestroyed();
  return result;
}

bool Window::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  HWND child = NotifyingChild(message, lParam);
  if (!child || GetParent(child) != hwnd_) return false;
  Window* target = FromHandle(child);
  return target && target->OnReflected(message, wParam, lParam, result);
}

LRESULT Window::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return Default(message, wParam, lParam);
}

LRESULT Window::Default(UINT message, WPARAM wParam, LPARAM lParam) {
  if (systemProc_) return CallWindowProcA(systemProc_, hwnd_, message, wParam, lParam);
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

bool Window::OnReflected(UINT, WPARAM, LPARAM, LRESULT*) { return false; }

}  // namespace tk
