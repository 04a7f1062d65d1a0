// The export dialog as the user drives it: the list and folder it opens with, the
// copies it makes, the CSV file, and stopping it.
#include <QTest>
#include <QTimer>
#include <ctime>

#include "browser/frmMain.h"
#include "core/csv_export.h"
#include "export_fixture.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "support/wait_until.h"
#include "support/yield_watch.h"

namespace {

const std::string kHeader =
    "CSV\r\nInfoFile,Event,Keywords,People,Photographer,Place,Title,Year,ImageWidth,ImageHeight\r\n";

TEST_F(ExportTest, OpensOnTheRememberedFolderWithTheSelectionInGroupOrder) {
  Group({"c.jpg", "a.jpg", "b.jpg", "d.jpg"}, {"b.jpg", "c.jpg", "d.jpg"});
  frmExport& f = Open();
  EXPECT_EQ(f.windowTitle(), "Export Media");
  EXPECT_EQ(Listed(f), (std::vector<std::string>{"c.jpg", "b.jpg", "d.jpg"}));
  EXPECT_EQ(f.Dir1->Path(), Dest());
  EXPECT_EQ(f.cmdExport->text(), "E&xport");
  // The design defaults.
  EXPECT_TRUE(f.chkExport[0]->isChecked());
  EXPECT_FALSE(f.chkExport[1]->isChecked() || f.chkExport[2]->isChecked());
  EXPECT_TRUE(f.optExportInfo[1]->isChecked() && f.optExportInfo[2]->isChecked());
  EXPECT_TRUE(f.chkOptions[0]->isChecked());
  EXPECT_FALSE(f.chkOptions[1]->isEnabled());

  // Another folder is remembered at once, and only under Export.
  std::filesystem::create_directories(Path("other"));
  f.Dir1->SetPath(Path("other"));
  EXPECT_EQ(gSettings.GetDravenholtSetting(kAppName, "Export", "LastPath"), Path("other"));
  EXPECT_EQ(gSettings.GetDravenholtSetting(kAppName, "Import", "LastPath", "unset"), "unset");
}

TEST_F(ExportTest, DesignDefaultsCopyThePhotosAndNothingElse) {
  // A name is the file system's bytes, UTF-8 or not.
  const std::string latin1 = "\xe9t\xe9.jpg";
  for (const std::string n : {"a.jpg", "b.jpg", "c.jpg", latin1.c_str()}) AddFull(n);
  Group({"a.jpg", "b.jpg", "c.jpg", latin1}, {"a.jpg", "c.jpg", latin1});
  Write("out/" + kCsvFileName, "earlier");
  // What a killed export left goes at the start.
  Write("out/.qm-tmp-K1lled", "left by a killed export");
  qm::SetClockForTests(std::time(nullptr) + 2 * 3600);
  frmExport& f = Open();
  EXPECT_TRUE(Export(f).empty());
  EXPECT_EQ(Out("a.jpg"), "photo of a.jpg");
  EXPECT_EQ(Out("c.jpg"), "photo of c.jpg");
  EXPECT_EQ(Out(latin1), "photo of " + latin1);
  EXPECT_FALSE(OutHas("b.jpg") || OutHas("tn_a.jpg") || OutHas("a.jpg.info"));
  // No information was exported, so the earlier CSV file stays.
  EXPECT_EQ(Out(kCsvFileName), "earlier");
  EXPECT_EQ(f.lbProgress->text(), "Done");
  EXPECT_EQ(f.cmdExport->text(), "E&xport");
  EXPECT_FALSE(f.shpProgress->isVisible());
  EXPECT_TRUE(TempFilesIn(Dest()).empty());
  // A copy keeps the photo's time.
  EXPECT_EQ(qm::FileDateTime(Dest() + "/a.jpg"), qm::FileDateTime(Path("Photos/a.jpg")));
}

TEST_F(ExportTest, ThumbnailsGoUnderTnAndInformationFilesAsThemselves) {
  FullGroup({"beach.jpg"});
  frmExport& f = Open();
  Set(f, {.photo = false, .thumb = true, .info = true, .csv = false});
  EXPECT_TRUE(Export(f).empty());
  EXPECT_EQ(Out("tn_beach.jpg").substr(0, 2), "BM");
  EXPECT_EQ(Out("tn_beach.jpg"), Read("Photo_Thumbnails/beach.jpg"));
  EXPECT_EQ(Out("beach.jpg.info"), Read("Photo_Info/beach.jpg.info"));
  EXPECT_FALSE(OutHas("beach.jpg") || OutHas(kCsvFileName));
}

TEST_F(ExportTest, ALinkedPhotoIsCopiedFromItsOwnPlaceUnderItsPhotoName) {
  Write("elsewhere/DSC001.jpg", "linked bytes");
  Write("Photo_Info/Image0100.jpg.info", CrLf({"PhotoPath=" + Path("elsewhere/DSC001.jpg"), "TITLE=x"}));
  Group({"Image0100.jpg"}, {"Image0100.jpg"});
  frmExport& f = Open();
  EXPECT_TRUE(Export(f).empty());
  EXPECT_EQ(Out("Image0100.jpg"), "linked bytes");
  EXPECT_FALSE(OutHas("DSC001.jpg"));
}

TEST_F(ExportTest, CsvRecordsFollowTheListAndAppendKeepsTheEarlierOnes) {
  FullGroup({"b.jpg", "a.jpg"});
  Write("Photo_Info/b.jpg.info", CrLf({"PhotoPath=\\Photos\\b.jpg", "TITLE=Beach, Sunset", "EVENT=Trip"}));
  frmExport& f = Open();
  Set(f, {.photo = false, .info = true});
  EXPECT_TRUE(Export(f).empty());
  const std::string first = kHeader + "b.jpg.info,Trip,,,,,\"Beach, Sunset\",,,\r\na.jpg.info,,,,,,a.jpg,,0,0\r\n";
  EXPECT_EQ(Out(kCsvFileName), first);

  Set(f, {.photo = false, .info = true, .overwrite = false});
  EXPECT_TRUE(Export(f).empty());
  EXPECT_EQ(Out(kCsvFileName), first + first.substr(kHeader.size()));

  Set(f, {.photo = false, .info = true});
  EXPECT_TRUE(Export(f).empty());
  EXPECT_EQ(Out(kCsvFileName), first);
}

TEST_F(ExportTest, WithNothingSelectedOnlyTheEarlierCsvFileGoes) {
  Group({"a.jpg"}, {});
  Write("out/" + kCsvFileName, "earlier");
  frmExport& f = Open();
  EXPECT_EQ(f.List1->count(), 0);
  Set(f, {.info = true});
  EXPECT_TRUE(Export(f).empty());
  EXPECT_FALSE(OutHas(kCsvFileName));
  EXPECT_EQ(f.lbProgress->text(), "Done");
}

TEST_F(ExportTest, CancelDuringTheThirdOfTenStopsAfterIt) {
  const auto names = NumberedGroup(10);
  frmExport& f = Open();
  Set(f, {.thumb = true, .info = true});
  bool clicked = false;
  std::string captionWhileRunning;
  AtEveryYield watch([&] {
    if (clicked || !qm::FileExists(Dest() + "/p3.jpg")) return;
    captionWhileRunning = f.cmdExport->text().toStdString();
    clicked = true;
    f.cmdExport->click();  // the button now reads Cancel
  });
  EXPECT_TRUE(Export(f).empty());
  EXPECT_EQ(captionWhileRunning, "Cancel");
  for (size_t i = 0; i < names.size(); ++i)
    EXPECT_EQ(OutHas(names[i]) && OutHas("tn_" + names[i]), i < 3) << names[i];
  EXPECT_EQ(qm::ReadTextLines(Dest() + "/" + kCsvFileName).size(), 5u);
  EXPECT_EQ(f.lbProgress->text(), "Done");
  EXPECT_EQ(f.cmdExport->text(), "E&xport");
  EXPECT_TRUE(TempFilesIn(Dest()).empty());
}

TEST_F(ExportTest, AltXStartsTheExportAgainAfterEachRun) {
  FullGroup({"a.jpg"});
  frmExport& f = Open();
  f.show();
  f.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
  EXPECT_EQ(f.cmdExport->text(), "E&xport");
  for (int run = 1; run <= 2; ++run) {
    std::filesystem::remove(Dest() + "/a.jpg");
    QTest::keyClick(&f, Qt::Key_X, Qt::AltModifier);
    // The access key clicks the button a moment later, as a mouse click shows.
    EXPECT_TRUE(WaitUntil([&] { return OutHas("a.jpg"); }, 3000)) << "run " << run;
    EXPECT_EQ(f.cmdExport->text(), "E&xport") << "run " << run;
  }
}

TEST_F(ExportTest, ProgressBarFillsTheTrackAtTheLastPhoto) {
  FullGroup({"a.jpg", "b.jpg"});
  frmExport& f = Open();
  std::vector<int> widths;
  AtEveryYield watch([&] {
    if (f.lbProgress->text() == "Exporting") widths.push_back(f.shpProgress->width());
  });
  Export(f);
  ASSERT_FALSE(widths.empty());
  EXPECT_EQ(widths.back(), f.pctProgress->contentsRect().width());
}

TEST_F(ExportTest, TheFileMenuAndTheGroupPopUpOpenTheDialog) {
  AddFull("a.jpg");
  Write("Photo_SlideGroups/Beach.lst", CrLf({"a.jpg"}));
  frmMain& m = frmMain::Get();
  for (QAction* a : {m.mnuFileExport, m.mnuGroupExport}) {
    ASSERT_TRUE(a->isEnabled()) << a->objectName().toStdString();
    bool shown = false;
    QTimer::singleShot(0, [&] {
      shown = frmExport::IsLoaded() && frmExport::Get().isVisible();
      frmExport::Get().close();
    });
    a->trigger();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(frmExport::IsLoaded());
  }
  frmMain::Unload();
}

TEST_F(ExportTest, ClosingTheModalDialogDuringARunFromTheMenuEndsItCleanly) {
  for (const char* n : {"a.jpg", "b.jpg", "c.jpg"}) AddFull(n);
  Write("Photo_SlideGroups/Beach.lst", CrLf({"a.jpg", "b.jpg", "c.jpg"}));
  frmMain& m = frmMain::Get();
  m.pctAlbumList_MouseDown(1, 1, 0, 0, 0);
  for (int slot = 0; slot < 3; ++slot) m.imgThumbnail_MouseDown(slot, 1, slot ? 2 : 0, 0, 0);
  gSettings.SetDravenholtSetting(kAppName, "Export", "LastPath", Dest());
  // The run starts inside the dialog's modal show; the close comes at one of its yields.
  bool closed = false;
  QTimer::singleShot(0, [] { frmExport::Get().cmdExport->click(); });
  AtEveryYield watch([&] {
    if (closed || !frmExport::IsLoaded() || !frmExport::Get().Exporting()) return;
    if (!qm::FileExists(Dest() + "/a.jpg")) return;
    closed = true;
    frmExport::Get().close();
  });
  m.mnuFileExport->trigger();
  EXPECT_TRUE(closed);
  EXPECT_FALSE(frmExport::IsLoaded());
  EXPECT_TRUE(OutHas("a.jpg"));
  EXPECT_FALSE(OutHas("b.jpg"));
  frmMain::Unload();
}

}  // namespace
