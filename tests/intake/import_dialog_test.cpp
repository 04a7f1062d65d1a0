// The import dialog's lists and remembered settings, and the auto-scan, on real
// folders.
#include <QComboBox>
#include <QKeyEvent>
#include <QElapsedTimer>
#include <QLabel>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "import_fixture.h"
#include "intake/ScanSystem.h"
#include "support/wait_until.h"
#include "support/yield_watch.h"

namespace {
const std::string kAllTypes = "*.abcde;*.bmp;*.gif;*.jpg;*.wmf;*.mpg;*.mov;*.avi";
}

TEST_F(ImportTest, LoadShowsTheRememberedFolderNameAndNumberOrTheProgramFolderForOneGone) {
  Source({"a.jpg", "b.BMP", "c.png", ".hidden.jpg", "d.avi"}, "cards/one");
  const std::pair<std::string, std::string> cases[] = {{Path("card-taken-out"), Root()},
                                                       {Path("cards/one"), Path("cards/one")}};
  for (const auto& [last, shown] : cases) {
    SCOPED_TRACE(last);
    Reopen();
    gSettings.SetDravenholtSetting(kAppName, "Import", "LastPath", last);
    gSettings.SetDravenholtSetting(kAppName, "Import", "Autoname", "Trip");
    gSettings.SetDravenholtSetting(kAppName, "Import", "Autonumber", "0042");
    EXPECT_EQ(D().Dir1Path, shown);
    EXPECT_EQ(D().txtAutoName[0]->text(), "Trip");
    EXPECT_EQ(D().txtAutoName[1]->text(), "0042");
    EXPECT_EQ(D().File1Pattern, kAllTypes);
    EXPECT_EQ(Setting("LastPath"), shown);
  }
  EXPECT_TRUE(LogHas("card-taken-out"));
  ASSERT_EQ(D().File1->count(), 3);
  EXPECT_EQ(D().File1Name(0), "a.jpg");
  EXPECT_EQ(D().File1Name(1), "b.BMP");
  EXPECT_EQ(D().File1Name(2), "d.avi");
  EXPECT_EQ(D().Drive1->itemText(0), "/");
  // No type ticked shows nothing.
  for (QCheckBox* box : D().chkFilter) box->setChecked(false);
  D().chkFilter_Click(0);
  EXPECT_EQ(D().File1Pattern, "*.abcde");
  EXPECT_EQ(D().File1->count(), 0);
  // The folder shown is remembered at once.
  std::filesystem::create_directories(Path("cards/two"));
  D().SetDir1Path(Path("cards/two") + "/");
  EXPECT_EQ(Setting("LastPath"), Path("cards/two"));
}

TEST_F(ImportTest, ADriveThatCannotBeReadKeepsTheFolder) {
  std::filesystem::create_directories(Path("here"));
  D().SetDir1Path(Path("here"));
  const int before = D().Drive1->currentIndex();
  D().Drive1->addItem(QString::fromStdString(Path("unplugged")));
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  D().Drive1->setCurrentIndex(D().Drive1->count() - 1);
  EXPECT_EQ(LastMessage(), "Error: Path not found");
  EXPECT_EQ(D().Dir1Path, Path("here"));
  EXPECT_EQ(D().Drive1->currentIndex(), before);
  // A readable drive shows its top folder.
  D().Drive1->addItem(QString::fromStdString(Path("card")));
  std::filesystem::create_directories(Path("card"));
  D().Drive1->setCurrentIndex(D().Drive1->count() - 1);
  EXPECT_EQ(D().Dir1Path, Path("card"));
}

TEST_F(ImportTest, ThePrefixIsCleanedAsTypedAndRemembered) {
  D().txtAutoName[0]->setText("my.trip:2");
  EXPECT_EQ(D().txtAutoName[0]->text(), "my_trip_2");
  EXPECT_EQ(Setting("Autoname"), "my_trip_2");
  // The start number is stored by the run only.
  D().txtAutoName[1]->setText("7");
  EXPECT_EQ(Setting("Autonumber"), "<none>");
}

