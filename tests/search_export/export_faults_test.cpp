// The export never loses a file of the archive or an earlier copy, never ends
// silently, and stops cleanly when its window is closed.
#include <QCoreApplication>
#include <utility>

#include "core/csv_export.h"
#include "export_fixture.h"
#include "platform/files.h"
#include "support/fs_faults.h"
#include "support/yield_watch.h"

namespace {

TEST_F(ExportTest, ADestinationInsideTheArchiveIsRefusedBeforeAnythingIsDeleted) {
  FullGroup({"a.jpg"});
  std::filesystem::create_directory_symlink(Path("Photos"), Path("photos-link"));
  std::filesystem::create_directory_symlink(Root(), Path("out/program-link"));
  // The program folder itself ("") and, through a link, by its identity; the Removed folders.
  for (const std::string rel : {"Photos", "Photo_Thumbnails", "Photo_Info", "photos-link", "", "out/program-link",
                                "Photos/Removed", "Photo_Info/Removed", "Photo_Audio/Removed"}) {
    const std::string folder = rel.empty() ? Root() : Path(rel);
    std::filesystem::create_directories(folder);
    const std::string csv = folder + "/" + kCsvFileName;
    qm::ReplaceFileAtomically(csv, "must stay");
    frmExport& f = Open(folder);
    Set(f, {.thumb = true, .info = true});
    const auto texts = Export(f, 1);
    ASSERT_EQ(texts.size(), 1u) << rel;
    EXPECT_NE(texts[0].find("Nothing was exported"), std::string::npos) << texts[0];
    EXPECT_EQ(qm::ReadFileBytes(csv), "must stay") << rel;
    EXPECT_EQ(Read("Photos/a.jpg"), "photo of a.jpg");
    EXPECT_FALSE(qm::FileExists(folder + "/tn_a.jpg")) << rel;
    EXPECT_NE(f.lbProgress->text(), "Done");
    EXPECT_EQ(f.cmdExport->text(), "E&xport");
    frmExport::Unload();
    QCoreApplication::processEvents();
  }
}

TEST_F(ExportTest, APhotoKeptAtTheDestinationFileIsRefused) {
  // b.jpg lives in the destination itself, under the name a.jpg's copy would take.
  FullGroup({"a.jpg"});
  Write("out/a.jpg", "the archive's own photo b");
  Write("Photo_Info/b.jpg.info", CrLf({"PhotoPath=" + Dest() + "/a.jpg"}));
  frmExport& f = Open();
  const auto texts = Export(f, 1);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_NE(texts[0].find("holds the photo b.jpg"), std::string::npos) << texts[0];
  EXPECT_EQ(Out("a.jpg"), "the archive's own photo b");

  // A photo linked in place, exported into its own folder, is refused the same way.
  Write("Photo_Info/a.jpg.info", CrLf({"PhotoPath=" + Dest() + "/a.jpg"}));
  EXPECT_EQ(Export(f, 1).size(), 1u);
  EXPECT_EQ(Out("a.jpg"), "the archive's own photo b");
}

TEST_F(ExportTest, AFailedCopyKeepsTheEarlierOne) {
  FullGroup({"a.jpg", "b.jpg"});
  Write("out/a.jpg", "earlier a");
  Write("out/tn_b.jpg", "earlier thumbnail b");
  qm::DeleteFile(Path("Photos/a.jpg"));
  Write("Photos/b.jpg", std::string(200000, 'b'));
  Write("Photo_Thumbnails/b.jpg", std::string(300000, 't'));
  frmExport& f = Open();
  Set(f, {.thumb = true});
  std::vector<std::string> texts;
  {
    // Room for b's photo, not for its thumbnail.
    FileSizeLimit limit(250000);
    ASSERT_TRUE(limit.ok());
    texts = Export(f, 2);
  }
  EXPECT_EQ(Out("a.jpg"), "earlier a");
  EXPECT_EQ(Out("tn_b.jpg"), "earlier thumbnail b");
  EXPECT_EQ(Out("b.jpg"), std::string(200000, 'b'));
  EXPECT_TRUE(TempFilesIn(Dest()).empty());
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0], "Error: Path/File access error\nThe export stopped at \"" + Dest() + "/tn_b.jpg\".");
  EXPECT_NE(texts[1].find("a.jpg (File not found)"), std::string::npos) << texts[1];
}

