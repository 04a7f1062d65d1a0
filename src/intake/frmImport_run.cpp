// The import run: every row of the list of files selected for import enters the
// archive as a copy or a link with its information file; then the report, the
// thumbnails of the new photos, their group lines and the reload of the group.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "browser/frmMain.h"
#include "core/albumstate.h"
#include "core/errorlog.h"
#include "core/groupfiles.h"
#include "core/import_rules.h"
#include "core/modquillmont.h"
#include "intake/frmImport.h"
#include "intake/frmThumbnail.h"
#include "intake/import_row.h"
#include "platform/files.h"
#include "platform/progress_track.h"
#include "platform/prompter.h"
#include "platform/ui_runtime.h"
#include "search_export/frmSearch.h"

namespace {

// The report lists a name per line; a line break in a name must not split its line.
std::string Printable(std::string name) {
  for (char& c : name)
    if (c == '\r' || c == '\n') c = '?';
  return name;
}

}  // namespace

void frmImport::SetProgressWidth(int pixels) {
  qm::SetBarWidth(pctProgress, shpProgress, pixels);
}

void frmImport::cmdImport_Click() {
  if (running_ == Running::Import) {
    // The run sees the request after the row in hand.
    cmdImport->setText(kImportCaption);
    importCancelled_ = true;
    return;
  }
  if (ImportScanBusy) return;
  if (chkOptions[2]->isChecked() && (txtAutoName[0]->text().isEmpty() || txtAutoName[1]->text().isEmpty())) {
    qm::MsgBox("The auto-name/renumber fields both must have valid values.");
    return;
  }

  cmdImport->setText("Cancel");
  importCancelled_ = false;
  SetRunning(Running::Import);
  const std::string numberFormat = import_rules::NumberFormat(txtAutoName[1]->text().toStdString());
  setCursor(Qt::WaitCursor);
  std::vector<std::string> NewPhotos{""};
  std::string errors;
  import_rules::ArchiveFiles archive;
  SetProgressWidth(0);

  const int count = List1->count();
  for (int i = 0; i < count; ++i) {
    lbProgress->setText("Importing");
    try {
      std::string photo = ImportRow(i, numberFormat, archive, errors);
      if (!photo.empty()) NewPhotos.push_back(std::move(photo));
    } catch (const std::exception& e) {
      // A row never ends the run: whatever went wrong is that row's error.
      errors += import_rules::ErrorLine(Printable(RowName(i)), e.what());
    }
    SetProgressWidth(int(double(i + 1) / double(std::max(1, List1->count())) * pctProgress->contentsRect().width()) +
                     30);
    qm::DoEvents();
    if (importCancelled_) break;
  }

  try {
    if (!errors.empty())
      qm::MsgBox("Error(s) occurred with the following files during import process.\r\r" + errors);
    if (NewPhotos.size() > 1 && !importCancelled_) {
      // The group lines come first: a run killed while its thumbnails are made
      // still has its photos in their groups, and the next start makes the rest.
      std::vector<std::string> infoNames{""};
      for (size_t k = 1; k < NewPhotos.size(); ++k) infoNames.push_back(qm::BaseName(NewPhotos[k]) + ".info");
      AddToGroups(infoNames);
      BuildThumbnails(NewPhotos);
    }
  } catch (const std::exception& e) {
    LogError("cmdImport_Click", e.what());
  }

  // The group on show is read again after every run, a cancelled or empty one too.
  if (frmMain::IsLoaded()) frmMain::Get().pctAlbumList_MouseDown(gAlbumState.SelectedButton, 1, 0, 0, 0);

  cmdImport->setText(kImportCaption);
  lbProgress->setText("Done");
  SetProgressWidth(0);
  EndRun();
}

void frmImport::BuildThumbnails(const std::vector<std::string>& newPhotos) {
  frmThumbnail::Get().SetMissingList(newPhotos);
  frmThumbnail::Get().exec();
  frmThumbnail::Unload();
}

std::string frmImport::ImportRow(int row, const std::string& numberFormat, import_rules::ArchiveFiles& archive,
                                 std::string& errors) {
  const std::string file = RowName(row);
  const std::string folder = RowFolder(row);

  std::string name = file;
  if (chkOptions[2]->isChecked()) {
    const std::string number = txtAutoName[1]->text().toStdString();
    name = import_rules::DestinationName(file, true, txtAutoName[0]->text().toStdString(), number);
    // The number is used up whatever becomes of the row.
    const std::string next = import_rules::NextAutoNumber(number, numberFormat);
    txtAutoName[1]->setText(QString::fromStdString(next));
    gSettings.SetDravenholtSetting(kAppName, "Import", "Autonumber", next);
  }
  // A name that reaches another folder ("/", "..") or breaks lines is refused
  // before anything is read or written.
  if (!import_rules::IsGoodRowName(file, name)) {
    errors += import_rules::ErrorLine(Printable(name), "Bad file name or number");
    return {};
  }

  ImportRowOptions options;
  options.overwritePhoto = chkOptions[0]->isChecked();
  options.overwriteInfo = chkOptions[1]->isChecked();
  options.linksOnly = chkOptions[3]->isChecked();
  const std::string error = ImportFile(import_rules::SourcePath(folder, file), name, options, archive);
  if (!error.empty()) {
    errors += import_rules::ErrorLine(name, error);
    return {};
  }
  return PhotosFolder + name;
}

// The search dialog appends the lines, loaded for that without being shown. Only
// the loaded group and the all-photos group get the photos: a group that was just
// right-clicked is not the one on show.
void frmImport::AddToGroups(const std::vector<std::string>& infoNames) {
  const bool wasLoaded = frmSearch::IsLoaded();
  frmSearch& search = frmSearch::Get();
  const QString remembered = search.cmbGroupName->currentText();
  // The dialog may be on show with hits of its own: the appends leave them to it.
  const std::vector<std::string> shownResults = search.SearchResults;
  const std::string loaded = gAlbumState.CurrentGroupName;
  const bool loadedExists = !loaded.empty() && qm::FileExists(SlideGroupsFolder + GroupFileOf(loaded));
  for (const std::string& group : import_rules::TargetGroups(OpenedFromSearch, loaded, loadedExists)) {
    search.SetGroupName(group);
    search.SetNewList(infoNames);
    search.cmdSave_Click();
  }
  search.cmbGroupName->setEditText(remembered);
  search.SetNewList(shownResults);
  // Loaded only for the appends: a later showing fills its group list afresh.
  if (!wasLoaded) frmSearch::Unload();
}
