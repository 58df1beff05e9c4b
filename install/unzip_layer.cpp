#include "install/unzip_layer.h"

#include <unzip.h>

#include <cstring>
#include <new>

#include "install/fs.h"
#include "install/paths.h"
#include "toolkit/text.h"

namespace install {
namespace {

constexpr size_t kCopyBufferSize = 16384;
// Reads shorter than this are served from windows of this size, so walking
// the central directory and reading local headers costs one system call per
// window instead of several per record. Longer reads go straight to the file.
// Two windows: a walk alternates between the directory and the local headers,
// and one window would be refilled at every step.
constexpr size_t kCacheSize = 8192;
constexpr int kCacheWindows = 2;
constexpr size_t kExtraFieldMax = 65535;
constexpr uint32_t kAttributeNormal = 0x80;
constexpr uint32_t kAttributeReadOnly = 0x01;

}  // namespace

class Archive {
 public:
  fs::File file;
  int64_t fileSize = 0;
  uint64_t position = 0;
  uint64_t readCalls = 0;

  struct Window {
    unsigned char bytes[kCacheSize];
    uint64_t start = 0;
    size_t length = 0;
  };
  Window windows[kCacheWindows];
  int lastWindow = 0;  // the window used last; a miss refills the other

  unzFile zip = nullptr;
  long entryCount = 0;
  long currentIndex = -1;  // minizip's current entry; -1 when unknown
  bool dataOpen = false;

  long cachedIndex = -1;
  EntryRecord cached;
  uint64_t cachedSize = 0;  // uncompressed size of the cached entry

