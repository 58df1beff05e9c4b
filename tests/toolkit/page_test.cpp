// Pages built from layouts: what exists when, where it lies, how pages close
// and when the event loop returns.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/toolkit/support.h"
#include "toolkit/component.h"

using namespace tktest;

namespace {

constexpr int kScreenWidth = 1024, kScreenHeight = 768;  // the test display

// One page of every window kind, with overlapping boxes for stacking order.
const tk::Control kRows[] = {
    {.name = "外形框1", .kind = tk::Kind::Shape, .parent = nullptr, .rect = {0, 0, 539, 382},
     .fore = 0x0088FF},
    {.name = "上", .kind = tk::Kind::Picture, .parent = "外形框1", .rect = {10, 40, 100, 50},
     .back = 0x00FF00},
    {.name = "下", .kind = tk::Kind::Picture, .parent = "外形框1", .rect = {50, 60, 100, 50},
     .back = 0x0000FF},
    {.name = "编辑框1", .kind = tk::Kind::Edit, .parent = "外形框1", .rect = {10, 150, 200, 24},
     .text = "原来的字", .flags = tk::kBorderSingle | tk::kTabStop},
    {.name = "外形框2", .kind = tk::Kind::Shape, .parent = "外形框1", .rect = {4, 200, 13, 24},
     .back = 0x0088FF, .fore = 0x0088FF},
    {.name = "按钮1", .kind = tk::Kind::SuperButton, .parent = "外形框1",
     .rect = {300, 300, 72, 32}, .text = "下一步", .flags = tk::kTabStop, .back = 0x008000,
     .fore = 0xFFFFFF},
    {.name = "单选框1", .kind = tk::Kind::Radio, .parent = "外形框1", .rect = {10, 260, 136, 24},
     .text = "同意", .flags = tk::kTabStop},
    {.name = "标签1", .kind = tk::Kind::Label, .parent = "外形框1", .rect = {200, 200, 100, 24},
     .text = "标签"},
    {.name = "透明标签1", .kind = tk::Kind::TransparentLabel, .parent = "外形框1",
     .rect = {200, 240, 100, 24}, .text = "透明"},
    DriverRow("外形框1"),
};

struct Observed {
  int created = 0;
  bool visibleWhenCreated = true;
  int childrenWhenCreated = 0;
} g_observed;

HWND Frame(HWND page) { return GetWindow(page, GW_CHILD); }

void RecordCreated(tk::Page&) {
  HWND page = FindTopLevel("测试页");
  ++g_observed.created;
  g_observed.visibleWhenCreated = page && IsWindowVisible(page);
  HWND children[16];
  g_observed.childrenWhenCreated = page ? Children(Frame(page), children, 16) : 0;
}

const tk::PageDesc kPage = {.number = 1, .caption = "测试页", .width = 539, .height = 382,
                            .controls = kRows, .controlCount = int(std::size(kRows)),
                            .onCreated = RecordCreated};
const tk::PageDesc* const kPages[] = {&kPage};

class PageTest : public ::testing::Test {
 protected:
  void SetUp() override { g_observed = {}; }
};

TEST_F(PageTest, BuildsHiddenRaisesCreatedThenShowsCentred) {
  HWND page = nullptr;
  SetDriver([&](tk::Page& p) {
    page = FindTopLevel("测试页");
    p.Close();
  });
  RunPages(kPages, 1);

  EXPECT_EQ(g_observed.created, 1);
  EXPECT_FALSE(g_observed.visibleWhenCreated);
  EXPECT_EQ(g_observed.childrenWhenCreated, 8);  // the timer has no window
  ASSERT_NE(page, nullptr);
  EXPECT_FALSE(IsWindow(page));
}

TEST_F(PageTest, PageWindowIsABorderlessPopupCentredOnTheScreen) {
  RECT placed = {};
  LONG style = 0;
  HWND owner = nullptr;
  RECT client = {};
  SetDriver([&](tk::Page& p) {
    HWND page = FindTopLevel("测试页");
    GetWindowRect(page, &placed);
    GetClientRect(page, &client);
    style = GetWindowLongA(page, GWL_STYLE);
    owner = GetWindow(page, GW_OWNER);
    p.Close();
  });
  RunPages(kPages, 1);

  int left = (kScreenWidth - 539) / 2, top = (kScreenHeight - 382) / 2;
  EXPECT_EQ(placed.left, left);
  EXPECT_EQ(placed.top, top);
  EXPECT_EQ(placed.right - placed.left, 539);
  EXPECT_EQ(placed.bottom - placed.top, 382);
  EXPECT_EQ(client.right, 539);  // all client area: no caption, no border
  EXPECT_EQ(client.bottom, 382);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER));
  EXPECT_EQ(owner, nullptr);
}