TEST_F(ExportTest, EarlierInformationExportsStayUnlessThisExportWritesThem) {
  FullGroup({"a.jpg"});
  Write("out/" + kCsvFileName, "earlier csv");
  Write("out/a.jpg.info", "earlier info");
  Write("out/tn_a.jpg", "earlier thumbnail");
  frmExport& f = Open();
  EXPECT_TRUE(Export(f).empty());  // the defaults: photos only
  EXPECT_EQ(Out(kCsvFileName), "earlier csv");
  EXPECT_EQ(Out("a.jpg.info"), "earlier info");
  EXPECT_EQ(Out("tn_a.jpg"), "earlier thumbnail");

  Set(f, {.info = true});  // CSV: the information files stay
  EXPECT_TRUE(Export(f).empty());
  EXPECT_EQ(Out("a.jpg.info"), "earlier info");
  EXPECT_NE(Out(kCsvFileName), "earlier csv");

  Set(f, {.info = true, .csv = false});  // native: replaced by the new copy
  EXPECT_TRUE(Export(f).empty());
  EXPECT_EQ(Out("a.jpg.info"), Read("Photo_Info/a.jpg.info"));
}

TEST_F(ExportTest, ARefusedWriteEndsAtTheFirstThumbnailAndSaysSo) {
  FullGroup({"a.jpg", "b.jpg"});
  frmExport& f = Open();
  Set(f, {.thumb = true});
  ReadOnlyFolder locked(Dest());
  ASSERT_TRUE(locked.ok());
  const auto texts = Export(f, 2);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0], "Error: Permission denied\nDisk may be full or write protected.");
  EXPECT_NE(texts[1].find("a.jpg (Permission denied)"), std::string::npos) << texts[1];
  EXPECT_EQ(texts[1].find("b.jpg"), std::string::npos) << texts[1];
  EXPECT_EQ(f.lbProgress->text(), "Done");
}

TEST_F(ExportTest, OtherFailuresNameTheFileAndSkippedRecordsAreListed) {
  for (const char* n : {"a.jpg", "c.jpg"}) AddFull(n);
  Group({"a.jpg", "gone.jpg", "c.jpg"}, {"a.jpg", "gone.jpg", "c.jpg"});
  frmExport& f = Open();
  Set(f, {.info = true});
  const auto listed = Export(f, 1);
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_NE(listed[0].find("These photos were not copied:\n    gone.jpg (File not found)"), std::string::npos)
      << listed[0];
  EXPECT_NE(listed[0].find("gone.jpg.info (File not found)"), std::string::npos) << listed[0];
  EXPECT_EQ(qm::ReadTextLines(Dest() + "/" + kCsvFileName).size(), 4u);

  qm::DeleteFile(Path("Photo_Thumbnails/c.jpg"));
  Set(f, {.photo = false, .thumb = true});
  AddFull("gone.jpg");
  const auto ended = Export(f, 1);
  ASSERT_EQ(ended.size(), 1u);
  EXPECT_EQ(ended[0], "Error: File not found\nThe export stopped at \"" + ThumbnailsFolder + "c.jpg\".");
  EXPECT_TRUE(OutHas("tn_a.jpg") && OutHas("tn_gone.jpg"));
}

TEST_F(ExportTest, ClosingTheWindowDuringAnExportStopsItAfterThePhotoInHand) {
  NumberedGroup(6);
  // By the close box, and by Escape.
  for (const bool escape : {false, true}) {
    std::filesystem::remove_all(Dest());
    std::filesystem::create_directories(Dest());
    frmExport& f = Open();
    f.show();
    bool closed = false;
    AtEveryYield watch([&] {
      if (closed || !qm::FileExists(Dest() + "/p2.jpg")) return;
      closed = true;
      escape ? f.reject() : (void)f.close();
    });
    f.cmdExport_Click();
    EXPECT_FALSE(frmExport::IsLoaded()) << escape;
    QCoreApplication::processEvents();
    EXPECT_TRUE(OutHas("p2.jpg")) << escape;
    EXPECT_FALSE(OutHas("p3.jpg")) << escape;
    EXPECT_TRUE(TempFilesIn(Dest()).empty()) << escape;
  }
}

