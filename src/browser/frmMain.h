#pragma once
// The main window: the hub of the program. Other windows reach it through
// frmMain::Get() and call its public members. Its behaviour is spread over
// frmMain_*.cpp files, one per area of the window.
#include <QImage>
#include <QPointF>
#include <QTimer>
#include <array>
#include <cstdint>
#include <string>

#include "core/group_names.h"
#include "core/infofile.h"
#include "platform/event_label.h"
#include "platform/forms.h"

class QFont;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QAction;
class QPushButton;
class QScrollBar;
class QFrame;
class ImageBox;
namespace viewer {
struct Detail;
}

class frmMain : public qm::Form<frmMain, QWidget>, public InfoFileHost {
public:
  static constexpr const char* FormName = "frmMain";

  // ---- public interface used by other windows -------------------------------
  std::string GroupClick;
  std::string GroupClickFile;  // the list file of the button GroupClick names
  bool SlideshowOnlySelected = false;

  void StopSlideShow();
  void cmdFullScreen_Click();
  void cmdPlayAudioClip_Click(int Index);
  bool ScrollGroupNames(int GroupScrollID);
  bool LoadGroupNames();
  void EnableVideo(bool VideoState) override;
  bool SaveImageInfo(std::int32_t CurrentImageIndex);
  bool CreateInfoFile(const std::string& InfoFile, const std::string& PhotoPath);
  void SetImageIndex(std::int32_t ImageNmb);
  bool NextPhoto();
  bool PrevPhoto();
  void SetCountLabel(std::int32_t ImageNmb);
  void LinkMidi2Group();
  void LinkWav2Photos();
  bool GroupExists(const std::string& GroupName);
  bool AddToGroup(const std::string& TargetGroup);
  void CheckGroupScrollArrows();
  void pctAlbumList_MouseDown(int Index, int Button, int Shift, float X, float Y);
  bool CheckGroupName(std::string& GroupName);

  // ---- group commands (frmMain_groups.cpp) -----------------------------------
  void CreateAlbumGroup(int ForImage);  // 0 empty, 1 copy the selection, 2 move it
  // By the group's list file: the File menu names the loaded group's, the group
  // pop-up the clicked one's (GroupClickFile).
  void RemoveAlbumGroup(std::string file);
  void RenameAlbumGroup(std::string oldFile);  // a copy: the loaded file changes on the way
  bool MoveToGroup(const std::string& GroupName);
  void mnuThumbRemove_Click();
  void RemovePhotosFromAlbum();  // the selected photos leave the program for the Removed folders
  void mnuEditAdd_Click();
  void mnuEditMove_Click();
  void ShowGroupPicker(int mode);  // 1 copy, 2 move
  // Opens the search dialog, where groups are built from a search.
  void cmdCreateAlbumGroup_Click();
  std::string RenameAnswer;  // the previous answer, offered again
  // Reads the loaded group again after its list changed, keeping the page, and
  // clears the selection.
  void ReloadLoadedGroup();
  // False, and the user told, once the loaded group's list was removed: a command
  // that rewrote the list would bring the removed group back.
  bool LoadedGroupStillExists();

  // ---- lifecycle (frmMain.cpp) ----------------------------------------------
  void Form_Load() override;
  void Form_Activate();
  void Form_Unload(bool& cancel) override;
  void Form_MouseDown(int Button, int Shift, float X, float Y);
  void Form_MouseMove(int Button, int Shift, float X, float Y);
  bool FirstTimeLogged = false;  // a stored FirstTime that is no truth value, logged once

  // The list file of the loaded group. Commands that rewrite the loaded group use this, never a strip button's caption.
  std::string LoadedGroupFile() const;

