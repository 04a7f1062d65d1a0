// Links are never written through; FIFOs and devices are never copied or waited on.
#include <fcntl.h>

#include <future>

#include "core/csv_export.h"
#include "core/errorlog.h"
#include "core/groupcleanup.h"
#include "core/groupfiles.h"
#include "core/import_rules.h"
#include "core/photo_removal.h"
#include "core/sound_links.h"
#include "intake/import_row.h"
#include "platform/files.h"
#include "search_export/export_fixture.h"
#include "support/bytes_read.h"
#include "support/fs_faults.h"
#include "support/yield_watch.h"

namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;
using FileKinds = ExportTest;

// Runs step on a thread of its own; one still blocked after five seconds (opening a
// FIFO nobody writes) has hung, and is let go by opening the FIFO's other end.
bool FinishesInTime(const std::function<void()>& step, const std::string& fifo) {
  const std::future<void> done = std::async(std::launch::async, step);
  const bool inTime = done.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
  while (done.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready)
    ::close(::open(fifo.c_str(), O_WRONLY | O_NONBLOCK));
  return inTime;
}

void ExpectRemovalKeeps(const std::string& name) {
  PhotoRemovalResult r;
  RemovePhotoFiles(name, r);
  EXPECT_TRUE(r.keptPhotos == Names{name} && qm::FileExists(PhotosFolder + name) &&
              qm::FileExists(InfoFolder + name + ".info"));
}

// The name a link, FIFO or device takes; a file (else a folder), for FIFOs a step run on a thread.
struct Case { std::string rel; bool flag; std::function<void()> run; };

TEST_F(FileKinds, WritersNeverWriteThroughALink) {
  AddPhoto("a.jpg"), Group({"a.jpg"}, {"a.jpg"});
  Write("Photo_Audio/a.jpg.wav", "clip");
  std::function<void()> plant;
  std::vector<Case> cases = {
      {"Photo_SlideGroups/Beach.lst", true, [&] {
         EXPECT_FALSE(AddToGroup("Beach.lst"));
         EXPECT_EQ(qm::ReadTextLines(Path("Photo_SlideGroups/Beach.lst")), (Names{"a.jpg", "gone.jpg"}));
       }},
      {"Photo_SlideGroups/Trip.lst", true,
       [&] { EXPECT_EQ(RemoveMissingPhotosFromGroup(), Names{Path("Photo_SlideGroups/Trip.lst")}); }},
      {"Quillmont.Log", true, [&] { WriteLog(LogFilePath(), "an entry"); }},
      // Put there again while the export runs: the records go on to the file it opened.
      {"out/" + kCsvFileName, true, [&] {
         fs::remove(Path("out/first.csv"));
         FullGroup({"p1.jpg", "p2.jpg"});
         Set(Open(), {.photo = false, .info = true});
         AtEveryYield swap([&] {
           if (OutHas(kCsvFileName) && !OutHas("first.csv"))
             fs::rename(Path("out/" + kCsvFileName), Path("out/first.csv")), plant();
         });
         EXPECT_TRUE(Export(Open()).empty());
         EXPECT_EQ(qm::ReadTextLines(Path("out/first.csv")).size(), 4u);
       }},
  };
  for (const char* folder : {"Photos", "Photo_Info", "Photo_Audio"})
    cases.push_back({folder + std::string("/Removed"), false, [] { ExpectRemovalKeeps("a.jpg"); }});
  int n = 0;
  for (const Case& c : cases)
    for (const bool hard : {false, true}) {
      if (hard && !c.flag) continue;  // folders have no hard links
      const std::string target = "elsewhere/" + std::to_string(++n), at = Path(c.rel);
      c.flag ? Write(target, CrLf({"a.jpg", "gone.jpg"})) : (void)fs::create_directories(Path(target));
      auto state = [&] { return c.flag ? Read(target) : std::to_string(AllEntries(Path(target)).size()); };
      const std::string before = state();
      plant = [&] {
        fs::remove_all(at), hard ? fs::create_hard_link(Path(target), at) : fs::create_symlink(Path(target), at);
      };
      plant(), c.run();
      EXPECT_TRUE(state() == before && (hard ? fs::equivalent(at, Path(target)) : fs::is_symlink(at)))
          << c.rel << " hard " << hard;
      fs::remove_all(at);
    }
}

TEST_F(FileKinds, CopiesAndComparisonsTakeOnlyRegularFiles) {
  FileSizeLimit limit(1 << 20);  // an endless copy of a device stops here, not at a full disc
  ASSERT_TRUE(limit.ok());
  for (const char* name : {"a.jpg", "e.jpg"}) AddPhoto(name), Group({name}, {name});
  Write("Photo_Audio/c.jpg.wav", "old clip"), Write("in/b.jpg", "new photo"), Write("sounds/.keep", "");
  import_rules::ArchiveFiles archive;
  const std::vector<Case> cases = {
      {"Photo_Audio/a.jpg.wav", true, [] { ExpectRemovalKeeps("a.jpg"); }},
      {"Photos/b.jpg", true, [&] {  // the earlier photo the import sets aside
         EXPECT_EQ(ImportFile(Path("in/b.jpg"), "b.jpg", {.linksOnly = false}, archive), kRowNotSetAside);
         EXPECT_TRUE(TempFilesIn(Path("Photos")).empty() && !Exists("Photo_Info/b.jpg.info"));
       }},
      {"sounds/s.wav", true, [&] {
         EXPECT_TRUE(soundlinks::ApplyPendingLink(false, "c.jpg", Path("sounds/s.wav"), true) != "" &&
                     Read("Photo_Audio/c.jpg.wav") == "old clip");
       }},
      {"Photos/e.jpg", false, [&] {
         const auto texts = Export(Open(), 1);
         EXPECT_TRUE(texts.size() == 1 && texts[0].find("not copied:\n    e.jpg (") != std::string::npos &&
                     !OutHas("e.jpg"));
       }},
  };
  for (const Case& c : cases)
    for (const bool fifo : {true, false}) {
      const std::string at = Path(c.rel), what = c.rel + (fifo ? " FIFO" : " device");
      fs::remove(at);
      ASSERT_EQ(fifo ? ::mkfifo(at.c_str(), 0600) : ::symlink("/dev/zero", at.c_str()), 0) << what;
      const long long read = BytesRead();
      EXPECT_TRUE(c.flag ? FinishesInTime(c.run, at) : (c.run(), true)) << what;
      EXPECT_LT(BytesRead() - read, 1 << 19) << what;
      EXPECT_EQ(fs::symlink_status(at).type(), fifo ? fs::file_type::fifo : fs::file_type::symlink) << what;
    }
}

}  // namespace
