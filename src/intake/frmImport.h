#pragma once
// The import dialog: a drive, folder and file list to pick sources from, the list
// of files selected for import (two parallel lists: names shown, folders hidden),
// the options, the import run and the recursive auto-scan. Import and scan never
// run at once; closing the window during either cancels it after the item in hand.
#include <QDialog>
#include <array>
#include <string>
#include <vector>

#include "platform/drive_folder_lists.h"
#include "platform/forms.h"

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QShowEvent;
namespace ScanSystem {
struct FoundRows;
}
namespace import_rules {
class ArchiveFiles;
}
class ImportGroupLines;

class frmImport : public qm::Form<frmImport, QDialog> {
public:
  static constexpr const char* FormName = "frmImport";
  // The buttons' idle captions, access keys included from the first showing on.
  static constexpr const char* kImportCaption = "&Import";
  static constexpr const char* kScanCaption = "&Auto-Scan (and sub-folders)";

  frmImport();

  // Shows the dialog modally and unloads it afterwards. New photos join the loaded
  // group and the all-photos group; opened from the search dialog, only the latter.
  static void ShowImport(bool fromSearch);

  // ---- controls ----------------------------------------------------------------
  QLabel* Label3 = nullptr;
  qm::FileListBox* File1 = nullptr;  // names of the shown folder matching File1Pattern
  qm::FolderList* Dir1 = nullptr;
  qm::FolderModel* Dir1Model = nullptr;
  qm::DriveList* Drive1 = nullptr;
  std::array<QCheckBox*, 7> chkFilter{};
  QPushButton* cmdAutoScan = nullptr;
  QPushButton* cmdAddFile = nullptr;
  QPushButton* cmdRemoveFile = nullptr;
  QLabel* lbCount = nullptr;
  std::array<QLabel*, 4> Label4{};  // 0, 2 and 3 are used
  QListWidget* List1 = nullptr;  // file names; each row's bytes are its item's data
  QListWidget* List2 = nullptr;  // hidden: the folder of each row of List1
  QGroupBox* Frame2 = nullptr;
  std::array<QCheckBox*, 4> chkOptions{};
  std::array<QLineEdit*, 2> txtAutoName{};
  QFrame* Line1 = nullptr;
  QFrame* pctProgress = nullptr;
  QFrame* shpProgress = nullptr;
  QLabel* lbProgress = nullptr;
  QPushButton* cmdImport = nullptr;

  // ---- state -------------------------------------------------------------------
  bool ImportScanBusy = false;
  bool OpenedFromSearch = false;
  std::string Dir1Path;     // the folder list's path: no trailing "/" except at "/"
  std::string File1Pattern = "*.bmp;*.jpg;*.gif;*.wmf";

  // ---- procedures (frmImport.cpp, frmImport_lists.cpp) --------------------------
  void Form_Load() override;
  void Form_Unload(bool& cancel) override;
  void BuildFilePattern();
  void Drive1_Change();
  void Dir1_Change();
  // Sets the folder list's path; its change handler runs.
  void SetDir1Path(const std::string& path);
  void File1_Refresh();
  void chkFilter_Click(int Index);
  void chkOptions_Click(int Index);
  void cmdAddFile_Click();
  void cmdRemoveFile_Click();
  void List1_KeyDown(int KeyCode, int Shift);
  void txtAutoName_Change(int Index);
  // Appends a row to both lists; AddRows appends many in one go.
  void AddRow(const std::string& name, const std::string& folder);
  void AddRows(const std::vector<std::string>& names, const std::vector<std::string>& folders);
  std::string RowName(int row) const;
  std::string RowFolder(int row) const;
  std::string File1Name(int row) const;

  // ---- the import run (frmImport_run.cpp) ----------------------------------------
  void cmdImport_Click();

  // ---- the auto-scan (frmImport_scan.cpp) ----------------------------------------
  void cmdAutoScan_Click();

protected:
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  void reject() override;

private:
  enum class Running { None, Import, Scan };
  // The run's state; the buttons' captions only show it.
  Running running_ = Running::None;
  bool importCancelled_ = false;
  bool closeAfterRun_ = false;
  std::array<QLabel*, 4> optionCaptions_{};

  bool AddSelectedFiles();
  void BuildControls();
  void BuildOptions();
  void SetRunning(Running r);
  void ShowDir1Path();
  void SetProgressWidth(int pixels);
  // One row of the run: its name, its group lines, the existence rule, the copy
  // or link and the information file. Returns the photo's path when it entered
  // the archive.
  std::string ImportRow(int row, const std::string& numberFormat, import_rules::ArchiveFiles& archive,
                        ImportGroupLines& lines, std::string& errors);
  void SplitFoundRows(const ScanSystem::FoundRows& found);
  void EndRun();
  void BuildThumbnails(const std::vector<std::string>& newPhotos);
};