  // ---- window background and viewing area (frmMain_layout.cpp) --------------
  QMenuBar* menuBar = nullptr;
  qm::EventLabel* client = nullptr;  // the 800 x 600 background panel
  qm::EventLabel* pctWindow = nullptr;  // 545 x 469 viewing area
  QLabel* lbCount = nullptr;
  QLabel* lbTitle = nullptr;
  QLabel* lbStatusPage = nullptr;
  QLabel* lbStatusCount = nullptr;
  QLabel* lbStatusSelected = nullptr;
  QLabel* lbZoom = nullptr;
  // Faces of the picture buttons: small pressed/normal; large pressed/normal are
  // pctAlbumList[10] and [11].
  QLabel* pctBrightSmall = nullptr;
  QLabel* pctDarkSmall = nullptr;
  // Gives a picture button the face of a hidden face holder.
  static void SetFace(QLabel* button, const QLabel* face);
  // A picture button showing face, and the white caption label on top of it.
  static qm::EventLabel* MakePictureButton(QWidget* parent, const char* name, const QRect& where,
                                           const QLabel* face);
  static qm::EventLabel* MakeButtonCaption(qm::EventLabel* button, const char* name, const char* text,
                                           const char* tip);
  // A label of the background panel in the design's font and text colour.
  static QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QRect& where,
                           const QFont& font, const char* colour);
  // Shows a picture button's pressed face while it lives; the normal face comes
  // back however the command ends, errors included.
  class PressedFace {
  public:
    PressedFace(QLabel* button, const QLabel* pressed, const QLabel* normal) : button_(button), normal_(normal) {
      SetFace(button, pressed);
    }
    ~PressedFace() { SetFace(button_, normal_); }
    PressedFace(const PressedFace&) = delete;
    PressedFace& operator=(const PressedFace&) = delete;

  private:
    QLabel* button_;
    const QLabel* normal_;
  };

  // ---- group strip (frmMain_strip.cpp) ---------------------------------------
  std::array<qm::EventLabel*, 12> pctAlbumList{};  // 0..7 buttons; 10, 11 faces
  std::array<qm::EventLabel*, 8> lbAlbumList{};
  std::array<std::string, 8> AlbumListFile;  // the list file of each button's group
  std::array<qm::EventLabel*, 4> pctArrows{};
  QLabel* lbAlbumGroups = nullptr;  // "Album Groups"
  bool GroupScrollBusy = false;
  void pctArrows_Click(int Index);
  void lbAlbumList_MouseDown(int Index, int Button, int Shift, float X, float Y);
  void lbAlbumList_MouseMove(int Index, int Button, int Shift, float X, float Y);
  bool LoadSlideGroup(const std::string& fileName);
  int FindGroupButton(const std::string& fileName);
  // Shows pressed the button of the loaded group's list file, if one is shown.
  void ShowLoadedGroupPressed();
  // Button i shows entry p of the group list (its caption and its list file).
  void ShowGroupOnButton(int i, int p);
  void BuildStrip();

  // ---- thumbnail grid (frmMain_grid.cpp) -------------------------------------
  std::array<qm::EventLabel*, 16> imgThumbnail{};
  std::array<QLabel*, 16> lbThumbnailFile{};
  QScrollBar* VScroll1 = nullptr;
  bool ScrollBusy = false;
  bool ShowThumbnailPage(std::int32_t page);
  void ShowThumbnailBoxes(bool show);
  void VScroll1_Change();
  void imgThumbnail_DblClick(int Index);
  // Puts VScroll1State (range, value, enabled) on VScroll1 without a change event;
  // every reader of a group file calls it after the read.
  void SyncPageBar();
  std::uint32_t PageDrawSerial = 0;  // lets a page draw see that a newer one began
  void BuildGrid();

  // ---- selection (frmMain_selection.cpp) -------------------------------------
  std::array<QFrame*, 17> shpThumbnailSelect{};
  QFrame* shpDropPosition = nullptr;
  QMenu* mnuThumb = nullptr;
  QAction* mnuThumbAdd = nullptr;
  QAction* mnuThumbMove = nullptr;
  QAction* mnuThumbMoveNewGroup = nullptr;
  QAction* mnuThumbRemove = nullptr;
  std::int32_t SelectAnchor = 0;
  void SetGroupListSelect(std::int32_t Index, int Mode);
  void ShowGroupListSelect();
  void imgThumbnail_MouseDown(int Index, int Button, int Shift, float X, float Y);
  void BuildSelection();

  // ---- thumbnail drag and drop (frmMain_drag.cpp) ----------------------------
  struct ThumbDragState {
    bool ThumbArmed = false;     // a left press on a thumbnail was seen
    bool ThumbDragging = false;
    std::int32_t ThumbStartX = 0;  // the press, in twips relative to the thumbnail
    std::int32_t ThumbStartY = 0;
    std::int32_t ThumbDropPosition = 0;  // -k before photo k, +k after it
    bool ThumbMoveBusy = false;  // imgThumbnail_MouseMove is running
    bool ReleasePending = false;  // a release came while a move was turning a page
  };
  ThumbDragState ThumbDrag;
  void imgThumbnail_MouseMove(int Index, int Button, int Shift, float X, float Y);
  void imgThumbnail_MouseUp(int Index, int Button, int Shift, float X, float Y);
  void EndThumbnailDrag(bool Dropped);
  bool SaveReorderedGroup(const std::string& file);
  // The strip button a drop would copy to at a point of the window, -1 for none.
  int DropButtonAt(QPointF inWindow) const;

  // ---- photo viewer (frmMain_viewer.cpp) -------------------------------------
  QImage pctBoxPicture;  // pctBox(0): the full picture, decoded once
  ImageBox* imgbox = nullptr;
  QWidget* picVideoWindow = nullptr;
  qm::EventLabel* cmdZoomIn = nullptr;
  qm::EventLabel* cmdZoomOut = nullptr;
  bool ImageDragging = false;
  float DragStartX = 0;
  float DragStartY = 0;
  bool DisplayPhoto(std::int32_t index);
  void cmdZoomIn_Click();
  void cmdZoomOut_Click();
  void imgbox_MouseDown(int Button, int Shift, float X, float Y);
  void imgbox_MouseMove(int Button, int Shift, float X, float Y);
  void imgbox_MouseUp(int Button, int Shift, float X, float Y);
  void BuildViewer();
  // The picture's own size and file; pctBoxPicture may hold it decoded at
  // 1/pctBoxFactor of that size, as far as the zoom allows, or a drawing drawn at
  // the size it is shown at (pctBoxDrawing).
  QSize pctBoxSize;
  int pctBoxFactor = 1;
  bool pctBoxDrawing = false;
  std::string pctBoxFile;
  int PhotosOpened = 0;  // DisplayPhoto runs that showed their photo
  // Shows the picture at a zoom level, centred; a size no widget can take throws
  // and leaves the view as it was.
  void ApplyZoom(int zoomLevel);
  // Decodes the picture again when it holds less detail than asked for (a drawing
  // drawn smaller than asked); throws when that detail cannot be had (too large to
  // hold, file changed).
  void EnsurePictureDetail(const viewer::Detail& detail);
  // The picture at its own size (decoded again if it was reduced); a null picture,
  // logged, when it cannot be held at that size.
  const QImage& FullSizePicture();

  // ---- navigation and clip buttons (frmMain_navigation.cpp) ------------------
  qm::EventLabel* pctNext = nullptr;
  qm::EventLabel* pctPrev = nullptr;
  qm::EventLabel* cmdFullScreen = nullptr;
  qm::EventLabel* cmdSlideshow = nullptr;
  std::array<qm::EventLabel*, 9> lbButtonText{};  // 0, 1, 5..8 are used
  std::array<QPushButton*, 2> cmdPlayAudioClip{};
  QTimer* tmrSlideShow = nullptr;
  void pctNext_Click();
  void pctPrev_Click();
  void cmdSlideshow_Click();
  void BuildNavigation();

  // ---- slide show (frmMain_slideshow.cpp) -------------------------------------
  struct SlideShowOptions {
    int IntervalMs = 5000;
    bool FullScreen = true;
    bool OnlySelected = false;
    bool StartWithCurrent = true;
    bool Music = true;
    bool Clips = true;
  };
  // Starts a show (the dialog's OK) on its first photo; the first step comes at
  // the first tick.
  void StartSlideShow(const SlideShowOptions& o);
  void tmrSlideShow_Timer();
  // One step of a show: in the full-screen viewer when it is open, so each photo
  // the show loads is seen there. True when it moved to another photo.
  bool SlideShowStep();
  // During a show with clips: the current photo's clip replaces the one sounding.
  void PlaySlideShowClip();
  // A clip the full-screen viewer played goes back, stopped, into picVideoWindow
  // when that box is on show; false when it does not.
  bool TakeBackClip();
  // Opens photo CurrentImageIndex (photo 1 before any is current) through the
  // grid's double click; ViewMode becomes 1 only when it opened.
  bool OpenCurrentFromGrid();

  // ---- video controls of the status bar (frmMain_video.cpp) ------------------
  std::array<QPushButton*, 3> cmdVideo{};
  QScrollBar* hscVideo = nullptr;
  QLabel* lbVideo = nullptr;
  QTimer* tmrVideo = nullptr;
  // The entry loaded last is a picture: the clip still open in the player turns
  // none of the controls on until a clip is loaded again.
  bool PictureEntry = false;
  void cmdVideo_Click(int Index);
  // A drag of the box seeks as it goes; the user's other moves when the value changes.
  void hscVideo_Scroll();
  void hscVideo_Change();
  void tmrVideo_Timer();
  void BuildVideo();

  // ---- information box (frmMain_infobox.cpp) ---------------------------------
  qm::EventLabel* framInfo = nullptr;
  QLabel* lbPhotoInfo = nullptr;
  std::array<QLabel*, 7> Label1{};
  std::array<QLabel*, 7> lbInfo{};
  QLineEdit* txtYear = nullptr;
  QLineEdit* txtPlace = nullptr;
  QLineEdit* txtEvent = nullptr;
  QLineEdit* txtPeople = nullptr;
  QLineEdit* txtPhotographer = nullptr;
  QLineEdit* txtkeywords = nullptr;
  QLineEdit* txtTitle = nullptr;
  QPushButton* cmdEditPhotoInfo = nullptr;
  std::array<QPushButton*, 3> optInfoPosition{};
  QTimer* tmrInfoBox = nullptr;
  bool InfoBoxBusy = false;
  int InfoPosition() const;  // 0 Always Down, 1 Pop Up/Down, 2 Always Up
  void ShowInfoBox(bool up);
  void LoadInfoBox();
  void cmdEditPhotoInfo_Click();
  void optInfoPosition_Click(int Index);
  void tmrInfoBox_Timer();
  void framInfo_MouseMove(int Button, int Shift, float X, float Y);
  // Locks or unlocks the controls that must not be used while editing.
  void SetEditLock(bool locked);
  void BuildInfoBox();
  // InfoFileHost: the edit boxes as the information file reader sees them.
  InfoFields ReadEditBoxes() override;
  void WriteEditBoxes(const InfoFields& f) override;
  bool SaveEditsInProgress() override { return SaveEdits(); }
  // A file that could not be read ends editing: nothing of it may be written.
  void EditTargetLoaded() override;
  int InfoBoxTarget = 0;  // where the running slide goes; a nested call moves it
  int InfoBoxUpTop() const;
  int InfoBoxDownTop() const;
  // The edit boxes into EditTarget's file (the file whose fields the box holds)
  // and into the fields; a target that cannot take them or a failed write is
  // shown to the user.
  bool SaveEdits();
  void ShowInfoLabels();
  // Says why the box's information cannot be edited; false when it can.
  bool RefuseEditing();
  // After a group load: the box takes the current photo's information when it
  // holds another photo's, saving edits in progress first.
  void LoadCurrentInfo();

  // ---- menus (frmMain_menus.cpp) ---------------------------------------------
  QMenu* mnuFile = nullptr;
  QAction* mnuFileCreate = nullptr;
  QAction* mnuFileRemove = nullptr;
  QAction* mnuFileRenameGroup = nullptr;
  QAction* mnuFileMidi = nullptr;
  QAction* mnuFileImport = nullptr;
  QAction* mnuFileExport = nullptr;
  QAction* mnuFileExit = nullptr;
  QMenu* mnuEdit = nullptr;
  QAction* mnuEditInfo = nullptr;
  QAction* mnuEditAdd = nullptr;
  QAction* mnuEditMove = nullptr;
  QAction* mnuEditRemoveFromGroup = nullptr;
  QAction* mnuEditRemoveFromAlbum = nullptr;
  QAction* mnuEditSearchAppend = nullptr;
  QAction* mnuEditSort = nullptr;
  QAction* mnuEditWaveLink = nullptr;
  QMenu* mnuView = nullptr;
  QAction* mnuViewNext = nullptr;
  QAction* mnuViewPrevious = nullptr;
  QAction* mnuViewReduce = nullptr;
  QAction* mnuViewEnlarge = nullptr;
  QAction* mnuViewSlideshow = nullptr;
  QAction* mnuViewFullscreen = nullptr;
  QMenu* mnuSet = nullptr;
  QMenu* mnuSetInfo = nullptr;
  QAction* mnuSetInfoUp = nullptr;
  QAction* mnuSetInfoNormal = nullptr;
  QAction* mnuSetInfoDown = nullptr;
  QMenu* mnuHelp = nullptr;
  QAction* mnuHelpContents = nullptr;
  QAction* mnuHelpAbout = nullptr;
  QMenu* mnuGroup = nullptr;
  QMenu* mnuGroupSort = nullptr;
  QAction* mnuGroupNewGroup = nullptr;
  QAction* mnuGroupRemove = nullptr;
  QAction* mnuGroupRenameGroup = nullptr;
  QAction* mnuGroupMidi = nullptr;
  QAction* mnuGroupImport = nullptr;
  QAction* mnuGroupExport = nullptr;
  QAction* mnuGroupSearchAppend = nullptr;
  void mnuFile_Click();
  void mnuEdit_Click();
  void mnuFileExit_Click();
  void mnuHelpContents_Click();
  void mnuHelpAbout_Click();
  void lbButtonText_Click(int Index);
  void BuildMenus();
  // Applies a menu rule to a command, if it has been built.
  static void SetEnabled(QAction* a, bool enabled);
  static void SetEnabled(QWidget* w, bool enabled);

  // ---- sound -------------------------------------------------------------------

  frmMain();

protected:
  bool event(QEvent* e) override;

private:
  void BuildWindow();
  void BuildStatusBar();
  bool activatePending_ = false;
};
