// The pages' handlers, reached through their layout rows as the toolkit
// reaches them, run against the stand-in toolkit.
#include <gtest/gtest.h>

#include "fake_toolkit.h"
#include "wizard/install_folder.h"
#include "wizard/pages/pages.h"
#include "wizard/pages/progress.h"

namespace {

using fake::FakePage;
using fake::Row;
using fake::TheWorld;
using Calls = std::vector<std::string>;

constexpr const char* kQuitQuestion = "您确定要退出安装程序吗？";

class Handlers : public ::testing::Test {
 protected:
  void SetUp() override {
    fake::Reset();
    wizard::ReleaseInstallFolder();
  }

  static void Click(const tk::PageDesc& desc, const char* control, tk::Page& page) {
    const tk::Control* row = Row(desc, control);
    ASSERT_NE(row, nullptr) << control;
    ASSERT_NE(row->onClick, nullptr) << control;
    row->onClick(page);
  }
};

// --- page 4: the install folder ---------------------------------------------

TEST_F(Handlers, EmptyFolderFieldIsRefusedAndChangesNothing) {
  wizard::CommitInstallFolder(tk::Text("D:\\Earlier\\"));
  FakePage page(4);
  Click(pages::kFolder, "按钮2", page);

  ASSERT_EQ(TheWorld().boxes.size(), 1u);
  EXPECT_EQ(TheWorld().boxes[0].text, "请先输入安装地址");
  EXPECT_EQ(TheWorld().boxes[0].title, "提示");
  EXPECT_EQ(TheWorld().boxes[0].buttons, tk::kOk);
  EXPECT_EQ(TheWorld().calls, Calls{"MessageBox"});
  EXPECT_STREQ(wizard::InstallFolder(), "D:\\Earlier\\");
}

TEST_F(Handlers, FolderFieldIsCommittedUnchangedThenPage5Opens) {
  for (const char* typed : {"   ", "D:\\Apps", "D:\\Apps\\", "岚笺", "\\"}) {
    SCOPED_TRACE(typed);
    fake::Reset();
    wizard::CommitInstallFolder(tk::Text("D:\\Earlier\\"));
    FakePage page(4);
    page.texts["编辑框1"] = typed;
    Click(pages::kFolder, "按钮2", page);

    EXPECT_STREQ(wizard::InstallFolder(), typed);
    EXPECT_TRUE(TheWorld().boxes.empty());
    EXPECT_EQ(TheWorld().calls, (Calls{"OpenPage 5", "Close 4"}));
  }
}

TEST_F(Handlers, PickedFolderGetsOneBackslashAndCancelKeepsTheField) {
  struct Case {
    const char* picked;
    const char* fieldAfter;
  } cases[] = {
      {"C:\\Program Files", "C:\\Program Files\\"},
      {"D:\\", "D:\\\\"},
      {"", "typed by hand"},  // cancelled, or an item without a file-system path
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.picked);
    fake::Reset();
    TheWorld().pickedFolder = c.picked;
    FakePage page(4);
    page.texts["编辑框1"] = "typed by hand";
    Click(pages::kFolder, "按钮4", page);

    EXPECT_EQ(page.texts["编辑框1"], c.fieldAfter);
    EXPECT_EQ(TheWorld().calls, Calls{"PickFolder ''"});
    EXPECT_STREQ(wizard::InstallFolder(), "") << "picking commits nothing";
  }
}

// --- page 2: the agreement gates "下一步" -----------------------------------

TEST_F(Handlers, AgreementRadiosEnableAndDisableNext) {
  ASSERT_TRUE(Row(pages::kAgreement, "按钮2")->flags & tk::kDisabled) << "opens disabled";
  FakePage page(2);
  const struct {
    const char* radio;
    bool nextDisabled;
  } clicks[] = {{"单选框1", false}, {"单选框1", false}, {"单选框2", true}, {"单选框1", false}};
  for (const auto& click : clicks) {
    Click(pages::kAgreement, click.radio, page);
    EXPECT_EQ(page.disabled["按钮2"], click.nextDisabled) << click.radio;
  }
}

// --- the page flow ---------------------------------------------------------

