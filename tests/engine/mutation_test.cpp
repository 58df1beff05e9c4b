// The mutation run: thousands of damaged copies of the default payload and of
// test archives go through extract, each into a fresh folder. Every one must
// end with -1, 0 or 1, within its time, without a crash and without writing
// anything outside its target folder. Prints how many ran and how they ended.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <random>

#include "install/extract.h"
#include "install/install_run.h"
#include "tests/engine/support.h"
#include "tests/engine/zip_builder.h"

namespace engine_test {
namespace {

constexpr int kMutants = 3000;
constexpr ULONGLONG kTimeBudgetMs = 150000;
constexpr DWORD kMutantTimeoutMs = 60000;

std::string Seed(const install::ArchiveBytes& bytes) {
  return std::string(static_cast<const char*>(bytes.data), static_cast<size_t>(bytes.size));
}

std::vector<std::string> Seeds() {
  ZipEntry described = File("d/described.txt", Repeat("described ", 900));
  described.dataDescriptor = true;
  ZipEntry timed = File("d/timed.txt", "timed");
  timed.localExtra = ExtraBlock(0x7075, "xxxxx") + UnixTimeBlock(7, {1, 2, 3});
  return {Seed(install::PayloadArchive()),
          BuildZip({Folder("d/"), described, File("d/stored.txt", "stored", 0), timed,
                    File("日记/表.txt", Repeat("岚笺", 3000))})};
}

// Offsets and widths of the fields that a reader trusts: those of every local
// header, central record and end record found in the archive.
struct Field { size_t offset; int width; };

std::vector<Field> Fields(const std::string& zip) {
  struct Layout { const char* signature; std::vector<Field> fields; };
  const Layout layouts[] = {
      {"PK\x03\x04", {{6, 2}, {8, 2}, {14, 4}, {18, 4}, {22, 4}, {26, 2}, {28, 2}}},
      {"PK\x01\x02", {{8, 2}, {10, 2}, {16, 4}, {20, 4}, {24, 4}, {28, 2}, {30, 2}, {32, 2},
                      {38, 4}, {42, 4}}},
      {"PK\x05\x06", {{8, 2}, {10, 2}, {12, 4}, {16, 4}, {20, 2}}},
  };
  std::vector<Field> found;
  for (const Layout& layout : layouts) {
    for (size_t at = zip.find(layout.signature); at != std::string::npos;
         at = zip.find(layout.signature, at + 1)) {
      for (Field f : layout.fields) {
        if (at + f.offset + f.width <= zip.size()) found.push_back({at + f.offset, f.width});
      }
    }
  }
  return found;
}

const std::vector<std::string>& HostileNames() {
  static const std::vector<std::string> names = {
      "../mut_escape", "a/../../mut_escape", "..\\mut_escape", "a\\..\\..\\mut_escape",
      "C:/mut_escape", "C:mut_escape", "/mut_escape", "\\mut_escape", "\\\\?\\C:\\mut_escape",
      "//server/share/mut_escape", "a/.../mut_escape", "a/. ./mut_escape", "a/.. /../mut_escape",
      "CON", "a/NUL", "aux.txt", "COM1", "a\x81/../../mut_escape", "\x81", std::string(259, 'a'),
      std::string(260, 'a'), std::string(1000, 'b'), "", "a/b:stream", "..", "./../mut_escape"};
  return names;
}

struct Mutant {
  const char* kind;
  std::string bytes;
};

class Mutator {
 public:
  explicit Mutator(std::vector<std::string> seeds) : seeds_(std::move(seeds)) {
    for (const std::string& seed : seeds_) fields_.push_back(Fields(seed));
  }

  Mutant Next(int index) {
    if (index < static_cast<int>(HostileNames().size()) * 2) return Hostile(index);
    size_t which = Pick(seeds_.size());
    std::string bytes = seeds_[which];
    switch (Pick(5)) {
      case 0: return {"bit flips", FlipBits(bytes)};
      case 1: return {"truncation", bytes.substr(0, Pick(bytes.size()))};
      case 2: return {"field at an extreme", Extreme(bytes, fields_[which])};
      case 3: return {"overwritten run", Overwrite(bytes)};
      default: return {"extreme fields and flips", FlipBits(Extreme(Extreme(bytes, fields_[which]), fields_[which]))};
    }
  }

 private:
  size_t Pick(size_t count) { return count ? random_() % count : 0; }

  Mutant Hostile(int index) {
    const std::string& name = HostileNames()[static_cast<size_t>(index / 2)];
    ZipEntry entry = index % 2 ? Folder(name) : File(name, "escaped");
    return {"hostile name", BuildZip({File("first.txt", "first"), entry})};
  }

  std::string FlipBits(std::string bytes) {
    for (size_t n = 1 + Pick(4); n > 0 && !bytes.empty(); --n) {
      bytes[Pick(bytes.size())] ^= static_cast<char>(1 << Pick(8));
    }
    return bytes;
  }