TEST_F(PageTest, RowsAreStackedInOrderEarlierAbove) {
  char classes[16][32] = {};
  int count = 0;
  COLORREF overlap = 0;
  SetDriver([&](tk::Page& p) {
    HWND page = FindTopLevel("测试页");
    HWND children[16] = {};
    count = Children(Frame(page), children, 16);
    for (int i = 0; i < count; ++i) GetClassNameA(children[i], classes[i], sizeof classes[i]);
    overlap = PixelAt(page, 60, 70);  // inside both 上 (green) and 下 (blue)
    p.Close();
  });
  RunPages(kPages, 1);

  const char* expected[] = {"tkPlain", "tkPlain", "Edit", "tkPlain",
                            "Button", "Button", "tkPlain", "tkPlain"};
  ASSERT_EQ(count, 8);
  for (int i = 0; i < count; ++i) EXPECT_STRCASEEQ(classes[i], expected[i]) << "row " << i + 1;
  EXPECT_EQ(overlap, RGB(0, 255, 0));
}

TEST_F(PageTest, CloseTakesEffectBackInTheLoop) {
  bool aliveAfterClose = false;
  SetDriver([&](tk::Page& p) {
    p.Close();
    aliveAfterClose = FindTopLevel("测试页") != nullptr;
  });
  RunPages(kPages, 1);
  EXPECT_TRUE(aliveAfterClose);
  EXPECT_EQ(FindTopLevel("测试页"), nullptr);
}

// Two pages: the first switches to the second (open, then close); the loop
// must keep running until the second is gone too.
int g_secondTicks = 0;
int g_secondCreated = 0;

void SecondCreated(tk::Page&) { ++g_secondCreated; }
void SecondTick(tk::Page& page) {
  if (++g_secondTicks == 3) page.Close();
}

const tk::Control kSecondRows[] = {
    {.name = "外形框1", .kind = tk::Kind::Shape, .parent = nullptr, .rect = {0, 0, 539, 382}},
    {.name = "时钟1", .kind = tk::Kind::Timer, .parent = "外形框1", .rect = {0, 0, 0, 0},
     .period = 30, .onPeriodic = SecondTick},
};
const tk::PageDesc kSecond = {.number = 2, .caption = "第二页", .width = 539, .height = 382,
                              .controls = kSecondRows, .controlCount = 2,
                              .onCreated = SecondCreated};
const tk::PageDesc* const kTwoPages[] = {&kPage, &kSecond};

TEST_F(PageTest, LoopReturnsOnlyWhenTheLastPageIsGone) {
  g_secondTicks = 0;
  g_secondCreated = 0;
  bool samePageAgain = false;
  SetDriver([&](tk::Page& p) {
    tk::Page& second = tk::OpenPage(2);
    samePageAgain = &tk::OpenPage(2) == &second;  // only brought to the front
    p.Close();
    SetDriver(nullptr);
  });
  RunPages(kTwoPages, 2);
  EXPECT_EQ(g_secondTicks, 3);
  EXPECT_EQ(g_secondCreated, 1);
  EXPECT_TRUE(samePageAgain);
}