TEST_F(ImportTest, AddingKeepsOneRowPerNameAndDeletingKeepsTheListsParallel) {
  const std::string one = Source({"beach.jpg", "x.jpg"}, "one");
  const std::string two = Source({"BEACH.JPG", "y.jpg"}, "two");
  AddAll(one);
  AddAll(two);
  EXPECT_EQ(Rows1(), std::vector<std::string>({"beach.jpg", "x.jpg", "y.jpg"}));
  EXPECT_EQ(Rows2(), std::vector<std::string>({one, one, two}));
  EXPECT_EQ(D().lbCount->text(), "3");

  D().List1->clear();
  D().List2->clear();
  for (int i = 0; i < 10; ++i) D().AddRow("r" + std::to_string(i) + ".jpg", "/f" + std::to_string(i));
  D().List1->item(2)->setSelected(true);
  D().List1->item(5)->setSelected(true);
  D().List1->setFocus();
  QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::ShiftModifier);
  QApplication::sendEvent(D().List1, &del);
  EXPECT_EQ(D().lbCount->text(), "8");
  const std::vector<std::string> left = Rows1(), folders = Rows2();
  ASSERT_EQ(left.size(), 8u);
  ASSERT_EQ(folders.size(), 8u);
  for (size_t i = 0; i < left.size(); ++i) {
    EXPECT_NE(left[i], "r2.jpg");
    EXPECT_NE(left[i], "r5.jpg");
    EXPECT_EQ("/f" + left[i].substr(1, 1), folders[i]);
  }
}

TEST_F(ImportTest, TheScanFindsTheTickedTypesFolderByFolderAfterTheRowsByHand) {
  Write("top/a.jpg", "1");
  Write("top/sub/b.jpg", "2");
  Write("top/sub/c.bmp", "3");
  Write("top/sub/d.png", "4");
  Write("top/.hidden/e.jpg", "5");
  Write("top/sub/.f.jpg", "6");
  Write("top/z/a.jpg", "7");
  // A link back up would walk in a circle; it is not followed.
  std::filesystem::create_symlink(Path("top"), Path("top/sub/loop"));
  D().AddRow("hand.jpg", "/by/hand");
  D().SetDir1Path(Path("top"));
  D().cmdAutoScan_Click();
  EXPECT_EQ(Rows1(), std::vector<std::string>({"hand.jpg", "a.jpg", "b.jpg", "a.jpg", "c.bmp"}));
  const std::string t = Path("top") + "/";
  EXPECT_EQ(Rows2(), std::vector<std::string>({"/by/hand", t, t + "sub/", t + "z/", t + "sub/"}));
  EXPECT_EQ(D().lbCount->text(), "5");
  EXPECT_EQ(D().cmdAutoScan->text(), "&Auto-Scan (and sub-folders)");
  EXPECT_TRUE(ScanSystem::StopScan);
  EXPECT_FALSE(D().ImportScanBusy);

  // Only the ticked types are searched.
  D().List1->clear();
  D().List2->clear();
  for (int i = 0; i < 7; ++i) D().chkFilter[size_t(i)]->setChecked(i == 0);
  D().chkFilter_Click(0);
  D().cmdAutoScan_Click();
  EXPECT_EQ(Rows1(), std::vector<std::string>{"c.bmp"});
}

TEST_F(ImportTest, ACancelledScanStopsAtOnceAndStillSplitsEveryRowFound) {
  for (int d = 0; d < 20; ++d)
    for (int f = 0; f < 20; ++f) Write("top/d" + std::to_string(d) + "/f" + std::to_string(f) + ".jpg", "x");
  D().SetDir1Path(Path("top"));
  bool cancelled = false;
  AtEveryYield watch([&] {
    if (!cancelled && D().ImportScanBusy) {
      cancelled = true;
      D().cmdAutoScan_Click();
      EXPECT_EQ(D().cmdAutoScan->text(), "&Auto-Scan (and sub-folders)");
      EXPECT_TRUE(D().ImportScanBusy) << "busy until the scan has really ended";
    }
  });
  D().cmdAutoScan_Click();
  EXPECT_TRUE(cancelled);
  EXPECT_LT(D().List1->count(), 400);
  EXPECT_EQ(D().List1->count(), D().List2->count());
  for (int r = 0; r < D().List1->count(); ++r) {
    EXPECT_EQ(D().RowName(r).find('/'), std::string::npos);
    EXPECT_EQ(D().RowFolder(r).back(), '/');
  }
  EXPECT_FALSE(D().ImportScanBusy);
}

TEST_F(ImportTest, ACancelWhileSplittingStillSplitsEveryRowAndACloseWaitsForIt) {
  for (int f = 0; f < 600; ++f) Write("top/d" + std::to_string(f % 3) + "/f" + std::to_string(f) + ".jpg", "x");
  D().SetDir1Path(Path("top"));
  bool cancelled = false;
  {
    AtEveryYield watch([&] {
      if (!cancelled && D().ImportScanBusy && D().List1->count() > 0) {
        cancelled = true;
        D().cmdAutoScan_Click();
      }
    });
    D().cmdAutoScan_Click();
  }
  ASSERT_TRUE(cancelled);
  EXPECT_EQ(D().List1->count(), 600);
  EXPECT_EQ(D().List2->count(), 600);
  EXPECT_EQ(D().RowFolder(599), Path("top/d2") + "/");

  // Closing the window during a scan ends the scan first, then the window.
  EXPECT_TRUE(CloseWhileBusy([&] { D().cmdAutoScan_Click(); }));
  EXPECT_FALSE(frmImport::IsLoaded());
}

