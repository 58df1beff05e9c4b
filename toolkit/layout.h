// Pages are data: a page descriptor holds its controls as rows of a static
// table, in stacking order (among children of one parent, an earlier row lies
// above a later one), plus the page-level handlers. The toolkit builds a page
// window from these rows every time the page is opened.
#pragma once
#include <cstdint>

namespace tk {

class Page;
struct ComponentKind;

// Colours as the layouts write them, 0xRRGGBB. The system colours that the
// layouts name are marked by the top byte and resolved when drawn.
using Rgb = uint32_t;
constexpr Rgb kSysColour = 0x01000000;
constexpr Rgb SysColour(int index) { return kSysColour | uint32_t(index); }
constexpr Rgb kButtonFace = SysColour(15);   // COLOR_BTNFACE
constexpr Rgb kHighlight = SysColour(20);    // COLOR_BTNHIGHLIGHT
constexpr Rgb kShadow = SysColour(16);       // COLOR_BTNSHADOW
constexpr Rgb kNoColour = 0xFF000000;        // "none": no fill, or the state's colour is the normal one

enum class Kind : uint8_t {
  Shape,             // 外形框: background, optional fill, 1-pixel outline
  Picture,           // 图片框: background, optional PNG or ICO stretched over it
  Edit,              // 编辑框
  Radio,             // 单选框: automatic radio button, one group per parent
  Label,             // 标签: opaque text
  TransparentLabel,  // 透明标签: glyphs only, whatever lies beneath shows around them
  SuperButton,       // 超级按钮: flat owner-drawn push button
  Timer,             // 时钟: invisible, periodic event
  Component,         // a non-visual component, such as ZIP压缩
};

// Font by pixel height, weight and face. A height of 0 means the system's
// default GUI font; a null face lets the system choose the face.
struct Font {
  int height = 0;
  int weight = 400;
  const char* face = nullptr;
};

enum Flag : uint32_t {
  kDisabled = 1u << 0,
  kHidden = 1u << 1,
  kTabStop = 1u << 2,
  kMultiline = 1u << 3,    // edit box, transparent label: several lines, word-wrapped
  kVScroll = 1u << 4,      // edit box: vertical scroll bar
  kReadOnly = 1u << 5,     // edit box
  kBorderSingle = 1u << 6, // edit box: 1-pixel black border
  kBorderSunken = 1u << 7, // edit box: sunken 3-D border
  kHideSelection = 1u << 8,// edit box: selection hidden while unfocused
  kEtched = 1u << 9,       // transparent label: white copy one pixel right and down, then the text
  kVCentre = 1u << 10,     // edit box, label: one line, vertically centred
  kHandCursor = 1u << 11,  // super button: hand instead of arrow
  kChecked = 1u << 12,     // radio button
};

using Handler = void (*)(Page&);
using PressHandler = void (*)(Page&, int x, int y, int keys);
// A component's numbered event: returns true when it answers, with *answer set.
using ComponentHandler = bool (*)(Page&, int event, const int* args, int count, int* answer);

struct Rect {
  int left, top, width, height;
};

// One row of a layout table. Which fields matter depends on the kind.
struct Control {
  const char* name;             // layout name, e.g. "按钮2"; unique on its page
  Kind kind;
  const char* parent;           // name of the parent control; null: the page window
  Rect rect;                    // relative to the parent
  const char* text = nullptr;
  Font font = {};
  uint32_t flags = 0;
  Rgb back = 0xFFFFFF;          // background
  Rgb fore = 0x000000;          // text colour; shape box: outline colour
  Rgb fill = kNoColour;         // shape box fill
  Rgb hoverBack = kNoColour;    // super button, hovered or pressed
  Rgb hoverFore = kNoColour;
  Rgb focusBack = kNoColour;    // super button, focused
  Rgb focusFore = kNoColour;
  int image = 0;                // picture box: resource id of a PNG or ICO; 0 none
  int period = 0;               // timer: milliseconds, 0 stopped
  const ComponentKind* component = nullptr;  // component rows
  Handler onClick = nullptr;    // super button, radio button
  PressHandler onPress = nullptr;  // picture box, transparent label: left button pressed
  Handler onPeriodic = nullptr;    // timer
  ComponentHandler onEvent = nullptr;  // component rows
};

// Answer of a page's "can be closed" handler: false keeps the page.
using CloseHandler = bool (*)(Page&);

struct PageDesc {
  int number;                   // 1 to 6
  const char* caption;          // window title, shown on the taskbar button only
  int width, height;
  const Control* controls;
  int controlCount;
  int icon = 0;                 // resource id of the window icon
  Handler onCreated = nullptr;
  CloseHandler onCanClose = nullptr;
};

}  // namespace tk
