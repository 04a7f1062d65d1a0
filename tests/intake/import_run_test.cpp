// The import run on real files: names, numbers, the existence rule, copies and
// links, and the faults a run must never commit against the archive.
#include <filesystem>
#include <set>

#include "core/infofile.h"
#include "core/photolinks.h"
#include "import_fixture.h"
#include "platform/program_folder.h"
#include "support/fs_faults.h"
#include "support/yield_watch.h"

TEST_F(ImportTest, AutoNamingNumbersEveryRowAndRemembersTheNext) {
  struct Case {
    const char* start;
    std::vector<std::string> names;
    const char* next;
  } cases[] = {
      {"0100", {"Image0100.jpg", "Image0101.trip.gif"}, "0102"},
      {"9999", {"Image9999.jpg", "Image10000.trip.gif"}, "10001"},
      {"abc", {"Imageabc.jpg", "Image001.trip.gif"}, "002"},
  };
  const std::string src = Source({"a.jpg", "my.trip.gif"});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.start);
    Reopen();
    Rows({"a.jpg", "my.trip.gif"}, src);
    Options(false, false, false, true);
    D().txtAutoName[1]->setText(c.start);
    D().cmdImport_Click();
    const std::vector<std::string> infos = Infos();
    EXPECT_EQ(std::set<std::string>(infos.begin(), infos.end()),
              (std::set<std::string>{c.names[0] + ".info", c.names[1] + ".info"}));
    for (const auto& n : c.names) EXPECT_TRUE(qm::FileExists(PhotosFolder + n)) << n;
    EXPECT_EQ(D().txtAutoName[1]->text().toStdString(), c.next);
    EXPECT_EQ(Setting("Autonumber"), c.next);
    EXPECT_EQ(D().lbProgress->text(), "Done");
    EXPECT_EQ(D().cmdImport->text(), "&Import");
  }
  EXPECT_EQ(Read("Photos/Image0100.jpg"), Read("src/a.jpg"));
}

TEST_F(ImportTest, ExistingInformationFileSkipsTheRowAndStillUsesItsNumber) {
  const std::string src = Source({"a.jpg", "b.jpg"});
  Write("Photo_Info/Image0100.jpg.info", "old");
  Write("Photos/Image0100.jpg", "old photo");
  Write("Photo_Thumbnails/Image0100.jpg", "BM old thumb");
  Rows({"a.jpg", "b.jpg"}, src);
  // Overwriting photos alone does not let the row in, and costs the old photo nothing.
  Options(false, true, false, true);
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  D().cmdImport_Click();
  EXPECT_EQ(LastMessage(), kImportReport + "Image0100.jpg    Error=File already exists\r");
  EXPECT_EQ(Read("Photo_Info/Image0100.jpg.info"), "old");
  EXPECT_EQ(Read("Photos/Image0100.jpg"), "old photo");
  EXPECT_EQ(Read("Photo_Thumbnails/Image0100.jpg"), "BM old thumb");
  EXPECT_EQ(Read("Photos/Image0101.jpg"), Read("src/b.jpg"));
  EXPECT_EQ(Setting("Autonumber"), "0102");

  // Overwriting information files imports it again, replacing photo and thumbnail.
  D().txtAutoName[1]->setText("0100");
  Options(false, true, true, true);
  D().List1->item(1)->setSelected(true);
  D().cmdRemoveFile_Click();
  D().cmdImport_Click();
  EXPECT_EQ(Read("Photos/Image0100.jpg"), Read("src/a.jpg"));
  EXPECT_EQ(GetPhotoLink("Image0100.jpg.info"), PhotosFolder + "Image0100.jpg");
  EXPECT_NE(Read("Photo_Thumbnails/Image0100.jpg"), "BM old thumb");
}

TEST_F(ImportTest, AFailedCopyKeepsTheOldPhotoAndLeavesNoTrace) {
  Write("big/x.jpg", std::string(64 * 1024, 'n'));
  Write("Photos/x.jpg", "old photo");
  Write("Photos/gone.jpg", "old photo 2");
  Write("Photo_Thumbnails/x.jpg", "BM old thumb");
  Rows({"x.jpg"}, Path("big"));
  Rows({"gone.jpg"}, Path("big"));
  Options(false, true);
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  {
    FileSizeLimit limit(16 * 1024);
    ASSERT_TRUE(limit.ok());
    D().cmdImport_Click();
  }
  const std::string text = LastMessage();
  EXPECT_EQ(text.rfind(kImportReport + "x.jpg    Error=", 0), 0u) << text;
  EXPECT_NE(text.find("\rgone.jpg    Error=File not found\r"), std::string::npos) << text;
  EXPECT_EQ(Read("Photos/x.jpg"), "old photo");
  EXPECT_EQ(Read("Photos/gone.jpg"), "old photo 2");
  EXPECT_EQ(Read("Photo_Thumbnails/x.jpg"), "BM old thumb");
  EXPECT_TRUE(Infos().empty());
  EXPECT_EQ(AllEntries(PhotosFolder), std::vector<std::string>({"gone.jpg", "x.jpg"})) << "no temporary file left";
  EXPECT_FALSE(Exists("Photo_SlideGroups/" + kAllPhotosFile));
}

