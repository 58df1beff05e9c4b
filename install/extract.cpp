#include "install/extract.h"

#include "install/fs.h"
#include "install/paths.h"
#include "install/unzip_layer.h"
#include "toolkit/text.h"

namespace install {
namespace {

constexpr int kProgressEvent = 1;
constexpr uint32_t kFolderAttribute = 0x10;
constexpr int kCancelled = 2;  // Run's own result: stopped by a handler

unsigned long lastFailure = 0;

struct ExtractionState {
  tk::Component* owner;
  bool cancelRequested = false;
  long total = 0;
  long position = 0;
};

int Fail(int result, unsigned long cause) {
  lastFailure = cause;
  return result;
}

bool IsMissing(const char* text) { return !text || !*text; }

uint32_t Little32(const unsigned char* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

bool PassesSignatureCheck(const char* path) {
  fs::File file = fs::File::OpenForReading(path);
  unsigned char head[32];
  if (!file.IsOpen() || file.ReadAt(0, head, sizeof head) != sizeof head) return false;
  return Little32(head) == 0x04034B50 && static_cast<int32_t>(Little32(head + 24)) >= 1;
}

void Report(ExtractionState& state) {
  if (!state.owner->Exists()) return;
  int percent = ProgressPercent(state.position, state.total);
  tk::EventAnswer answer = state.owner->Raise(kProgressEvent, &percent, 1);
  if (answer.answered && !answer.value && state.owner->Exists()) state.cancelRequested = true;
}

// The counting pass: entries are counted up to the first one that cannot be
// described.
long CountEntries(Archive* archive) {
  EntryRecord record;
  long count = 0;
  while (GetEntry(archive, count, &record)) ++count;
  return count;
}

// By the time entries are written the target folder exists, so a path the
// file system calls invalid comes from the entry's name: the archive is at
// fault, not the folder the user chose.
unsigned long EntryFailure(unsigned long error) {
  return error == fs::kErrorInvalidName ? fs::kErrorFileCorrupt : error;
}

int ExtractEntry(Archive* archive, long index, const char* folder) {
  EntryRecord record;
  if (!GetEntry(archive, index, &record)) return Fail(0, fs::kErrorFileCorrupt);
  if (!IsSafeEntryName(record.name)) return Fail(0, fs::kErrorFileCorrupt);
  tk::Text target = EntryTargetPath(folder, record.name);
  if (record.attributes & kFolderAttribute) {
    if (!fs::Exists(target.c_str()) && !CreateFolderPath(target.c_str())) {
      return Fail(0, EntryFailure(fs::LastError()));
    }
    return 1;
  }
  if (!UnzipEntry(archive, index, target.c_str(), Finish::kNormalAttributes)) {
    return Fail(0, EntryFailure(fs::LastError()));
  }
  return 1;
}

int Walk(ExtractionState& state, Archive* archive, const char* folder) {
  if (!IsReadable(archive)) return Fail(0, fs::kErrorFileCorrupt);
  state.total = CountEntries(archive);
  for (long index = 0; index < state.total; ++index) {
    if (ExtractEntry(archive, index, folder) != 1) return 0;
    state.position = index;
    Report(state);
    if (state.cancelRequested) return kCancelled;
  }
  // The count stopped short of what the directory announces at an entry
  // that is damaged: the archive was not extracted whole.
  if (state.total < EntryCount(archive)) return Fail(0, fs::kErrorFileCorrupt);
  return 1;
}

int Run(ExtractionState& state, const char* path, const char* folder, Archive** archive) {
  if (!fs::Exists(path)) return Fail(-1, fs::kErrorFileNotFound);
  if (!fs::Exists(folder) && !CreateFolderPath(folder)) return Fail(0, fs::LastError());
  if (!PassesSignatureCheck(path)) return Fail(0, fs::kErrorFileCorrupt);
  *archive = OpenArchive(path);
  if (!*archive) return Fail(0, fs::LastError());
  return Walk(state, *archive, folder);
}

}  // namespace

int Extract(tk::Component& owner, const char* archivePath, const char* targetFolder) {
  lastFailure = 0;
  if (IsMissing(archivePath) || IsMissing(targetFolder)) return Fail(-1, fs::kErrorFileNotFound);
  ExtractionState state{&owner};
  Archive* archive = nullptr;
  int result = Run(state, archivePath, targetFolder, &archive);
  if (result != kCancelled) {
    state.position = state.total;
    Report(state);
  }
  CloseArchive(archive);
  return result == kCancelled ? 1 : result;
}

unsigned long LastExtractFailure() { return lastFailure; }

int ProgressPercent(long position, long total) {
  if (total == 0) return 100;
  // Each step is stored as a double: the x87 unit would otherwise keep the
  // quotient in extended precision, where 29 / 100 x 100 comes to 29, not 28.
  volatile double quotient = static_cast<double>(position) / static_cast<double>(total);
  volatile double percent = quotient * 100.0;
  return static_cast<int>(percent);
}

}  // namespace install