TEST_F(ExportTest, AppendingRefusesACsvFileThatLeadsToAnotherFile) {
  FullGroup({"a.jpg"});
  Write("Photo_SlideGroups/Beach.lst", CrLf({"a.jpg"}));
  Write("Photo_Audio/a.jpg.wav", "RIFF clip");
  Write("table.csv", "someone else's table\r\n");
  const std::string csv = Dest() + "/" + kCsvFileName;
  frmExport& f = Open();
  // By a symbolic link, or as another name of the same file.
  for (const auto& [rel, symbolic] : std::vector<std::pair<std::string, bool>>{{"Photo_SlideGroups/Beach.lst", true},
                                                                              {"Photo_Info/a.jpg.info", false},
                                                                              {"Photo_Audio/a.jpg.wav", true},
                                                                              {"table.csv", false}}) {
    const std::string before = Read(rel);
    std::filesystem::remove(csv);
    symbolic ? std::filesystem::create_symlink(Path(rel), csv) : std::filesystem::create_hard_link(Path(rel), csv);
    Set(f, {.info = true, .overwrite = false});
    const auto texts = Export(f, 1);
    ASSERT_EQ(texts.size(), 1u) << rel;
    EXPECT_NE(texts[0].find("\"" + csv + "\""), std::string::npos) << texts[0];
    EXPECT_NE(texts[0].find("\"Overwrite\""), std::string::npos) << texts[0];
    EXPECT_EQ(Read(rel), before) << rel;
    EXPECT_FALSE(OutHas("a.jpg")) << rel;
  }

  // Overwrite replaces the link itself, and the new file of its own takes appends.
  std::filesystem::remove(csv);
  std::filesystem::create_symlink(Path("Photo_SlideGroups/Beach.lst"), csv);
  Set(f, {.info = true});
  EXPECT_TRUE(Export(f).empty());
  EXPECT_FALSE(std::filesystem::is_symlink(csv));
  EXPECT_EQ(Read("Photo_SlideGroups/Beach.lst"), CrLf({"a.jpg"}));
  Set(f, {.info = true, .overwrite = false});
  EXPECT_TRUE(Export(f).empty());
  EXPECT_EQ(qm::ReadTextLines(csv).size(), 4u);
}

TEST_F(ExportTest, ADriveThatCannotBeOpenedLeavesTheFolderAsItWas) {
  frmExport& f = Open();
  f.Drive1->addItem("/no/such/drive");
  f.Drive1->setCurrentIndex(f.Drive1->count() - 1);
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  f.Drive1_Change();
  ASSERT_EQ(prompter.Prompts().size(), 1u);
  EXPECT_EQ(prompter.Prompts()[0].text, "Error: Path not found");
  EXPECT_EQ(f.Dir1->Path(), Dest());
  EXPECT_NE(f.Drive1->Drive(), "/no/such/drive");
}

TEST_F(ExportTest, AGoneRememberedFolderFallsBackToTheProgramFolder) {
  Group({"a.jpg", "b.jpg"}, {"b.jpg"});
  frmExport& f = Open(Path("no/such/folder"));
  EXPECT_EQ(f.Dir1->Path(), Root());
  EXPECT_EQ(Listed(f), std::vector<std::string>{"b.jpg"});
  EXPECT_TRUE(LogHas("Path not found"));
}

TEST_F(ExportTest, NamesThatWouldLeaveTheDestinationAreRefused) {
  AddFull("ok.jpg");
  Write("evil.jpg.info", CrLf({"PhotoPath=\\Photos\\ok.jpg"}));
  const std::vector<std::string> names = {"../evil.jpg", ".", "..", "", "sub/x.jpg", "ok.jpg"};
  Group(names, names);
  frmExport& f = Open();
  Set(f, {.thumb = true, .info = true, .csv = false});
  const auto texts = Export(f, 1);
  ASSERT_EQ(texts.size(), 1u);
  for (const char* n : {"../evil.jpg", "sub/x.jpg"}) EXPECT_NE(texts[0].find(n), std::string::npos) << texts[0];
  EXPECT_FALSE(Exists("evil.jpg"));
  EXPECT_EQ(AllEntries(Dest()).size(), 3u);  // ok.jpg, tn_ok.jpg, ok.jpg.info
}

}  // namespace
