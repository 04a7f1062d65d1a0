#pragma once
// The export dialog: copies the photos selected in the main window, their
// thumbnails ("tn_" + name) and their information (the information files, or
// records of "Quillmont_Info.csv") into a folder the user picks. Its button reads
// "Cancel" while an export runs; a click on it, or closing the window, stops the
// export after the photo in hand.
#include <QDialog>
#include <string>
#include <vector>

#include "platform/forms.h"

class CsvExportFile;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QShowEvent;
namespace qm {
class DriveList;
class FolderList;
}  // namespace qm

class frmExport : public qm::Form<frmExport, QDialog> {
public:
  static constexpr const char* FormName = "frmExport";
  // Failures listed by name in the closing message; the rest are counted.
  static constexpr int kListedFailures = 15;
  // The button's caption when no export runs.
  static constexpr const char* kIdleCaption = "E&xport";

  frmExport();

  void Form_Load() override;
  void Form_Unload(bool& cancel) override;
  bool AddSelectedFiles();
  void Drive1_Change();
  void Dir1_Change();
  void cmdExport_Click();
  bool Exporting() const { return exporting_; }

  QLabel* Label4[2]{};
  QListWidget* List1 = nullptr;
  QLabel* Label3 = nullptr;
  qm::DriveList* Drive1 = nullptr;
  qm::FolderList* Dir1 = nullptr;
  QGroupBox* Frame1 = nullptr;
  QCheckBox* chkExport[3]{};
  QRadioButton* optExportInfo[4]{};
  QGroupBox* Frame2 = nullptr;
  QCheckBox* chkOptions[2]{};
  QPushButton* cmdExport = nullptr;
  QFrame* pctProgress = nullptr;
  QLabel* lbProgress = nullptr;
  QFrame* shpProgress = nullptr;

  // Escape during an export stops it, as closing the window does.
  void reject() override;

protected:
  void showEvent(QShowEvent* e) override;

private:
  // What one export writes.
  struct Choices {
    bool photo = false, thumb = false, info = false, native = false, csv = false;
  };
  // What went wrong during one export, told at its end.
  struct Outcome {
    std::string refusal;   // why it did not start
    std::string endError;  // the failure that ended it, as shown
    std::vector<std::string> photosNotCopied, recordsNotWritten, namesRefused;
  };
  void RunExport(Outcome& out);
  void ExportOne(const std::string& dest, const std::string& name, const Choices& c, CsvExportFile& csv,
                 Outcome& out);
  void TellOutcome(const Outcome& out);
  void SetProgress(int done, int total);
  // The stop request: taken after the photo in hand.
  void RequestStop();

  bool exporting_ = false;
  bool stopRequested_ = false;
  bool closeWhenStopped_ = false;
};
