// The menu bar, the group pop-up and the Help pop-up of the main window, their
// opening rules, and the toolbar caption labels.
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <initializer_list>
#include <string_view>

#include "archive/modUtils.h"
#include "browser/frmAbout.h"
#include "browser/frmMain.h"
#include "intake/frmImport.h"
#include "core/albumstate.h"
#include "core/errorlog.h"
#include "core/grid_rules.h"
#include "core/modquillmont.h"
#include "search_export/frmExport.h"

namespace {

struct MenuRow {
  QAction** target;  // null for separators and items without a member
  const char* name;
  const char* caption;  // "-" is a separator
};

void Fill(QMenu* menu, std::initializer_list<MenuRow> rows) {
  for (const MenuRow& r : rows) {
    QAction* a = std::string_view(r.caption) == "-" ? menu->addSeparator() : menu->addAction(QString::fromUtf8(r.caption));
    a->setObjectName(r.name);
    if (r.target) *r.target = a;
  }
}

// The export goes by the selection, whichever menu opens it.
void ShowExportDialog() {
  frmExport::Get().exec();
  frmExport::Unload();
}

QMenu* Menu(QWidget* parent, const char* name, const char* caption) {
  auto* m = new QMenu(QString::fromUtf8(caption), parent);
  m->setObjectName(name);
  return m;
}

}  // namespace

void frmMain::SetEnabled(QAction* a, bool enabled) {
  if (a) a->setEnabled(enabled);
}

void frmMain::SetEnabled(QWidget* w, bool enabled) {
  if (w) w->setEnabled(enabled);
}

