// What the control kinds put on screen, read back from the screen: glyph-only
// labels over what lies beneath, pictures blended over their background,
// shape outlines and fills, an edit box's single border, and the states of a
// super button.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "test_images.h"
#include "tests/toolkit/support.h"

using namespace tktest;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255);

// The etched label uses "=": the test prefix maps the default GUI font to a
// face whose 12-pixel hyphen has no pixels at all.
const tk::Control kRows[] = {
    {.name = "外形框1", .kind = tk::Kind::Shape, .parent = nullptr, .rect = {0, 0, 539, 382}},
    {.name = "透明标签1", .kind = tk::Kind::TransparentLabel, .parent = "外形框1",
     .rect = {20, 20, 200, 30}, .text = "MMMM 岚笺岚笺", .font = {20, 400, nullptr},
     .flags = tk::kVCentre},
    {.name = "透明标签2", .kind = tk::Kind::TransparentLabel, .parent = "外形框1",
     .rect = {20, 100, 120, 24}, .text = "========================================",
     .flags = tk::kVCentre | tk::kEtched | tk::kDisabled},
    {.name = "红底", .kind = tk::Kind::Picture, .parent = "外形框1", .rect = {10, 10, 300, 60},
     .back = 0xFF0000},
    {.name = "蓝底", .kind = tk::Kind::Picture, .parent = "外形框1", .rect = {10, 90, 300, 50},
     .back = 0x0000FF},
    {.name = "图片1", .kind = tk::Kind::Picture, .parent = "外形框1", .rect = {20, 200, 40, 20},
     .back = 0x0000FF, .image = kHalfPng},
    {.name = "图片2", .kind = tk::Kind::Picture, .parent = "外形框1", .rect = {80, 200, 40, 20},
     .back = 0x00FF00, .image = kBitmapIco},
    {.name = "外形框2", .kind = tk::Kind::Shape, .parent = "外形框1", .rect = {350, 200, 50, 30},
     .back = 0xFFFFFF, .fore = 0x00FF00, .fill = 0xFF00FF},
    {.name = "按钮1", .kind = tk::Kind::SuperButton, .parent = "外形框1",
     .rect = {300, 300, 72, 32}, .text = "下一步", .font = {13, 400, "微软雅黑"},
     .flags = tk::kDisabled, .back = 0x008000, .fore = 0xFFFFFF, .hoverBack = 0x00B700},
    {.name = "按钮2", .kind = tk::Kind::SuperButton, .parent = "外形框1",
     .rect = {400, 300, 72, 32}, .text = "取消", .font = {13, 400, "微软雅黑"},
     .back = 0x008000, .fore = 0xFFFFFF, .hoverBack = 0x00B700},
    {.name = "按钮3", .kind = tk::Kind::SuperButton, .parent = "外形框1",
     .rect = {200, 300, 72, 32}, .text = "浏览", .flags = tk::kTabStop, .back = 0x008000,
     .fore = 0xFFFFFF, .focusBack = 0x0000FF},
    {.name = "编辑框1", .kind = tk::Kind::Edit, .parent = "外形框1", .rect = {20, 250, 100, 20},
     .flags = tk::kBorderSingle, .back = 0xC0C0C0},
    DriverRow("外形框1"),
};
const tk::PageDesc kPage = {.number = 1, .caption = "绘图页", .width = 539, .height = 382,
                            .controls = kRows, .controlCount = int(std::size(kRows))};
const tk::PageDesc* const kPages[] = {&kPage};

using Histogram = std::map<COLORREF, int>;

Histogram CountColours(const std::vector<COLORREF>& colours) {
  Histogram counts;
  for (COLORREF c : colours) ++counts[c];
  return counts;
}

int Others(const Histogram& counts, std::initializer_list<COLORREF> allowed) {
  int others = 0;
  for (auto [colour, count] : counts)
    if (std::find(allowed.begin(), allowed.end(), colour) == allowed.end()) others += count;
  return others;
}

// Runs the page and takes what the steps want once it has been painted.
void WithPaintedPage(const std::function<void(HWND page)>& look) {
  SetDriver([&](tk::Page& p) {
    if (Ticks() < 3) return;
    look(FindTopLevel("绘图页"));
    p.Close();
  });
  RunPages(kPages, 1);
}

