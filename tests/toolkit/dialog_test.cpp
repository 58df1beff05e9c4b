// Message boxes: modal for the whole program without an owner, nested boxes,
// the results, and timers that keep running underneath.
#include <gtest/gtest.h>

#include "tests/toolkit/support.h"

using namespace tktest;

namespace {

// The box is opened from a timer of the page; the driver timer, which keeps
// ticking inside the box's own loop, checks the windows and answers it.
struct BoxRun {
  int buttons = tk::kYesNo;
  const char* title = "标题一";
  int answer = IDYES;
  bool opened = false;
  int result = -1;
  bool pageEnabledAfter = false;
} g_box;

void OpenBox(tk::Page& page) {
  if (g_box.opened) return;
  g_box.opened = true;
  g_box.result = tk::MessageBox("问题", g_box.buttons,
                                g_box.title && *g_box.title ? g_box.title : nullptr);
  g_box.pageEnabledAfter = IsWindowEnabled(FindTopLevel("对话页"));
  page.Close();
}

const tk::Control kRows[] = {
    {.name = "外形框1", .kind = tk::Kind::Shape, .parent = nullptr, .rect = {0, 0, 539, 382}},
    {.name = "时钟1", .kind = tk::Kind::Timer, .parent = "外形框1", .rect = {0, 0, 0, 0},
     .period = 30, .onPeriodic = OpenBox},
    DriverRow("外形框1"),
};
const tk::PageDesc kPage = {.number = 1, .caption = "对话页", .width = 539, .height = 382,
                            .controls = kRows, .controlCount = 3};
const tk::PageDesc* const kPages[] = {&kPage};

struct AnswerCase {
  int buttons;
  const char* title;       // null: the default title
  const char* shownTitle;  // what the box must be titled
  int answer;
  int result;
};

class MessageBoxAnswers : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(MessageBoxAnswers, BoxIsOwnerlessDisablesThePageAndMapsItsAnswer) {
  const AnswerCase& c = GetParam();
  g_box = {};
  g_box.buttons = c.buttons;
  g_box.title = c.title;
  bool pageDisabled = false, ownerless = false, answered = false;
  SetDriver([&](tk::Page&) {
    HWND box = FindTopLevel(c.shownTitle);
    if (!box || answered) return;
    answered = true;
    pageDisabled = !IsWindowEnabled(FindTopLevel("对话页"));
    ownerless = GetWindow(box, GW_OWNER) == nullptr;
    PostMessageA(box, WM_COMMAND, c.answer, 0);
  });
  RunPages(kPages, 1);
  EXPECT_TRUE(answered);
  EXPECT_TRUE(pageDisabled);
  EXPECT_TRUE(ownerless);
  EXPECT_EQ(g_box.result, c.result);
  EXPECT_TRUE(g_box.pageEnabledAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Toolkit, MessageBoxAnswers,
    ::testing::Values(AnswerCase{tk::kYesNo, "标题一", "标题一", IDYES, tk::kResultYes},
                      AnswerCase{tk::kYesNo, "标题一", "标题一", IDNO, tk::kResultNo},
                      AnswerCase{tk::kOk, nullptr, "信息：", IDOK, tk::kResultOk}));

TEST(MessageBoxNesting, SecondBoxDisablesTheFirstAndGivesItBack) {
  g_box = {};
  enum { kWaitFirst, kInsideSecond, kAnsweredSecond, kBackInFirst, kDone } state = kWaitFirst;
  bool firstDisabledUnderSecond = false, firstEnabledAfterSecond = false;
  int secondResult = -1;
  SetDriver([&](tk::Page&) {
    HWND first = FindTopLevel("标题一");
    switch (state) {
      case kWaitFirst:
        if (!first) return;
        state = kInsideSecond;
        secondResult = tk::MessageBox("第二个", tk::kOk, "标题二");  // runs its own loop
        state = kBackInFirst;
        return;
      case kInsideSecond:
        if (HWND second = FindTopLevel("标题二")) {
          firstDisabledUnderSecond = !IsWindowEnabled(first);
          PostMessageA(second, WM_COMMAND, IDOK, 0);
          state = kAnsweredSecond;
        }
        return;
      case kBackInFirst:
        firstEnabledAfterSecond = IsWindowEnabled(first);
        PostMessageA(first, WM_COMMAND, IDNO, 0);
        state = kDone;
        return;
      default:
        return;
    }
  });
  RunPages(kPages, 1);
  EXPECT_EQ(state, kDone);
  EXPECT_TRUE(firstDisabledUnderSecond);
  EXPECT_TRUE(firstEnabledAfterSecond);
  EXPECT_EQ(secondResult, tk::kResultOk);
  EXPECT_EQ(g_box.result, tk::kResultNo);
  EXPECT_TRUE(g_box.pageEnabledAfter);
}

}  // namespace