void frmMain::BuildMenus() {
  mnuFile = Menu(this, "mnuFile", "&File");
  Fill(mnuFile, {
      {&mnuFileCreate, "mnuFileCreate", "&Create Group"},
      {&mnuFileRemove, "mnuFileRemove", "&Remove Group"},
      {nullptr, "mnuFileDash1", "-"},
      {&mnuFileRenameGroup, "mnuFileRenameGroup", "Re&name Group"},
      {nullptr, "mnuFileDash2", "-"},
      {&mnuFileMidi, "mnuFileMidi", "&Add MIDI Backgroup Music to Group ..."},
      {nullptr, "mnuFileDash3", "-"},
      {&mnuFileImport, "mnuFileImport", "&Import / Auto-Scan ..."},
      {&mnuFileExport, "mnuFileExport", "&Export ..."},
      {nullptr, "mnuFileDash4", "-"},
      {&mnuFileExit, "mnuFileExit", "E&xit"},
  });

  mnuEdit = Menu(this, "mnuEdit", "&Edit");
  Fill(mnuEdit, {
      {&mnuEditInfo, "mnuEditInfo", "Photo &Information"},
      {nullptr, "mnuEditDash1", "-"},
      {&mnuEditAdd, "mnuEditAdd", "&Copy to Group ..."},
      {&mnuEditMove, "mnuEditMove", "&Move to Group ..."},
      {nullptr, "mnuEditDash2", "-"},
      {&mnuEditRemoveFromGroup, "mnuEditRemoveFromGroup", "Remove Selected Photo(s) from &Group"},
      {&mnuEditRemoveFromAlbum, "mnuEditRemoveFromAlbum", "Remove Selected Photo(s) from &Program"},
      {nullptr, "mnuEditDash3", "-"},
      {&mnuEditSearchAppend, "mnuEditSearchAppend", "&Find/Search && Append ..."},
      {nullptr, "mnuEditDash4", "-"},
      {&mnuEditSort, "mnuEditSort", "&Sort"},
      {nullptr, "mnuEditDash5", "-"},
      {&mnuEditWaveLink, "mnuEditWaveLink", "&Add Audio Clip to Photo(s)"},
  });

  mnuView = Menu(this, "mnuView", "&View");
  Fill(mnuView, {
      {&mnuViewNext, "mnuViewNext", "&Next Photo"},
      {&mnuViewPrevious, "mnuViewPrevious", "&Previous Photo"},
      {nullptr, "mnuViewDash1", "-"},
      {&mnuViewReduce, "mnuViewReduce", "&Reduce - Zoom Out"},
      {&mnuViewEnlarge, "mnuViewEnlarge", "&Enlarge - ZoomIn"},
      {nullptr, "mnuViewDash2", "-"},
      {&mnuViewSlideshow, "mnuViewSlideshow", "&Slide Show"},
      {&mnuViewFullscreen, "mnuViewFullscreen", "&Full Screen"},
  });

  mnuSet = Menu(this, "mnuSet", "&Settings");
  mnuSetInfo = Menu(mnuSet, "mnuSetInfo", "&Information Box");
  mnuSet->addMenu(mnuSetInfo);
  Fill(mnuSetInfo, {
      {&mnuSetInfoUp, "mnuSetInfoUp", "Always &Up"},
      {&mnuSetInfoNormal, "mnuSetInfoNormal", "&Pop Up/Down"},
      {&mnuSetInfoDown, "mnuSetInfoDown", "Always &Down"},
  });
  for (QAction* a : {mnuSetInfoUp, mnuSetInfoNormal, mnuSetInfoDown}) a->setCheckable(true);
  mnuSetInfoNormal->setChecked(true);

  mnuHelp = Menu(this, "mnuHelp", "&Help");
  Fill(mnuHelp, {
      {&mnuHelpContents, "mnuHelpContents", "&Contents"},
      {nullptr, "mnuHelpDash1", "-"},
      {&mnuHelpAbout, "mnuHelpAbout", "&About Quillmont"},
  });

  for (QMenu* m : {mnuFile, mnuEdit, mnuView, mnuSet, mnuHelp}) menuBar->addMenu(m);

  // Pop-up of the group buttons; never in the menu bar.
  mnuGroup = Menu(this, "mnuGroup", "GroupMenu");
  mnuGroupSort = Menu(mnuGroup, "mnuGroupSort", "Sort Group by Field");
  Fill(mnuGroupSort, {
      {nullptr, "mnuGroupSortYear", "Year"},
      {nullptr, "mnuGroupSortPlace", "Place"},
      {nullptr, "mnuGroupSortEvent", "Event"},
      {nullptr, "mnuGroupSortPeople", "People"},
      {nullptr, "mnuGroupSortPhotographer", "Photographer"},
      {nullptr, "mnuGroupSortFilename", "Filename"},
  });
  mnuGroup->addMenu(mnuGroupSort);
  Fill(mnuGroup, {
      {&mnuGroupNewGroup, "mnuGroupNewGroup", "&Create Group"},
      {&mnuGroupRemove, "mnuGroupRemove", "&Remove Group"},
      {nullptr, "mnuGroupDash1", "-"},
      {&mnuGroupRenameGroup, "mnuGroupRenameGroup", "Re&name Group"},
      {nullptr, "mnuGroup1A", "-"},
      {&mnuGroupMidi, "mnuGroupMidi", "&Add MIDI Backgroup Music to Group ..."},
      {nullptr, "mnuGroup1B", "-"},
      {&mnuGroupImport, "mnuGroupImport", "&Import / Auto-Scan Photos ..."},
      {&mnuGroupExport, "mnuGroupExport", "&Export Photos ..."},
      {nullptr, "mnuGroupDash2", "-"},
      {&mnuGroupSearchAppend, "mnuGroupSearchAppend", "&Find/Search && Append ..."},
  });

  // Sorting is offered but never runs: its items stay disabled, connected to nothing.
  mnuEditSort->setEnabled(false);
  mnuGroupSort->menuAction()->setEnabled(false);
  for (QAction* a : mnuGroupSort->actions()) a->setEnabled(false);

  connect(mnuFile, &QMenu::aboutToShow, this, [this] { mnuFile_Click(); });
  connect(mnuEdit, &QMenu::aboutToShow, this, [this] { mnuEdit_Click(); });
  connect(mnuFileExit, &QAction::triggered, this, [this] { mnuFileExit_Click(); });
  connect(mnuFileExport, &QAction::triggered, this, [] { ShowExportDialog(); });
  connect(mnuGroupExport, &QAction::triggered, this, [] { ShowExportDialog(); });
  connect(mnuHelpContents, &QAction::triggered, this, [this] { mnuHelpContents_Click(); });
  connect(mnuHelpAbout, &QAction::triggered, this, [this] { mnuHelpAbout_Click(); });
  connect(mnuEditInfo, &QAction::triggered, this, [this] { cmdEditPhotoInfo_Click(); });
  connect(mnuViewNext, &QAction::triggered, this, [this] { pctNext_Click(); });
  connect(mnuViewPrevious, &QAction::triggered, this, [this] { pctPrev_Click(); });
  connect(mnuViewReduce, &QAction::triggered, this, [this] { cmdZoomOut_Click(); });
  connect(mnuViewEnlarge, &QAction::triggered, this, [this] { cmdZoomIn_Click(); });
  connect(mnuViewSlideshow, &QAction::triggered, this, [this] { cmdSlideshow_Click(); });
  connect(mnuViewFullscreen, &QAction::triggered, this, [this] { cmdFullScreen_Click(); });
  connect(mnuSetInfoUp, &QAction::triggered, this, [this] { optInfoPosition_Click(2); });
  connect(mnuSetInfoNormal, &QAction::triggered, this, [this] { optInfoPosition_Click(1); });
  connect(mnuSetInfoDown, &QAction::triggered, this, [this] { optInfoPosition_Click(0); });

  // The group commands. The File menu's rules and commands go by the loaded group;
  // the group pop-up's by the button it was opened on (GroupClickFile).
  connect(mnuFileCreate, &QAction::triggered, this, [this] { CreateAlbumGroup(0); });
  connect(mnuGroupNewGroup, &QAction::triggered, this, [this] { CreateAlbumGroup(0); });
  connect(mnuFileRemove, &QAction::triggered, this, [this] { RemoveAlbumGroup(LoadedGroupFile()); });
  connect(mnuGroupRemove, &QAction::triggered, this, [this] { RemoveAlbumGroup(GroupClickFile); });
  connect(mnuFileRenameGroup, &QAction::triggered, this, [this] { RenameAlbumGroup(LoadedGroupFile()); });
  connect(mnuGroupRenameGroup, &QAction::triggered, this, [this] { RenameAlbumGroup(GroupClickFile); });
  connect(mnuEditAdd, &QAction::triggered, this, [this] { mnuEditAdd_Click(); });
  connect(mnuThumbAdd, &QAction::triggered, this, [this] { mnuEditAdd_Click(); });
  connect(mnuEditMove, &QAction::triggered, this, [this] { mnuEditMove_Click(); });
  connect(mnuThumbMove, &QAction::triggered, this, [this] { mnuEditMove_Click(); });
  connect(mnuThumbMoveNewGroup, &QAction::triggered, this, [this] { CreateAlbumGroup(2); });
  connect(mnuEditRemoveFromGroup, &QAction::triggered, this, [this] { mnuThumbRemove_Click(); });
  connect(mnuThumbRemove, &QAction::triggered, this, [this] { mnuThumbRemove_Click(); });
  connect(mnuEditRemoveFromAlbum, &QAction::triggered, this, [this] { RemovePhotosFromAlbum(); });
  connect(mnuFileMidi, &QAction::triggered, this, [this] { LinkMidi2Group(); });
  connect(mnuGroupMidi, &QAction::triggered, this, [this] { LinkMidi2Group(); });
  connect(mnuEditWaveLink, &QAction::triggered, this, [this] { LinkWav2Photos(); });
  connect(mnuEditSearchAppend, &QAction::triggered, this, [this] { cmdCreateAlbumGroup_Click(); });
  connect(mnuGroupSearchAppend, &QAction::triggered, this, [this] { cmdCreateAlbumGroup_Click(); });

  // Both import commands bring new photos into the loaded group.
  connect(mnuFileImport, &QAction::triggered, this, [] { frmImport::ShowImport(false); });
  connect(mnuGroupImport, &QAction::triggered, this, [] { frmImport::ShowImport(false); });
}