TEST_F(Handlers, ForwardAndBackButtonsSwitchToTheNeighbouringPage) {
  const struct {
    const tk::PageDesc& page;
    const char* button;
    int target;
  } cases[] = {
      {pages::kWelcome, "按钮2", 2},  {pages::kAgreement, "按钮2", 3},
      {pages::kAgreement, "按钮1", 1}, {pages::kReadme, "按钮2", 4},
      {pages::kReadme, "按钮1", 2},    {pages::kFolder, "按钮1", 3},
      {pages::kConfirmation, "按钮2", 6}, {pages::kConfirmation, "按钮1", 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.page.number) + " " + c.button);
    fake::Reset();
    FakePage page(c.page.number);
    Click(c.page, c.button, page);
    EXPECT_EQ(TheWorld().calls, (Calls{"OpenPage " + std::to_string(c.target),
                                       "Close " + std::to_string(c.page.number)}));
  }
}

TEST_F(Handlers, PagesWithoutBackOrCancelHaveNoSuchButton) {
  EXPECT_EQ(Row(pages::kWelcome, "按钮1"), nullptr);
  EXPECT_EQ(Row(pages::kProgress, "按钮1"), nullptr);
  EXPECT_EQ(Row(pages::kProgress, "按钮3"), nullptr);
}

// --- the frame, on every page ------------------------------------------------

TEST_F(Handlers, CancelConfirmsAndEndsWithZeroOnlyOnYes) {
  for (const tk::PageDesc* desc : pages::kAll) {
    for (const char* button : {"超级按钮1", "按钮3"}) {
      const tk::Control* row = Row(*desc, button);
      if (!row) continue;  // page 6 has no "取消"
      SCOPED_TRACE(std::to_string(desc->number) + " " + button);
      for (int answer : {tk::kResultNo, tk::kResultYes}) {
        fake::Reset();
        TheWorld().boxAnswers = {answer};
        FakePage page(desc->number);
        ASSERT_NE(row->onClick, nullptr);
        const bool ended = fake::RunEndsProgram(row->onClick, page);

        ASSERT_EQ(TheWorld().boxes.size(), 1u);
        EXPECT_EQ(TheWorld().boxes[0].text, kQuitQuestion);
        EXPECT_EQ(TheWorld().boxes[0].title, "提示");
        EXPECT_EQ(TheWorld().boxes[0].buttons, tk::kYesNo);
        EXPECT_EQ(ended, answer == tk::kResultYes);
        if (ended) {
          EXPECT_EQ(TheWorld().exitCode, 0);
        }
        EXPECT_EQ(TheWorld().calls, Calls{"MessageBox"}) << "no page is opened or closed";
      }
    }
  }
}

TEST_F(Handlers, CloseRequestConfirmsAndClosesOnlyOnYes) {
  for (const tk::PageDesc* desc : pages::kAll) {
    SCOPED_TRACE(desc->number);
    ASSERT_NE(desc->onCanClose, nullptr);
    for (int answer : {tk::kResultNo, tk::kResultYes}) {
      fake::Reset();
      TheWorld().boxAnswers = {answer};
      FakePage page(desc->number);
      const bool mayClose = desc->onCanClose(page);

      ASSERT_EQ(TheWorld().boxes.size(), 1u);
      EXPECT_EQ(TheWorld().boxes[0].text, kQuitQuestion);
      EXPECT_EQ(TheWorld().boxes[0].title, "关闭");
      EXPECT_EQ(TheWorld().boxes[0].buttons, tk::kYesNo);
      EXPECT_EQ(mayClose, answer == tk::kResultYes);
      const Calls expected = answer == tk::kResultYes
                                 ? Calls{"MessageBox", "Close " + std::to_string(desc->number)}
                                 : Calls{"MessageBox"};
      EXPECT_EQ(TheWorld().calls, expected);
    }
  }
}

TEST_F(Handlers, TitleStripAndCaptionDragAndMinusMinimises) {
  for (const tk::PageDesc* desc : pages::kAll) {
    SCOPED_TRACE(desc->number);
    const char* strip = desc->number == 4 ? "图片框6" : "图片框5";
    for (const char* grip : {strip, "透明标签5"}) {
      fake::Reset();
      FakePage page(desc->number);
      ASSERT_NE(Row(*desc, grip)->onPress, nullptr) << grip;
      Row(*desc, grip)->onPress(page, 10, 5, 1);
      EXPECT_EQ(TheWorld().calls, Calls{"SendWindowMessage 161 2 1"}) << grip;
    }
    fake::Reset();
    FakePage page(desc->number);
    Click(*desc, "超级按钮2", page);
    EXPECT_EQ(TheWorld().calls, Calls{"SetPositionState 2"});
  }
}

