#include "toolkit/text_lines.h"

namespace tk {

namespace {

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

int CharLength(const char* p) {
  return IsDBCSLeadByte(static_cast<BYTE>(p[0])) && p[1] ? 2 : 1;
}

int Width(HDC dc, const char* text, int length) {
  SIZE size = {};
  GetTextExtentPoint32A(dc, text, length, &size);
  return size.cx;
}

// Where the line that starts at `start` ends (exclusive) when it may be at
// most `width` pixels wide. At least one character goes on every line.
const char* WrappedLineEnd(HDC dc, const char* start, int width) {
  const char* lastBreak = nullptr;  // the latest place the line may end
  const char* p = start;
  while (*p && !IsLineBreak(*p)) {
    int length = CharLength(p);
    bool doubleByte = length == 2;
    if (doubleByte && p > start) lastBreak = p;
    if (p > start && Width(dc, start, int(p - start) + length) > width)
      return *p == ' ' ? p : (lastBreak ? lastBreak : p);
    p += length;
    if (doubleByte || p[-1] == ' ') lastBreak = p;
  }
  return p;
}

const char* SingleLineEnd(const char* start) {
  const char* p = start;
  while (*p && !IsLineBreak(*p)) ++p;
  return p;
}

// Steps over the break that ended a line: one CR LF, CR or LF, or the spaces
// at which the line was wrapped.
const char* NextLineStart(const char* end) {
  if (*end == '\r') return end[1] == '\n' ? end + 2 : end + 1;
  if (*end == '\n') return end + 1;
  while (*end == ' ') ++end;
  return end;
}

}  // namespace

void DrawTextLines(HDC dc, const char* text, const RECT& box, LineMode mode) {
  if (!text) return;
  TEXTMETRICA metrics;
  GetTextMetricsA(dc, &metrics);
  int lineHeight = metrics.tmHeight;
  int width = box.right - box.left;
  if (mode != kWrapped) {
    int top = mode == kSingleLineCentred ? (box.top + box.bottom - lineHeight) / 2 : box.top;
    const char* end = SingleLineEnd(text);
    ExtTextOutA(dc, box.left, top, ETO_CLIPPED, &box, text, UINT(end - text), nullptr);
    return;
  }
  for (int top = box.top; *text && top < box.bottom; top += lineHeight) {
    const char* end = WrappedLineEnd(dc, text, width);
    ExtTextOutA(dc, box.left, top, ETO_CLIPPED, &box, text, UINT(end - text), nullptr);
    text = NextLineStart(end);
  }
}

}  // namespace tk
