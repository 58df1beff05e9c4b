// Laying out the text of labels: one line, or several lines word-wrapped to
// the width (at line breaks, after spaces, and between double-byte
// characters, as Chinese text has no spaces between words).
#pragma once
#include "toolkit/scoped.h"

namespace tk {

enum LineMode {
  kSingleLineTop,      // one line at the top
  kSingleLineCentred,  // one line, vertically centred
  kWrapped,            // several lines from the top
};

// Draws `text` into `box` of `dc` with the selected font and colours, each
// line left-aligned; whatever falls outside `box` is cut off.
void DrawTextLines(HDC dc, const char* text, const RECT& box, LineMode mode);

}  // namespace tk
