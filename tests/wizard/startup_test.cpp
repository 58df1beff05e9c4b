// The start-up routine against the stand-in toolkit.
#include <gtest/gtest.h>

#include "fake_toolkit.h"
#include "wizard/install_folder.h"
#include "wizard/pages/pages.h"
#include "wizard/startup.h"

namespace {

using fake::TheWorld;

TEST(StartUp, RunsItsStepsInOrderWithAnEmptyInstallFolderAndReturnsZero) {
  fake::Reset();
  wizard::CommitInstallFolder(tk::Text("left over"));
  EXPECT_EQ(wizard::StartUp(), 0);

  EXPECT_EQ(TheWorld().calls, (std::vector<std::string>{"Initialise 6", "RegisterExitHook",
                                                        "OpenPage 1", "RunEventLoop"}));
  EXPECT_EQ(TheWorld().pagesLoaded, pages::kAll);
  EXPECT_EQ(TheWorld().installFolderAtOpen, "");
}

TEST(StartUp, ItsExitHookReleasesTheCommittedFolderAndMayRunOnAnEmptyOne) {
  fake::Reset();
  wizard::StartUp();
  ASSERT_EQ(TheWorld().exitHooks.size(), 1u);
  void (*hook)() = TheWorld().exitHooks[0];

  hook();  // nothing committed: the close request on page 1
  EXPECT_STREQ(wizard::InstallFolder(), "");
  wizard::CommitInstallFolder(tk::Text("D:\\Apps\\"));
  hook();
  EXPECT_STREQ(wizard::InstallFolder(), "");
}

}  // namespace