// On screen, a scan must not cost per row what a row on its own costs the list: the
// rows go in by batches between yields, and the count is drawn a few times a second.
TEST_F(ImportTest, TheShownListTakesTheFoundRowsInBatchesAndDrawsTheCountAFewTimesASecond) {
  constexpr int kFiles = 3000;
  for (int f = 0; f < kFiles; ++f) Write("top/d" + std::to_string(f % 30) + "/f" + std::to_string(f) + ".jpg", "x");
  D().SetDir1Path(Path("top"));
  D().show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&D()));
  int insertions = 0, countDrawn = 0;
  QObject::connect(D().List1->model(), &QAbstractItemModel::rowsInserted, [&] { ++insertions; });
  PaintCounter paints(D().lbCount, countDrawn);
  AtEveryYield parallel([&] { ASSERT_EQ(D().List1->count(), D().List2->count()); });
  QElapsedTimer took;
  took.start();
  D().cmdAutoScan_Click();
  const qint64 ms = took.elapsed();
  EXPECT_EQ(D().List1->count(), kFiles);
  EXPECT_EQ(D().RowFolder(kFiles - 1), Path("top/d9") + "/");
  EXPECT_LE(insertions, 2 + ms / 10) << "in " << ms << " ms";
  EXPECT_LE(countDrawn, 3 + ms / 100) << "in " << ms << " ms";
}

TEST_F(ImportTest, TheScanStopsAtTheRowLimitWithTheNotice) {
  Write("many/zz.bmp", "x");
  for (size_t i = 0; i <= ScanSystem::kRowLimit + 10; ++i)
    std::ofstream(Path("many/") + std::to_string(i) + ".jpg").put('x');
  D().AddRow("hand.jpg", "/by/hand");
  D().SetDir1Path(Path("many"));
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  D().cmdAutoScan_Click();
  EXPECT_EQ(D().List1->count(), int(ScanSystem::kRowLimit) + 1);
  EXPECT_EQ(D().List2->count(), D().List1->count());
  EXPECT_EQ(LastMessage(),
            "Notice: File count for located media has been exceeded. Some of the specified folders may have not "
            "been completely searched.");
  EXPECT_EQ(prompter.Prompts().size(), 1u);
}

TEST_F(ImportTest, FindFilesCountsAndSizesWhatItLists) {
  Write("t/a.jpg", "12345");
  Write("t/s/b.jpg", "12");
  Write("t/s/c.gif", "1");
  std::string path = Path("t");
  std::int32_t files = 0, folders = 0;
  ScanSystem::FoundRows rows;
  bool cancel = false;
  EXPECT_EQ(ScanSystem::FindFiles(path, "*.jpg", files, folders, rows, cancel), 7);
  EXPECT_EQ(path, Path("t") + "/");
  EXPECT_EQ(files, 2);
  EXPECT_EQ(folders, 1);
  EXPECT_EQ(rows.paths, std::vector<std::string>({Path("t/a.jpg"), Path("t/s/b.jpg")}));
}

TEST_F(ImportTest, AltKeysStartTheImportAndTheScanRunAfterRun) {
  const std::string src = Source({"a.jpg"});
  D().SetDir1Path(src);
  Rows({"a.jpg"}, src);
  // Auto-named links: every import brings one more photo, every scan one more row.
  Options(true, false, false, true);
  D().show();
  const struct {
    Qt::Key key;
    QPushButton* button;
    const char* caption;
    std::function<size_t()> runs;
  } cases[] = {{Qt::Key_I, D().cmdImport, "&Import", [&] { return Infos().size(); }},
               {Qt::Key_A, D().cmdAutoScan, "&Auto-Scan (and sub-folders)", [&] { return D().List1->count() - 1u; }}};
  for (const auto& c : cases) {
    EXPECT_EQ(c.button->text(), c.caption);
    for (size_t run = 1; run <= 2; ++run) {
      // Typed into the prefix box: a key no button takes would type its letter there.
      D().activateWindow();
      ASSERT_TRUE(QTest::qWaitForWindowActive(&D()));
      D().txtAutoName[0]->setFocus();
      QTest::keyClick(D().txtAutoName[0], c.key, Qt::AltModifier);
      ASSERT_TRUE(WaitUntil([&] { return c.runs() == run && !D().ImportScanBusy; })) << c.caption << run;
      EXPECT_EQ(c.button->text(), c.caption);
    }
  }
  EXPECT_EQ(D().txtAutoName[0]->text(), "Image") << "no key was typed into the box";
}
