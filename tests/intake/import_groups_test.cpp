// The import as the user meets it: opened from the main window or the search
// dialog, a folder of generated photos imported as copies through the real dialog,
// and where the new photos show up.
#include <QAction>
#include <QComboBox>
#include <QProcess>
#include <cstdlib>

#include "browser/frmMain.h"
#include "core/albumstate.h"
#include "import_fixture.h"
#include "intake/frmThumbnail.h"
#include "search_export/frmSearch.h"
#include "support/fs_faults.h"
#include "support/wait_until.h"
#include "support/yield_watch.h"

namespace {

// Where the run to be killed finds the archive: set only in its own process.
const char* const kKilledRunFolder = "QM_IMPORT_KILLED_RUN";

class ImportInAlbum : public ImportTest {
protected:
  void SetUp() override {
    ImportTest::SetUp();
    gSettings.SetDravenholtSetting(kAppName, "Options", "FirstTime", "False");
    AddPhoto("old.jpg");
    Write("Photo_SlideGroups/" + kAllPhotosFile, CrLf({"old.jpg"}));
    Write("Photo_SlideGroups/Trip.lst", CrLf({"old.jpg"}));
    Write("Photo_SlideGroups/Other.lst", CrLf({"old.jpg"}));
  }
  void TearDown() override {
    if (frmSearch::IsLoaded()) frmSearch::Unload();
    if (frmMain::IsLoaded()) frmMain::Unload();
    ImportTest::TearDown();
  }
  std::string Group(const std::string& name) { return Read("Photo_SlideGroups/" + name + ".lst"); }
  // Loads the group by a left click on its strip button.
  void LoadGroup(const std::string& name) {
    frmMain& f = frmMain::Get();
    f.pctAlbumList_MouseDown(f.FindGroupButton(name + ".lst"), 1, 0, 0, 0);
    ASSERT_EQ(gAlbumState.CurrentGroupName, name);
  }
  // Runs open; while the import dialog is up as a modal window, checks it and closes it.
  static bool WhileImportIsUp(const std::function<void()>& open) {
    bool seen = false;
    const WhenReady up([] { return ModalUp<frmImport>() != nullptr; }, [&] {
      seen = ModalUp<frmImport>()->windowTitle() == "Import Media";
      ModalUp<frmImport>()->close();
    });
    open();
    QApplication::processEvents();
    return seen;
  }
};

}  // namespace

TEST_F(ImportInAlbum, AFolderOfPhotosArrivesInTheLoadedGroupAndAllPhotosWithThumbnails) {
  std::vector<std::string> names;
  for (int i = 0; i < 6; ++i) names.push_back("cam" + std::to_string(i) + ".jpg");
  const std::string src = Source(names, "card/DCIM");
  LoadGroup("Trip");
  // A right click on another group names it (its pop-up is closed at once), but
  // the photos join the loaded one.
  {
    const WhenReady up([] { return QApplication::activePopupWidget() != nullptr; },
                       [] { QApplication::activePopupWidget()->close(); });
    frmMain::Get().pctAlbumList_MouseDown(frmMain::Get().FindGroupButton("Other.lst"), 2, 0, 0, 0);
  }
  ASSERT_EQ(frmMain::Get().GroupClick, "Other");

  AddAll(src);
  ASSERT_EQ(D().List1->count(), 6);
  Options(false);
  bool searchShown = false;
  // What a run killed while its thumbnails are made would leave.
  std::string whileThumbnails;
  {
    AtEveryYield watch([&] {
      searchShown = searchShown || (frmSearch::IsLoaded() && frmSearch::Get().isVisible());
      if (whileThumbnails.empty() && frmThumbnail::IsLoaded() && frmThumbnail::Get().isVisible())
        whileThumbnails = Group("Trip") + "|" + Group(kAllPhotosGroup);
    });
    D().cmdImport_Click();
  }
  EXPECT_FALSE(searchShown);

  std::vector<std::string> lines{"old.jpg"};
  lines.insert(lines.end(), names.begin(), names.end());
  EXPECT_EQ(Group("Trip"), CrLf(lines));
  EXPECT_EQ(Group(kAllPhotosGroup), CrLf(lines));
  EXPECT_EQ(whileThumbnails, CrLf(lines) + "|" + CrLf(lines)) << "the group lines come before the thumbnails";
  EXPECT_EQ(Group("Other"), CrLf({"old.jpg"}));
  for (const std::string& n : names) {
    EXPECT_EQ(Read("Photos/" + n), Read("card/DCIM/" + n));
    EXPECT_TRUE(Exists("Photo_Thumbnails/" + n)) << n;
  }
  // The loaded group was read again and shows them.
  EXPECT_EQ(gAlbumState.CurrentGroupName, "Trip");
  EXPECT_EQ(PhotoNames, std::vector<std::string>({"", "old.jpg", "cam0.jpg", "cam1.jpg", "cam2.jpg", "cam3.jpg",
                                                  "cam4.jpg", "cam5.jpg"}));
  EXPECT_FALSE(frmSearch::IsLoaded()) << "used for the appends without being shown";
  EXPECT_FALSE(frmThumbnail::IsLoaded());
  EXPECT_TRUE(prompter.Prompts().empty());
}

