// The import run: every row of the list of files selected for import enters the
// archive as a copy or a link with its information file, listed in its groups as
// it goes; then the report, the thumbnails of the new photos and the reload of
// the group.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "browser/frmMain.h"
#include "core/albumstate.h"
#include "core/errorlog.h"
#include "core/group_names.h"
#include "core/groupfiles.h"
#include "core/import_group_lines.h"
#include "core/import_rules.h"
#include "core/modquillmont.h"
#include "core/search_rules.h"
#include "intake/frmImport.h"
#include "intake/frmThumbnail.h"
#include "intake/import_row.h"
#include "platform/files.h"
#include "platform/progress_track.h"
#include "platform/prompter.h"
#include "platform/ui_runtime.h"

namespace {

// The report lists a name per line; a line break in a name must not split its line.
std::string Printable(std::string name) {
  for (char& c : name)
    if (c == '\r' || c == '\n') c = '?';
  return name;
}

// The list files new photos join: the loaded group's (not from the search dialog,
// nor when it is the all-photos group or gone), then the all-photos group's. A
// name that differs from a listed group only in case is that group, as for the
// search dialog's appends.
std::vector<ImportGroupLines::Target> GroupTargets(bool fromSearch) {
  const std::string loaded = gAlbumState.CurrentGroupName;
  const bool loadedExists = !loaded.empty() && qm::FileExists(SlideGroupsFolder + GroupFileOf(loaded));
  std::vector<ImportGroupLines::Target> out;
  for (const std::string& g : import_rules::TargetGroups(fromSearch, loaded, loadedExists)) {
    const std::string group = AppendTargetGroup(g, lstSlideGroups.Items());
    out.push_back({group, SlideGroupsFolder + GroupFileOf(group)});
  }
  return out;
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
  ImportGroupLines lines(GroupTargets(OpenedFromSearch));
  SetProgressWidth(0);

  const int count = List1->count();
  for (int i = 0; i < count; ++i) {
    lbProgress->setText("Importing");
    try {
      std::string photo = ImportRow(i, numberFormat, archive, lines, errors);
      if (!photo.empty()) NewPhotos.push_back(std::move(photo));
    } catch (const std::exception& e) {
      // A row never ends the run: whatever went wrong is that row's error.
      lines.TakeBack();
      errors += import_rules::ErrorLine(Printable(RowName(i)), e.what());
    }
    SetProgressWidth(int(double(i + 1) / double(std::max(1, List1->count())) * pctProgress->contentsRect().width()) +
                     30);
    qm::DoEvents();
    if (importCancelled_) break;
  }

  // The rows before a cancel join no group.
  if (importCancelled_) lines.TakeBackAll();
  lines.Close();
  try {
    if (!errors.empty())
      qm::MsgBox("Error(s) occurred with the following files during import process.\r\r" + errors);
    if (!importCancelled_)
      for (const ImportGroupLines::Failure& f : lines.Failures()) {
        LogError("cmdImport_Click", f.reason);
        qm::MsgBox("The new photos could not be appended to the group \"" + f.group + "\". " + f.reason,
                   qm::MsgButtons::OK, "", qm::MsgIcon::Exclamation);
      }
    if (NewPhotos.size() > 1 && !importCancelled_) {
      if (frmMain::IsLoaded()) frmMain::Get().LoadGroupNames();
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
                                 ImportGroupLines& lines, std::string& errors) {
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
  // Listed before it enters: a kill from here on leaves it in its groups.
  lines.Add(name);
  const std::string error = ImportFile(import_rules::SourcePath(folder, file), name, options, archive);
  if (!error.empty()) {
    lines.TakeBack();
    errors += import_rules::ErrorLine(name, error);
    return {};
  }
  lines.Keep();
  return PhotosFolder + name;
}