TEST_F(ImportTest, TheArchivesOwnPhotoIsNeverDeletedOrOverwrittenByItsImport) {
  Write("Photos/own.jpg", Jpeg(1));
  std::filesystem::create_directories(Path("cards"));
  std::filesystem::create_symlink(PhotosFolder + "own.jpg", Path("cards/own.jpg"));
  const std::string bytes = Read("Photos/own.jpg");
  for (bool links : {false, true}) {
    for (const std::string& folder : {PhotosFolder, Path("cards")}) {
      Reopen();
      Rows({"own.jpg"}, folder);
      Options(links, true, true);
      D().cmdImport_Click();
      EXPECT_EQ(Read("Photos/own.jpg"), bytes) << links << folder;
      EXPECT_EQ(Infos(), std::vector<std::string>{"own.jpg.info"});
      EXPECT_TRUE(Exists("Photo_Thumbnails/own.jpg"));
    }
  }
  EXPECT_TRUE(prompter.Prompts().empty());
}

TEST_F(ImportTest, AFailedInformationFileIsARowErrorAndJoinsNoGroup) {
  const std::string src = Source({"a.jpg"});
  Rows({"a.jpg"}, src);
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  {
    ReadOnlyFolder ro(InfoFolder);
    ASSERT_TRUE(ro.ok());
    D().cmdImport_Click();
  }
  EXPECT_EQ(LastMessage(), kImportReport + "a.jpg    Error=The information file could not be written\r");
  EXPECT_TRUE(Infos().empty());
  EXPECT_TRUE(Thumbs().empty());
  EXPECT_FALSE(Exists("Photo_SlideGroups/" + kAllPhotosFile));
}

TEST_F(ImportTest, NamesWithLineBreaksAreRefused) {
  const std::string src = Source({"a\nb.jpg", "c\rd.jpg", "ok.jpg"});
  Rows({"a\nb.jpg", "c\rd.jpg", "ok.jpg"}, src);
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  D().cmdImport_Click();
  EXPECT_EQ(LastMessage(),
            kImportReport + "a?b.jpg    Error=Bad file name or number\rc?d.jpg    Error=Bad file name or number\r");
  EXPECT_EQ(Infos(), std::vector<std::string>{"ok.jpg.info"});
}

// Links only copy nothing and link the source; copies are byte for byte.
TEST_F(ImportTest, OddNamesImportByteForByteAsLinksOrCopies) {
  const std::vector<std::string> names = {"-n \"x y\".jpg", "--rm 'q'.jpg", "\xc3\xa9t\xc3\xa9 \xe6\x97\xa5.jpg",
                                          "\xff\xfe bad utf8.jpg", " lead.jpg"};
  const std::string folder = "s p\xc3\xa4" "ce -x";
  const std::string src = Source(names, folder);
  for (bool links : {true, false}) {
    Reopen();
    Rows(names, links ? src + "/" : src);
    Options(links);
    D().cmdImport_Click();
    EXPECT_EQ(qm::ListFiles(PhotosFolder).empty(), links);
    for (const std::string& n : names) {
      EXPECT_EQ(GetPhotoLink(n + ".info"), links ? src + "/" + n : PhotosFolder + n) << n;
      if (!links) {
        EXPECT_EQ(Read("Photos/" + n), Read(folder + "/" + n)) << n;
      }
      EXPECT_TRUE(Exists("Photo_Thumbnails/" + n)) << n;
    }
  }
  EXPECT_TRUE(prompter.Prompts().empty());
  // Names that are no UTF-8 are beyond the temporary folder's own clean-up.
  std::filesystem::remove_all(src);
  for (const std::string& f : {PhotosFolder + names[3], InfoFolder + names[3] + ".info", ThumbnailsFolder + names[3]})
    std::filesystem::remove(f);
}

