// The base of every window the toolkit makes. A window of one of our own
// classes binds its C++ object at WM_NCCREATE; a window of a system class
// (EDIT, BUTTON) is subclassed right after it is made. Either way the object
// sits in GWLP_USERDATA and one static procedure hands each message to it.
//
// Containers reflect the notifications of their children (WM_COMMAND,
// WM_DRAWITEM, WM_CTLCOLOR*) back to the child object, so that every control
// paints and reports for itself.
#pragma once
#include "toolkit/scoped.h"

namespace tk {

class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window() = default;

  HWND Handle() const { return hwnd_; }

  // The names of the toolkit's own window classes; registered once.
  static constexpr const char* kPageClass = "tkPage";
  static constexpr const char* kPlainClass = "tkPlain";
  static void RegisterClasses();

 protected:
  struct Spec {
    const char* className;
    const char* text;
    DWORD style;
    DWORD exStyle;
    RECT bounds;  // left, top, right, bottom in the parent's client area
    HWND parent;
    int id;
  };
  // Makes the window; for a system class the window is subclassed.
  bool Create(const Spec& spec);

  // One message for this window; what it does not handle goes to Default.
  virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

  // A notification of this window that its parent reflected back. Returns
  // true when handled, with the answer for the parent in *result.
  virtual bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

  // The window is gone; the object stays until its owner deletes it.
  virtual void OnDestroyed() {}

 private:
  static LRESULT CALLBACK OwnClassProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM);
  static Window* FromHandle(HWND hwnd);
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

  HWND hwnd_ = nullptr;
  WNDPROC systemProc_ = nullptr;  // set for subclassed system controls
};

}  // namespace tk