TEST(TransparentLabel, OnlyGlyphsAreDrawnAndTheBoxBeneathShowsAround) {
  Histogram plain, etched;
  HWND atGlyph = nullptr, atGap = nullptr, label = nullptr;
  WithPaintedPage([&](HWND page) {
    std::vector<COLORREF> area = Capture(page, RECT{20, 20, 220, 50});
    plain = CountColours(area);
    etched = CountColours(Capture(page, RECT{20, 100, 140, 124}));
    HWND frame = GetWindow(page, GW_CHILD);
    label = GetWindow(frame, GW_CHILD);
    for (int i = 0; i < int(area.size()) && !(atGlyph && atGap); ++i) {
      POINT point = {20 + i % 200, 20 + i / 200};
      ClientToScreen(page, &point);
      if (area[size_t(i)] == kBlack && !atGlyph) atGlyph = WindowFromPoint(point);
      if (area[size_t(i)] == kRed && !atGap) atGap = WindowFromPoint(point);
    }
  });
  EXPECT_EQ(Others(plain, {kRed, kBlack}), 0);
  EXPECT_GT(plain[kBlack], 50);
  EXPECT_GT(plain[kRed], 3000);  // most of the 200 x 30 box shows the red beneath
  EXPECT_EQ(atGlyph, label);      // glyphs take the clicks ...
  EXPECT_NE(atGap, label);        // ... the gaps belong to what lies beneath
  EXPECT_NE(atGap, nullptr);

  EXPECT_EQ(Others(etched, {kBlue, kBlack, kWhite}), 0);  // disabled keeps its look
  EXPECT_GT(etched[kBlack], 20);
  EXPECT_GT(etched[kWhite], 20);
  EXPECT_GT(etched[kBlue], 1000);
}

TEST(Picture, ImageIsStretchedOverTheBoxAndBlendedOverItsBackground) {
  std::vector<COLORREF> png, ico;
  WithPaintedPage([&](HWND page) {
    png = Capture(page, RECT{20, 200, 60, 220});
    ico = Capture(page, RECT{80, 200, 120, 220});
  });
  // Left half of each box: the opaque red pixel; right half: clear, so the
  // background shows. The middle columns may blend the two.
  for (int y : {0, 10, 19}) {
    EXPECT_EQ(png[size_t(y * 40 + 2)], kRed);
    EXPECT_EQ(png[size_t(y * 40 + 37)], kBlue);
    EXPECT_EQ(ico[size_t(y * 40 + 2)], kRed);
    EXPECT_EQ(ico[size_t(y * 40 + 37)], kGreen);
  }
}

TEST(Shape, OutlineAlongTheInnerEdgeAndFillInside) {
  std::vector<COLORREF> box;
  WithPaintedPage([&](HWND page) { box = Capture(page, RECT{350, 200, 400, 230}); });
  auto at = [&](int x, int y) { return box[size_t(y * 50 + x)]; };
  for (auto [x, y] : {std::pair{0, 0}, {49, 0}, {0, 29}, {49, 29}, {25, 0}, {0, 15}})
    EXPECT_EQ(at(x, y), kGreen) << x << "," << y;
  for (auto [x, y] : {std::pair{1, 1}, {48, 28}, {25, 15}})
    EXPECT_EQ(at(x, y), RGB(255, 0, 255)) << x << "," << y;
}

HWND ChildWithText(HWND page, const char* wanted) {
  for (HWND h = GetWindow(GetWindow(page, GW_CHILD), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
    char text[32];
    GetWindowTextA(h, text, sizeof text);
    if (std::string(text) == wanted) return h;
  }
  return nullptr;
}

// The edit box's outermost pixels that are not black, as "x,y" (0,0 is its corner).
std::vector<std::string> NotBlackOnEdge(HWND page) {
  std::vector<COLORREF> box = Capture(page, RECT{20, 250, 120, 270});
  std::vector<std::string> wrong;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 100; ++x)
      if ((x == 0 || x == 99 || y == 0 || y == 19) && box[size_t(y * 100 + x)] != kBlack)
        wrong.push_back(std::to_string(x) + "," + std::to_string(y));
  return wrong;
}

