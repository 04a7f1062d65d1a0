// The import dialog's sources and lists: drive, folder and file list, the type
// filter, the list of files selected for import and the remembered prefix.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <unordered_set>

#include "core/errorlog.h"
#include "core/groupfiles.h"
#include "core/import_rules.h"
#include "core/modquillmont.h"
#include "intake/frmImport.h"
#include "platform/files.h"
#include "platform/prompter.h"
#include "platform/runtime_error.h"

using qm::BytesOf;

std::string frmImport::RowName(int row) const { return BytesOf(List1->item(row)); }
std::string frmImport::RowFolder(int row) const { return BytesOf(List2->item(row)); }
std::string frmImport::File1Name(int row) const { return File1->Name(row); }

void frmImport::AddRow(const std::string& name, const std::string& folder) { AddRows({name}, {folder}); }

void frmImport::AddRows(const std::vector<std::string>& names, const std::vector<std::string>& folders) {
  qm::AppendBytesItems(*List1, names);
  qm::AppendBytesItems(*List2, folders);
}

void frmImport::SetDir1Path(const std::string& path) {
  std::string p = path;
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  if (p.empty()) p = "/";
  if (p == Dir1Path) return;
  Dir1Path = p;
  ShowDir1Path();
  Dir1_Change();
}

// The tree, the drive and the path agree without their change handlers running again.
void frmImport::ShowDir1Path() {
  Drive1->ShowDriveOf(Dir1Path);
  Dir1->ShowPath(Dir1Path, Drive1->Drive());
}

void frmImport::Drive1_Change() {
  const std::string root = Drive1->Drive();
  try {
    if (!qm::FolderExists(root)) throw qm::RuntimeError(qm::ErrPathNotFound);
    qm::ListFiles(root, "*");  // throws when the volume cannot be read
  } catch (const qm::RuntimeError& e) {
    qm::MsgBox("Error: " + e.Description());
    // The folder list keeps its folder, and the drive list follows it back.
    ShowDir1Path();
    return;
  }
  SetDir1Path(root);
}

void frmImport::Dir1_Change() {
  File1_Refresh();
  gSettings.SetDravenholtSetting(kAppName, "Import", "LastPath", Dir1Path);
}

void frmImport::File1_Refresh() {
  try {
    File1->Show(Dir1Path, [this](const std::string& name) { return import_rules::MatchesAnyPattern(name, File1Pattern); });
  } catch (const qm::RuntimeError& e) {
    File1->clear();
    LogError("File1_Refresh", e);
  }
}

void frmImport::BuildFilePattern() {
  std::vector<bool> ticked;
  for (QCheckBox* box : chkFilter) ticked.push_back(box->isChecked());
  File1Pattern = import_rules::BuildFilePattern(ticked);
  File1_Refresh();
}

void frmImport::chkFilter_Click(int) { BuildFilePattern(); }

// The import run reads the option boxes row by row.
void frmImport::chkOptions_Click(int) {}

bool frmImport::AddSelectedFiles() {
  setCursor(Qt::WaitCursor);
  try {
    std::unordered_set<std::string> present;
    for (int r = 0; r < List1->count(); ++r) present.insert(qm::ToUpperAscii(RowName(r)));
    for (int r = 0; r < File1->count(); ++r) {
      if (!File1->item(r)->isSelected()) continue;
      const std::string name = File1Name(r);
      // A name already listed is not added again, whatever its folder.
      if (present.insert(qm::ToUpperAscii(name)).second) AddRow(name, Dir1Path);
    }
  } catch (const std::exception& e) {
    unsetCursor();
    LogError("AddSelectedFiles", e.what());
    return false;
  }
  unsetCursor();
  return true;
}

void frmImport::cmdAddFile_Click() {
  if (ImportScanBusy) return;
  AddSelectedFiles();
  lbCount->setText(QString::number(List1->count()));
}

void frmImport::cmdRemoveFile_Click() {
  List1_KeyDown(46, 0);
  lbCount->setText(QString::number(List1->count()));
}

void frmImport::List1_KeyDown(int KeyCode, int) {
  // A run reads the rows by index: none is removed under it.
  if (KeyCode == 46 && !ImportScanBusy) {
    List1->setEnabled(false);
    for (int r = List1->count() - 1; r >= 0; --r) {
      if (!List1->item(r)->isSelected()) continue;
      delete List1->takeItem(r);
      delete List2->takeItem(r);
    }
    List1->setEnabled(true);
  }
  lbCount->setText(QString::number(List1->count()));
}

void frmImport::txtAutoName_Change(int Index) {
  if (Index != 0) return;
  std::string prefix = txtAutoName[0]->text().toStdString();
  CheckGroupName(prefix);
  const QString cleaned = QString::fromStdString(prefix);
  if (cleaned != txtAutoName[0]->text()) {
    const int at = txtAutoName[0]->cursorPosition();
    const QSignalBlocker quiet(txtAutoName[0]);
    txtAutoName[0]->setText(cleaned);
    txtAutoName[0]->setCursorPosition(at);
  }
  gSettings.SetDravenholtSetting(kAppName, "Import", "Autoname", prefix);
}