// The rules test the loaded group by its name: after a scroll of the strip the
// button at SelectedButton may show another group.
void frmMain::mnuFile_Click() {
  const bool allPhotos = grid::IsAllPhotosGroup(gAlbumState.CurrentGroupName);
  SetEnabled(mnuFileRemove, !allPhotos);
  SetEnabled(mnuFileRenameGroup, !allPhotos);
}

void frmMain::mnuEdit_Click() {
  const bool allPhotos = grid::IsAllPhotosGroup(gAlbumState.CurrentGroupName);
  SetEnabled(mnuEditMove, !allPhotos);
}

void frmMain::mnuFileExit_Click() {
  close();
  QApplication::quit();
}

void frmMain::mnuHelpContents_Click() { OpenWithShell(AppPath + "/Help/index.html", 1); }

void frmMain::mnuHelpAbout_Click() {
  frmAbout::Get().exec();
  frmAbout::Unload();
}

void frmMain::lbButtonText_Click(int Index) {
  try {
    switch (Index) {
      case 0: pctNext_Click(); break;
      case 1: pctPrev_Click(); break;
      case 5: cmdZoomOut_Click(); break;
      case 6: cmdZoomIn_Click(); break;
      case 7: cmdSlideshow_Click(); break;
      case 8: cmdFullScreen_Click(); break;
      default: break;
    }
  } catch (const std::exception& e) {
    LogError("lbButtonText_Click", e.what());
  }
}
