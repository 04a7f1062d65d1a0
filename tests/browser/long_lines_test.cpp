// A group list or the log with a line of 256 MiB (a hole: zeros, no line end):
// every reader holds at most the reader's bound of it, and writes no more of it.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "core/albumstate.h"
#include "core/errorlog.h"
#include "core/groupcleanup.h"
#include "core/groupfiles.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "support/bytes_read.h"
#include "window_fixture.h"

namespace {

using Names = std::vector<std::string>;
using LongLines = WindowTest;

TEST_F(LongLines, EveryReaderOfAGroupListOrTheLogPassesOverTheLongLine) {
  AddPhoto("a.jpg");
  AddPhoto("b.jpg");
  frmMain& f = frmMain::Get();
  qm::SetClockForTests(1000000000);
  const std::string cut(qm::kMaxTextLine, '\0'), message(size_t(16) << 20, 'm'), stamp = LogEntryStamp(qm::Now());
  const std::string list = "Photo_SlideGroups/Long.lst", log = "Quillmont.Log";
  auto load = [] { ReadGroupFile("Long.lst"), SelectedFlags.back() = 1; };
  auto lines = [&] { return qm::ReadTextLines(Path(list)); };
  auto entries = [&] { return LogEntries(); };
  // A list of more lines than memory takes under a limit: it fails alone, logged.
  auto cleanUnderLimit = [&] {
    Write("Photo_SlideGroups/Huge.lst", std::string(size_t(2) << 20, '\n'));
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key && key != "VmData:") continue;
    rlim_t dataKb = 0;
    rlimit old{};
    ASSERT_TRUE(status >> dataKb && ::getrlimit(RLIMIT_DATA, &old) == 0);
    const rlimit low{(dataKb + 24 * 1024) * 1024, old.rlim_max};
    ASSERT_EQ(::setrlimit(RLIMIT_DATA, &low), 0);
    RemoveMissingPhotosFromGroup();
    ::setrlimit(RLIMIT_DATA, &old);
  };
  // The file given the long line ("" for none), the reader, what it left.
  struct Reader { std::string file; std::function<void()> run; std::function<Names()> result; Names want; };
  const Reader readers[] = {
      {list, [] { ReadGroupFile("Long.lst"); }, [] { return PhotoNames; }, {"", "a.jpg", cut, "b.jpg"}},
      {list, [&] { load(), RemoveFromGroup("Long.lst"); }, lines, {"a.jpg", cut}},
      {list, [&] { load(), f.ThumbDrag.ThumbDropPosition = -1, f.SaveReorderedGroup("Long.lst"); }, lines,
       {"b.jpg", "a.jpg", cut}},
      {list, [] { RemoveMissingPhotosFromGroup(); }, lines, {"a.jpg", "b.jpg"}},
      {log, [] { WriteLog(LogFilePath(), "after"); }, entries, {"last", stamp + "after"}},
      {"", [&] { WriteLog(LogFilePath(), message); }, entries,
       {stamp + std::string(4096, 'm') + " ... (16777216 bytes in all)"}},
      {"", cleanUnderLimit, entries,
       {stamp + "An error has occurred in 'RemoveMissingPhotosFromGroup'. Error = Out of memory (" +
        Path("Photo_SlideGroups/Huge.lst") + ")"}},
  };
  for (const Reader& r : readers) {
    SCOPED_TRACE("reader " + std::to_string(&r - readers));
    std::filesystem::remove(Path(log));
    if (!r.file.empty()) {
      Write(r.file, r.file == log ? "Created 10/02/01 14:05\r\n" : "a.jpg\r\n");
      ASSERT_EQ(::truncate(Path(r.file).c_str(), qm::FileLen(Path(r.file)) + (off_t(256) << 20)), 0);
      std::ofstream(Path(r.file), std::ios::app) << (r.file == log ? "\r\nlast\r\n" : "\r\nb.jpg\r\n");
    }
    const long before = PeakKb();
    r.run();
    EXPECT_LT(PeakKb() - before, 32L * 1024) << "kB more at the peak";
    EXPECT_LT(Exists(log) ? qm::FileLen(Path(log)) : 0, 80000 + 8192);
    EXPECT_TRUE(r.result() == r.want);  // not printed: a result that kept the line would print for minutes
  }
}

}  // namespace