  char root[kEntryNameSize];
  unsigned char extra[kExtraFieldMax];
  unsigned char copyBuffer[kCopyBufferSize];
};

namespace {

// The read cache and minizip's file functions over the archive's handle.

long ReadFromFile(Archive* archive, void* data, size_t size) {
  ++archive->readCalls;
  return archive->file.ReadAt(archive->position, data, static_cast<uint32_t>(size));
}

bool Holds(const Archive::Window& window, uint64_t position, size_t size) {
  return position >= window.start && position + size <= window.start + window.length;
}

size_t ReadCached(Archive* archive, void* data, size_t size) {
  int use = Holds(archive->windows[archive->lastWindow], archive->position, size)
                ? archive->lastWindow
                : 1 - archive->lastWindow;
  Archive::Window& window = archive->windows[use];
  if (!Holds(window, archive->position, size)) {
    long got = ReadFromFile(archive, window.bytes, kCacheSize);
    window.start = archive->position;
    window.length = got > 0 ? static_cast<size_t>(got) : 0;
    if (size > window.length) size = window.length;
  }
  archive->lastWindow = use;
  std::memcpy(data, window.bytes + (archive->position - window.start), size);
  return size;
}

// Reads are cut at the end of the file without asking the system: a damaged
// directory can make minizip retry short reads there tens of thousands of
// times, and each would otherwise be a system call.
uLong ZCALLBACK ReadArchive(voidpf, voidpf stream, void* data, uLong size) {
  Archive* archive = static_cast<Archive*>(stream);
  uint64_t fileSize = static_cast<uint64_t>(archive->fileSize);
  if (archive->position >= fileSize) return 0;
  size_t wanted = fileSize - archive->position < size ? static_cast<size_t>(fileSize - archive->position)
                                                      : static_cast<size_t>(size);
  size_t got;
  if (wanted < kCacheSize) {
    got = ReadCached(archive, data, wanted);
  } else {
    long read = ReadFromFile(archive, data, wanted);
    got = read > 0 ? static_cast<size_t>(read) : 0;
  }
  archive->position += got;
  return static_cast<uLong>(got);
}

long ZCALLBACK TellArchive(voidpf, voidpf stream) {
  return static_cast<long>(static_cast<Archive*>(stream)->position);
}

long ZCALLBACK SeekArchive(voidpf, voidpf stream, uLong offset, int origin) {
  Archive* archive = static_cast<Archive*>(stream);
  int64_t base = origin == ZLIB_FILEFUNC_SEEK_SET ? 0
                 : origin == ZLIB_FILEFUNC_SEEK_CUR ? static_cast<int64_t>(archive->position)
                                                    : archive->fileSize;
  int64_t target = base + static_cast<int64_t>(offset);
  if (target < 0) return -1;
  archive->position = static_cast<uint64_t>(target);
  return 0;
}

voidpf ZCALLBACK OpenArchiveStream(voidpf opaque, const char*, int) { return opaque; }
uLong ZCALLBACK NoWrite(voidpf, voidpf, const void*, uLong) { return 0; }
// The handle belongs to the Archive, which closes it itself.
int ZCALLBACK KeepOpen(voidpf, voidpf) { return 0; }
int ZCALLBACK NoError(voidpf, voidpf) { return 0; }

zlib_filefunc_def FileFunctions(Archive* archive) {
  zlib_filefunc_def functions;
  functions.zopen_file = OpenArchiveStream;
  functions.zread_file = ReadArchive;
  functions.zwrite_file = NoWrite;
  functions.ztell_file = TellArchive;
  functions.zseek_file = SeekArchive;
  functions.zclose_file = KeepOpen;
  functions.zerror_file = NoError;
  functions.opaque = archive;
  return functions;
}

// Moving between entries and reading their records.

void CloseData(Archive* archive) {
  if (!archive->dataOpen) return;
  unzCloseCurrentFile(archive->zip);
  archive->dataOpen = false;
}

// Makes entry `index` minizip's current entry: back to the first entry when
// the index lies before the current one, then forward one at a time.
bool MoveTo(Archive* archive, long index) {
  if (archive->currentIndex < 0 || index < archive->currentIndex) {
    archive->currentIndex = -1;
    if (unzGoToFirstFile(archive->zip) != UNZ_OK) return false;
    archive->currentIndex = 0;
  }
  while (archive->currentIndex < index) {
    if (unzGoToNextFile(archive->zip) != UNZ_OK) {
      archive->currentIndex = -1;
      return false;
    }
    ++archive->currentIndex;
  }
  return true;
}

uint64_t UnixToFileTime(int32_t seconds) {
  constexpr int64_t kSecondsFrom1601To1970 = 11644473600LL;
  return static_cast<uint64_t>((seconds + kSecondsFrom1601To1970) * 10000000LL);
}

uint32_t ReadLittle32(const unsigned char* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// Opening the entry's data without inflating (raw) makes minizip test the
// local header against the central record; the extra field is then readable.
bool CheckLocalHeader(Archive* archive, size_t* extraSize) {
  int method = 0, level = 0;
  if (unzOpenCurrentFile2(archive->zip, &method, &level, 1) != UNZ_OK) return false;
  int read = unzGetLocalExtrafield(archive->zip, archive->extra, kExtraFieldMax);
  unzCloseCurrentFile(archive->zip);
  if (read < 0) return false;
  *extraSize = static_cast<size_t>(read);
  return true;
}

bool ReadRecord(Archive* archive, EntryRecord* record, uint64_t* size) {
  unz_file_info64 info;
  if (unzGetCurrentFileInfo64(archive->zip, &info, record->name, kEntryNameSize, nullptr, 0,
                              nullptr, 0) != UNZ_OK) {
    return false;
  }
  if (info.size_filename >= kEntryNameSize) return false;
  if (info.compression_method != 0 && info.compression_method != Z_DEFLATED) return false;
  size_t extraSize = 0;
  if (!CheckLocalHeader(archive, &extraSize)) return false;
  record->attributes = EntryAttributes(static_cast<uint32_t>(info.external_fa));
  uint64_t dosTime = fs::DosLocalTimeToFileTime(static_cast<uint16_t>(info.dosDate >> 16),
                                                static_cast<uint16_t>(info.dosDate));
  record->accessTime = record->creationTime = record->writeTime = dosTime;
  ApplyUnixTimes(archive->extra, extraSize, record);
  *size = info.uncompressed_size;
  return true;
}

// Writing one entry's data.

// Creates the target, making its missing folders, and with kNormalAttributes
// clearing the attributes of an existing file that refuses to be replaced.
// Each remedy costs its calls only when the first attempt failed for its cause.
fs::File CreateTarget(const Archive* archive, const char* target, uint32_t attributes,
                      Finish finish) {
  fs::File file = fs::File::CreateAlways(target, attributes);
  if (!file.IsOpen() && fs::LastError() == fs::kErrorPathNotFound) {
    tk::Text folder(target, FolderPartLength(target));
    tk::Text base = IsRelative(target) ? tk::Text(archive->root).Concat(folder.c_str())
                                       : tk::Text(folder.c_str());
    if (!CreateFolderPath(base.c_str())) return file;
    file = fs::File::CreateAlways(target, attributes);
  }
  if (!file.IsOpen() && finish == Finish::kNormalAttributes &&
      fs::LastError() == fs::kErrorAccessDenied && fs::SetNormalAttributes(target)) {
    file = fs::File::CreateAlways(target, attributes);
  }
  return file;
}

// Copies the current entry's data into `file`; the error code of the cause,
// or 0 when every byte arrived intact.
unsigned long CopyData(Archive* archive, fs::File& file, uint64_t expectedSize) {
  if (unzOpenCurrentFile(archive->zip) != UNZ_OK) return fs::kErrorFileCorrupt;
  archive->dataOpen = true;
  uint64_t total = 0;
  for (;;) {
    int read = unzReadCurrentFile(archive->zip, archive->copyBuffer, kCopyBufferSize);
    if (read < 0) return fs::kErrorFileCorrupt;
    if (read == 0) break;
    if (!file.Write(archive->copyBuffer, static_cast<uint32_t>(read))) return fs::LastError();
    total += static_cast<uint64_t>(read);
  }
  archive->dataOpen = false;
  if (unzCloseCurrentFile(archive->zip) != UNZ_OK || total != expectedSize) {
    return fs::kErrorFileCorrupt;
  }
  return 0;
}

// Removes what a failed unzip entry wrote, keeping the cause as last error.
void DiscardTarget(fs::File& file, const char* target, unsigned long cause) {
  file.Close();
  fs::SetNormalAttributes(target);
  fs::Remove(target);
  fs::SetLastError(cause);
}

}  // namespace

Archive* OpenArchive(const char* path) {
  fs::File file = fs::File::OpenForReading(path);
  if (!file.IsOpen()) return nullptr;
  Archive* archive = new (std::nothrow) Archive;
  if (!archive) return nullptr;
  archive->file = static_cast<fs::File&&>(file);
  archive->fileSize = archive->file.Size();
  if (archive->fileSize < 0) archive->fileSize = INT64_MAX;
  size_t length = fs::CurrentFolder(archive->root, kEntryNameSize - 1);
  archive->root[length] = '\\';
  archive->root[length + 1] = '\0';
  zlib_filefunc_def functions = FileFunctions(archive);
  archive->zip = unzOpen2(path, &functions);
  unz_global_info global;
  if (archive->zip && unzGetGlobalInfo(archive->zip, &global) == UNZ_OK) {
    archive->entryCount = static_cast<long>(global.number_entry);
  }
  return archive;
}

void CloseArchive(Archive* archive) {
  if (!archive) return;
  CloseData(archive);
  if (archive->zip) unzClose(archive->zip);
  delete archive;
}

bool IsReadable(const Archive* archive) { return archive->zip != nullptr; }

long EntryCount(const Archive* archive) { return archive->entryCount; }

uint64_t ArchiveReadCalls(const Archive* archive) { return archive->readCalls; }

bool GetEntry(Archive* archive, long index, EntryRecord* record) {
  if (!archive->zip || index < 0 || index >= archive->entryCount) return false;
  CloseData(archive);
  if (index == archive->cachedIndex) {
    *record = archive->cached;
    return true;
  }
  archive->cachedIndex = -1;
  if (!MoveTo(archive, index) || !ReadRecord(archive, &archive->cached, &archive->cachedSize)) {
    return false;
  }
  archive->cachedIndex = index;
  *record = archive->cached;
  return true;
}

bool UnzipEntry(Archive* archive, long index, const char* target, Finish finish) {
  CloseData(archive);
  EntryRecord record;
  if (!archive->zip || !MoveTo(archive, index) || !GetEntry(archive, index, &record)) {
    fs::SetLastError(fs::kErrorFileCorrupt);
    return false;
  }
  bool normal = finish == Finish::kNormalAttributes;
  fs::File file = CreateTarget(archive, target, normal ? kAttributeNormal : record.attributes, finish);
  if (!file.IsOpen()) return false;
  unsigned long cause = CopyData(archive, file, archive->cachedSize);
  CloseData(archive);
  if (cause != 0) {
    DiscardTarget(file, target, cause);
    return false;
  }
  file.SetTimesAndAttributes(record.creationTime, record.accessTime, record.writeTime,
                             normal ? kAttributeNormal : 0);
  if (!file.Close()) {
    DiscardTarget(file, target, fs::LastError());
    return false;
  }
  return true;
}

uint32_t EntryAttributes(uint32_t external) {
  uint32_t attributes = kAttributeNormal;
  if (external & 0x40000000u || external & 0x10u) attributes = 0x90;
  if (external & 0x20u) attributes |= 0x20;
  if (external & 0x02u) attributes |= 0x02;
  if (external & 0x04u) attributes |= 0x04;
  if (!(external & 0x00800000u) || external & 0x01u) attributes |= kAttributeReadOnly;
  return attributes;
}

void ApplyUnixTimes(const unsigned char* extra, size_t size, EntryRecord* record) {
  if (size <= 4) return;
  for (size_t offset = 0; offset + 4 < size;) {
    size_t dataSize = extra[offset + 2] | (extra[offset + 3] << 8);
    if (extra[offset] == 'U' && extra[offset + 1] == 'T') {
      const unsigned char* data = extra + offset + 4;
      size_t available = dataSize < size - offset - 4 ? dataSize : size - offset - 4;
      if (available == 0) return;
      uint64_t* const times[] = {&record->writeTime, &record->accessTime, &record->creationTime};
      size_t at = 1;
      for (int bit = 0; bit < 3; ++bit) {
        if (!(data[0] & (1 << bit))) continue;
        if (at + 4 > available) return;
        *times[bit] = UnixToFileTime(static_cast<int32_t>(ReadLittle32(data + at)));
        at += 4;
      }
      return;
    }
    offset += dataSize + 4;
  }
}

}  // namespace install
