// The group strip: eight group buttons over the sorted group list, the arrows that
// scroll it, and loading a group into the grid. Each button keeps its group's list
// file, and the loaded group is known by its list file, so a scrolled strip, or two
// files giving one name, never make a press or a reload act on another group.
#include <QAction>
#include <QCursor>
#include <QMenu>
#include <exception>

#include "browser/frmMain.h"
#include "core/albumstate.h"
#include "core/errorlog.h"
#include "core/grid_rules.h"
#include "core/group_names.h"
#include "core/groupfiles.h"
#include "core/modquillmont.h"
#include "platform/files.h"
#include "platform/fonts.h"
#include "platform/shown_names.h"
#include "platform/ui_runtime.h"

void frmMain::BuildStrip() {
  lbAlbumGroups = MakeLabel(client, "lbAlbumGroups", QStringLiteral("Album Groups"), QRect(16, 22, 139, 18),
                            qm::UiFont("Tahoma", 9.75, true), "#ffffff");
  lbAlbumGroups->setAlignment(Qt::AlignCenter);

  for (int i = 0; i < grid::kStripButtons; ++i) {
    auto* button = new qm::EventLabel(client);
    button->setObjectName(QString("pctAlbumList_%1").arg(i));
    button->setGeometry(16, 80 + 32 * i, 139, 31);
    SetFace(button, pctAlbumList[11]);
    button->hide();
    pctAlbumList[size_t(i)] = button;

    auto* label = new qm::EventLabel(button);
    label->setObjectName(QString("lbAlbumList_%1").arg(i));
    label->setGeometry(16, 8, 109, 13);
    label->setAlignment(Qt::AlignCenter);
    label->setTextFormat(Qt::PlainText);
    label->setFont(qm::UiFont("MS Sans Serif", 8.25, true));
    label->setStyleSheet("color: #ffffff; background: transparent;");
    lbAlbumList[size_t(i)] = label;

    connect(button, &qm::EventLabel::mouseDown, this,
            [this, i](int b, int s, float x, float y) { pctAlbumList_MouseDown(i, b, s, x, y); });
    connect(label, &qm::EventLabel::mouseDown, this,
            [this, i](int b, int s, float x, float y) { lbAlbumList_MouseDown(i, b, s, x, y); });
    connect(label, &qm::EventLabel::mouseMove, this,
            [this, i](int b, int s, float x, float y) { lbAlbumList_MouseMove(i, b, s, x, y); });
  }

  static const char* const kArrowArt[4] = {"arrow_up.png", "arrow_up_pressed.png", "arrow_down.png",
                                           "arrow_down_pressed.png"};
  for (int i = 0; i < 4; ++i) {
    auto* arrow = new qm::EventLabel(client);
    arrow->setObjectName(QString("pctArrows_%1").arg(i));
    arrow->setGeometry(64, i < 2 ? 52 : 340, 42, 21);
    arrow->setPixmap(QPixmap(QString(":/art/") + kArrowArt[i]));
    arrow->hide();
    pctArrows[size_t(i)] = arrow;
    connect(arrow, &qm::EventLabel::clicked, this, [this, i] { pctArrows_Click(i); });
  }
}

bool frmMain::LoadGroupNames() {
  try {
    // A folder that cannot be listed leaves the strip as it was.
    const std::vector<std::string> files = qm::ListFiles(SlideGroupsFolder, "*.lst");
    lstSlideGroups.Clear();
    for (int i = 0; i < grid::kStripButtons; ++i) pctAlbumList[size_t(i)]->hide();

    for (const std::string& file : files) {
      const std::string name = GroupNameOf(file);
      if (!grid::IsAllPhotosGroup(name)) lstSlideGroups.AddItem(name, file);
    }
    lstSlideGroups.AddItem(kAllPhotosGroup);

    ShowGroupOnButton(0, lstSlideGroups.IndexOfFile(kAllPhotosFile));
    const int top = gAlbumState.TopGroupIndex;
    const int count = lstSlideGroups.ListCount();
    for (int p = std::max(top, 0); p < count && p < top + grid::kStripButtons; ++p) ShowGroupOnButton(p - top, p);
    CheckGroupScrollArrows();
    ShowLoadedGroupPressed();
    return true;
  } catch (const std::exception& e) {
    LogError("LoadGroupNames", e.what());
  }
  return false;
}

bool frmMain::ScrollGroupNames(int GroupScrollID) {
  if (GroupScrollBusy) return false;
  GroupScrollBusy = true;
  bool moved = false;
  try {
    const int count = lstSlideGroups.ListCount();
    if (grid::CanScrollTo(GroupScrollID, gAlbumState.TopGroupIndex, count)) {
      for (int i = 0; i < grid::kStripButtons; ++i) {
        const int p = GroupScrollID + i;
        if (p < count)
          ShowGroupOnButton(i, p);
        else
          pctAlbumList[size_t(i)]->hide();
      }
      gAlbumState.TopGroupIndex = GroupScrollID;
      moved = true;
      CheckGroupScrollArrows();
      ShowLoadedGroupPressed();
    }
  } catch (const std::exception& e) {
    LogError("ScrollGroupNames", e.what());
    moved = false;
  }
  GroupScrollBusy = false;
  return moved;
}

void frmMain::CheckGroupScrollArrows() {
  const int top = gAlbumState.TopGroupIndex;
  pctArrows[0]->setVisible(grid::UpArrowShown(top));
  pctArrows[2]->setVisible(grid::DownArrowShown(top, lstSlideGroups.ListCount()));
}

