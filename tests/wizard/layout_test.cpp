// Sanity of the six layout tables as the toolkit will read them, and the
// per-page values that the frame's row builders compute.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "fake_toolkit.h"
#include "wizard/pages/pages.h"

namespace {

using fake::Row;

std::wstring FromGbk(const char* text) {
  const int length = MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, text, -1, nullptr, 0);
  if (length == 0) return L"<not GBK>";
  std::wstring wide(length - 1, L'\0');
  MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, text, -1, wide.data(), length);
  return wide;
}

tk::Rect AbsoluteRect(const tk::PageDesc& page, const tk::Control& row) {
  tk::Rect rect = row.rect;
  for (const char* parent = row.parent; parent;) {
    const tk::Control* up = Row(page, parent);
    if (!up) break;
    rect.left += up->rect.left;
    rect.top += up->rect.top;
    parent = up->parent;
  }
  return rect;
}

TEST(Layout, PagesAreListedInFlowOrderWithTheFrameSize) {
  for (int i = 0; i < pages::kCount; ++i) {
    EXPECT_EQ(pages::kAll[i]->number, i + 1);
    EXPECT_EQ(pages::kAll[i]->width, 539);
    EXPECT_EQ(pages::kAll[i]->height, 382);
    EXPECT_NE(pages::kAll[i]->icon, 0);
  }
}

TEST(Layout, EveryPageIsOneTreeUnderTheOuterFrame) {
  for (const tk::PageDesc* page : pages::kAll) {
    SCOPED_TRACE(page->number);
    ASSERT_GT(page->controlCount, 0);
    const tk::Control& outer = page->controls[0];
    EXPECT_STREQ(outer.name, "外形框1");
    EXPECT_EQ(outer.parent, nullptr);
    EXPECT_EQ(outer.rect.left, 0);
    EXPECT_EQ(outer.rect.top, 0);
    EXPECT_EQ(outer.rect.width, 539);
    EXPECT_EQ(outer.rect.height, 382);

    std::set<std::string> seen = {outer.name};
    for (int i = 1; i < page->controlCount; ++i) {
      const tk::Control& row = page->controls[i];
      SCOPED_TRACE(row.name);
      ASSERT_NE(row.parent, nullptr) << "only the outer frame lies in the page window";
      EXPECT_TRUE(seen.count(row.parent)) << "parent " << row.parent << " listed before its child";
      EXPECT_TRUE(seen.insert(row.name).second) << "duplicate name";
    }
  }
}

TEST(Layout, EveryControlLiesInsideThePageAndDoesSomethingWhenItShould) {
  for (const tk::PageDesc* page : pages::kAll) {
    for (int i = 0; i < page->controlCount; ++i) {
      const tk::Control& row = page->controls[i];
      SCOPED_TRACE(std::to_string(page->number) + " " + row.name);
      const tk::Rect r = AbsoluteRect(*page, row);
      EXPECT_GE(r.left, 0);
      EXPECT_GE(r.top, 0);
      EXPECT_LE(r.left + r.width, 539);
      EXPECT_LE(r.top + r.height, 382);
      switch (row.kind) {
        case tk::Kind::SuperButton:
        case tk::Kind::Radio: EXPECT_NE(row.onClick, nullptr); break;
        case tk::Kind::Timer:
          EXPECT_GT(row.period, 0);
          EXPECT_NE(row.onPeriodic, nullptr);
          break;
        case tk::Kind::Component: EXPECT_NE(row.component, nullptr); break;
        default: break;
      }
    }
  }
}

// The test program carries the setup program's resources, so a table that
// names a picture the build does not embed shows here instead of as a blank box.
TEST(Layout, EveryPictureAndIconIsEmbedded) {
  for (const tk::PageDesc* page : pages::kAll) {
    EXPECT_NE(FindResourceA(nullptr, MAKEINTRESOURCEA(page->icon), MAKEINTRESOURCEA(14)), nullptr)
        << "window icon (RT_GROUP_ICON) of page " << page->number;
    for (int i = 0; i < page->controlCount; ++i) {
      const tk::Control& row = page->controls[i];
      if (!row.image) continue;
      EXPECT_NE(FindResourceA(nullptr, MAKEINTRESOURCEA(row.image), MAKEINTRESOURCEA(10)), nullptr)
          << "RCDATA " << row.image << " of " << page->number << " " << row.name;
    }
  }
}