TEST_F(ImportTest, ACancelAfterTheThirdOfTenKeepsThreeAndBuildsNothingMore) {
  std::vector<std::string> names;
  for (int i = 0; i < 10; ++i) names.push_back("p" + std::to_string(i) + ".jpg");
  const std::string src = Source(names);
  Rows(names, src);
  Options(false);
  bool clicked = false;
  AtEveryYield watch([&] {
    if (!clicked && Infos().size() == 3) {
      clicked = true;
      D().cmdImport_Click();
      EXPECT_EQ(D().cmdImport->text(), "&Import");
    }
  });
  D().cmdImport_Click();
  EXPECT_TRUE(clicked);
  EXPECT_EQ(Infos(), std::vector<std::string>({"p0.jpg.info", "p1.jpg.info", "p2.jpg.info"}));
  EXPECT_EQ(qm::ListFiles(PhotosFolder).size(), 3u);
  EXPECT_TRUE(Thumbs().empty());
  EXPECT_FALSE(Exists("Photo_SlideGroups/" + kAllPhotosFile));
  EXPECT_EQ(D().lbProgress->text(), "Done");
  EXPECT_FALSE(D().ImportScanBusy);
  EXPECT_EQ(D().List1->count(), 10) << "the rows stay";
}

TEST_F(ImportTest, ImportAndScanNeverRunTogetherAndTheListsStayAsTheyAre) {
  const std::string src = Source({"a.jpg", "b.jpg", "c.jpg"});
  D().SetDir1Path(src);
  Rows({"a.jpg", "b.jpg"}, src);
  D().List1->item(0)->setSelected(true);
  D().File1->item(2)->setSelected(true);
  int checks = 0;
  {
    AtEveryYield watch([&] {
    if (!D().ImportScanBusy) return;
    ++checks;
    D().cmdAutoScan_Click();
    D().cmdRemoveFile_Click();
    D().cmdAddFile_Click();
    EXPECT_EQ(D().cmdAutoScan->text(), "&Auto-Scan (and sub-folders)");
    EXPECT_EQ(Rows1(), std::vector<std::string>({"a.jpg", "b.jpg"}));
    EXPECT_EQ(Rows2().size(), 2u);
    });
    D().cmdImport_Click();
  }
  EXPECT_GT(checks, 0);
  EXPECT_EQ(Infos().size(), 2u);

  // And an import waits for no scan: its click during a scan changes nothing.
  int during = 0;
  AtEveryYield watch2([&] {
    if (!D().ImportScanBusy) return;
    ++during;
    D().cmdImport_Click();
    EXPECT_EQ(D().cmdImport->text(), "&Import");
  });
  D().cmdAutoScan_Click();
  EXPECT_GT(during, 0);
  EXPECT_EQ(Infos().size(), 2u);
  EXPECT_EQ(D().List1->count(), 5);
}

TEST_F(ImportTest, ClosingTheDialogDuringARunCancelsItAfterTheRowInHand) {
  const std::string src = Source({"a.jpg", "b.jpg", "c.jpg"});
  Rows({"a.jpg", "b.jpg", "c.jpg"}, src);
  EXPECT_TRUE(CloseWhileBusy([&] { D().cmdImport_Click(); }));
  EXPECT_FALSE(frmImport::IsLoaded());
  EXPECT_EQ(Infos(), std::vector<std::string>{"a.jpg.info"});
  EXPECT_TRUE(Thumbs().empty());
}

TEST_F(ImportTest, AnEmptyListIsDoneQuietly) {
  D().cmdImport_Click();
  EXPECT_EQ(D().lbProgress->text(), "Done");
  EXPECT_TRUE(prompter.Prompts().empty());
  // Auto-naming needs both fields.
  Options(true, false, false, true);
  D().txtAutoName[1]->setText("");
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  D().cmdImport_Click();
  EXPECT_EQ(LastMessage(), "The auto-name/renumber fields both must have valid values.");
  EXPECT_FALSE(D().ImportScanBusy);
}

// Copies are linked within the program folder, so they open wherever it goes.
TEST_F(ImportTest, ImportedCopiesOpenAfterTheProgramFolderMoves) {
  const std::string src = Source({"a.jpg"}, "../card");
  Rows({"a.jpg"}, src);
  Options(false);
  D().cmdImport_Click();
  frmImport::Unload();
  const std::string bytes = Read("Photos/a.jpg");
  EXPECT_EQ(bytes, qm::ReadFileBytes(src + "/a.jpg"));

  const std::string moved = Root() + " moved";
  std::filesystem::rename(Root(), moved);
  qm::SetProgramFolderForTests(moved);
  SetArchiveRoot();
  ReadFolderSettings();
  const std::string photo = GetPhotoLink("a.jpg.info");
  EXPECT_EQ(photo, moved + "/Photos/a.jpg");
  EXPECT_TRUE(CheckPhotoLink(photo));
  EXPECT_EQ(qm::ReadFileBytes(photo), bytes);
}
