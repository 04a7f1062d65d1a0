// A group list or the log with a line of hundreds of megabytes: every reader holds
// at most the reader's bound of it, and nothing it writes grows by it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "browser/frmMain.h"
#include "core/albumstate.h"
#include "core/errorlog.h"
#include "core/groupcleanup.h"
#include "core/groupfiles.h"
#include "core/modquillmont.h"
#include "platform/files.h"
#include "support/bytes_read.h"
#include "window_fixture.h"

namespace {

class LongLines : public WindowTest {
protected:
  // head, then a hole of 256 MiB (zeros, no line end), then tail.
  void WriteWithHole(const std::string& rel, const std::string& head, const std::string& tail) {
    Write(rel, head);
    ASSERT_EQ(::truncate(Path(rel).c_str(), off_t(head.size()) + (off_t(256) << 20)), 0);
    FILE* f = std::fopen(Path(rel).c_str(), "ab");
    ASSERT_TRUE(f);
    EXPECT_EQ(std::fwrite(tail.data(), 1, tail.size(), f), tail.size());
    std::fclose(f);
  }
  // Compared without printing: a list that kept the line would print for minutes.
  void ExpectList(const std::vector<std::string>& lines) const {
    const std::string want = CrLf(lines);
    ASSERT_EQ(qm::FileLen(Path("Photo_SlideGroups/Long.lst")), std::int64_t(want.size()));
    EXPECT_TRUE(Read("Photo_SlideGroups/Long.lst") == want);
  }
};

TEST_F(LongLines, EveryReaderOfAGroupListOrTheLogPassesOverTheLongLine) {
  AddPhoto("a.jpg");
  AddPhoto("b.jpg");
  frmMain& f = frmMain::Get();
  const std::string cut(qm::kMaxTextLine, '\0'), message(size_t(16) << 20, 'm');
  auto loadSelectingLast = [] {
    ASSERT_TRUE(ReadGroupFile("Long.lst"));
    SelectedFlags.back() = 1;
  };
  struct Reader {
    const char* name;
    bool ofLog;
    std::function<void()> run, check;
  };
  const Reader readers[] = {
      {"ReadGroupFile", false, [] { ASSERT_TRUE(ReadGroupFile("Long.lst")); },
       [&] { EXPECT_TRUE(PhotoNames == (std::vector<std::string>{"", "a.jpg", cut, "b.jpg"})); }},
      {"RemoveFromGroup", false,
       [&] {
         loadSelectingLast();
         EXPECT_TRUE(RemoveFromGroup("Long.lst"));
       },
       [&] { ExpectList({"a.jpg", cut}); }},
      {"SaveReorderedGroup", false,
       [&] {
         loadSelectingLast();
         f.ThumbDrag.ThumbDropPosition = -1;
         EXPECT_TRUE(f.SaveReorderedGroup("Long.lst"));
       },
       [&] { ExpectList({"b.jpg", "a.jpg", cut}); }},
      {"RemoveMissingPhotosFromGroup", false, [] { RemoveMissingPhotosFromGroup(); },
       [&] { ExpectList({"a.jpg", "b.jpg"}); }},
      {"TrimLog", true, [] { WriteLog(LogFilePath(), "after"); },
       [&] {
         const std::vector<std::string> entries = LogEntries();
         ASSERT_EQ(entries.size(), 2u);
         EXPECT_EQ(entries[0], "last");
         EXPECT_TRUE(entries[1].ends_with(": after"));
       }},
      {"WriteLog", false, [&] { WriteLog(LogFilePath(), message); },
       [&] {
         const std::vector<std::string> entries = LogEntries();
         ASSERT_EQ(entries.size(), 1u);
         EXPECT_TRUE(entries[0].ends_with(std::string(100, 'm') + " ... (16777216 bytes in all)"));
       }},
  };
  for (const Reader& r : readers) {
    SCOPED_TRACE(r.name);
    std::filesystem::remove(Path("Quillmont.Log"));
    if (r.ofLog)
      ASSERT_NO_FATAL_FAILURE(WriteWithHole("Quillmont.Log", "Created 10/02/01 14:05\r\n", "\r\nlast\r\n"));
    else
      ASSERT_NO_FATAL_FAILURE(WriteWithHole("Photo_SlideGroups/Long.lst", "a.jpg\r\n", "\r\nb.jpg\r\n"));
    const long before = PeakKb();

    ASSERT_NO_FATAL_FAILURE(r.run());

    EXPECT_LT(PeakKb() - before, 32L * 1024) << "kB more at the peak";
    EXPECT_LT(Exists("Quillmont.Log") ? qm::FileLen(Path("Quillmont.Log")) : 0, 80000 + 8192);
    r.check();
  }
}

}  // namespace