void frmMain::ShowGroupOnButton(int i, int p) {
  qm::SetBytesText(lbAlbumList[size_t(i)], lstSlideGroups.Shown(p));
  AlbumListFile[size_t(i)] = lstSlideGroups.FileAt(p);
  pctAlbumList[size_t(i)]->show();
  SetFace(pctAlbumList[size_t(i)], pctAlbumList[11]);
}

void frmMain::ShowLoadedGroupPressed() {
  std::vector<std::string> files;
  for (int i = 0; i < grid::kStripButtons && !pctAlbumList[size_t(i)]->isHidden(); ++i)
    files.push_back(AlbumListFile[size_t(i)]);
  const int pressed = grid::ButtonForGroup(files, LoadedGroupFile());
  for (int i = 0; i < grid::kStripButtons; ++i)
    SetFace(pctAlbumList[size_t(i)], pctAlbumList[i == pressed ? 10 : 11]);
  // Callers that reload the loaded group pass SelectedButton: it follows the
  // group's button, and is -1 (reload by name) while the group is scrolled away.
  gAlbumState.SelectedButton = pressed;
}

void frmMain::pctArrows_Click(int Index) {
  int pressed = -1;
  int step = 0;
  if (Index == 0 || Index == 1) {
    pressed = 1;
    step = -1;
  } else if (Index == 2 || Index == 3) {
    pressed = 3;
    step = 1;
  } else {
    return;
  }
  pctArrows[size_t(pressed)]->show();
  pctArrows[size_t(pressed)]->raise();
  qm::DoEvents();
  ScrollGroupNames(gAlbumState.TopGroupIndex + step);
  pctArrows[size_t(pressed)]->hide();
}

bool frmMain::LoadSlideGroup(const std::string& fileName) {
  try {
    const std::string before = LoadedGroupFile();
    if (!ReadGroupFile(fileName)) return true;
    SyncPageBar();
    const bool sameGroup = LoadedGroupFile() == before;

    gAlbumState.SelectedButton = FindGroupButton(fileName);
    gAlbumState.SelectedGroupIndex = gAlbumState.SelectedButton + gAlbumState.TopGroupIndex;

    // The current photo stays a photo of the group, also when the group shrank.
    const std::int32_t n = gAlbumState.PhotoCount;
    const std::int32_t current = grid::ClampPhotoIndex(sameGroup ? gAlbumState.CurrentImageIndex : 1, n);
    if (!sameGroup || current != gAlbumState.CurrentImageIndex) SetImageIndex(current);
    SetCountLabel(gAlbumState.CurrentImageIndex);

    ShowThumbnailPage(grid::PageForLoad(sameGroup, gAlbumState.CurrentPage, n));
    LoadCurrentInfo();
    return true;
  } catch (const std::exception& e) {
    LogError("LoadSlideGroup", e.what());
  }
  return false;
}

int frmMain::FindGroupButton(const std::string& fileName) {
  std::vector<std::string> files;
  const int shown = grid::VisibleButtonCount(gAlbumState.TopGroupIndex, lstSlideGroups.ListCount());
  for (int i = 0; i < shown; ++i) files.push_back(AlbumListFile[size_t(i)]);
  return grid::ButtonForGroup(files, fileName);
}

void frmMain::pctAlbumList_MouseDown(int Index, int Button, int, float, float) {
  try {
    // A press on a strip button names its group by the button's list file; any
    // other index (SelectedButton while the loaded group is scrolled away) reloads
    // the loaded group by its own.
    const bool onStrip = Index >= 0 && Index < grid::kStripButtons;
    const std::string before = LoadedGroupFile();
    const std::string file = onStrip ? AlbumListFile[size_t(Index)] : before;
    const std::string name = onStrip ? GroupNameOf(file) : gAlbumState.CurrentGroupName;

    StopSlideShow();
    GroupClick = name;
    GroupClickFile = file;

    if (Button == 1) {
      SetGroupListSelect(-1, 0);
      if (file != before) {
        VScroll1State.Value = 1;
        SyncPageBar();
      }
      if (LoadSlideGroup(file)) ShowLoadedGroupPressed();
    } else if (Button == 2) {
      // The group menu is built after the strip, so it is looked up here.
      const bool allPhotos = grid::IsAllPhotosGroup(name);
      for (QAction* item : {mnuGroupRemove, mnuGroupRenameGroup}) SetEnabled(item, !allPhotos);
      if (mnuGroup) mnuGroup->exec(QCursor::pos());
    }

    ViewMode = 0;

    // The press left the loaded group loaded: its current photo becomes the only
    // selected one (none while the group has no photo).
    if (LoadedGroupFile() == before &&
        grid::IsPhotoIndex(gAlbumState.CurrentImageIndex, gAlbumState.PhotoCount))
      SetGroupListSelect(gAlbumState.CurrentImageIndex, 0);
  } catch (const std::exception& e) {
    LogError("pctAlbumList_MouseDown", e.what());
  }
}

void frmMain::lbAlbumList_MouseDown(int Index, int Button, int Shift, float X, float Y) {
  pctAlbumList_MouseDown(Index, Button, Shift, X, Y);
}

void frmMain::lbAlbumList_MouseMove(int Index, int, int, float, float) {
  if (Index < 0 || Index >= grid::kStripButtons) return;
  QLabel* label = lbAlbumList[size_t(Index)];
  label->setToolTip(label->text() + " (Right-click for menu.)");
}
