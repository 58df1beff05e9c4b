// Keyboard and mouse on a page: when radio buttons and super buttons raise
// their click, Tab between tab stops, and the vertically centred edit line.
#include <gtest/gtest.h>

#include "tests/toolkit/support.h"

using namespace tktest;

namespace {

int g_firstClicks = 0, g_secondClicks = 0, g_buttonClicks = 0;
void FirstClicked(tk::Page&) { ++g_firstClicks; }
void SecondClicked(tk::Page&) { ++g_secondClicks; }
void ButtonClicked(tk::Page&) { ++g_buttonClicks; }

const tk::Control kRows[] = {
    {.name = "外形框1", .kind = tk::Kind::Shape, .parent = nullptr, .rect = {0, 0, 539, 382}},
    {.name = "编辑框1", .kind = tk::Kind::Edit, .parent = "外形框1", .rect = {28, 199, 432, 32},
     .flags = tk::kTabStop | tk::kVCentre, .back = 0xECECEC},
    {.name = "单选框1", .kind = tk::Kind::Radio, .parent = "外形框1", .rect = {32, 266, 136, 24},
     .text = "我同意", .flags = tk::kTabStop, .onClick = FirstClicked},
    {.name = "单选框2", .kind = tk::Kind::Radio, .parent = "外形框1", .rect = {184, 266, 136, 24},
     .text = "我不同意", .flags = tk::kTabStop, .onClick = SecondClicked},
    {.name = "按钮1", .kind = tk::Kind::SuperButton, .parent = "外形框1",
     .rect = {356, 337, 72, 32}, .text = "下一步", .flags = tk::kTabStop, .back = 0x008000,
     .fore = 0xFFFFFF, .onClick = ButtonClicked},
    DriverRow("外形框1"),
};
const tk::PageDesc kPage = {.number = 1, .caption = "输入页", .width = 539, .height = 382,
                            .controls = kRows, .controlCount = int(std::size(kRows))};
const tk::PageDesc* const kPages[] = {&kPage};

struct Windows {
  HWND page, edit, first, second, button;
};

Windows Find() {
  Windows w = {};
  w.page = FindTopLevel("输入页");
  HWND children[8] = {};
  Children(GetWindow(w.page, GW_CHILD), children, 8);
  w.edit = children[0];
  w.first = children[1];
  w.second = children[2];
  w.button = children[3];
  return w;
}

void PostKey(HWND target, WPARAM key) {
  PostMessageA(target, WM_KEYDOWN, key, 1);
  PostMessageA(target, WM_KEYUP, key, LPARAM(0xC0000001u));
}

void PostClick(HWND target) {
  PostMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageA(target, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

bool Checked(HWND radio) { return SendMessageA(radio, BM_GETCHECK, 0, 0) == BST_CHECKED; }

TEST(Input, RadioClicksComeFromClicksSpaceAndArrowsNotFromFocus) {
  g_firstClicks = g_secondClicks = g_buttonClicks = 0;
  struct {
    bool tabReachedFirst = false;
    int clicksAfterFocus = -1;
    bool checkedAfterFocus = true;
    int clicksAfterSpace = -1;
    bool secondCheckedByArrow = false, firstClearedByArrow = false, focusMoved = false;
    int secondClicksAfterArrow = -1;
    int firstClicksAfterMouse = -1;
  } seen;
  SetDriver([&](tk::Page& p) {
    Windows w = Find();
    switch (Ticks()) {
      case 2:
        SetForegroundWindow(w.page);
        SetFocus(w.edit);
        PostKey(w.edit, VK_TAB);
        break;
      case 4:
        seen.tabReachedFirst = GetFocus() == w.first;
        seen.clicksAfterFocus = g_firstClicks;
        seen.checkedAfterFocus = Checked(w.first);
        PostKey(w.first, VK_SPACE);
        break;
      case 6:
        seen.clicksAfterSpace = g_firstClicks;
        PostKey(w.first, VK_DOWN);
        break;
      case 8:
        seen.secondCheckedByArrow = Checked(w.second);
        seen.firstClearedByArrow = !Checked(w.first);
        seen.focusMoved = GetFocus() == w.second;
        seen.secondClicksAfterArrow = g_secondClicks;
        PostClick(w.first);
        break;
      case 10:
        seen.firstClicksAfterMouse = g_firstClicks;
        p.Close();
        break;
    }
  });
  RunPages(kPages, 1);
  EXPECT_TRUE(seen.tabReachedFirst);
  EXPECT_EQ(seen.clicksAfterFocus, 0);  // focus alone raises nothing ...
  EXPECT_FALSE(seen.checkedAfterFocus);  // ... and checks nothing
  EXPECT_EQ(seen.clicksAfterSpace, 1);
  EXPECT_TRUE(seen.secondCheckedByArrow);
  EXPECT_TRUE(seen.firstClearedByArrow);
  EXPECT_TRUE(seen.focusMoved);
  EXPECT_EQ(seen.secondClicksAfterArrow, 1);
  EXPECT_EQ(seen.firstClicksAfterMouse, 2);  // the click, not the focus it brought
}

TEST(Input, SuperButtonClicksOnlyWhileEnabled) {
  g_buttonClicks = 0;
  int clicksEnabled = -1, clicksDisabled = -1, clicksDoubled = -1;
  SetDriver([&](tk::Page& p) {
    Windows w = Find();
    switch (Ticks()) {
      case 2:
        PostClick(w.button);
        break;
      case 4:
        clicksEnabled = g_buttonClicks;
        PostMessageA(w.button, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageA(w.button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        break;
      case 6:
        clicksDoubled = g_buttonClicks;
        p.SetDisabled("按钮1", true);
        PostClick(w.button);
        break;
      case 8:
        clicksDisabled = g_buttonClicks;
        p.Close();
        break;
    }
  });
  RunPages(kPages, 1);
  EXPECT_EQ(clicksEnabled, 1);
  EXPECT_EQ(clicksDoubled, 2);  // a quick second press is one more click
  EXPECT_EQ(clicksDisabled, 2);
}

TEST(Input, CentredEditHoldsOneLineInTheMiddle) {
  int lineTop = -1, lineHeight = -1, textHeight = 0;
  COLORREF band = 0;
  SetDriver([&](tk::Page& p) {
    if (Ticks() < 3) return;
    Windows w = Find();
    RECT client;
    GetClientRect(w.edit, &client);
    POINT origin = {0, 0};
    MapWindowPoints(w.edit, GetParent(w.edit), &origin, 1);
    lineTop = origin.y - 199;
    lineHeight = client.bottom;
    HDC dc = GetDC(w.edit);
    HGDIOBJ previous = SelectObject(dc, HGDIOBJ(SendMessageA(w.edit, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    textHeight = metrics.tmHeight;
    SelectObject(dc, previous);
    ReleaseDC(w.edit, dc);
    band = PixelAt(w.page, 100, 200);  // above the line, inside the box
    p.Close();
  });
  RunPages(kPages, 1);
  EXPECT_EQ(lineHeight, textHeight);
  EXPECT_EQ(lineTop, (32 - textHeight) / 2);
  EXPECT_EQ(band, RGB(0xEC, 0xEC, 0xEC));
}

}  // namespace