// The close request asks the page; false keeps it, true lets it go.
int g_canCloseAsked = 0;
bool g_canCloseAnswer = false;
bool AskCanClose(tk::Page&) {
  ++g_canCloseAsked;
  return g_canCloseAnswer;
}
const tk::PageDesc kGuarded = {.number = 1, .caption = "测试页", .width = 539, .height = 382,
                               .controls = kRows, .controlCount = int(std::size(kRows)),
                               .onCanClose = AskCanClose};
const tk::PageDesc* const kGuardedPages[] = {&kGuarded};

TEST_F(PageTest, CloseRequestAndEndSessionAskTheCanCloseHandler) {
  g_canCloseAsked = 0;
  g_canCloseAnswer = false;
  LRESULT refusedLogOff = TRUE, allowedLogOff = FALSE;
  bool keptAfterNo = false;
  SetDriver([&](tk::Page&) {
    HWND page = FindTopLevel("测试页");
    switch (Ticks()) {
      case 1:
        refusedLogOff = SendMessageA(page, WM_QUERYENDSESSION, 0, 0);
        PostMessageA(page, WM_CLOSE, 0, 0);
        break;
      case 3:
        keptAfterNo = page != nullptr;
        g_canCloseAnswer = true;
        allowedLogOff = SendMessageA(page, WM_QUERYENDSESSION, 0, 0);
        PostMessageA(page, WM_CLOSE, 0, 0);
        break;
    }
  });
  RunPages(kGuardedPages, 1);
  EXPECT_EQ(refusedLogOff, FALSE);
  EXPECT_TRUE(keptAfterNo);
  EXPECT_NE(allowedLogOff, FALSE);
  EXPECT_EQ(g_canCloseAsked, 4);
}

TEST_F(PageTest, EscAndEnterDoNotClosePage) {
  bool stillOpen = false;
  SetDriver([&](tk::Page& p) {
    HWND page = FindTopLevel("测试页");
    if (Ticks() == 1) {
      SetForegroundWindow(page);
      HWND edit = FindWindowExA(Frame(page), nullptr, "Edit", nullptr);
      SetFocus(edit);
      for (WPARAM key : {WPARAM(VK_ESCAPE), WPARAM(VK_RETURN)}) {
        PostMessageA(edit, WM_KEYDOWN, key, 1);
        PostMessageA(edit, WM_KEYUP, key, 0xC0000001);
      }
    } else if (Ticks() == 5) {
      stillOpen = page != nullptr;
      p.Close();
    }
  });
  RunPages(kPages, 1);
  EXPECT_TRUE(stillOpen);
}

TEST_F(PageTest, PropertiesReadAndWriteControls) {
  tk::Text before, after;
  int widthBefore = 0, widthAfter = 0, windowWidth = 0;
  bool disabled = false, enabledAgain = false;
  SetDriver([&](tk::Page& p) {
    before = p.GetText("编辑框1");
    p.SetText("编辑框1", "新的字");
    after = p.GetText("编辑框1");
    widthBefore = p.GetWidth("外形框2");
    p.SetWidth("外形框2", 28);
    widthAfter = p.GetWidth("外形框2");
    HWND children[16];
    Children(Frame(FindTopLevel("测试页")), children, 16);
    RECT rect;
    GetWindowRect(children[3], &rect);  // 外形框2
    windowWidth = rect.right - rect.left;
    p.SetDisabled("按钮1", true);
    disabled = !IsWindowEnabled(children[4]);
    p.SetDisabled("按钮1", false);
    enabledAgain = IsWindowEnabled(children[4]);
    p.Close();
  });
  RunPages(kPages, 1);
  EXPECT_STREQ(before.c_str(), "原来的字");  // the copy kept its text
  EXPECT_STREQ(after.c_str(), "新的字");
  EXPECT_EQ(widthBefore, 13);
  EXPECT_EQ(widthAfter, 28);
  EXPECT_EQ(windowWidth, 28);
  EXPECT_TRUE(disabled);
  EXPECT_TRUE(enabledAgain);
}

