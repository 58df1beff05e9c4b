// The extraction walk, run on small archives made for each case.
#include "install/extract.h"

#include <gtest/gtest.h>

#include <functional>

#include "install/zip_component.h"
#include "tests/engine/support.h"
#include "tests/engine/zip_builder.h"

namespace engine_test {
namespace {

using Tree = std::vector<std::string>;

// A scratch folder holding the archive "in.zip"; the target is "out" in it.
struct Scratch {
  std::string folder = ScratchFolder();
  std::string archive = folder + "\\in.zip";
  std::string target = folder + "\\out";
};

int RunExtract(RecordingComponent& zip, const char* archive, const char* target) {
  const char* args[] = {archive, target};
  return install::kZipComponent.call(zip, "extract", args, 2);
}

Tree WithArchive(const Tree& belowTarget) {
  Tree tree = {"in.zip", "out\\"};
  for (const std::string& path : belowTarget) tree.push_back("out\\" + path);
  std::sort(tree.begin(), tree.end());
  return tree;
}

std::string Text(size_t size) { return Repeat("岚笺日记 0123456789\r\n", size / 20 + 1).substr(0, size); }

ZipEntry Damaged(ZipEntry entry, const std::function<void(ZipEntry&)>& damage) {
  damage(entry);
  return entry;
}

// What a failing archive leaves: the result, and the target's tree. The
// scratch folder holds nothing else, so nothing was written outside.
struct FailureCase {
  const char* what;
  std::string archive;
  int result;
  Tree tree;
  unsigned long cause = ERROR_FILE_CORRUPT;
};

std::vector<FailureCase> FailureCases() {
  ZipEntry ok = File("ok.txt", "fine");
  ZipEntry later = File("later.txt", "never reached");
  std::string whole = BuildZip({ok, File("big.txt", Text(50000))});
  return {
      {"damaged deflate data, partial file removed",
       BuildZip({Folder("a/"), File("a/one.txt", "first"),
                 Damaged(File("a/two.txt", Text(40000)), [](ZipEntry& e) { e.damageData = true; }),
                 later}),
       0, {"a\\", "a\\one.txt"}},
      {"stored CRC-32 mismatch",
       BuildZip({ok, Damaged(File("bad.txt", "text", 0), [](ZipEntry& e) { e.crcXor = 1; }), later}),
       0, {"ok.txt"}},
      {"deflated CRC-32 mismatch",
       BuildZip({ok, Damaged(File("bad.txt", Text(3000)), [](ZipEntry& e) { e.crcXor = 0x100; }), later}),
       0, {"ok.txt"}},
      {"local header disagrees with the directory",
       BuildZip({ok, Damaged(File("bad.txt", "text"), [](ZipEntry& e) { e.localMethod = 0; }), later}),
       0, {"ok.txt"}},
      {"method neither 0 nor 8", BuildZip({ok, File("bad.txt", "text", 12), later}), 0, {"ok.txt"}},
      {"parent step", BuildZip({ok, File("../escape.txt", "x"), later}), 0, {"ok.txt"}},
      {"parent step inside", BuildZip({ok, File("a/../../escape.txt", "x"), later}), 0, {"ok.txt"}},
      {"backslash parent step", BuildZip({ok, File("a\\..\\..\\escape.txt", "x"), later}), 0, {"ok.txt"}},
      {"dots Windows reads as a parent step", BuildZip({ok, File(".../escape.txt", "x")}), 0, {"ok.txt"}},
      {"drive and relative path", BuildZip({ok, File("C:escape.txt", "x")}), 0, {"ok.txt"}},
      {"drive and absolute path", BuildZip({ok, File("C:/escape.txt", "x")}), 0, {"ok.txt"}},
      {"leading slash", BuildZip({ok, File("/escape.txt", "x")}), 0, {"ok.txt"}},
      {"leading backslash", BuildZip({ok, File("\\escape.txt", "x")}), 0, {"ok.txt"}},
      {"device name", BuildZip({ok, File("a/NUL.txt", "x")}), 0, {"ok.txt"}},
      {"name of 260 bytes", BuildZip({ok, File(std::string(260, 'n'), "x")}), 0, {"ok.txt"}},
      {"lead byte without trail byte", BuildZip({ok, File("a\x81/../../escape.txt", "x")}), 0, {"ok.txt"}},
      {"folder entry where a file is", BuildZip({File("block", "x"), Folder("block/")}), 0, {"block"},
       ERROR_ALREADY_EXISTS},
      {"file entry where a folder is", BuildZip({Folder("x/"), File("x", "data")}), 0, {"x\\"},
       ERROR_ACCESS_DENIED},
      {"folder-like name without the folder attribute", BuildZip({ok, File("lj/", ""), later}), 0,
       {"ok.txt"}},
      {"signature check: first name empty", BuildZip({File("", ""), ok}), 0, {}},
      {"not an archive", "PK\x03\x04 but nothing a reader could take for an archive", 0, {}},
      {"truncated: no end record", whole.substr(0, whole.size() - 30), 0, {}},
      {"truncated: directory beyond the file", whole.substr(0, 40) + whole.substr(whole.size() - 22), 0, {}},
  };
}

TEST(Extract, FailuresLeaveWhatIsStatedAndNothingOutside) {
  for (const FailureCase& c : FailureCases()) {
    SCOPED_TRACE(c.what);
    Scratch scratch;
    WriteBytes(scratch.archive, c.archive);
    RecordingComponent zip;
    EXPECT_EQ(RunExtract(zip, scratch.archive.c_str(), scratch.target.c_str()), c.result);
    EXPECT_EQ(TreeBelow(scratch.folder), WithArchive(c.tree));
    EXPECT_EQ(zip.reports.back(), 100);
    EXPECT_FALSE(PathExists("C:\\escape.txt"));
    EXPECT_FALSE(PathExists("escape.txt"));
    EXPECT_EQ(install::LastExtractFailure(), c.cause);
  }
}

TEST(Extract, MissingArgumentsGiveMinusOneWithoutReport) {
  Scratch scratch;
  WriteBytes(scratch.archive, BuildZip({File("a.txt", "a")}));
  const char* archive = scratch.archive.c_str();
  const char* target = scratch.target.c_str();
  struct Case { const char* archive; const char* target; int count; };
  for (Case c : {Case{nullptr, target, 2}, Case{archive, nullptr, 2}, Case{"", target, 2},
                 Case{archive, "", 2}, Case{archive, target, 1}, Case{archive, target, 0}}) {
    RecordingComponent zip;
    const char* args[] = {c.archive, c.target};
    EXPECT_EQ(install::kZipComponent.call(zip, "extract", args, c.count), -1);
    EXPECT_TRUE(zip.reports.empty());
    EXPECT_FALSE(PathExists(scratch.target));
  }
}

TEST(Extract, MissingArchiveGivesMinusOneAndCreatesNothing) {
  Scratch scratch;
  RecordingComponent zip;
  EXPECT_EQ(RunExtract(zip, scratch.archive.c_str(), scratch.target.c_str()), -1);
  EXPECT_FALSE(PathExists(scratch.target));
  EXPECT_EQ(zip.reports, std::vector<int>{100});
}

TEST(Extract, TargetThatCannotBeCreatedGivesZero) {
  Scratch scratch;
  WriteBytes(scratch.archive, BuildZip({File("a.txt", "a")}));
  WriteBytes(scratch.folder + "\\blocker", "a file where a folder should be");
  std::string target = scratch.folder + "\\blocker\\out";
  RecordingComponent zip;
  EXPECT_EQ(RunExtract(zip, scratch.archive.c_str(), target.c_str()), 0);
  EXPECT_EQ(zip.reports, std::vector<int>{100});
}

TEST(Extract, FileHeldOpenGivesZeroWithSharingViolation) {
  Scratch scratch;
  WriteBytes(scratch.archive, BuildZip({File("held.txt", "new"), File("later.txt", "x")}));
  CreateDirectoryA(scratch.target.c_str(), nullptr);
  std::string held = scratch.target + "\\held.txt";
  WriteBytes(held, "old");
  HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  RecordingComponent zip;
  EXPECT_EQ(RunExtract(zip, scratch.archive.c_str(), scratch.target.c_str()), 0);
  EXPECT_EQ(install::LastExtractFailure(), static_cast<unsigned long>(ERROR_SHARING_VIOLATION));
  CloseHandle(holder);
  EXPECT_EQ(ReadBytes(held), "old");
  EXPECT_FALSE(PathExists(scratch.target + "\\later.txt"));
}

TEST(Extract, ReportsProgressAfterEachEntryInDoublePrecision) {
  struct Case { int entries; std::vector<std::pair<size_t, int>> expected; };
  for (const Case& c : {Case{3, {{0, 0}, {1, 33}, {2, 66}, {3, 100}}},
                        Case{100, {{1, 1}, {29, 28}, {57, 56}, {99, 99}, {100, 100}}}}) {
    std::vector<ZipEntry> entries;
    for (int i = 0; i < c.entries; ++i) entries.push_back(File("f" + std::to_string(i), "x"));
    Scratch scratch;
    WriteBytes(scratch.archive, BuildZip(entries));
    RecordingComponent zip;
    EXPECT_EQ(RunExtract(zip, scratch.archive.c_str(), scratch.target.c_str()), 1);
    ASSERT_EQ(zip.reports.size(), static_cast<size_t>(c.entries + 1));
    for (auto [report, percent] : c.expected) EXPECT_EQ(zip.reports[report], percent) << report;
  }
}

TEST(Extract, EmptyArchiveSucceedsWithOneReport) {
  Scratch scratch;
  WriteBytes(scratch.archive, EmptyZip());
  RecordingComponent zip;
  EXPECT_EQ(RunExtract(zip, scratch.archive.c_str(), scratch.target.c_str()), 1);
  EXPECT_EQ(zip.reports, std::vector<int>{100});
  EXPECT_EQ(TreeBelow(scratch.folder), WithArchive({}));
}

TEST(Extract, HandlerAnsweringFalseStopsAfterTheCurrentEntry) {
  Scratch scratch;
  WriteBytes(scratch.archive, BuildZip({File("a", "a"), File("b", "b"), File("c", "c")}));
  RecordingComponent zip;
  zip.answerFalseAtReport = 1;
  EXPECT_EQ(RunExtract(zip, scratch.archive.c_str(), scratch.target.c_str()), 1);
  EXPECT_EQ(zip.reports, (std::vector<int>{0, 33}));
  EXPECT_EQ(TreeBelow(scratch.target), (Tree{"a", "b"}));
}

TEST(Extract, NoReportsWhileTheOwnerIsGoneButTheWalkGoesOn) {
  Scratch scratch;
  WriteBytes(scratch.archive, BuildZip({File("a", "a"), File("b", "b")}));
  RecordingComponent zip;
  zip.exists = false;
  EXPECT_EQ(RunExtract(zip, scratch.archive.c_str(), scratch.target.c_str()), 1);
  EXPECT_TRUE(zip.reports.empty());
  EXPECT_EQ(TreeBelow(scratch.target), (Tree{"a", "b"}));
}

// Names and target folders that must give the same tree of files.
TEST(Extract, TargetPathsFromNamesAndFolders) {
  std::string archive = BuildZip({Folder("top/"), Folder("top/日记/"), File("top/日记/a.txt", "a"),
                                  File("top\\b.txt", "b"), File("deep/er/c.txt", "c"),
                                  File("昞/d.txt", "d")});
  Tree expected = {"deep\\", "deep\\er\\", "deep\\er\\c.txt", "top\\", "top\\b.txt", "top\\日记\\",
                   "top\\日记\\a.txt", "昞\\", "昞\\d.txt"};
  std::sort(expected.begin(), expected.end());
  for (const char* ending : {"", "\\"}) {
    SCOPED_TRACE(ending);
    Scratch scratch;
    WriteBytes(scratch.archive, archive);
    std::string target = scratch.target + ending;
    RecordingComponent zip;
    EXPECT_EQ(RunExtract(zip, scratch.archive.c_str(), target.c_str()), 1);
    EXPECT_EQ(TreeBelow(scratch.target), expected);
    EXPECT_EQ(ReadBytes(scratch.target + "\\昞\\d.txt"), "d");
  }
}

TEST(Extract, MissingFoldersOfAFileAreMadeUnderARelativeTarget) {
  Scratch scratch;
  WriteBytes(scratch.archive, BuildZip({File("a/b/c.txt", "c")}));
  char previous[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, previous);
  SetCurrentDirectoryA(scratch.folder.c_str());
  RecordingComponent zip;
  EXPECT_EQ(RunExtract(zip, "in.zip", "rel\\out"), 1);
  SetCurrentDirectoryA(previous);
  EXPECT_EQ(ReadBytes(scratch.folder + "\\rel\\out\\a\\b\\c.txt"), "c");
}

// The double-byte character 0x95 0x5C ends in the byte of "\": it must stay
// one character, so no folder is made from its lead byte alone.
TEST(Extract, DoubleByteCharacterWithBackslashTrailIsOneCharacter) {
  Scratch scratch;
  WriteBytes(scratch.archive, BuildZip({File("a.txt", "a")}));
  std::string target = scratch.folder + "\\x\x95\x5C\\y";
  RecordingComponent zip;
  EXPECT_EQ(RunExtract(zip, scratch.archive.c_str(), target.c_str()), 1);
  EXPECT_EQ(TreeBelow(scratch.folder), (Tree{"in.zip", "x昞\\", "x昞\\y\\", "x昞\\y\\a.txt"}));
}

TEST(Extract, ProtectedTargetFileIsReplacedAndLeftNormal) {
  for (DWORD protection : {FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_HIDDEN,
                           FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY}) {
    SCOPED_TRACE(protection);
    Scratch scratch;
    WriteBytes(scratch.archive, BuildZip({File("f.txt", "new contents")}));
    CreateDirectoryA(scratch.target.c_str(), nullptr);
    std::string existing = scratch.target + "\\f.txt";
    WriteBytes(existing, "old");
    SetFileAttributesA(existing.c_str(), protection);
    RecordingComponent zip;
    EXPECT_EQ(RunExtract(zip, scratch.archive.c_str(), scratch.target.c_str()), 1);
    EXPECT_EQ(ReadBytes(existing), "new contents");
    EXPECT_EQ(Attributes(existing) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM), 0u);
  }
}

TEST(Extract, NewFilesHaveNormalAttributesAndTheEntrysContents) {
  Scratch scratch;
  std::string big = Text(100000);
  ZipEntry described = File("descriptor.txt", big);
  described.dataDescriptor = true;
  ZipEntry stored = File("stored.txt", "stored as is", 0);
  stored.dataDescriptor = true;
  WriteBytes(scratch.archive, BuildZip({described, stored, File("empty.txt", "")}));
  RecordingComponent zip;
  EXPECT_EQ(RunExtract(zip, scratch.archive.c_str(), scratch.target.c_str()), 1);
  EXPECT_EQ(ReadBytes(scratch.target + "\\descriptor.txt"), big);
  EXPECT_EQ(ReadBytes(scratch.target + "\\stored.txt"), "stored as is");
  EXPECT_EQ(ReadBytes(scratch.target + "\\empty.txt"), "");
  for (const char* name : {"descriptor.txt", "stored.txt", "empty.txt"}) {
    DWORD attributes = Attributes(scratch.target + "\\" + name);
    EXPECT_EQ(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM), 0u);
  }
}

}  // namespace
}  // namespace engine_test