TEST_F(ImportInAlbum, TheLoadedGroupIsReadAgainAfterACancelledOrEmptyRun) {
  LoadGroup("Trip");
  AddPhoto("late.jpg");
  Write("Photo_SlideGroups/Trip.lst", CrLf({"old.jpg", "late.jpg"}));
  D().cmdImport_Click();
  EXPECT_EQ(PhotoNames, std::vector<std::string>({"", "old.jpg", "late.jpg"}));

  const std::string src = Source({"a.jpg", "b.jpg"});
  Rows({"a.jpg", "b.jpg"}, src);
  Write("Photo_SlideGroups/Trip.lst", CrLf({"late.jpg"}));
  bool clicked = false;
  AtEveryYield watch([&] {
    if (!clicked && D().ImportScanBusy) {
      clicked = true;
      D().cmdImport_Click();
    }
  });
  D().cmdImport_Click();
  EXPECT_TRUE(clicked);
  EXPECT_EQ(PhotoNames, std::vector<std::string>({"", "late.jpg"}));
  EXPECT_EQ(Group(kAllPhotosGroup), CrLf({"old.jpg"})) << "a cancelled run appends nothing";
}

TEST_F(ImportInAlbum, AGroupThatTakesNoLinesIsToldOnceAndTheOtherStillGetsThePhotos) {
  Rows({"a.jpg", "b.jpg"}, Source({"a.jpg", "b.jpg"}));
  LoadGroup("Trip");
  Options(false);
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  if (const ImmutableFile fixed(SlideGroupsFolder + "Trip.lst"); fixed.ok())
    D().cmdImport_Click();
  else
    GTEST_SKIP() << "no immutable files here (root and a file system such as ext4 or tmpfs)";
  EXPECT_EQ(LastMessage(), "The new photos could not be appended to the group \"Trip\". Permission denied");
  EXPECT_EQ(Group("Trip") + Group(kAllPhotosGroup), CrLf({"old.jpg", "old.jpg", "a.jpg", "b.jpg"}));
}

