// The auto-scan: the shown folder and every folder below it are searched for the
// ticked types, and what is found joins the list of files selected for import.
#include <QListWidget>
#include <QPushButton>
#include <QLabel>

#include "core/import_rules.h"
#include "intake/ScanSystem.h"
#include "intake/frmImport.h"
#include "platform/prompter.h"
#include "platform/ui_runtime.h"

void frmImport::cmdAutoScan_Click() {
  // An import reads the lists: no scan adds to them meanwhile.
  if (running_ == Running::Import) return;
  if (running_ == Running::Scan) {
    cmdAutoScan->setText(kScanCaption);
    ScanSystem::StopScan = true;
    cmdAutoScan->unsetCursor();
    return;
  }

  cmdAutoScan->setText("&Cancel");
  ScanSystem::StopScan = false;
  SetRunning(Running::Scan);
  setCursor(Qt::BusyCursor);
  // The new caption shows, and a cancel can come, before the first folder is read.
  qm::DoEvents();

  ScanSystem::FoundRows found;
  found.before = std::size_t(List1->count());
  found.sizes = false;
  const std::string top = Dir1Path;
  bool noticeShown = false;
  for (const char* type : import_rules::kScanTypes) {
    // The pattern is read afresh for each type, as the boxes may change meanwhile.
    if (File1Pattern.find(type) == std::string::npos || found.Count() >= ScanSystem::kRowLimit) continue;
    std::string path = top;
    std::int32_t files = 0, folders = 0;
    ScanSystem::FindFiles(path, type, files, folders, found, ScanSystem::StopScan);
    lbCount->setText(QString::number(found.Count()));
    if (found.Count() >= ScanSystem::kRowLimit && !noticeShown) {
      noticeShown = true;
      qm::MsgBox(
          "Notice: File count for located media has been exceeded. Some of the specified folders may have not "
          "been completely searched.");
    }
  }

  List1->setEnabled(false);
  List2->setEnabled(false);
  SplitFoundRows(found);
  List1->setEnabled(true);
  List2->setEnabled(true);
  lbCount->setText(QString::number(List1->count()));

  cmdAutoScan->setText(kScanCaption);
  ScanSystem::StopScan = true;
  EndRun();
}

// Every found row is split, also after a cancel: a row without its folder could
// not be imported.
void frmImport::SplitFoundRows(const ScanSystem::FoundRows& found) {
  List1->setUpdatesEnabled(false);
  for (std::size_t k = 0; k < found.paths.size(); ++k) {
    const auto [folder, name] = import_rules::SplitScannedPath(found.paths[k]);
    AddRow(name, folder);
    if (k % 256 == 0) {
      lbCount->setText(QString::number(found.before + k));
      List1->setUpdatesEnabled(true);
      qm::DoEvents();
      List1->setUpdatesEnabled(false);
    }
  }
  List1->setUpdatesEnabled(true);
}
