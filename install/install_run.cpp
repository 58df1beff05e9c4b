#include "install/install_run.h"

#include <cstdint>
#include <cstring>

#include "install/extract.h"
#include "install/fs.h"
#include "install/paths.h"
#include "install/zip_component.h"
#include "payload/payload.h"

namespace install {
namespace {

constexpr int kMaxTemporaryNames = 1000;

// The extraction step, done through a page's component or a given one.
struct ExtractStep {
  virtual int Extract(const char* archive, const char* folder) = 0;

 protected:
  ~ExtractStep() = default;
};

struct PageExtract final : ExtractStep {
  tk::Page& page;
  const char* component;
  PageExtract(tk::Page& p, const char* c) : page(p), component(c) {}
  int Extract(const char* archive, const char* folder) override {
    const char* args[] = {archive, folder};
    return page.CallComponent(component, "extract", args, 2);
  }
};

struct ComponentExtract final : ExtractStep {
  tk::Component& zip;
  explicit ComponentExtract(tk::Component& z) : zip(z) {}
  int Extract(const char* archive, const char* folder) override {
    const char* args[] = {archive, folder};
    return kZipComponent.call(zip, "extract", args, 2);
  }
};

Outcome Failed(Step step, unsigned long error, int extractResult = 1) {
  Outcome outcome;
  outcome.failed = step;
  outcome.error = error;
  outcome.extractResult = extractResult;
  return outcome;
}

bool IsBlank(const char* text) {
  while (*text == ' ') ++text;
  return *text == '\0';
}

tk::Text Decimal(unsigned long value) {
  char reversed[12];
  int length = 0;
  do {
    reversed[length++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value > 0);
  char digits[12];
  for (int i = 0; i < length; ++i) digits[i] = reversed[length - 1 - i];
  return tk::Text(digits, static_cast<size_t>(length));
}

// "stup.zip", then "stup1.zip", "stup2.zip", ...
tk::Text TemporaryName(const char* folder, int attempt) {
  tk::Text path = tk::Text(folder).Concat("\\stup");
  if (attempt > 0) path = path.Concat(Decimal(static_cast<unsigned long>(attempt)).c_str());
  return path.Concat(".zip");
}

// Creates a temporary archive under a name no file has; which name it took
// goes to `attempt`.
fs::File CreateTemporary(const char* folder, int* attempt) {
  for (*attempt = 0; *attempt < kMaxTemporaryNames; ++*attempt) {
    fs::File file = fs::File::CreateNew(TemporaryName(folder, *attempt).c_str());
    if (file.IsOpen()) return file;
    unsigned long error = fs::LastError();
    if (error != fs::kErrorFileExists && error != fs::kErrorAlreadyExists) return file;
  }
  fs::SetLastError(fs::kErrorFileExists);
  return fs::File();
}

bool WriteTemporary(const char* folder, ArchiveBytes archive, int* attempt) {
  fs::File file = CreateTemporary(folder, attempt);
  if (!file.IsOpen()) return false;
  uint32_t size = archive.size > 0 ? static_cast<uint32_t>(archive.size) : 0;
  if (file.Write(archive.data, size) && file.Close()) return true;
  unsigned long error = fs::LastError();
  file.Close();
  fs::Remove(TemporaryName(folder, *attempt).c_str());
  fs::SetLastError(error);
  return false;
}

Outcome Run(ExtractStep& extract, const char* folder, ArchiveBytes archive) {
  if (!folder || IsBlank(folder)) return Failed(Step::CreateFolder, fs::kErrorInvalidName);
  if (!fs::Exists(folder) && !CreateFolderPath(folder)) {
    return Failed(Step::CreateFolder, fs::LastError());
  }
  int attempt = 0;
  if (!WriteTemporary(folder, archive, &attempt)) return Failed(Step::WriteArchive, fs::LastError());
  int result = extract.Extract(TemporaryName(folder, attempt).c_str(), folder);
  unsigned long cause = LastExtractFailure();
  fs::Remove(TemporaryName(folder, attempt).c_str());
  if (result != 1) return Failed(Step::Extract, cause, result);
  return Outcome();
}

// What went wrong, in words, for the causes a user can do something about.
const char* CauseText(unsigned long error) {
  switch (error) {
    case fs::kErrorDiskFull:
    case fs::kErrorHandleDiskFull: return "磁盘空间不足";
    case fs::kErrorSharingViolation:
    case fs::kErrorLockViolation: return "有文件正被其他程序使用（例如岚笺正在运行），请关闭后重试";
    case fs::kErrorFileCorrupt: return "安装程序已损坏，请重新获取安装程序";
    case fs::kErrorAccessDenied: return "没有写入权限，或文件被设为只读";
    case fs::kErrorInvalidName: return "文件夹名称无效";
    case fs::kErrorPathNotFound: return "路径不存在";
    default: return nullptr;
  }
}

const char* StepText(const Outcome& outcome) {
  switch (outcome.failed) {
    case Step::CreateFolder: return "无法创建安装文件夹";
    case Step::WriteArchive: return "无法在安装文件夹中写入文件";
    case Step::Extract:
      return outcome.extractResult < 0 ? "临时安装文件丢失" : "无法把程序文件解压到安装文件夹";
    case Step::None: break;
  }
  return "";
}

tk::Text ErrorCodeText(unsigned long error) {
  return tk::Text("（错误代码 ").Concat(Decimal(error).c_str()).Concat("）");
}

}  // namespace

ArchiveBytes PayloadArchive() {
  int32_t size;
  std::memcpy(&size, lanjian_payload_block + 4, sizeof size);
  return ArchiveBytes{lanjian_payload_block + 8, size};
}

Outcome InstallRun(tk::Page& page, const char* component, const char* installFolder) {
  PageExtract extract(page, component);
  return Run(extract, installFolder, PayloadArchive());
}

Outcome InstallRunWith(tk::Component& zip, const char* installFolder, ArchiveBytes archive) {
  ComponentExtract extract(zip);
  return Run(extract, installFolder, archive);
}

tk::Text DescribeFailure(const Outcome& outcome, const char* installFolder) {
  const char* cause = CauseText(outcome.error);
  tk::Text text = tk::Text("安装失败：").Concat(StepText(outcome));
  text = cause ? text.Concat("，").Concat(cause) : text.Concat(ErrorCodeText(outcome.error).c_str());
  return text.Concat("。\n安装文件夹：").Concat(installFolder ? installFolder : "");
}

}  // namespace install
