// The read-only, scrolling text box in which pages 2 and 3 show their texts.
#pragma once
#include "wizard/frame.h"

namespace pages {

constexpr tk::Control ReadOnlyTextBox(tk::Rect rect, const char* text) {
  return {.name = "编辑框1", .kind = tk::Kind::Edit, .parent = frame::kOuter, .rect = rect,
          .text = text, .font = frame::kDefaultGuiFont,
          .flags = tk::kMultiline | tk::kVScroll | tk::kReadOnly | tk::kBorderSunken |
                   tk::kHideSelection | tk::kTabStop,
          .back = 0xFFFFFF, .fore = 0x000000};
}

// The headings of pages 2 and 4.
inline constexpr tk::Font kHeadingFont = {15, 400, "黑体"};

}  // namespace pages
