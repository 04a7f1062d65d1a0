// The export dialog's controls, its load with the remembered folder and the
// selected photos, and the drive and folder lists.
#include "search_export/frmExport.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>

#include "core/albumstate.h"
#include "core/errorlog.h"
#include "core/modquillmont.h"
#include "platform/files.h"
#include "platform/fonts.h"
#include "platform/progress_track.h"
#include "platform/prompter.h"
#include "platform/runtime_error.h"
#include "platform/window_layout.h"
#include "search_export/frmExport_lists.h"

namespace {

const char* const kSection = "Export";
const char* const kLastPath = "LastPath";

std::string ProgramFolderPath() { return RootFolder.empty() ? "/" : RootFolder; }

using qm::Place;

}  // namespace

frmExport::frmExport() {
  qm::SetUpFixedDialog(*this, "Export Media", 5880, 6900);
  setFont(qm::UiFont("MS Sans Serif", 8.25));

  Label4[0] = Place(new QLabel("Selected Files", this), "Label4_0", qm::TwipsRect(120, 120, 2655, 255));
  List1 = Place(new QListWidget(this), "List1", qm::TwipsRect(120, 375, 2655, 2730));
  Label3 = Place(new QLabel("Destination Folder", this), "Label3", qm::TwipsRect(2940, 120, 2820, 255));
  Drive1 = Place(new qm::DriveList(this), "Drive1", qm::TwipsRect(2940, 375, 2820, 330));
  Dir1 = Place(new qm::FolderList(this), "Dir1", qm::TwipsRect(2940, 765, 2820, 2340));
  Drive1->OnChange = [this] { Drive1_Change(); };
  Dir1->OnChange = [this] { Dir1_Change(); };

  Frame1 = Place(new QGroupBox("Export Items", this), "Frame1", qm::TwipsRect(120, 3240, 5640, 1320));
  const char* const items[] = {"Photo/Video", "Thumbnail", "Media Info"};
  for (int i = 0; i < 3; ++i) {
    chkExport[i] = Place(new QCheckBox(items[i], Frame1), ("chkExport_" + std::to_string(i)).c_str(),
                         qm::TwipsRect(240, 300 + 300 * i, 2400, 285));
  }
  chkExport[0]->setChecked(true);
  optExportInfo[0] = Place(new QRadioButton("Native Format One per Photo", Frame1), "optExportInfo_0",
                           qm::TwipsRect(2760, 600, 2760, 285));
  optExportInfo[1] = Place(new QRadioButton("Record/Field Orientated (CSV)", Frame1), "optExportInfo_1",
                           qm::TwipsRect(2760, 900, 2760, 285));
  optExportInfo[1]->setChecked(true);

  Frame2 = Place(new QGroupBox("Options", this), "Frame2", qm::TwipsRect(120, 4680, 5640, 1560));
  chkOptions[0] = Place(new QCheckBox("Over write existing photos and thumbnails", Frame2), "chkOptions_0",
                        qm::TwipsRect(240, 300, 5160, 285));
  chkOptions[0]->setChecked(true);
  Label4[1] = Place(new QLabel("Photo Information Files", Frame2), "Label4_1", qm::TwipsRect(240, 690, 2040, 255));
  optExportInfo[2] =
      Place(new QRadioButton("Overwrite", Frame2), "optExportInfo_2", qm::TwipsRect(2280, 660, 1260, 285));
  optExportInfo[3] =
      Place(new QRadioButton("Append (CSV only)", Frame2), "optExportInfo_3", qm::TwipsRect(3600, 660, 1920, 285));
  optExportInfo[2]->setChecked(true);
  chkOptions[1] = Place(new QCheckBox("Export as HTML pages (Preview page && links)", Frame2), "chkOptions_1",
                        qm::TwipsRect(240, 1050, 5160, 285));
  chkOptions[1]->setEnabled(false);

  cmdExport = Place(new QPushButton(kIdleCaption, this), "cmdExport", qm::TwipsRect(4200, 6360, 1560, 420));
  connect(cmdExport, &QPushButton::clicked, this, [this] { cmdExport_Click(); });

  const qm::ProgressTrack progress = qm::MakeProgressTrack(this, qm::TwipsRect(120, 6420, 3855, 315));
  pctProgress = progress.track;
  shpProgress = progress.bar;
  lbProgress = Place(new QLabel("     ", pctProgress), "lbProgress", pctProgress->rect());
  lbProgress->setAlignment(Qt::AlignCenter);
  QPalette grey = lbProgress->palette();
  grey.setColor(QPalette::WindowText, QColor(128, 128, 128));
  lbProgress->setPalette(grey);
  lbProgress->raise();
  SetProgress(0, 1);
}

void frmExport::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  qm::CentreWindow(*this);
}

// A remembered folder that is gone falls back to the program folder, so the
// dialog always opens on a folder that is there and lists the selection.
void frmExport::Form_Load() {
  const std::string home = ProgramFolderPath();
  const std::string last = gSettings.GetDravenholtSetting(kAppName, kSection, kLastPath, home);
  std::string folder = last;
  if (!qm::FolderExists(folder)) {
    LogError("Form_Load", "Path not found: " + last);
    folder = home;
  }
  try {
    Drive1->ShowDriveOf(folder);
    Dir1->SetPath(folder);
  } catch (const qm::RuntimeError& e) {
    LogError("Form_Load", e);
  }
  AddSelectedFiles();
}

bool frmExport::AddSelectedFiles() {
  for (size_t i = 0; i < PhotoNames.size() && i < SelectedFlags.size(); ++i)
    if (SelectedFlags[i] == 1) {
      // The list shows the name; the item keeps its bytes, which need not be UTF-8.
      auto* item = new QListWidgetItem(QString::fromStdString(PhotoNames[i]), List1);
      item->setData(Qt::UserRole, QByteArray::fromStdString(PhotoNames[i]));
    }
  return true;
}

void frmExport::Drive1_Change() {
  try {
    Dir1->SetPath(Drive1->Drive());
  } catch (const qm::RuntimeError& e) {
    qm::MsgBox("Error: " + e.Description());
    Drive1->ShowDriveOf(Dir1->Path());
  }
}

void frmExport::Dir1_Change() { gSettings.SetDravenholtSetting(kAppName, kSection, kLastPath, Dir1->Path()); }

// Closing the window while an export runs is a stop request: the window goes once
// the photo in hand is done.
void frmExport::Form_Unload(bool& cancel) {
  if (!exporting_) return;
  cancel = true;
  closeWhenStopped_ = true;
  RequestStop();
  hide();
}

void frmExport::reject() {
  bool cancel = false;
  Form_Unload(cancel);
  if (!cancel) QDialog::reject();
}