// --- page 6: install, animate, report, finish --------------------------------

struct Animation {
  int ticks = 0;
  Calls calls;
};

// Runs page 6 as the toolkit would: created event, then ticks while the timer runs.
Animation RunProgressPage(FakePage& page) {
  pages::kProgress.onCreated(page);
  const tk::Control* timer = Row(pages::kProgress, "时钟1");
  page.widths[pages::kBar] = Row(pages::kProgress, pages::kBar)->rect.width;
  page.periods["时钟1"] = timer->period;
  Animation animation;
  while (page.periods["时钟1"] > 0 && animation.ticks < 100) {
    timer->onPeriodic(page);
    ++animation.ticks;
  }
  animation.calls = TheWorld().calls;
  return animation;
}

TEST_F(Handlers, ProgressPageInstallsIntoTheCommittedFolder) {
  wizard::CommitInstallFolder(tk::Text("D:\\Apps\\"));
  FakePage page(6);
  pages::kProgress.onCreated(page);
  EXPECT_EQ(TheWorld().calls, Calls{"InstallRun ZIP压缩1"});
  EXPECT_EQ(TheWorld().installFolderSeen, "D:\\Apps\\");
}

TEST_F(Handlers, BarGrowsIn34TicksToFullThenStopsTheTimerBeforeReportingSuccess) {
  FakePage page(6);
  Animation animation = RunProgressPage(page);

  EXPECT_EQ(animation.ticks, 34);
  EXPECT_EQ(page.widths[pages::kBar], 523);
  EXPECT_EQ(animation.calls, (Calls{"InstallRun ZIP压缩1", "SetPeriod 时钟1 0", "MessageBox"}));
  ASSERT_EQ(TheWorld().boxes.size(), 1u);
  EXPECT_EQ(TheWorld().boxes[0].text, "安装成功");
  EXPECT_EQ(TheWorld().boxes[0].title, "") << "the default title 信息：";
  EXPECT_EQ(TheWorld().boxes[0].buttons, tk::kOk);

  EXPECT_TRUE(fake::RunEndsProgram(Row(pages::kProgress, "按钮2")->onClick, page));
  EXPECT_EQ(TheWorld().exitCode, 0);
}

TEST_F(Handlers, FailedInstallIsReportedAndFinishEndsWithOne) {
  wizard::CommitInstallFolder(tk::Text("Q:\\missing"));
  TheWorld().installOutcome.failed = install::Step::WriteArchive;
  TheWorld().installOutcome.error = 3;
  FakePage page(6);
  Animation animation = RunProgressPage(page);

  EXPECT_EQ(animation.ticks, 34);
  ASSERT_EQ(TheWorld().boxes.size(), 1u);
  EXPECT_EQ(TheWorld().boxes[0].text, "failed in Q:\\missing");
  EXPECT_EQ(TheWorld().boxes[0].title, "提示");
  EXPECT_EQ(TheWorld().boxes[0].buttons, tk::kOk);

  EXPECT_TRUE(fake::RunEndsProgram(Row(pages::kProgress, "按钮2")->onClick, page));
  EXPECT_EQ(TheWorld().exitCode, 1);
}

TEST_F(Handlers, FinishDuringTheAnimationEndsAtOnceWithoutABox) {
  FakePage page(6);
  pages::kProgress.onCreated(page);
  EXPECT_TRUE(fake::RunEndsProgram(Row(pages::kProgress, "按钮2")->onClick, page));
  EXPECT_EQ(TheWorld().exitCode, 0);
  EXPECT_TRUE(TheWorld().boxes.empty());
}

TEST(ProgressBar, WidthsRunFrom13By15To523AndStayInsideTheTrack) {
  int width = Row(pages::kProgress, pages::kBar)->rect.width;
  EXPECT_EQ(width, 13);
  int ticks = 0;
  while (!pages::BarIsFull(width)) {
    EXPECT_EQ(width, 13 + 15 * ticks);
    width = pages::NextBarWidth(width);
    ++ticks;
  }
  EXPECT_EQ(ticks, 34);
  EXPECT_EQ(width, 523);
  const tk::Rect bar = Row(pages::kProgress, pages::kBar)->rect;
  const tk::Rect track = Row(pages::kProgress, "外形框3")->rect;
  EXPECT_GT(bar.left, track.left);
  EXPECT_LT(bar.left + width, track.left + track.width) << "the full bar stays inside the track";
}

}  // namespace
