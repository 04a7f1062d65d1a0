#pragma once
// The sound import-and-link dialog: copies MIDI songs to groups or WAV clips to
// the selected photos under their fixed names (core/sound_links.h). Rows get a
// pending change with ">>" or "&Clear"; "&Make it so" applies every pending row.
#include <QDialog>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "platform/drive_folder_lists.h"
#include "platform/forms.h"

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

class frmAddMidiWav : public qm::Form<frmAddMidiWav, QDialog> {
public:
  static constexpr const char* FormName = "frmAddMidiWav";

  frmAddMidiWav();

  // The sound module's four calls; a test may put recorders in their place.
  struct SoundCalls {
    std::function<void(const std::string&)> PlayWav;
    std::function<void()> StopWav;
    std::function<void(const std::string&)> PlayMidi;
    std::function<void()> StopMidi;
  };
  static SoundCalls Sounds;

  QLabel* Label3 = nullptr;
  qm::DriveList* Drive1 = nullptr;   // mount points, "/" first
  qm::FolderList* Dir1 = nullptr;    // folders of the drive
  qm::FolderModel* Dir1Model = nullptr;
  qm::FileListBox* File1 = nullptr;  // files of Dir1 matching File1Pattern
  std::array<QPushButton*, 4> cmdPlayStop{};
  QPushButton* cmdAddFile = nullptr;
  QLabel* lbListContents = nullptr;
  QListWidget* List1 = nullptr;      // one row per group or selected photo
  QListWidget* List2 = nullptr;      // hidden: each row's file; selected = change pending
  QPushButton* cmdClear = nullptr;
  QGroupBox* Frame2 = nullptr;
  std::array<QCheckBox*, 1> chkOptions{};
  QFrame* pctProgress = nullptr;
  QFrame* shpProgress = nullptr;
  QLabel* lbProgress = nullptr;
  QPushButton* cmdImport = nullptr;

  std::string Dir1Path;     // the folder Dir1 shows
  std::string File1Path;    // the folder File1 lists
  std::string File1Pattern = "*";
  bool MidiMode = false;
  bool ImportBusy = false;
  bool CloseRequested = false;  // the window was closed during a run
  std::vector<std::string> RowNames;  // the group or photo name of each row, as bytes

  // List2(i): the file of row i (its own sound, the chosen source, or "").
  std::string RowFile(int row) const;
  bool RowPending(int row) const;

  void Set4Midi();
  void Set4Wav();
  void File1_Refresh();
  // Sets Dir1 to a folder (Dir1.Path = ...), which runs Dir1_Change.
  void SetDir1Path(const std::string& folder);

  void Form_Load() override;
  void Form_Unload(bool& cancel) override;
  void Dir1_Change();
  void Drive1_Change();
  void cmdAddFile_Click();
  void cmdClear_Click();
  void cmdPlayStop_Click(int Index);
  void File1_DblClick();
  void List1_DblClick();
  void cmdImport_Click();

  // The first selected row of List1, -1 when none.
  int SelectedRow() const;
  // File1's folder and its first selected entry; "" when none is selected.
  std::string SelectedSource() const;

  void reject() override;

protected:
  void showEvent(QShowEvent* e) override;

private:
  bool AddSelectedFiles();
  void AddRow(const std::string& name, const std::string& file);
  void SetRowPending(int row, const std::string& file, bool linked);
  void SetBarWidth(int pixels);
  void BuildSourceLists();
};