TEST(Layout, EveryTextIsValidGbk) {
  for (const tk::PageDesc* page : pages::kAll) {
    EXPECT_NE(FromGbk(page->caption), L"<not GBK>") << page->number;
    for (int i = 0; i < page->controlCount; ++i) {
      const tk::Control& row = page->controls[i];
      if (!row.text) continue;
      EXPECT_NE(FromGbk(row.text), L"<not GBK>") << page->number << " " << row.name;
    }
  }
}

// GBK has two readings of this dot; the folder button needs the one that
// shows as U+00B7.
TEST(Layout, FolderButtonShowsNineMiddleDots) {
  EXPECT_EQ(FromGbk(Row(pages::kFolder, "按钮4")->text), std::wstring(9, L'\u00B7'));
}

TEST(Layout, ConnectorsAreWhiteForPassedStepsAndGreyAhead) {
  const char* connectors[] = {"编辑框2", "编辑框4", "编辑框3", "编辑框5"};  // left to right
  const int whiteCount[] = {0, 0, 0, 1, 2, 3, 4};                            // by page number
  for (int number = 2; number <= 6; ++number) {
    const tk::PageDesc& page = *pages::kAll[number - 1];
    for (int i = 0; i < 4; ++i) {
      SCOPED_TRACE(std::to_string(number) + " " + connectors[i]);
      const tk::Control* row = Row(page, connectors[i]);
      ASSERT_NE(row, nullptr);
      EXPECT_EQ(row->back, i < whiteCount[number] ? 0xFFFFFFu : 0xC0C0C0u);
      EXPECT_TRUE(row->flags & tk::kBorderSingle);
    }
  }
  EXPECT_EQ(Row(pages::kWelcome, "编辑框2"), nullptr) << "page 1 has no step header";
}

TEST(Layout, Page3StepHeaderIsOnePixelHigherButItsFirstIcon) {
  for (const char* name : {"图片框1", "编辑框2", "图片框2", "编辑框4", "图片框3", "编辑框3",
                           "图片框4", "编辑框5"}) {
    SCOPED_TRACE(name);
    const tk::Rect usual = Row(pages::kAgreement, name)->rect;
    const tk::Rect page3 = Row(pages::kReadme, name)->rect;
    const int raise = std::strcmp(name, "图片框1") == 0 ? 0 : 1;
    EXPECT_EQ(page3.top, usual.top - raise);
    EXPECT_EQ(page3.left, usual.left);
    for (const tk::PageDesc* page : {&pages::kFolder, &pages::kConfirmation, &pages::kProgress}) {
      EXPECT_EQ(Row(*page, name)->rect.top, usual.top) << page->number;
    }
  }
}

TEST(Layout, SeparatorsHoldTheirNumberOfDashes) {
  const struct {
    const tk::PageDesc& page;
    const char* name;
    size_t dashes;
  } cases[] = {{pages::kWelcome, "透明标签4", 89},  {pages::kAgreement, "透明标签4", 113},
               {pages::kReadme, "透明标签4", 96},   {pages::kFolder, "透明标签4", 89},
               {pages::kConfirmation, "透明标签3", 89}, {pages::kProgress, "透明标签4", 89}};
  for (const auto& c : cases) {
    const tk::Control* row = Row(c.page, c.name);
    ASSERT_NE(row, nullptr) << c.page.number;
    EXPECT_EQ(std::string(row->text), std::string(c.dashes, '-')) << c.page.number;
    EXPECT_TRUE(row->flags & tk::kDisabled) << "takes no mouse input";
  }
}

}  // namespace
