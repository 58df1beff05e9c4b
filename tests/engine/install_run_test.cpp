// The install run on small archives: the install folder, the temporary
// archive beside a user's own, and the outcome it reports.
#include "install/install_run.h"

#include <gtest/gtest.h>

#include "tests/engine/support.h"
#include "tests/engine/zip_builder.h"

namespace engine_test {
namespace {

using Tree = std::vector<std::string>;

const std::string kProduct =
    BuildZip({Folder("岚笺1.0/"), Folder("岚笺1.0/配置/"), File("岚笺1.0/配置/a.ini", "a=1")});
const Tree kProductTree = {"岚笺1.0\\", "岚笺1.0\\配置\\", "岚笺1.0\\配置\\a.ini"};

install::ArchiveBytes Bytes(const std::string& archive) {
  return {archive.data(), static_cast<long>(archive.size())};
}

install::Outcome Install(const std::string& folder, const std::string& archive = kProduct) {
  RecordingComponent zip;
  return install::InstallRunWith(zip, folder.c_str(), Bytes(archive));
}

TEST(InstallRun, CreatesAMissingFolderWithItsParentsAndLeavesNoArchive) {
  for (const char* ending : {"", "\\"}) {
    SCOPED_TRACE(ending);
    std::string scratch = ScratchFolder();
    std::string folder = scratch + "\\new\\deeper";
    install::Outcome outcome = Install(folder + ending);
    EXPECT_TRUE(outcome.ok());
    EXPECT_EQ(outcome.extractResult, 1);
    EXPECT_EQ(TreeBelow(folder), kProductTree);
    EXPECT_EQ(ReadBytes(folder + "\\岚笺1.0\\配置\\a.ini"), "a=1");
  }
}

TEST(InstallRun, KeepsTheUsersOwnStupZip) {
  std::string folder = ScratchFolder();
  WriteBytes(folder + "\\stup.zip", "the user's own archive");
  WriteBytes(folder + "\\stup1.zip", "and another");
  EXPECT_TRUE(Install(folder).ok());
  Tree expected = kProductTree;
  expected.push_back("stup.zip");
  expected.push_back("stup1.zip");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(TreeBelow(folder), expected);
  EXPECT_EQ(ReadBytes(folder + "\\stup.zip"), "the user's own archive");
  EXPECT_EQ(ReadBytes(folder + "\\stup1.zip"), "and another");
}

TEST(InstallRun, ReportsWhichStepFailedAndWhy) {
  std::string scratch = ScratchFolder();
  WriteBytes(scratch + "\\file", "a file, not a folder");
  ZipEntry wrongCrc = File("岚笺1.0/a.ini", "a=1");
  wrongCrc.crcXor = 1;
  struct Case {
    const char* what;
    std::string folder;
    std::string archive;
    install::Step step;
    unsigned long error;
    int extractResult;
    const char* words;  // what the description must say
  };
  for (const Case& c : {
           Case{"empty name", "", kProduct, install::Step::CreateFolder, ERROR_INVALID_NAME, 1, "名称无效"},
           Case{"blank name", "   ", kProduct, install::Step::CreateFolder, ERROR_INVALID_NAME, 1, "名称无效"},
           Case{"folder under a file", scratch + "\\file\\sub", kProduct, install::Step::CreateFolder, 0, 1,
                "无法创建安装文件夹"},
           Case{"damaged archive", scratch + "\\crc", BuildZip({wrongCrc}), install::Step::Extract,
                ERROR_FILE_CORRUPT, 0, "安装程序已损坏"},
           Case{"empty payload", scratch + "\\empty", "", install::Step::Extract, ERROR_FILE_CORRUPT, 0,
                "安装程序已损坏"},
       }) {
    SCOPED_TRACE(c.what);
    install::Outcome outcome = Install(c.folder, c.archive);
    EXPECT_EQ(outcome.failed, c.step);
    if (c.error) {
      EXPECT_EQ(outcome.error, c.error);
    }
    EXPECT_EQ(outcome.extractResult, c.extractResult);
    tk::Text words = install::DescribeFailure(outcome, c.folder.c_str());
    std::string text = words.c_str();
    EXPECT_EQ(text.rfind("安装失败", 0), 0u) << text;
    EXPECT_NE(text.find(c.words), std::string::npos) << text;
    EXPECT_NE(text.find(c.folder), std::string::npos) << text;
    if (c.step == install::Step::Extract) {
      EXPECT_FALSE(PathExists(c.folder + "\\岚笺1.0\\a.ini"));
      EXPECT_FALSE(PathExists(c.folder + "\\stup.zip"));
    }
  }
}

TEST(InstallRun, FileInUseIsReportedAsSuch) {
  std::string folder = ScratchFolder();
  ASSERT_TRUE(Install(folder).ok());
  std::string held = folder + "\\岚笺1.0\\配置\\a.ini";
  HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  install::Outcome outcome = Install(folder);
  CloseHandle(holder);
  EXPECT_EQ(outcome.failed, install::Step::Extract);
  EXPECT_EQ(outcome.error, static_cast<unsigned long>(ERROR_SHARING_VIOLATION));
  std::string text = install::DescribeFailure(outcome, folder.c_str()).c_str();
  EXPECT_NE(text.find("其他程序使用"), std::string::npos) << text;
  EXPECT_FALSE(PathExists(folder + "\\stup.zip"));
}

TEST(InstallRun, DescribesEveryCauseInWords) {
  struct Case { install::Step step; unsigned long error; int extractResult; const char* words; };
  for (const Case& c : {Case{install::Step::WriteArchive, ERROR_DISK_FULL, 1, "磁盘空间不足"},
                        Case{install::Step::Extract, ERROR_HANDLE_DISK_FULL, 0, "磁盘空间不足"},
                        Case{install::Step::WriteArchive, ERROR_ACCESS_DENIED, 1, "没有写入权限"},
                        Case{install::Step::Extract, ERROR_LOCK_VIOLATION, 0, "其他程序使用"},
                        Case{install::Step::Extract, ERROR_FILE_NOT_FOUND, -1, "临时安装文件丢失"},
                        Case{install::Step::CreateFolder, 1234, 1, "错误代码 1234"}}) {
    install::Outcome outcome;
    outcome.failed = c.step;
    outcome.error = c.error;
    outcome.extractResult = c.extractResult;
    std::string text = install::DescribeFailure(outcome, "D:\\Apps\\").c_str();
    EXPECT_NE(text.find(c.words), std::string::npos) << text;
    EXPECT_NE(text.find("D:\\Apps\\"), std::string::npos) << text;
  }
}

}  // namespace
}  // namespace engine_test
