#include "wmf/wmf_render.h"

#include <unistd.h>

#include <QIODevice>
#include <QLoggingCategory>
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <mutex>

#include "wmf/helper_process.h"
#include "wmf/wmf_format.h"

Q_LOGGING_CATEGORY(lcWmf, "quillmont.wmf")

namespace wmf {

namespace {

constexpr const char* kProgramName = "quillmont-wmf";

std::mutex gMutex;
Limits gLimits;
std::string gProgram;
// Zero: the process-wide time.
thread_local std::chrono::milliseconds tThreadTime{0};

std::string FoundProgram() {
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  const std::string beside = (self.parent_path() / kProgramName).string();
  if (!ec && ::access(beside.c_str(), X_OK) == 0) return beside;
#ifdef QM_WMF_HELPER_IN_BUILD
  if (::access(QM_WMF_HELPER_IN_BUILD, X_OK) == 0) return QM_WMF_HELPER_IN_BUILD;
#endif
  return beside;
}

RunResult Run(QIODevice& device, std::vector<std::string> args, char* output, std::size_t outputSize,
              std::int64_t pixelBytes) {
  const Limits limits = CurrentLimits();
  const std::int64_t fileBytes = InputBytes(device);
  const auto seconds = std::chrono::ceil<std::chrono::seconds>(limits.time).count() + 1;
  args.insert(args.begin(), {std::to_string(HelperMemory(fileBytes, pixelBytes)), std::to_string(seconds),
                             std::to_string(fileBytes)});
  RunRequest r;
  r.program = HelperProgram();
  r.args = std::move(args);
  r.input = &device;
  r.maxInput = fileBytes;
  r.output = output;
  r.outputSize = outputSize;
  r.timeout = limits.time;
  RunResult result = RunHelper(r);
  if (!result.ok()) qCWarning(lcWmf, "A WMF picture could not be read: %s", result.Describe().c_str());
  return result;
}

}  // namespace

Limits CurrentLimits() {
  std::lock_guard lock(gMutex);
  Limits l = gLimits;
  if (tThreadTime.count() > 0) l.time = tThreadTime;
  return l;
}

ThreadTimeLimit::ThreadTimeLimit(std::chrono::milliseconds time) : previous_(tThreadTime) { tThreadTime = time; }
ThreadTimeLimit::~ThreadTimeLimit() { tThreadTime = previous_; }

std::int64_t HelperMemory(std::int64_t fileBytes, std::int64_t pixelBytes) {
  if (fileBytes < 0 || fileBytes > kMaxFileBytes) fileBytes = kMaxFileBytes;
  return CurrentLimits().baseMemory + 3 * fileBytes + 2 * pixelBytes;
}

std::int64_t InputBytes(const QIODevice& device) {
  if (device.isSequential()) return kMaxFileBytes;
  return std::clamp<std::int64_t>(device.size() - device.pos(), 0, kMaxFileBytes);
}

void SetLimits(const Limits& limits) {
  std::lock_guard lock(gMutex);
  gLimits = limits;
}

std::string HelperProgram() {
  static const std::string found = FoundProgram();
  std::lock_guard lock(gMutex);
  return gProgram.empty() ? found : gProgram;
}

void SetHelperProgram(const std::string& path) {
  std::lock_guard lock(gMutex);
  gProgram = path;
}

QSize ScannedSize(QIODevice& device) {
  std::uint32_t size[2] = {0, 0};
  if (!Run(device, {"size"}, reinterpret_cast<char*>(size), sizeof size, 0).ok()) return {};
  if (size[0] < 1 || size[1] < 1 || size[0] > INT32_MAX || size[1] > INT32_MAX) return {};
  return QSize(int(size[0]), int(size[1]));
}

bool Render(QIODevice& device, QImage& image) {
  if (image.isNull() || image.format() != QImage::Format_RGB32 ||
      image.bytesPerLine() != qsizetype(image.width()) * 4)
    return false;
  const std::int64_t bytes = std::int64_t(image.sizeInBytes());
  return Run(device, {"render", std::to_string(image.width()), std::to_string(image.height())},
             reinterpret_cast<char*>(image.bits()), std::size_t(bytes), bytes)
      .ok();
}

}  // namespace wmf