// The system's own single border is grey, and where it is drawn inside the
// client area, typing repaints over it.
TEST(Edit, SingleBorderIsBlackAlsoAfterTyping) {
  std::vector<std::string> shown, typed;
  COLORREF inside = 0;
  SetDriver([&](tk::Page& p) {
    HWND page = FindTopLevel("绘图页");
    HWND edit = FindWindowExA(GetWindow(page, GW_CHILD), nullptr, "Edit", nullptr);
    if (Ticks() == 3) {
      shown = NotBlackOnEdge(page);
      inside = PixelAt(page, 70, 255);
      SetForegroundWindow(page);
      SetFocus(edit);
      for (char c : std::string("typed text that runs past the end of the box"))
        PostMessageA(edit, WM_CHAR, WPARAM(c), 1);
    } else if (Ticks() == 8) {
      typed = NotBlackOnEdge(page);
      p.Close();
    }
  });
  RunPages(kPages, 1);
  EXPECT_EQ(shown, std::vector<std::string>{});
  EXPECT_EQ(inside, RGB(0xC0, 0xC0, 0xC0));
  EXPECT_EQ(typed, std::vector<std::string>{});
}

TEST(SuperButton, DisabledKeepsItsBackgroundAndEngravesItsText) {
  Histogram disabled, enabled;
  WithPaintedPage([&](HWND page) {
    disabled = CountColours(Capture(page, RECT{300, 300, 372, 332}));
    enabled = CountColours(Capture(page, RECT{400, 300, 472, 332}));
  });
  COLORREF back = RGB(0, 0x80, 0);
  EXPECT_GT(disabled[back], 72 * 32 / 2);
  EXPECT_GT(disabled[GetSysColor(COLOR_BTNSHADOW)], 0);
  EXPECT_GT(disabled[GetSysColor(COLOR_BTNHIGHLIGHT)], 0);
  EXPECT_EQ(disabled[kWhite], disabled[GetSysColor(COLOR_BTNHIGHLIGHT)]);  // no white caption
  EXPECT_GT(enabled[back], 72 * 32 / 2);
  EXPECT_GT(enabled[kWhite], 0);
  EXPECT_EQ(enabled[GetSysColor(COLOR_BTNSHADOW)], 0);
}

TEST(SuperButton, FocusColoursWhileFocused) {
  Histogram before, focused;
  SetDriver([&](tk::Page& p) {
    HWND page = FindTopLevel("绘图页");
    HWND button = FindWindowExA(GetWindow(page, GW_CHILD), nullptr, "Button", "浏览");
    if (Ticks() == 3) {
      before = CountColours(Capture(page, RECT{200, 300, 272, 332}));
      SetForegroundWindow(page);
      SetFocus(button);
    } else if (Ticks() == 6) {
      focused = CountColours(Capture(page, RECT{200, 300, 272, 332}));
      p.Close();
    }
  });
  RunPages(kPages, 1);
  EXPECT_GT(before[RGB(0, 0x80, 0)], 72 * 32 / 2);
  EXPECT_GT(focused[kBlue], 72 * 32 / 2);
}

// A mouse move can arrive after the mouse has left (a page opened under the
// cursor gets one late); the button must not keep its hover colour then.
TEST(SuperButton, HoverColoursOnlyWhileTheMouseIsOver) {
  Histogram lateMove, hovered, left;
  SetDriver([&](tk::Page& p) {
    HWND page = FindTopLevel("绘图页");
    HWND button = ChildWithText(page, "取消");
    RECT rect;
    GetWindowRect(button, &rect);
    auto look = [&] { return CountColours(Capture(page, RECT{400, 300, 472, 332})); };
    if (Ticks() == 3) {
      SetCursorPos(rect.right + 100, rect.bottom + 100);
      PostMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    } else if (Ticks() == 6) {
      lateMove = look();
      SetCursorPos(rect.left + 5, rect.top + 5);
    } else if (Ticks() == 9) {
      hovered = look();
      SetCursorPos(rect.right + 100, rect.bottom + 100);
    } else if (Ticks() == 60) {  // the system notices a leave within its hover time
      left = look();
      p.Close();
    }
  });
  RunPages(kPages, 1);
  constexpr COLORREF kHover = RGB(0, 0xB7, 0), kBack = RGB(0, 0x80, 0);
  EXPECT_EQ(lateMove[kHover], 0);
  EXPECT_GT(lateMove[kBack], 72 * 32 / 2);
  EXPECT_GT(hovered[kHover], 72 * 32 / 2);
  EXPECT_EQ(left[kHover], 0);
}

}  // namespace