  std::string Extreme(std::string bytes, const std::vector<Field>& fields) {
    if (fields.empty()) return bytes;
    Field f = fields[Pick(fields.size())];
    static const uint32_t kValues[] = {0, 1, 0x7F, 0x80, 0xFF, 0x7FFF, 0x8000, 0xFFFF, 0x10000,
                                       0x7FFFFFFF, 0x80000000, 0xFFFFFFFE, 0xFFFFFFFF};
    uint32_t value = Pick(4) == 0 ? static_cast<uint32_t>(random_()) : kValues[Pick(std::size(kValues))];
    for (int i = 0; i < f.width && f.offset + i < bytes.size(); ++i) {
      bytes[f.offset + i] = static_cast<char>(value >> (8 * i));
    }
    return bytes;
  }

  std::string Overwrite(std::string bytes) {
    size_t at = Pick(bytes.size());
    for (size_t i = at; i < at + 8 && i < bytes.size(); ++i) bytes[i] = static_cast<char>(random_());
    return bytes;
  }

  std::vector<std::string> seeds_;
  std::vector<std::vector<Field>> fields_;
  std::mt19937 random_{20260101};
};

class SilentComponent final : public tk::Component {
 public:
  bool Exists() const override { return true; }
  tk::EventAnswer Raise(int, const int*, int) override { return {false, 0}; }
};

struct Job {
  std::string archive, target;
  int result = 99;
};

DWORD WINAPI RunJob(void* context) {
  Job* job = static_cast<Job*>(context);
  SilentComponent zip;
  job->result = install::Extract(zip, job->archive.c_str(), job->target.c_str());
  return 0;
}

void RemoveTree(const std::string& folder) {
  std::vector<std::string> tree = TreeBelow(folder);
  for (auto it = tree.rbegin(); it != tree.rend(); ++it) {
    std::string path = folder + "\\" + *it;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (it->back() == '\\') RemoveDirectoryA(path.c_str());
    else DeleteFileA(path.c_str());
  }
  RemoveDirectoryA(folder.c_str());
}

TEST(Mutation, DamagedArchivesEndCleanlyAndWriteNothingOutside) {
  std::string sandbox = ScratchFolder();
  char current[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, current);
  const std::vector<std::string> canaries = {sandbox + "\\mut_escape", "C:\\mut_escape",
                                             std::string(current) + "\\mut_escape", "mut_escape"};
  Mutator mutator(Seeds());
  std::map<std::string, std::map<int, int>> endings;
  ULONGLONG start = GetTickCount64();
  int ran = 0, outside = 0, hangs = 0, slowest = -1;
  ULONGLONG slowestMs = 0;
  for (; ran < kMutants && GetTickCount64() - start < kTimeBudgetMs; ++ran) {
    Mutant mutant = mutator.Next(ran);
    Job job{sandbox + "\\m.zip", sandbox + "\\out"};
    WriteBytes(job.archive, mutant.bytes);
    ULONGLONG began = GetTickCount64();
    HANDLE worker = CreateThread(nullptr, 0, RunJob, &job, 0, nullptr);
    if (WaitForSingleObject(worker, kMutantTimeoutMs) != WAIT_OBJECT_0) {
      ++hangs;
      std::string kept = sandbox + "-hang.zip";
      WriteBytes(kept, mutant.bytes);
      ADD_FAILURE() << "mutant " << ran << " (" << mutant.kind << ") did not end; kept as " << kept;
      break;
    }
    CloseHandle(worker);
    ULONGLONG took = GetTickCount64() - began;
    if (took > slowestMs) {
      slowestMs = took;
      slowest = ran;
      WriteBytes(sandbox + "-slowest.zip", mutant.bytes);
    }
    ++endings[mutant.kind][job.result];
    EXPECT_TRUE(job.result >= -1 && job.result <= 1) << "mutant " << ran << " gave " << job.result;
    std::vector<std::string> left = TreeBelow(sandbox);
    bool clean = true;
    for (const std::string& path : left) {
      clean = clean && (path == "m.zip" || path.rfind("out\\", 0) == 0);
    }
    for (const std::string& canary : canaries) clean = clean && !PathExists(canary);
    if (!clean) {
      ++outside;
      ADD_FAILURE() << "mutant " << ran << " (" << mutant.kind << ") wrote outside its folder";
      for (const std::string& canary : canaries) DeleteFileA(canary.c_str());
      for (const std::string& path : left) {
        if (path != "m.zip" && path.rfind("out", 0) != 0 && path.find('\\') >= path.size() - 1) {
          RemoveTree(sandbox + "\\" + path);
          DeleteFileA((sandbox + "\\" + path).c_str());
        }
      }
    }
    RemoveTree(job.target);
  }
  // A crash ends this process before the summary, and the test fails with it:
  // a printed summary means none crashed.
  std::printf("mutation run: %d mutants, 0 crashes, %d hangs, %d wrote outside; slowest: mutant %d, %llu ms\n",
              ran, hangs, outside, slowest, slowestMs);
  for (const auto& [kind, results] : endings) {
    std::printf("  %-26s", kind.c_str());
    for (const auto& [result, count] : results) std::printf("  %d: %d", result, count);
    std::printf("\n");
  }
}

}  // namespace
}  // namespace engine_test