// A timer whose period is set to 0 ticks no more; a positive period starts
// it again.
int g_timerTicks = 0;
void CountTick(tk::Page& page) {
  if (++g_timerTicks == 3) page.SetPeriod("时钟1", 0);
}
const tk::Control kTimerRows[] = {
    {.name = "外形框1", .kind = tk::Kind::Shape, .parent = nullptr, .rect = {0, 0, 539, 382}},
    {.name = "时钟1", .kind = tk::Kind::Timer, .parent = "外形框1", .rect = {0, 0, 0, 0},
     .period = 10, .onPeriodic = CountTick},
    DriverRow("外形框1"),
};
const tk::PageDesc kTimerPage = {.number = 1, .caption = "时钟页", .width = 539, .height = 382,
                                 .controls = kTimerRows, .controlCount = 3};
const tk::PageDesc* const kTimerPages[] = {&kTimerPage};

TEST(TimerTest, PeriodZeroStopsAndPositiveRestarts) {
  g_timerTicks = 0;
  int stoppedAt = 0;
  SetDriver([&](tk::Page& p) {
    if (Ticks() == 15) {
      stoppedAt = g_timerTicks;
      p.SetPeriod("时钟1", 10);
    } else if (Ticks() == 25) {
      p.Close();
    }
  });
  RunPages(kTimerPages, 1);
  EXPECT_EQ(stoppedAt, 3);
  EXPECT_GT(g_timerTicks, 3);  // started again; it stops at the third tick only once
}

// A component row: its kind's operation gets an instance that exists and
// whose events reach the row's handler.
struct ComponentCall {
  bool existed = false;
  tk::EventAnswer answer = {};
  const char* operation = nullptr;
  int count = 0;
} g_call;

int FakeCall(tk::Component& self, const char* operation, const char* const*, int count) {
  g_call.existed = self.Exists();
  g_call.operation = operation;
  g_call.count = count;
  const int args[] = {1, 2, 3};
  g_call.answer = self.Raise(7, args, 3);
  return 42;
}
const tk::ComponentKind kFakeKind = {"假组件", FakeCall};

int g_eventNumber = 0;
bool SumEvent(tk::Page&, int event, const int* args, int count, int* answer) {
  g_eventNumber = event;
  *answer = 0;
  for (int i = 0; i < count; ++i) *answer += args[i];
  return true;
}

const tk::Control kComponentRows[] = {
    {.name = "外形框1", .kind = tk::Kind::Shape, .parent = nullptr, .rect = {0, 0, 539, 382}},
    {.name = "组件1", .kind = tk::Kind::Component, .parent = "外形框1",
     .rect = {65, 282, 26, 26}, .component = &kFakeKind, .onEvent = SumEvent},
    {.name = "组件2", .kind = tk::Kind::Component, .parent = "外形框1",
     .rect = {95, 282, 26, 26}, .component = &kFakeKind},
    DriverRow("外形框1"),
};
const tk::PageDesc kComponentPage = {.number = 1, .caption = "组件页", .width = 539,
                                     .height = 382, .controls = kComponentRows,
                                     .controlCount = 4};
const tk::PageDesc* const kComponentPages[] = {&kComponentPage};

TEST(ComponentTest, OperationRaisesEventsToTheRowHandler) {
  int handled = 0, dropped = 0;
  ComponentCall first, second;
  SetDriver([&](tk::Page& p) {
    const char* args[] = {"a", nullptr};
    handled = p.CallComponent("组件1", "extract", args, 2);
    first = g_call;
    dropped = p.CallComponent("组件2", "extract", args, 2);
    second = g_call;
    p.Close();
  });
  RunPages(kComponentPages, 1);
  EXPECT_EQ(handled, 42);
  EXPECT_TRUE(first.existed);
  EXPECT_STREQ(first.operation, "extract");
  EXPECT_EQ(first.count, 2);
  EXPECT_TRUE(first.answer.answered);
  EXPECT_EQ(first.answer.value, 6);
  EXPECT_EQ(g_eventNumber, 7);
  EXPECT_EQ(dropped, 42);
  EXPECT_FALSE(second.answer.answered);
  EXPECT_EQ(second.answer.value, 0);
}

}  // namespace
