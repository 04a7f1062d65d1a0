// Groups whose list files are named as an older archive or a hand has them:
// "Caf\xe9.lst" (not UTF-8), "Trip.LST" (the extension in capitals) and
// "holiday.2001.lst" (a dot in the name). Every command finds the group by its list
// file's own name, byte for byte, and never writes a second file of one name.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <string>
#include <vector>

#include "browser/frmGroups.h"
#include "browser/frmMain.h"
#include "browser/window_fixture.h"
#include "core/albumstate.h"
#include "core/modquillmont.h"
#include "intake/frmImport.h"
#include "media/frmAddMidiWav.h"
#include "platform/shown_names.h"
#include "search_export/frmExport.h"
#include "search_export/frmSearch.h"

namespace {

using Names = std::vector<std::string>;
const std::string kCafe = "Caf\xe9";

class OddGroupNames : public WindowTest {
protected:
  void SetUp() override {
    WindowTest::SetUp();
    for (const char* p : {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "x.jpg"}) AddPhoto(p);
    Write(Lists() + kAllPhotosGroup + ".lst", CrLf({"a.jpg", "b.jpg", "c.jpg", "d.jpg", "x.jpg"}));
    Write(Lists() + kCafe + ".lst", CrLf({"a.jpg", "b.jpg"}));
    Write(Lists() + "Trip.LST", CrLf({"c.jpg"}));
    Write(Lists() + "holiday.2001.lst", CrLf({"d.jpg"}));
    Write(Lists() + "Beach.lst", CrLf({"x.jpg"}));
    Write("Photo_Midi/" + kCafe + ".mid", "song");
  }
  void TearDown() override {
    for (void (*unload)() : {&frmSearch::Unload, &frmImport::Unload, &frmExport::Unload, &frmAddMidiWav::Unload})
      unload();
    WindowTest::TearDown();
  }
  static std::string Lists() { return "Photo_SlideGroups/"; }
  std::string List(const std::string& file) const { return Read(Lists() + file); }
  Names ListFiles() const { return AllEntries(Path("Photo_SlideGroups")); }

