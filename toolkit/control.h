// A control of an open page: one row of its layout made into a window (or,
// for a timer, into a timer of the page window). Each kind lives in a file of
// its own and is made through MakeControl.
#pragma once
#include "toolkit/layout.h"
#include "toolkit/text.h"
#include "toolkit/window.h"

namespace tk {

class PageWindow;

// Where a control's window goes: its parent and its child-window id.
struct BuildContext {
  HWND parent;
  int id;
};

class ControlWindow : public Window {
 public:
  ControlWindow(const Control& row, PageWindow& page) : row_(row), page_(page) {}

  const Control& Row() const { return row_; }

  // Makes the control's window (or its timer); false when that failed.
  virtual bool Build(const BuildContext& context);

  virtual Text GetText() const;
  virtual void SetText(const char* text);
  virtual void SetDisabled(bool disabled);
  virtual int GetWidth() const;
  virtual void SetWidth(int width);
  // Starts (positive) or stops (0 or less) a timer row; a toolkit error for
  // other kinds.
  virtual void SetPeriod(int milliseconds);
  // Runs an operation of a component row; a toolkit error for other kinds.
  virtual int CallOperation(const char* operation, const char* const* args, int count);

 protected:
  // The style bits every child window of ours shares, from the row's flags.
  DWORD BaseStyle() const;
  RECT Bounds() const;
  // Raises the row's "left button pressed" handler, if any, for WM_LBUTTONDOWN.
  void RaisePress(WPARAM keys, LPARAM point);
  bool CreateChild(const BuildContext& context, const char* className, DWORD style,
                   DWORD exStyle = 0);

  const Control& row_;
  PageWindow& page_;
};

// A colour of a layout as the system wants it, resolving system colours.
COLORREF ToColorRef(Rgb colour);

// Fills `rect` of `dc` with a layout colour.
void FillWithColour(HDC dc, const RECT& rect, Rgb colour);

// Makes the object for one row; the kind decides the class.
ControlWindow* MakeControl(const Control& row, PageWindow& page);

ControlWindow* MakeShape(const Control& row, PageWindow& page);
ControlWindow* MakePicture(const Control& row, PageWindow& page);
ControlWindow* MakeEdit(const Control& row, PageWindow& page);
ControlWindow* MakeRadio(const Control& row, PageWindow& page);
ControlWindow* MakeLabel(const Control& row, PageWindow& page);
ControlWindow* MakeTransparentLabel(const Control& row, PageWindow& page);
ControlWindow* MakeSuperButton(const Control& row, PageWindow& page);
ControlWindow* MakeTimer(const Control& row, PageWindow& page);
ControlWindow* MakeComponent(const Control& row, PageWindow& page);

}  // namespace tk
