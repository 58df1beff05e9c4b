// The unzip layer on its own: entry records, times, attributes, the cached
// record and writing one entry.
#include "install/unzip_layer.h"

#include <gtest/gtest.h>

#include "tests/engine/support.h"
#include "tests/engine/zip_builder.h"

namespace engine_test {
namespace {

uint64_t FileTimeOf(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
  SYSTEMTIME system = {year, month, 0, day, hour, minute, second, 0};
  FILETIME file;
  SystemTimeToFileTime(&system, &file);
  return (uint64_t{file.dwHighDateTime} << 32) | file.dwLowDateTime;
}

// The tests run with TZ=Asia/Shanghai (UTC+8, no daylight saving): the
// entries' MS-DOS time 2026-03-04 05:06:08 is local time there.
const uint64_t kDosTimeAsUtc = FileTimeOf(2026, 3, 3, 21, 6, 8);
// 1,700,000,000 seconds after 1970: 2023-11-14 22:13:20 UTC.
const uint64_t kUnixTime = FileTimeOf(2023, 11, 14, 22, 13, 20);

struct OpenedArchive {
  std::string folder = ScratchFolder();
  install::Archive* archive = nullptr;
  explicit OpenedArchive(const std::vector<ZipEntry>& entries) {
    WriteBytes(folder + "\\in.zip", BuildZip(entries));
    archive = install::OpenArchive((folder + "\\in.zip").c_str());
  }
  ~OpenedArchive() { install::CloseArchive(archive); }
};

struct FileTimes { uint64_t creation, access, write; };

FileTimes TimesOf(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  FILETIME c, a, w;
  GetFileTime(file, &c, &a, &w);
  CloseHandle(file);
  auto join = [](FILETIME t) { return (uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime; };
  return {join(c), join(a), join(w)};
}

TEST(Unzip, MsDosEntryIsReadOnlyWithArchiveBitAndItsLocalTimeAsUtc) {
  OpenedArchive opened({File("a.txt", "contents")});
  install::EntryRecord record;
  ASSERT_TRUE(install::GetEntry(opened.archive, 0, &record));
  EXPECT_STREQ(record.name, "a.txt");
  EXPECT_EQ(record.attributes, 0x80u | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(record.creationTime, kDosTimeAsUtc);
  EXPECT_EQ(record.accessTime, kDosTimeAsUtc);
  EXPECT_EQ(record.writeTime, kDosTimeAsUtc);

  std::string target = opened.folder + "\\a.txt";
  ASSERT_TRUE(install::UnzipEntry(opened.archive, 0, target.c_str(), install::Finish::kEntryAttributes));
  EXPECT_EQ(Attributes(target) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE),
            static_cast<DWORD>(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
  FileTimes times = TimesOf(target);
  EXPECT_EQ(times.creation, kDosTimeAsUtc);
  EXPECT_EQ(times.write, kDosTimeAsUtc);
  SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(Unzip, AttributesFromExternalAttributes) {
  struct Case { uint32_t external; uint32_t attributes; };
  for (Case c : {Case{0x00, 0x81}, Case{0x10, 0x91}, Case{0x21, 0xA1}, Case{0x26, 0xA7},
                 Case{0x41ED0000, 0x90}, Case{0x416D0000, 0x91}, Case{0x81A40000, 0x80}, Case{0x81240000, 0x81}}) {
    EXPECT_EQ(install::EntryAttributes(c.external), c.attributes) << std::hex << c.external;
  }
}

TEST(Unzip, UnixTimeBlockGivesOnlyTheTimesItAnnounces) {
  struct Case {
    const char* what;
    std::string extra;
    uint64_t write, access, creation;
  };
  const uint64_t dos = kDosTimeAsUtc, unix = kUnixTime;
  std::string other = ExtraBlock(0x7075, std::string(9, 'u'));
  for (const Case& c : {
           Case{"write time only", UnixTimeBlock(1, {1700000000}), unix, dos, dos},
           Case{"after another block", other + UnixTimeBlock(2, {1700000000}), dos, unix, dos},
           Case{"all three", UnixTimeBlock(7, {1700000000, 1700000000, 1700000000}), unix, unix, unix},
           Case{"flags announce more than the block holds", UnixTimeBlock(7, {1700000000}), unix, dos, dos},
           Case{"block cut short by the field", UnixTimeBlock(1, {1700000000}).substr(0, 7), dos, dos, dos},
       }) {
    SCOPED_TRACE(c.what);
    ZipEntry entry = File("t.txt", "t");
    entry.localExtra = c.extra;
    OpenedArchive opened({entry});
    install::EntryRecord record;
    ASSERT_TRUE(install::GetEntry(opened.archive, 0, &record));
    EXPECT_EQ(record.writeTime, c.write);
    EXPECT_EQ(record.accessTime, c.access);
    EXPECT_EQ(record.creationTime, c.creation);
  }
}

TEST(Unzip, SameIndexAgainIsTheCachedRecordWithoutReading) {
  OpenedArchive opened({File("a", "a"), File("b", "b")});
  install::EntryRecord first, second;
  ASSERT_TRUE(install::GetEntry(opened.archive, 1, &first));
  uint64_t reads = install::ArchiveReadCalls(opened.archive);
  ASSERT_TRUE(install::GetEntry(opened.archive, 1, &second));
  EXPECT_EQ(install::ArchiveReadCalls(opened.archive), reads);
  EXPECT_STREQ(second.name, "b");
  EXPECT_EQ(second.writeTime, first.writeTime);
  EXPECT_FALSE(install::GetEntry(opened.archive, 2, &second));
  EXPECT_FALSE(install::GetEntry(opened.archive, -1, &second));
}

TEST(Unzip, MissingFoldersAreMadeForRelativeAndAbsoluteTargets) {
  OpenedArchive opened({File("c.txt", "c")});
  std::string absolute = opened.folder + "\\x\\y\\c.txt";
  EXPECT_TRUE(install::UnzipEntry(opened.archive, 0, absolute.c_str(), install::Finish::kNormalAttributes));
  EXPECT_EQ(ReadBytes(absolute), "c");

  char previous[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, previous);
  SetCurrentDirectoryA(opened.folder.c_str());
  install::Archive* relative = install::OpenArchive("in.zip");
  EXPECT_TRUE(install::UnzipEntry(relative, 0, "a\\b\\c.txt", install::Finish::kNormalAttributes));
  install::CloseArchive(relative);
  SetCurrentDirectoryA(previous);
  EXPECT_EQ(ReadBytes(opened.folder + "\\a\\b\\c.txt"), "c");
}

TEST(Unzip, DamagedEntryLeavesNoFile) {
  ZipEntry wrongCrc = File("a.txt", "stored", 0);
  wrongCrc.crcXor = 0xFFFF;
  ZipEntry damaged = File("b.txt", Repeat("abcdefgh", 5000));
  damaged.damageData = true;
  OpenedArchive opened({wrongCrc, damaged});
  for (long index : {0L, 1L}) {
    std::string target = opened.folder + "\\out" + std::to_string(index);
    EXPECT_FALSE(install::UnzipEntry(opened.archive, index, target.c_str(), install::Finish::kEntryAttributes));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_CORRUPT));
    EXPECT_FALSE(PathExists(target));
  }
}

TEST(Unzip, FileThatMinizipCannotReadGivesAnArchiveWithoutEntries) {
  std::string folder = ScratchFolder();
  WriteBytes(folder + "\\junk.zip", "PK\x03\x04 this is not an archive at all, only its first bytes");
  install::Archive* archive = install::OpenArchive((folder + "\\junk.zip").c_str());
  ASSERT_NE(archive, nullptr);
  EXPECT_FALSE(install::IsReadable(archive));
  install::EntryRecord record;
  EXPECT_FALSE(install::GetEntry(archive, 0, &record));
  install::CloseArchive(archive);
  EXPECT_EQ(install::OpenArchive((folder + "\\missing.zip").c_str()), nullptr);
}

}  // namespace
}  // namespace engine_test