  static int ButtonOf(frmMain& f, const std::string& group) {
    for (int i = 0; i < 8; ++i)
      if (!f.pctAlbumList[size_t(i)]->isHidden() && qm::BytesText(f.lbAlbumList[size_t(i)]) == group) return i;
    ADD_FAILURE() << group;
    return 0;
  }
  static frmMain& Load(const std::string& group) {
    frmMain& f = frmMain::Get();
    f.pctAlbumList_MouseDown(ButtonOf(f, group), 1, 0, 0, 0);
    return f;
  }
  // Copies (or moves) the selection to a group through the picker, picked by a
  // mouse release.
  static void CopyByPicker(frmMain& f, const std::string& group, QAction* command = nullptr) {
    bool picked = false;
    QTimer::singleShot(0, [&] {
      frmGroups& g = frmGroups::Get();
      for (int r = 0; r < g.lstGroups->count(); ++r)
        if (qm::BytesOf(g.lstGroups->item(r)) == group) {
          g.lstGroups->setCurrentRow(r);
          SendMouse(g.lstGroups->viewport(), QEvent::MouseButtonRelease, QPointF(5, 5), Qt::LeftButton, Qt::NoButton);
          picked = true;
        }
      if (!picked) g.close();
    });
    (command ? command : f.mnuEditAdd)->trigger();
    EXPECT_TRUE(picked) << group;
  }
};

TEST_F(OddGroupNames, EachGroupShowsOpensRenamesAndGoesByItsOwnListFile) {
  frmMain& f = frmMain::Get();
  Names shown;
  for (int i = 0; i < 5; ++i) shown.push_back(f.lbAlbumList[size_t(i)]->text().toStdString());
  EXPECT_EQ(shown, (Names{kAllPhotosGroup, "Beach", "Caf\u00e9", "holiday.2001", "Trip"}));

  const std::pair<std::string, Names> groups[] = {
      {kCafe, {"", "a.jpg", "b.jpg"}}, {"Trip", {"", "c.jpg"}}, {"holiday.2001", {"", "d.jpg"}}};
  for (const auto& [group, photos] : groups) {
    Load(group);
    EXPECT_EQ(gAlbumState.CurrentGroupName, group);
    EXPECT_EQ(PhotoNames, photos) << group;
  }

  // Rename: the list and the song follow, and the button shows the new name.
  Load(kCafe);
  prompter.ExpectInput("Cafe");
  f.mnuFileRenameGroup->trigger();
  EXPECT_EQ(List("Cafe.lst"), CrLf({"a.jpg", "b.jpg"}));
  EXPECT_EQ(Read("Photo_Midi/Cafe.mid"), "song");
  EXPECT_FALSE(Exists("Photo_Midi/" + kCafe + ".mid"));
  EXPECT_EQ(gAlbumState.CurrentGroupName, "Cafe");
  EXPECT_EQ(qm::BytesText(f.lbAlbumList[size_t(ButtonOf(f, "Cafe"))]), "Cafe");

  // Remove: the list of capitals goes.
  Load("Trip");
  prompter.ExpectMsg(qm::MsgAnswer::Yes);
  f.mnuFileRemove->trigger();
  EXPECT_EQ(ListFiles(), (Names{kAllPhotosGroup + ".lst", "Beach.lst", "Cafe.lst", "holiday.2001.lst"}));
  EXPECT_EQ(prompter.Prompts().size(), 2u) << "nothing went wrong to be told";
}

TEST_F(OddGroupNames, CopiesDropsAndAppendsGoIntoTheOneListFile) {
  frmMain& f = Load("Beach");
  Click(f.imgThumbnail[0]);
  CopyByPicker(f, kCafe);
  CopyByPicker(f, "Trip");
  Drag(f, 0, {OverButton(f, ButtonOf(f, "holiday.2001"))});
  Drag(f, 0, {OverButton(f, ButtonOf(f, kCafe))});

  // The search appends to a listed group, chosen or typed, dots and all.
  frmSearch& search = frmSearch::Get();
  search.SetNewList({"", "y.jpg.info"});
  search.cmbGroupName->setCurrentIndex(search.cmbGroupName->findData(QByteArray::fromStdString(kCafe)));
  EXPECT_TRUE(search.cmdSave_Click());
  for (int i = 0; i < 2; ++i) {
    search.cmbGroupName->setEditText("holiday.2001");
    EXPECT_TRUE(search.cmdSave_Click());
  }
  search.cmbGroupName->setEditText("trip");
  EXPECT_TRUE(search.cmdSave_Click());
  frmSearch::Unload();

  // The import appends to the loaded group.
  for (const std::string& group : {kCafe, std::string("holiday.2001")}) {
    const std::string photo = group.substr(0, 1) + ".jpg";
    Write("card/" + photo, "new photo");
    Load(group);
    frmImport& import = frmImport::Get();
    import.AddRow(photo, Path("card"));
    import.cmdImport_Click();
    frmImport::Unload();
  }

  EXPECT_TRUE(prompter.Prompts().empty()) << prompter.Prompts().front().text;
  EXPECT_EQ(ListFiles(),
            (Names{kAllPhotosGroup + ".lst", "Beach.lst", kCafe + ".lst", "Trip.LST", "holiday.2001.lst"}));
  EXPECT_EQ(List(kCafe + ".lst"), CrLf({"a.jpg", "b.jpg", "x.jpg", "x.jpg", "y.jpg", "C.jpg"}));
  EXPECT_EQ(List("Trip.LST"), CrLf({"c.jpg", "x.jpg", "y.jpg"}));
  EXPECT_EQ(List("holiday.2001.lst"), CrLf({"d.jpg", "x.jpg", "y.jpg", "y.jpg", "h.jpg"}));
}

// "Trip.lst" beside "Trip.LST": each is its own group, shown by its file's name, and
// their song stays while either list still gives the name.
TEST_F(OddGroupNames, TwoListsOfOneNameAreEachTheirOwnGroup) {
  Write(Lists() + "Trip.lst", CrLf({"b.jpg"}));
  Write("Photo_Midi/Trip.mid", "song");
  frmMain& f = frmMain::Get();
  for (const auto& [file, photo] : {std::pair{"Trip.LST", "c.jpg"}, std::pair{"Trip.lst", "b.jpg"}}) {
    Load(file);
    EXPECT_EQ(PhotoNames, (Names{"", photo})) << file;
  }
  Load("Beach");
  Click(f.imgThumbnail[0]);
  CopyByPicker(f, "Trip.lst");
  Drag(f, 0, {OverButton(f, ButtonOf(f, "Trip.LST"))});
  Load("Trip.lst");
  Click(f.imgThumbnail[0]);
  CopyByPicker(f, "Trip.LST", f.mnuEditMove);
  Write("card/n.jpg", "new photo");
  frmImport::Get().AddRow("n.jpg", Path("card"));
  frmImport::Get().cmdImport_Click();
  EXPECT_EQ(List("Trip.LST"), CrLf({"c.jpg", "x.jpg", "b.jpg"}));

  EnabledInPopUp([&] { f.pctAlbumList_MouseDown(ButtonOf(f, "Trip.LST"), 2, 0, 0, 0); }, f.mnuGroupRemove,
                 f.mnuGroupRenameGroup);
  prompter.ExpectMsg(qm::MsgAnswer::Yes);
  f.mnuGroupRemove->trigger();
  EXPECT_EQ(Read("Photo_Midi/Trip.mid"), "song");
  prompter.ExpectInput("Journey");
  f.mnuFileRenameGroup->trigger();
  EXPECT_EQ(List("Journey.lst"), CrLf({"x.jpg", "n.jpg"}));
  EXPECT_EQ(Read("Photo_Midi/Journey.mid"), "song");
  EXPECT_EQ(ListFiles(),
            (Names{kAllPhotosGroup + ".lst", "Beach.lst", kCafe + ".lst", "Journey.lst", "holiday.2001.lst"}));
  EXPECT_EQ(prompter.Prompts().size(), 2u) << "nothing went wrong to be told";
}

TEST_F(OddGroupNames, TheGroupsPhotosExportAndItsSongIsLinkedByItsName) {
  Load(kCafe);
  Click(frmMain::Get().imgThumbnail[1]);
  Write("out/earlier.txt", "");
  gSettings.SetDravenholtSetting(kAppName, "Export", "LastPath", Path("out"));
  frmExport::Get().cmdExport_Click();
  EXPECT_EQ(AllEntries(Path("out")), (Names{"b.jpg", "earlier.txt"}));

  Write("sounds/tune.mid", "tune");
  frmAddMidiWav& d = frmAddMidiWav::Get();
  d.SetDir1Path(Path("sounds"));
  d.Set4Midi();
  d.File1Pattern = "*.mid";
  d.File1_Refresh();
  int row = -1;
  for (int r = 0; r < d.List1->count(); ++r)
    if (d.RowNames[size_t(r)] == kCafe) row = r;
  ASSERT_GE(row, 0);
  EXPECT_EQ(d.List1->item(row)->text(), QString::fromUtf8("[midi] : Caf\u00e9"));
  d.List1->setCurrentRow(row);
  d.File1->setCurrentRow(0);
  d.cmdAddFile_Click();
  d.chkOptions[0]->setChecked(true);
  d.cmdImport_Click();
  EXPECT_EQ(Read("Photo_Midi/" + kCafe + ".mid"), "tune");
  EXPECT_EQ(AllEntries(Path("Photo_Midi")), (Names{kCafe + ".mid"}));
  EXPECT_TRUE(prompter.Prompts().empty());
}

}  // namespace