TEST_F(ImportInAlbum, FromTheSearchDialogOnlyAllPhotosGetsThemAndTheHitsOnShowStay) {
  for (const char* n : {"hit1.jpg", "hit2.jpg"}) AddPhoto(n);
  const std::string src = Source({"n.jpg"});
  LoadGroup("Trip");
  frmSearch& search = frmSearch::Get();
  search.cmdSearch_Click();
  ASSERT_EQ(search.lbProgress->text(), "Searched 3 (100%) -> Found 3");
  search.cmbGroupName->setEditText("typed");
  {
    const WhenReady up([] { return ModalUp<frmImport>() != nullptr; }, [&] {
      frmImport& dialog = *ModalUp<frmImport>();
      dialog.AddRow("n.jpg", src);
      dialog.cmdImport_Click();
      dialog.close();
    });
    search.cmdImport_Click();
    ASSERT_TRUE(up.Acted());
  }
  EXPECT_EQ(Group("Trip"), CrLf({"old.jpg"}));
  EXPECT_EQ(Group(kAllPhotosGroup), CrLf({"old.jpg", "n.jpg"}));
  EXPECT_TRUE(frmSearch::IsLoaded());
  EXPECT_EQ(search.cmbGroupName->currentText(), "typed");
  EXPECT_EQ(frmMain::Get().GroupClick, "Trip") << "the reload names the loaded group again";
  // The appends leave the search's own hits to append.
  EXPECT_EQ(search.lbProgress->text(), "Searched 3 (100%) -> Found 3");
  search.cmbGroupName->setEditText("Picked");
  EXPECT_TRUE(search.cmdSave_Click());
  EXPECT_EQ(Group("Picked"), CrLf({"hit1.jpg", "hit2.jpg", "old.jpg"}));
}

TEST_F(ImportInAlbum, TheFileMenuAndTheGroupPopUpOpenTheDialog) {
  frmMain& f = frmMain::Get();
  for (QAction* item : {f.mnuFileImport, f.mnuGroupImport}) {
    EXPECT_TRUE(item->isEnabled()) << item->objectName().toStdString();
    EXPECT_TRUE(WhileImportIsUp([&] { item->trigger(); })) << item->objectName().toStdString();
    EXPECT_FALSE(frmImport::IsLoaded());
  }
  EXPECT_TRUE(WhileImportIsUp([&] { frmSearch::Get().cmdImport->click(); }));
}

// Killed during its rows, a run leaves every photo with an information file in
// the loaded group and in "  All Photos  ", in the order of the rows.
TEST_F(ImportInAlbum, ARunKilledDuringItsRowsLeavesEveryPhotoInItsGroups) {
  constexpr size_t kRows = 400;
  if (const char* folder = std::getenv(kKilledRunFolder)) {
    UseFolder(folder);
    LoadGroup("Trip");
    Rows(std::vector<std::string>(kRows, "a.jpg"), Path("card"));
    Options(false, false, false, true);
    return D().cmdImport_Click();
  }
  Source({"a.jpg"}, "card");
  QProcess run;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(kKilledRunFolder, QString::fromStdString(Folder()));
  // The killed process cannot clear its own temporary folder: this test does.
  env.insert("TMPDIR", QString::fromStdString(Folder()));
  run.setProcessEnvironment(env);
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  run.start(QCoreApplication::applicationFilePath(),
            {QString("--gtest_filter=%1.%2").arg(test->test_suite_name(), test->name())});
  WaitUntil([&] { return qm::ListFiles(PhotosFolder).size() > 20 || run.state() == QProcess::NotRunning; }, 60000);
  ::kill(pid_t(run.processId()), SIGKILL);
  run.waitForFinished();

  std::vector<std::string> infos = Infos();
  infos.pop_back();  // old.jpg's, there from the start
  ASSERT_TRUE(infos.size() >= 20 && infos.size() < kRows) << infos.size() << " photos when killed";
  const auto name = [](size_t k) { return "Image0" + std::to_string(100 + k) + ".jpg"; };
  for (size_t k = 0; k < infos.size(); ++k) EXPECT_EQ(infos[k], name(k) + ".info");
  for (const std::string& group : {std::string("Trip"), kAllPhotosGroup}) {
    const std::vector<std::string> lines = qm::ReadTextLines(SlideGroupsFolder + group + ".lst");
    // The row in hand may be listed already: the start drops it if its photo never came.
    ASSERT_TRUE(lines.size() == infos.size() + 1 || lines.size() == infos.size() + 2) << group;
    for (size_t k = 0; k < lines.size(); ++k) EXPECT_EQ(lines[k], k == 0 ? "old.jpg" : name(k - 1)) << group;
  }
}
